#pragma once
// The domain kind of a parabola as a type. The record keeps the integer of
// the file format; these conversions are the one place the two meet.

#include <cstdint>
#include <optional>

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
