#pragma once
// The domain kind of a parabola as a type. The record keeps the integer of
// the file format; these conversions are the one place the two meet.

#include <cstdint>
#include <optional>
#include <utility>

enum class LineMode : std::int32_t {
    Whole = 0,     // the whole curve
    Segment = 1,   // between two bounds
    RightHalf = 2, // from one bound to the right
    LeftHalf = 3,  // from one bound to the left
};

// The kind stored as n, or nothing for a number no kind has.
constexpr std::optional<LineMode> LineModeFromInt(std::int32_t n)
{
    if (n < 0 || n > 3)
        return std::nullopt;
    return static_cast<LineMode>(n);
}

constexpr std::int32_t ToInt(LineMode mode)
{
    return static_cast<std::int32_t>(mode);
}

// End inclusion (lower, upper) of a line mode (the file's integer) and end
// style: the one rule for ends. Nothing for a mode no kind or mark has.
constexpr std::optional<std::pair<bool, bool>> EndFlagsOf(int mode, int endStyle)
{
    switch (mode) {
    case 0:
        return std::pair{true, true};
    case 1:
        switch (endStyle) {
        case 0:
            return std::pair{true, true};
        case 1:
            return std::pair{true, false};
        case 2:
            return std::pair{false, true};
        default:
            return std::pair{false, false};
        }
    case 2:
    case 3:
        return std::pair{endStyle == 0, endStyle == 0};
    case -1:
    case 4:
        return std::pair{false, false};
    default:
        return std::nullopt;
    }
}
