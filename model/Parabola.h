#pragma once
// The parabola record and the numeric operations derived from its two
// lattice points. Pure values; nothing here knows about drawing.

#include "model/Fraction.h"

#include <QString>
#include <array>
#include <cstdint>
#include <utility>

constexpr int kUnboundedLow = -99;   // sentinel: no lower domain end
constexpr int kUnboundedHigh = 99;   // sentinel: no upper domain end
constexpr int kMaxParabolas = 100;   // stored parabolas per list
constexpr int kParabolaSlots = 101;  // slots per list (the last is never filled)

// One parabola y = a(x - VertexX)^2 + VertexY through (PointX, PointY).
struct Parabola {
    std::int32_t LineMode = 0;      // 0 whole, 1 segment, 2 right half line, 3 left half line
    std::int32_t LineWidth = 1;     // pixels, 1..3
    std::int32_t LowerIncluded = 1; // 1 yes, 0 no
    std::int32_t UpperIncluded = 1; // 1 yes, 0 no
    std::int32_t Color = 0;         // 0xBBGGRR
    std::int32_t EndStyle = 0;      // end style of the line kind when drawn (line sample only)
    std::int32_t VertexX = 0;       // lattice units
    std::int32_t VertexY = 0;
    std::int32_t PointX = 0;
    std::int32_t PointY = 0;
    std::int32_t DomainLow = kUnboundedLow;
    std::int32_t DomainHigh = kUnboundedHigh;
    std::int32_t Reserved1 = 0;     // spare, never written to files
    std::int32_t Reserved2 = 0;
    QString Formula;                // cached formula text

    friend bool operator==(const Parabola &, const Parabola &) = default;
};

// A working list: fixed slots with a count, in formula-list order.
using ParabolaList = std::array<Parabola, kParabolaSlots>;

Fraction CoefficientA(const Parabola &rec);
Fraction ExactValueAt(const Parabola &rec, std::int64_t x);
double RealValueAt(const Parabola &rec, double x);

// x interval that replaces the sentinels when plotting. planeWidth is the
// main plane picture's width in pixels, scaleY the current vertical scale in
// pixels per unit (a scale below 1 is treated as 1).
std::pair<int, int> VisibleXRange(const Parabola &rec, int planeWidth, int scaleY);

// General-form coefficients a, b, c of y = ax^2 + bx + c, exactly.
struct GeneralCoefficients {
    Fraction A, B, C;
};
GeneralCoefficients GeneralFormCoefficients(const Parabola &rec);
