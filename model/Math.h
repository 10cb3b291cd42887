#pragma once
// Chief header of the quadratic model.
#include "model/FormulaText.h"
#include "model/Fraction.h"
#include "model/Parabola.h"
