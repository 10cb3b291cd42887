#pragma once
// The texts of formulas, axis, vertex, domain, range and table values,
// character for character as the school textbook writes them.

#include "model/Parabola.h"

#include <QString>

// Which form the standard-form operations produce; the main window's
// display-form switch decides it.
enum class FormulaForm { Standard, General };

QString LeMark(bool included);
QString GeMark(bool included);
QString FractionText(const Fraction &f);
QString SignedFractionText(const Fraction &f, bool withPlus);
QString LinearTermText(const Fraction &b);
QString ValueText(const Parabola &rec, std::int64_t x);
QString DomainText(const Parabola &rec);
QString StandardFormText(const Parabola &rec, FormulaForm form = FormulaForm::Standard);
QString StandardFormPlain(const Parabola &rec, FormulaForm form = FormulaForm::Standard);
QString GeneralFormText(const Parabola &rec);
QString RangeText(const Parabola &rec);
QString AxisText(const Parabola &rec);
QString VertexText(const Parabola &rec);
