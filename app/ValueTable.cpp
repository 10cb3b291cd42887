#include "app/ValueTable.h"

#include "model/FormulaText.h"
#include "plane/FormulaImage.h"
#include "plane/Fonts.h"
#include "ui/ImageView.h"

#include <cstdint>

namespace {
constexpr Color kGridColor = 0xA0A0A0;
constexpr int kFontSize = 10;  // points

void TableFont(Canvas &c)
{
    c.setFontName(Fonts::Gothic);
    c.setFontSize(kFontSize);
    c.setFontItalic(false);
    c.setFontBold(false);
    c.setFontColor(Colors::Black);
}
}  // namespace

QRect ValueTable::cellRect(int column, int row) const
{
    return QRect((ColumnWidth + GridLine) * column, (Row0Height + GridLine) * row, ColumnWidth,
                 row == 0 ? Row0Height : Row1Height);
}

void ValueTable::prepare()
{
    const int w = width();
    Picture &pic = m_view->picture();
    if (pic.width() != w)
        m_view->place(pic.left(), pic.top(), w, height());
    Canvas &c = m_view->canvas();
    if (c.width() == w && c.height() == height())
        return;
    // A fresh grid: white cells with one-pixel lines between them.
    c.reset(w, height(), Colors::White);
    c.setPenColor(kGridColor);
    for (int k = 1; k <= m_columns; ++k) {
        const int x = (ColumnWidth + GridLine) * k - 1;
        c.moveTo(x, 0);
        c.lineTo(x, height());
    }
    for (int r = 1; r <= 2; ++r) {
        const int y = r == 1 ? Row0Height : Row0Height + GridLine + Row1Height;
        c.moveTo(0, y);
        c.lineTo(w, y);
    }
}

void ValueTable::blankCell(int column, int row)
{
    Canvas &c = m_view->canvas();
    c.setBrushColor(Colors::White);
    c.fillRect(cellRect(column, row));
}

void ValueTable::drawLabels()
{
    Canvas &c = m_view->canvas();
    TableFont(c);
    c.setBrushStyle(BrushStyle::Clear);
    blankCell(0, 0);
    blankCell(0, 1);
    const QRect r0 = cellRect(0, 0);
    c.textOut(r0.left() + 5, r0.top() + Row0Height / 3, QStringLiteral("x"));
    const QRect r1 = cellRect(0, 1);
    DrawTableValue(c, QStringLiteral("y"), QString(), r1.left() + 5, r1.top() + 1);
}

void ValueTable::ClearValueRow()
{
    prepare();
    for (int k = 1; k < m_columns; ++k)
        blankCell(k, 1);
    drawLabels();
}

void ValueTable::ClearValueTable()
{
    prepare();
    for (int k = 1; k < m_columns; ++k) {
        blankCell(k, 0);
        blankCell(k, 1);
    }
    drawLabels();
}

void ValueTable::Fill(const TLineSpec *rec, bool enabled)
{
    prepare();
    if (!enabled) {
        ClearValueRow();
        return;
    }
    drawLabels();
    if (!rec)
        return;
    const qint64 v = rec->VertexX;
    qint64 lo = rec->DomainLow, hi = rec->DomainHigh;
    if (lo > hi)
        std::swap(lo, hi);
    const int m = vertexColumn();
    for (int k = 1; k < m_columns; ++k) {
        const qint64 x = v + (k - m);
        if (lo <= x && x <= hi && x >= INT32_MIN && x <= INT32_MAX) {
            drawColumn(*rec, k, int(x));
        } else {
            blankCell(k, 0);
            blankCell(k, 1);
        }
    }
}

void ValueTable::drawColumn(const TLineSpec &rec, int column, int x)
{
    Canvas &c = m_view->canvas();
    const QString t = ValueText(rec, x);
    TableFont(c);
    // Integers stand out in bold, fractions stay regular; the vertex column
    // is red and follows the same weight rule.
    c.setFontBold(!t.contains(QLatin1Char('/')));
    if (x == rec.VertexX)
        c.setFontColor(Colors::Red);
    c.setPenColor(c.fontColor());
    c.setBrushStyle(BrushStyle::Clear);

    blankCell(column, 0);
    const QRect r0 = cellRect(column, 0);
    c.setBrushStyle(BrushStyle::Clear);
    c.textOut(r0.left() + 5, r0.top() + Row0Height / 3, QString::number(x));

    blankCell(column, 1);
    c.setBrushStyle(BrushStyle::Clear);
    const QRect r1 = cellRect(column, 1);
    const qsizetype slash = t.indexOf(QLatin1Char('/'));
    const QString top = slash < 0 ? t : t.left(slash);
    const QString bottom = slash < 0 ? QString() : t.mid(slash + 1);
    DrawTableValue(c, top, bottom, r1.left() + 5, r1.top() + 1);
}
