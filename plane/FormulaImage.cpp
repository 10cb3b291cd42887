#include "plane/FormulaImage.h"

#include "plane/PlaneDrawing.h"

#include <algorithm>

namespace {

constexpr int ColumnWidth = 7;
constexpr int NormalSize = 14;    // points
constexpr int ExponentSize = 8;   // points
constexpr int FirstColumn = 1;

// Fixed phrases ("すべての数") carry this character and are shown as they are.
constexpr char16_t PhraseMark = u'す';
// The middle dot only separates numbers; it is never drawn.
constexpr char16_t Separator = u'･';

bool IsRelationSign(QChar ch)
{
    switch (ch.unicode()) {
    case u'≦':
    case u'≧':
    case u'＜':
    case u'＞':
        return true;
    default:
        return false;
    }
}

FormulaItem Text(const QString &text, int x, int y, int size, bool serif = false)
{
    FormulaItem it;
    it.kind = FormulaItem::Kind::Text;
    it.text = text;
    it.x = x;
    it.y = y;
    it.fontSize = size;
    it.serif = serif;
    return it;
}

FormulaItem Bar(int x1, int x2, int y, int width)
{
    FormulaItem it;
    it.kind = FormulaItem::Kind::Bar;
    it.x = x1;
    it.endX = x2;
    it.y = y;
    it.penWidth = width;
    return it;
}

// The scan state of one formula text.
class FormulaScanner {
public:
    FormulaScanner(FormulaLayout &out, int rowHeight) : m_out(out), m_row(rowHeight) {}

    void scan(const QString &text)
    {
        for (const QChar ch : text) {
            if (IsRelationSign(ch)) {
                flush();
                m_out.items.push_back(Text(QString(ch), x(), m_row, NormalSize));
                m_out.column += 3;
            } else if (ch == u'/') {
                m_numerator = m_pending;
                m_pending.clear();
                m_fraction = true;
            } else if (ch >= u'0' && ch <= u'9') {
                if (m_exponent) {
                    m_out.items.push_back(Text(QString(ch), x(), m_row, ExponentSize));
                    m_out.column += 3;
                    m_exponent = false;
                } else {
                    m_pending += ch;
                }
            } else if (ch == u'^') {
                m_exponent = true;
            } else if (ch == Separator) {
                flush();
            } else {
                flush();
                // Same range test as SelectLetterFont: letters get the serif
                // face and sit 2 pixels higher.
                const bool serif = ch.unicode() >= 'A' && ch.unicode() <= 'z';
                const int raise = serif ? 2 : 0;
                m_out.items.push_back(Text(QString(ch) + u' ', x(), m_row - raise, NormalSize, serif));
                m_out.column += 2;
            }
        }
        flush();
    }

private:
    int x() const { return ColumnWidth * m_out.column; }

    void flush()
    {
        if (m_fraction)
            m_out.column += LayoutNumber(m_out.items, m_numerator, m_pending, m_out.column, m_row);
        else
            m_out.column += LayoutNumber(m_out.items, m_pending, QString(), m_out.column, m_row);
        m_fraction = false;
        m_pending.clear();
        m_numerator.clear();
    }

    FormulaLayout &m_out;
    const int m_row;
    QString m_pending;
    QString m_numerator;
    bool m_fraction = false;
    bool m_exponent = false;
};

}  // namespace

int LayoutNumber(std::vector<FormulaItem> &items, const QString &top, const QString &bottom, int column,
                 int rowHeight)
{
    if (top.isEmpty())
        return 0;
    const int x = ColumnWidth * column;
    if (bottom.isEmpty()) {
        items.push_back(Text(top, x, rowHeight, NormalSize));
        return int(top.size()) + 1;
    }
    const int topLen = int(top.size());
    const int bottomLen = int(bottom.size());
    int m = std::max(topLen, bottomLen);
    // An even width keeps a one-digit difference centred on whole columns.
    if (m % 2 != 0)
        ++m;
    items.push_back(Bar(x, ColumnWidth * (column + m + 1), rowHeight + 10, 1));
    items.push_back(Text(top, x + (ColumnWidth * m - ColumnWidth * topLen) / 2 + 2, 3, NormalSize));
    items.push_back(Text(bottom, x + (ColumnWidth * m - ColumnWidth * bottomLen) / 2, 2 * rowHeight - 3,
                         NormalSize));
    return m + 2;
}

