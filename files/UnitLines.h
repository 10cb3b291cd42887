#pragma once
// The five text lines of one parabola in a unit file, and the packed style
// number that holds its domain kind, width and end inclusion.

#include "model/Parabola.h"

#include <QStringList>

// LineMode + 16 * LineWidth + 256 * end code (0 both ends included,
// 1 only the lower, 2 only the upper, 3 neither).
int PackStyle(const Parabola &rec);

// Colour and style; formula; vertex; passing point; domain.
QStringList UnitLinesOf(const Parabola &rec);
