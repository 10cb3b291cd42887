#include "model/FormulaText.h"

#include <algorithm>
#include <cstdint>

namespace {

// Full-width signs as the textbook prints them.
const QString kLe = QStringLiteral("\u2266");  // ≦
const QString kLt = QStringLiteral("\uFF1C");  // ＜
const QString kGe = QStringLiteral("\u2267");  // ≧
const QString kGt = QStringLiteral("\uFF1E");  // ＞

// Stands in for a number that does not fit the 32-bit fraction fields.
const QString kUnknown = QStringLiteral("?");

QString num(std::int64_t v)
{
    return QString::number(qlonglong(v));
}

std::int64_t deltaX(const Parabola &rec)
{
    return std::int64_t(rec.PointX) - rec.VertexX;
}

std::int64_t deltaY(const Parabola &rec)
{
    return std::int64_t(rec.PointY) - rec.VertexY;
}

// Text of a record whose points share a y or an x; empty otherwise.
QString degenerateText(const Parabola &rec)
{
    if (deltaY(rec) == 0)
        return QStringLiteral("y = ") + num(rec.VertexY);
    if (deltaX(rec) == 0)
        return QStringLiteral("x = ") + num(rec.VertexX);
    return {};
}

// Sign and coefficient of x², shared by both forms; a coefficient of 1 is
// left out. Magnitudes go through 64 bits so that -2^31 prints correctly.
QString leadingText(const Parabola &rec, const Fraction &a)
{
    QString text = deltaY(rec) < 0 ? QStringLiteral("-") : QString();
    if (a.Overflow)
        return text + kUnknown;
    const std::int64_t mag = a.Num < 0 ? -std::int64_t(a.Num) : std::int64_t(a.Num);
    if (a.Den == 1) {
        if (mag != 1)
            text += num(mag);
    } else {
        text += num(mag) + QLatin1Char('/') + num(a.Den);
    }
    return text;
}

QString standardForm(const Parabola &rec, bool withDomain)
{
    const QString degenerate = degenerateText(rec);
    if (!degenerate.isEmpty())
        return degenerate;

    const std::int64_t p = rec.VertexX;
    const std::int64_t q = rec.VertexY;
    QString text = QStringLiteral("y = ") + leadingText(rec, GeneralFormCoefficients(rec).A);
    if (p == 0)
        text += QStringLiteral("x^2");
    else if (p > 0)
        text += QStringLiteral("(x-") + num(p) + QStringLiteral(")^2");
    else
        text += QStringLiteral("(x+") + num(-p) + QStringLiteral(")^2");
    if (q < 0)
        text += num(q);
    else if (q > 0)
        text += QLatin1Char('+') + num(q);

    if (withDomain) {
        const QString domain = DomainText(rec);
        if (!domain.isEmpty())
            text += QStringLiteral(" (") + domain + QLatin1Char(')');
    }
    return text;
}

// Upward follows the sign of dy; CoefficientA's numerator says the same
// whenever it fits, and a shared x counts as downward like a = 0 does.
bool opensUpward(const Parabola &rec)
{
    return deltaX(rec) != 0 && deltaY(rec) > 0;
}

QString segmentRange(const Parabola &rec, bool upward)
{
    const std::int64_t p = rec.VertexX;
    const std::int64_t e1 = rec.DomainLow;
    const std::int64_t e2 = rec.DomainHigh;
    const bool lower = rec.LowerIncluded != 0;
    const bool upper = rec.UpperIncluded != 0;
    const QString y = QStringLiteral("y");
    const auto Y = [&rec](std::int64_t x) { return ValueText(rec, x); };

    if (e2 <= p) {
        return upward ? Y(e2) + LeMark(upper) + y + LeMark(lower) + Y(e1)
                      : Y(e1) + LeMark(lower) + y + LeMark(upper) + Y(e2);
    }
    if (e1 >= p) {
        return upward ? Y(e1) + LeMark(lower) + y + LeMark(upper) + Y(e2)
                      : Y(e2) + LeMark(upper) + y + LeMark(lower) + Y(e1);
    }

    // Vertex strictly inside: its value is always a closed bound, the end
    // farther from it decides the other one.
    const std::int64_t left = p - e1;
    const std::int64_t right = e2 - p;
    if (upward) {
        const QString vertex = Y(p) + kLe + y;
        if (left == right)
            return vertex + LeMark(lower || upper) + Y(e2);
        if (left < right)
            return vertex + LeMark(upper) + Y(e2);
        return vertex + LeMark(lower) + Y(e1);
    }
    const QString vertex = y + kLe + Y(p);
    if (left == right)
        return Y(e1) + LeMark(lower || upper) + vertex;
    if (left > right)
        return Y(e1) + LeMark(lower) + vertex;
    return Y(e2) + LeMark(upper) + vertex;
}

QString halfLineRange(const Parabola &rec, bool upward)
{
    const std::int64_t p = rec.VertexX;
    const QString mark = upward ? GeMark(rec.UpperIncluded != 0) : LeMark(rec.LowerIncluded != 0);
    const QString fixed = upward ? QStringLiteral("y") + kGe : QStringLiteral("y") + kLe;
    // The end of the half line: E1 for a right one, E2 for a left one.
    const std::int64_t end = rec.LineMode == 2 ? rec.DomainLow : rec.DomainHigh;
    // Whether the vertex lies on the half line away from its end.
    const bool containsVertex = rec.LineMode == 2 ? end < p : end > p;

    if (end == p)
        return QStringLiteral("y") + mark + ValueText(rec, p);
    if (containsVertex)
        return fixed + ValueText(rec, p);
    return QStringLiteral("y") + mark + ValueText(rec, end);
}

} // namespace

