#include "app/ValueTable.h"

#include "model/FormulaText.h"
#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "ui/ImageView.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr Color kGridColor = 0xA0A0A0;
constexpr int kFontSize = 10;      // points
constexpr int kSmallestFont = 6;   // points: a long value shrinks no further
constexpr int kInset = 5;          // pixels left of a value at the cell's left
constexpr int kSideRoom = 1;       // pixels kept free at either side of a long value

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

void ValueTable::drawCell(int column, int row, const QString &top, const QString &bottom, Color color, bool bold)
{
    // Drawn into a picture of the cell alone, so that no pixel reaches the
    // grid lines or the next cell whatever the value.
    const QRect r = cellRect(column, row);
    // One picture per row height, cleared for each cell: a fresh one costs
    // its bitmap and a paint engine.
    if (!m_cells)
        m_cells = std::make_unique<Canvas[]>(2);
    Canvas &cell = m_cells[row == 0 ? 0 : 1];
    cell.setDevicePixelRatio(m_view->canvas().devicePixelRatio());
    cell.reset(r.width(), r.height(), Colors::White);
    TableFont(cell);
    cell.setFontBold(bold);
    cell.setFontColor(color);
    cell.setPenColor(color);
    cell.setBrushStyle(BrushStyle::Clear);
    const auto measure = [&cell](const QString &text) { return cell.textWidth(text); };
    // The largest size at which the value fits: at the usual inset, or
    // centred between narrow side margins.
    int x = kInset;
    for (int size = kFontSize; size >= kSmallestFont; --size) {
        // Small sizes take the fixed-pitch face: its digits stay evenly spaced.
        cell.setFontName(size < kFontSize ? Fonts::FixedGothic : Fonts::Gothic);
        cell.setFontSize(size);
        const int w = LayoutTableValue(top, bottom, 0, 0, measure).width;
        x = kInset;
        if (x + w + kSideRoom <= r.width())
            break;
        x = std::max(0, (r.width() - w) / 2);
        if (w + 2 * kSideRoom <= r.width())
            break;
    }
    if (row == 0)
        cell.textOut(x, Row0Height / 3, top);
    else
        DrawTableValue(cell, top, bottom, x, 1);
    m_view->canvas().stretchDraw(r, cell.image());
}

void ValueTable::drawLabels()
{
    drawCell(0, 0, QStringLiteral("x"), QString(), Colors::Black, false);
    drawCell(0, 1, QStringLiteral("y"), QString(), Colors::Black, false);
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

void ValueTable::Fill(const Parabola *rec, bool enabled)
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

void ValueTable::drawColumn(const Parabola &rec, int column, int x)
{
    const QString t = ValueText(rec, x);
    // Integers stand out in bold, fractions stay regular; the vertex column
    // is red and follows the same weight rule.
    const bool bold = !t.contains(QLatin1Char('/'));
    const Color color = x == rec.VertexX ? Colors::Red : Colors::Black;
    drawCell(column, 0, QString::number(x), QString(), color, bold);
    const qsizetype slash = t.indexOf(QLatin1Char('/'));
    const QString top = slash < 0 ? t : t.left(slash);
    const QString bottom = slash < 0 ? QString() : t.mid(slash + 1);
    drawCell(column, 1, top, bottom, color, bold);
}