FormulaLayout LayoutFormula(const QString &text, int rowHeight)
{
    FormulaLayout out;
    out.column = FirstColumn;
    if (text.contains(QChar(PhraseMark))) {
        out.items.push_back(Text(text, 8, rowHeight, NormalSize));
        return out;
    }
    FormulaScanner(out, rowHeight).scan(text);
    return out;
}

TableValueLayout LayoutTableValue(const QString &top, const QString &bottom, int x, int y,
                                  const std::function<int(const QString &)> &textWidth)
{
    TableValueLayout out;
    if (top.isEmpty())
        return out;
    if (bottom.isEmpty()) {
        out.items.push_back(Text(top, x, y + 16, 0));
        out.width = textWidth(top);
        return out;
    }
    const int start = x;
    QString t = top;
    if (t.startsWith(u'-')) {
        // The minus of a fraction is a short line at the height of its bar.
        const int minus = textWidth(QStringLiteral("-"));
        out.items.push_back(Bar(x + 1, x + minus, y + 20, 1));
        t.remove(0, 1);
        x += minus + 1;
    }
    // The bar spans the wider number; the other is centred over or under it.
    const int wt = textWidth(t);
    const int wb = textWidth(bottom);
    const int w = std::max(wt, wb);
    out.items.push_back(Bar(x, x + w, y + 20, 2));
    out.items.push_back(Text(t, x + (w - wt) / 2, y + 5, 0));
    out.items.push_back(Text(bottom, x + (w - wb) / 2, y + 24, 0));
    out.width = x + w - start;
    return out;
}

void DrawFormulaItems(Canvas &c, const std::vector<FormulaItem> &items)
{
    const int penWidth = c.penWidth();
    const BrushStyle brush = c.brushStyle();
    const QString fontName = c.fontName();
    const int fontSize = c.fontSize();
    const bool italic = c.fontItalic();

    // Texts go without background so that no text cell covers a bar.
    c.setBrushStyle(BrushStyle::Clear);
    for (const FormulaItem &it : items) {
        if (it.kind == FormulaItem::Kind::Bar) {
            c.setPenWidth(it.penWidth);
            c.moveTo(it.x, it.y);
            c.lineTo(it.endX, it.y);
            continue;
        }
        if (it.fontSize > 0) {
            c.setFontSize(it.fontSize);
            SelectLetterFont(c, it.serif ? QChar(u'A') : QChar(u'0'));
        }
        c.textOut(it.x, it.y, it.text);
    }

    c.setPenWidth(penWidth);
    c.setBrushStyle(brush);
    c.setFontName(fontName);
    c.setFontSize(fontSize);
    c.setFontItalic(italic);
}

void DrawFormulaImage(Picture &picture, const QString &text, const DrawingSettings &draw)
{
    ClearImage(picture, draw.PanelBackColor, draw);
    Canvas &c = picture.canvas();
    c.setFontSize(NormalSize);
    c.setPenColor(draw.PanelTextColor);
    DrawFormulaItems(c, LayoutFormula(text, draw.FormulaRowHeight).items);
}

int CentredRowHeight(int pictureHeight)
{
    Canvas probe(1, 1);
    probe.setFontSize(NormalSize);
    return std::max(0, (pictureHeight - probe.textHeight(QStringLiteral("("))) / 2);
}

int DrawNumber(Canvas &c, const QString &top, const QString &bottom, int column, const DrawingSettings &draw)
{
    std::vector<FormulaItem> items;
    const int used = LayoutNumber(items, top, bottom, column, draw.FormulaRowHeight);
    c.setPenColor(draw.PanelTextColor);
    DrawFormulaItems(c, items);
    return used;
}

int DrawTableValue(Canvas &c, const QString &top, const QString &bottom, int x, int y)
{
    const TableValueLayout layout =
        LayoutTableValue(top, bottom, x, y, [&c](const QString &text) { return c.textWidth(text); });
    DrawFormulaItems(c, layout.items);
    return layout.width;
}
