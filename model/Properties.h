#pragma once
// The properties of a parabola's graph that the properties window lists,
// exactly: where it meets the axes, its discriminant, and its largest and
// smallest values on its domain. The texts use the formula notation, with
// "√" before the argument of a square root and "±" for both signs.

#include "model/Parabola.h"

#include <QString>
#include <cstdint>

struct ParabolaProperties {
    QString axis;       // AxisText
    QString vertex;     // VertexText
    QString yIntercept; // "(0,c)", or no common point when x = 0 is outside the domain
    QString xIntercepts; // "x = 2±√3", "x = 1/2, 3", "x = -1 (接する)", "x軸との共有点はありません"
    QString discriminant; // "D = b^2-4ac = 12"
    QString maximum;      // "x = -1 のとき 最大値 4" or "最大値はありません"
    QString minimum;      // likewise
};

// Empty texts but axis and vertex for a record whose points share an x or
// a y: such a record is no parabola.
ParabolaProperties PropertiesOf(const Parabola &rec);

// The simplified square root of num/den (num >= 0, den > 0) as k√m/e with
// m free of square factors and k/e reduced: √12 → "2√3", √(8/9) → "2√2/3",
// √(1/4) → "1/2". Square factors above a million are not searched for.
QString SquareRootText(std::int64_t num, std::int64_t den);
