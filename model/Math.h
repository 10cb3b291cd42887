#pragma once
// Chief header of the quadratic model.
#include "model/Fraction.h"
#include "model/FormulaText.h"
#include "model/Parabola.h"
