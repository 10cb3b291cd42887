#include "model/Parabola.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr WideInt kInt32Max = std::numeric_limits<std::int32_t>::max();
// Half width of a plotted x interval; keeps every later pixel computation
// far from integer limits.
constexpr double kMaxHalfWidth = 1'000'000.0;

// Coordinate differences of a hand-edited file can exceed 32 bits.
std::int64_t deltaX(const Parabola &rec)
{
    return std::int64_t(rec.PointX) - rec.VertexX;
}

std::int64_t deltaY(const Parabola &rec)
{
    return std::int64_t(rec.PointY) - rec.VertexY;
}

WideUInt magnitude(WideInt v)
{
    return v < 0 ? WideUInt(0) - WideUInt(v) : WideUInt(v);
}

int clampToInt(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

} // namespace

Fraction CoefficientA(const Parabola &rec)
{
    const std::int64_t dx = deltaX(rec);
    const std::int64_t dy = deltaY(rec);
    if (dx == 0 || dy == 0)
        return MakeFraction(0, 1);
    const WideInt dx2 = WideInt(dx) * dx;
    if (dx2 > kInt32Max)
        return OverflowFraction();
    return MakeFraction(dy, std::int64_t(dx2));
}

Fraction ExactValueAt(const Parabola &rec, std::int64_t x)
{
    const std::int64_t dx = deltaX(rec);
    const std::int64_t dy = deltaY(rec);
    if (dx == 0 || dy == 0)
        return MakeFraction(rec.VertexY, 1);

    // y = dy·d²/dx² + q. Cancelling before multiplying keeps everything
    // inside 128 bits for any 64-bit x and still gives the exact value
    // whenever it fits, even where a itself (dy/dx²) would not.
    const WideUInt dx2 = WideUInt(magnitude(dx)) * magnitude(dx);
    const WideUInt g1 = WideGcd(magnitude(dy), dx2);
    const WideInt aNum = WideInt(dy) / WideInt(g1);  // |aNum| < 2^33
    const WideUInt aDen = dx2 / g1;                  // < 2^64

    const WideUInt d = magnitude(WideInt(x) - rec.VertexX);  // < 2^64
    const WideUInt d2 = d * d;                               // < 2^128
    if (d2 == 0)
        return MakeFraction(rec.VertexY, 1);
    const WideUInt g2 = WideGcd(d2, aDen);
    const WideUInt m = d2 / g2;
    const WideUInt den = aDen / g2;
    // m and den are coprime and aNum is coprime to den, so num/den below is
    // already reduced. A den or a quadratic part beyond these bounds cannot
    // give a 32-bit result (|q·den| stays below 2^62).
    if (den > WideUInt(kInt32Max) || m > (WideUInt(1) << 64))
        return OverflowFraction();
    const WideInt num = aNum * WideInt(m) + WideInt(rec.VertexY) * WideInt(den);
    return ReducedFractionWide(num, WideInt(den));
}

double RealValueAt(const Parabola &rec, double x)
{
    const std::int64_t dx = deltaX(rec);
    const std::int64_t dy = deltaY(rec);
    const double a = (dx != 0 && dy != 0) ? double(dy) / (double(dx) * double(dx)) : 0.0;
    const double d = x - rec.VertexX;
    return a * d * d + rec.VertexY;
}

std::pair<int, int> VisibleXRange(const Parabola &rec, int planeWidth, int scaleY)
{
    const std::int64_t dx = deltaX(rec);
    const std::int64_t dy = deltaY(rec);
    if (dx == 0 || dy == 0)
        return {-1, 1};
    // Taken from the points rather than from CoefficientA so that a very flat
    // curve (dx² beyond 32 bits) still gets its wide range.
    const double a = double(dy) / (double(dx) * double(dx));
    const std::int64_t scale = std::max(scaleY, 1);
    const std::int64_t width = a > 0 ? std::int64_t(planeWidth) : -std::int64_t(planeWidth);
    const std::int64_t h = width / scale;  // truncates toward zero
    const double t = (double(h) - rec.VertexY) / a;
    // nearbyint: to nearest, ties to even under the default rounding mode.
    const double f = std::min(std::nearbyint(std::sqrt(std::fabs(t))) + 1.0, kMaxHalfWidth);
    const std::int64_t half = std::int64_t(f);
    return {clampToInt(std::int64_t(rec.VertexX) - half),
            clampToInt(std::int64_t(rec.VertexX) + half)};
}

GeneralCoefficients GeneralFormCoefficients(const Parabola &rec)
{
    const std::int64_t dx = deltaX(rec);
    const std::int64_t dy = deltaY(rec);
    // a = sign · (|dy| / dx² reduced); the sign goes in before the range
    // check so that -2^31 still fits.
    const WideInt sign = dy <= 0 ? -1 : 1;
    const WideInt absDy = dy < 0 ? -WideInt(dy) : WideInt(dy);
    const Fraction a = ReducedFractionWide(sign * absDy, WideInt(dx) * dx);
    const Fraction p = MakeFraction(rec.VertexX, 1);
    const Fraction q = MakeFraction(rec.VertexY, 1);

    GeneralCoefficients k;
    k.A = a;
    k.B = MulFraction(MulFraction(MakeFraction(-2, 1), a), p);
    k.C = AddFraction(MulFraction(MulFraction(a, p), p), q);
    return k;
}
