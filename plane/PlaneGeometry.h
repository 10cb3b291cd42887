#pragma once
// The mapping between plane units and picture pixels of the plane drawn
// last. A pure value: every curve, mark and mouse hit test uses it.

#include <QPoint>
#include <QPointF>
#include <cmath>

struct PlaneGeometry {
    int ScaleX = 16, ScaleY = 16;  // pixels per unit, at least 1
    int CountX = 0, CountY = 0;    // units across and up (even)
    int StartX = 0, StartY = 0;    // value at the left / lower grid edge
    int LastX = 0, LastY = 0;      // value at the right / upper grid edge
    int MarginX = 0, MarginY = 0;  // centring margins of the grid, pixels
    int OriginX = 0, OriginY = 0;  // pixel of the plane origin
    int EndX = 99, EndY = 99;      // largest numbered values

    // A lattice point of a hand-made file may lie far outside any picture;
    // its pixel is clamped to the int range instead of wrapping.
    QPoint LatticeToPixel(int x, int y) const
    {
        return QPoint(Clamped(qint64(OriginX) + qint64(ScaleX) * x), Clamped(qint64(OriginY) - qint64(ScaleY) * y));
    }
    QPoint PointToPixel(double x, double y) const
    {
        return QPoint(Clamped(OriginX + RoundWide(ScaleX * x)), Clamped(OriginY - RoundWide(ScaleY * y)));
    }
    // Nearest lattice point; half-way goes right and down. Division
    // truncates toward zero.
    QPoint PixelToLattice(int px, int py) const
    {
        return QPoint((px + ScaleX / 2) / ScaleX + StartX, LastY - (py + ScaleY / 2) / ScaleY);
    }

    // RoundEven without the int limit (within ±2^62).
    static qint64 RoundWide(double v)
    {
        if (!(v == v))
            return 0;
        return qint64(std::nearbyint(v < -4.6e18 ? -4.6e18 : v > 4.6e18 ? 4.6e18 : v));
    }
    static int Clamped(qint64 v)
    {
        return int(v < -2147483648LL ? -2147483648LL : v > 2147483647LL ? 2147483647LL : v);
    }

    // Round to nearest, ties to even; out-of-range values are clamped so no
    // conversion is undefined.
    static int RoundEven(double v)
    {
        if (!(v == v))
            return 0;
        if (v > 2147483647.0)
            return 2147483647;
        if (v < -2147483648.0)
            return -2147483647 - 1;
        return int(std::nearbyint(v));
    }

    friend bool operator==(const PlaneGeometry &, const PlaneGeometry &) = default;
};
