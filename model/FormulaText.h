#pragma once
// The texts of formulas, axis, vertex, domain, range and table values,
// character for character as the school textbook writes them.

#include "model/ParabolaRecord.h"

#include <QString>

// Which form the standard-form operations produce; the main window's
// display-form switch decides it.
enum class FormulaForm { Standard, General };

QString LeMark(bool included);
QString GeMark(bool included);
QString FractionText(const TFraction &f);
QString SignedFractionText(const TFraction &f, bool withPlus);
QString LinearTermText(const TFraction &b);
QString ValueText(const TLineSpec &rec, std::int64_t x);
QString DomainText(const TLineSpec &rec);
QString StandardFormText(const TLineSpec &rec, FormulaForm form = FormulaForm::Standard);
QString StandardFormPlain(const TLineSpec &rec, FormulaForm form = FormulaForm::Standard);
QString GeneralFormText(const TLineSpec &rec);
QString RangeText(const TLineSpec &rec);
QString AxisText(const TLineSpec &rec);
QString VertexText(const TLineSpec &rec);
