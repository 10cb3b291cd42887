#pragma once
// A parabola record from its two points and its domain, for tests.

#include "model/Parabola.h"

inline Parabola MakeParabola(int vx, int vy, int px, int py, int mode = 0, int lo = kUnboundedLow,
                             int hi = kUnboundedHigh, bool lower = true, bool upper = true)
{
    Parabola r;
    r.VertexX = vx;
    r.VertexY = vy;
    r.PointX = px;
    r.PointY = py;
    r.LineMode = mode;
    r.DomainLow = lo;
    r.DomainHigh = hi;
    r.LowerIncluded = lower;
    r.UpperIncluded = upper;
    return r;
}
