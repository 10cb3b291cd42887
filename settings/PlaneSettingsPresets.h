#pragma once
// The ranges the plane settings dialog accepts, and its preset buttons:
// which field each one fills with which text, and whether it runs the test
// afterwards.

#include <array>

namespace setcood {

enum Field { FSizeX, FSizeY, FDX, FDY, FStartX, FStartY, FEndX, FEndY };

// The ranges of the spin fields; a stored value outside is taken as the
// nearer end, as the field would show it.
struct SpinRange {
    int min, max;
    constexpr int clamped(int v) const { return v < min ? min : v > max ? max : v; }
};
inline constexpr SpinRange NumberingRange{0, 20};
inline constexpr SpinRange FontSizeRange{8, 20};
inline constexpr SpinRange MarginRange{0, 5};
// Pixels per unit the test accepts.
inline constexpr SpinRange ScaleRange{4, 32};
// Smallest plane size in pixels; the largest is the default plane size of
// the screen, and 0 or less stands for that default.
inline constexpr int SmallestPlaneSize = 160;
inline constexpr int NoPresets = -1;

struct Preset {
    const char *button;
    const char *caption;  // UTF-8
    Field field;
    const char *text;
    bool tests;
};

// In the order they stand on the form. "無" means: no fixed value (the
// default size, a centred origin, no upper limit of the numbers).
inline constexpr std::array<Preset, 22> Presets{{
    {"BitBtn1", "無", FSizeX, "-99", true},
    {"btnMaxX", "384", FSizeX, "384", true},
    {"btnDaiX", "320", FSizeX, "320", true},
    {"btnChuX", "256", FSizeX, "256", true},
    {"btnShouX", "160", FSizeX, "160", true},
    {"btnScaleYN", "無", FSizeY, "-99", true},
    {"btnMaxY", "384", FSizeY, "384", true},
    {"btnDaiY", "320", FSizeY, "320", true},
    {"btnChuY", "256", FSizeY, "256", true},
    {"btnShouY", "160", FSizeY, "160", true},
    {"btnSCL", "16", FDX, "16", true},
    {"btnSCM", "8", FDX, "8", true},
    {"btnSCS", "4", FDX, "4", true},
    {"btnSYL", "16", FDY, "16", true},
    {"btnSYM", "8", FDY, "8", true},
    {"btnSYS", "4", FDY, "4", true},
    {"btnStartXn", "無", FStartX, "-99", true},
    {"btnStartXm2", "-2", FStartX, "-2", true},
    {"btnStartYn", "無", FStartY, "-99", true},
    {"btnStartYm2", "-2", FStartY, "-2", true},
    {"btnEndXNo", "無", FEndX, "99", false},
    {"btnEndYno", "無", FEndY, "99", false},
}};

}  // namespace setcood
