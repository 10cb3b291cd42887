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

// The sign before a square root's argument.
constexpr char16_t Root = u'√';
constexpr char16_t PlusMinus = u'±';
// Pixels in a number with a radical: a digit's advance in the normal size,
// and the radical sign before its argument.
constexpr int DigitWidth = 12;
constexpr int RadicalWidth = 13;

// Characters as wide as the normal size.
bool IsWide(QChar ch)
{
    const char16_t u = ch.unicode();
    const bool halfWidthKana = u >= 0xFF61 && u <= 0xFF9F;
    return u == PlusMinus || (u >= 0x3000 && !halfWidthKana);
}

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

FormulaItem RadicalSign(int x, int y, int endX)
{
    FormulaItem it = Bar(x, endX, y, 1);
    it.kind = FormulaItem::Kind::Radical;
    return it;
}

// Columns a number takes: a digit each, or for a number with a radical
// its pixel width in whole columns.
int NumberColumns(const QString &text)
{
    const qsizetype root = text.indexOf(QChar(Root));
    if (root < 0)
        return int(text.size());
    const int pixels = DigitWidth * int(text.size() - 1) + RadicalWidth;
    return (pixels + ColumnWidth - 1) / ColumnWidth;
}

// A number with its top-left at (x, y); "k√m" puts the radical sign over m.
void AppendNumberText(std::vector<FormulaItem> &items, const QString &text, int x, int y)
{
    const qsizetype root = text.indexOf(QChar(Root));
    if (root < 0) {
        items.push_back(Text(text, x, y, NormalSize));
        return;
    }
    const QString factor = text.left(root);
    const QString argument = text.mid(root + 1);
    if (!factor.isEmpty())
        items.push_back(Text(factor, x, y, NormalSize));
    const int sign = x + DigitWidth * int(factor.size());
    const int start = sign + RadicalWidth;
    items.push_back(RadicalSign(sign, y, start + DigitWidth * int(argument.size())));
    items.push_back(Text(argument, start, y, NormalSize));
}

// The scan state of one formula text.
class FormulaScanner {
public:
    FormulaScanner(FormulaLayout &out, int rowHeight, WideText wide)
        : m_out(out), m_row(rowHeight), m_wide(wide == WideText::ThreeColumns)
    {
    }

    void scan(const QString &text)
    {
        for (const QChar ch : text) {
            if (IsRelationSign(ch)) {
                flush();
                m_out.items.push_back(Text(QString(ch), x(), m_row, NormalSize));
                m_out.column += 3;
            } else if (m_wide && IsWide(ch)) {
                flush();
                m_out.items.push_back(Text(QString(ch), x(), m_row, NormalSize));
                m_out.column += 3;
            } else if (ch == Root) {
                // Part of the number: its argument follows.
                m_pending += ch;
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
    const bool m_wide;
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
        AppendNumberText(items, top, x, rowHeight);
        return NumberColumns(top) + 1;
    }
    const int topLen = NumberColumns(top);
    const int bottomLen = NumberColumns(bottom);
    int m = std::max(topLen, bottomLen);
    // An even width keeps a one-digit difference centred on whole columns.
    if (m % 2 != 0)
        ++m;
    items.push_back(Bar(x, ColumnWidth * (column + m + 1), rowHeight + 10, 1));
    AppendNumberText(items, top, x + (ColumnWidth * m - ColumnWidth * topLen) / 2 + 2, 3);
    AppendNumberText(items, bottom, x + (ColumnWidth * m - ColumnWidth * bottomLen) / 2, 2 * rowHeight - 3);
    return m + 2;
}

FormulaLayout LayoutFormula(const QString &text, int rowHeight, WideText wide)
{
    FormulaLayout out;
    out.column = FirstColumn;
    if (wide == WideText::TwoColumns && text.contains(QChar(PhraseMark))) {
        out.items.push_back(Text(text, 8, rowHeight, NormalSize));
        return out;
    }
    FormulaScanner(out, rowHeight, wide).scan(text);
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
        if (it.kind == FormulaItem::Kind::Radical) {
            // A short rise, the long stroke down to the foot of the digits,
            // up to the top of their cell and on over the argument.
            c.setPenWidth(it.penWidth);
            c.moveTo(it.x, it.y + 11);
            c.lineTo(it.x + 3, it.y + 9);
            c.lineTo(it.x + 7, it.y + 18);
            c.lineTo(it.x + 12, it.y + 1);
            c.lineTo(it.endX, it.y + 1);
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

void DrawFormulaImage(Picture &picture, const QString &text, const DrawingSettings &draw, WideText wide)
{
    ClearImage(picture, draw.PanelBackColor, draw);
    Canvas &c = picture.canvas();
    c.setFontSize(NormalSize);
    c.setPenColor(draw.PanelTextColor);
    DrawFormulaItems(c, LayoutFormula(text, draw.FormulaRowHeight, wide).items);
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
