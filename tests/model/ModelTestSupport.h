#pragma once
// Record builders and QTest glue shared by the model tests.

#include "model/Math.h"

#include <QMetaType>
#include <QTest>
#include <cstdint>

Q_DECLARE_METATYPE(Fraction)
Q_DECLARE_METATYPE(Parabola)
Q_DECLARE_METATYPE(FormulaForm)

// Readable failure messages for QCOMPARE on fractions (found by ADL).
inline char *toString(const Fraction &f)
{
    if (f.Overflow)
        return qstrdup("overflow");
    return qstrdup(QByteArray::number(f.Num) + '/' + QByteArray::number(f.Den));
}

inline Fraction frac(std::int64_t num, std::int64_t den)
{
    return MakeFraction(num, den);
}

// A whole parabola through vertex (vx, vy) and point (px, py).
inline Parabola parabola(std::int32_t vx, std::int32_t vy, std::int32_t px, std::int32_t py)
{
    Parabola rec;
    rec.VertexX = vx;
    rec.VertexY = vy;
    rec.PointX = px;
    rec.PointY = py;
    return rec;
}

inline Parabola segment(Parabola rec, std::int32_t low, bool lowIn, std::int32_t high, bool highIn)
{
    rec.LineMode = 1;
    rec.DomainLow = low;
    rec.DomainHigh = high;
    rec.LowerIncluded = lowIn ? 1 : 0;
    rec.UpperIncluded = highIn ? 1 : 0;
    return rec;
}

// x from low upward.
inline Parabola rightHalf(Parabola rec, std::int32_t low, bool included)
{
    rec.LineMode = 2;
    rec.DomainLow = low;
    rec.DomainHigh = kUnboundedHigh;
    rec.LowerIncluded = rec.UpperIncluded = included ? 1 : 0;
    return rec;
}

// x up to high.
inline Parabola leftHalf(Parabola rec, std::int32_t high, bool included)
{
    rec.LineMode = 3;
    rec.DomainLow = kUnboundedLow;
    rec.DomainHigh = high;
    rec.LowerIncluded = rec.UpperIncluded = included ? 1 : 0;
    return rec;
}

inline constexpr std::int32_t kMin32 = INT32_MIN;
inline constexpr std::int32_t kMax32 = INT32_MAX;