QString LeMark(bool included)
{
    return included ? kLe : kLt;
}

QString GeMark(bool included)
{
    return included ? kGe : kGt;
}

QString FractionText(const Fraction &f)
{
    if (f.Overflow)
        return kUnknown;
    if (f.Num == 0)
        return QStringLiteral("0");
    if (f.Den == 1)
        return num(f.Num);
    return num(f.Num) + QLatin1Char('/') + num(f.Den);
}

QString SignedFractionText(const Fraction &f, bool withPlus)
{
    // An unknown value is still a term of its own, so it keeps the "+".
    if (withPlus && (f.Overflow || f.Num > 0))
        return QLatin1Char('+') + FractionText(f);
    return FractionText(f);
}

QString LinearTermText(const Fraction &b)
{
    if (b.Overflow)
        return QLatin1Char('+') + kUnknown + QLatin1Char('x');
    if (b.Num == 0)
        return {};
    const QString sign = b.Num >= 1 ? QStringLiteral("+") : QString();
    const Fraction r = ReducedFraction(b.Num, b.Den);
    if (r.Den != 1)
        return sign + num(r.Num) + QLatin1Char('/') + num(r.Den) + QLatin1Char('x');
    if (r.Num == -1)
        return QStringLiteral("-x");
    if (r.Num == 1)
        return QStringLiteral("+x");
    return sign + num(r.Num) + QLatin1Char('x');
}

QString ValueText(const Parabola &rec, std::int64_t x)
{
    return FractionText(ExactValueAt(rec, x));
}

QString DomainText(const Parabola &rec)
{
    const std::int64_t lo = std::min(rec.DomainLow, rec.DomainHigh);
    const std::int64_t hi = std::max(rec.DomainLow, rec.DomainHigh);
    const bool lower = rec.LowerIncluded != 0;
    const bool upper = rec.UpperIncluded != 0;
    const QString x = QStringLiteral("x");
    switch (rec.LineMode) {
    case 1:
        return num(lo) + LeMark(lower) + x + LeMark(upper) + num(hi);
    case 2:
        return x + GeMark(lower) + num(lo);
    case 3:
        return x + LeMark(upper) + num(hi);
    default:
        return {};
    }
}

QString StandardFormText(const Parabola &rec, FormulaForm form)
{
    if (form == FormulaForm::General)
        return GeneralFormText(rec);
    return standardForm(rec, true);
}

QString StandardFormPlain(const Parabola &rec, FormulaForm form)
{
    if (form == FormulaForm::General)
        return GeneralFormText(rec);
    return standardForm(rec, false);
}

QString GeneralFormText(const Parabola &rec)
{
    const QString degenerate = degenerateText(rec);
    if (!degenerate.isEmpty())
        return degenerate;

    const GeneralCoefficients k = GeneralFormCoefficients(rec);
    QString text = QStringLiteral("y = ") + leadingText(rec, k.A) + QStringLiteral("x^2")
                   + LinearTermText(k.B);
    if (k.C.Overflow || k.C.Num != 0)
        text += SignedFractionText(k.C, true);
    return text;
}

QString RangeText(const Parabola &rec)
{
    const bool upward = opensUpward(rec);
    switch (rec.LineMode) {
    case 0:
        return QStringLiteral("y") + (upward ? kGe : kLe) + num(rec.VertexY);
    case 1:
        return segmentRange(rec, upward);
    case 2:
    case 3:
        return halfLineRange(rec, upward);
    default:
        // No domain kind, no range; matches DomainText.
        return {};
    }
}

QString AxisText(const Parabola &rec)
{
    return QStringLiteral("x = ") + num(rec.VertexX);
}

QString VertexText(const Parabola &rec)
{
    return QLatin1Char('(') + num(rec.VertexX) + QLatin1Char(',') + num(rec.VertexY)
           + QLatin1Char(')');
}
