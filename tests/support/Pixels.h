#pragma once
// Pixel counts on a canvas, for tests that check what a drawing left.

#include "plane/Canvas.h"

#include <QRect>

// Pixels of the colour inside the box.
inline int CountColor(const Canvas &c, const QRect &box, Color color)
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += c.pixel(x, y) == color;
    return n;
}

// Pixels inside the box that differ from the background colour.
inline int Marked(const Canvas &c, const QRect &box, Color background)
{
    return box.width() * box.height() - CountColor(c, box, background);
}
