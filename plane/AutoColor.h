#pragma once
// The automatic colour table of new parabolas.

#include "plane/Canvas.h"
#include "plane/DrawingSettings.h"

#include <array>

inline constexpr std::array<Color, 16> kAutoColors{
    0xFF0000, 0x0000FF, 0xFF00FF, 0x00FF00, 0x008000, 0x02869F, 0x000080, 0x808080,
    0x0080FF, 0xC08000, 0xC000C0, 0x198DCF, 0x0000C0, 0xFFFF00, 0x838860, 0x000000,
};

// The fixed colour unless it is white; otherwise the table entry of the
// colour counter, which is reduced modulo 16 and stored back.
Color NextAutoColor(DrawingSettings &draw);
// The fixed colour unless it is white; otherwise table entry i modulo 16.
Color AutoColor(const DrawingSettings &draw, int i);
