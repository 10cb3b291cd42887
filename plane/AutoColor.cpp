#include "plane/AutoColor.h"

namespace {
int Mod16(int v)
{
    const int m = v % 16;
    return m < 0 ? m + 16 : m;
}
}  // namespace

Color NextAutoColor(DrawingSettings &draw)
{
    if (draw.FixedColor != Colors::White)
        return draw.FixedColor;
    draw.ColorCounter = Mod16(draw.ColorCounter);
    return kAutoColors[std::size_t(draw.ColorCounter)];
}

Color AutoColor(const DrawingSettings &draw, int i)
{
    if (draw.FixedColor != Colors::White)
        return draw.FixedColor;
    return kAutoColors[std::size_t(Mod16(i))];
}
