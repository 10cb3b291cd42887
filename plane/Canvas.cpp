#include "plane/Canvas.h"

#include <QFontMetrics>
#include <QPainter>

QColor ToQColor(Color c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

Color FromQColor(const QColor &c)
{
    return Color(c.red()) | (Color(c.green()) << 8) | (Color(c.blue()) << 16);
}

std::uint32_t ToPixel(Color c)
{
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

Canvas::Canvas(int width, int height, Color fill)
{
    reset(width, height, fill);
}

void Canvas::reset(int width, int height, Color fill)
{
    m_image = QImage(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    m_image.fill(ToPixel(fill));
    m_penColor = Colors::Black;
    m_penWidth = 1;
    m_penMode = PenMode::Copy;
    m_brushColor = Colors::White;
    m_brushStyle = BrushStyle::Solid;
    m_fontName = QString::fromUtf8(DefaultFontName);
    m_fontSize = DefaultFontSize;
    m_bold = false;
    m_italic = false;
    m_fontColor = Colors::Black;
    m_pos = QPoint();
    changed();
}

Color Canvas::pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return Colors::White;
    return FromQColor(QColor::fromRgb(m_image.pixel(x, y)));
}

QFont Canvas::font() const
{
    QFont f(m_fontName);
    // Point sizes are meant at 96 dots per inch.
    f.setPixelSize(qMax(1, (m_fontSize * 96 + 36) / 72));
    f.setBold(m_bold);
    f.setItalic(m_italic);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setKerning(false);
    return f;
}

void Canvas::changed() const
{
    if (m_changed)
        m_changed();
}

void Canvas::setupPainter(QPainter &p, bool withPen, bool withBrush) const
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    if (m_penMode == PenMode::NotXor)
        p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    if (withPen) {
        QPen pen(ToQColor(m_penColor));
        pen.setWidth(m_penWidth);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    } else {
        p.setPen(Qt::NoPen);
    }
    if (withBrush && m_brushStyle == BrushStyle::Solid)
        p.setBrush(ToQColor(m_brushColor));
    else
        p.setBrush(Qt::NoBrush);
}

void Canvas::moveTo(int x, int y)
{
    m_pos = QPoint(x, y);
}

void Canvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (!m_image.isNull() && to != m_pos) {
        QPainter p(&m_image);
        setupPainter(p, true, false);
        p.drawLine(m_pos, to);
        p.end();
        changed();
    }
    m_pos = to;
}

void Canvas::rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (m_image.isNull() || x2 - x1 < 1 || y2 - y1 < 1)
        return;
    QPainter p(&m_image);
    setupPainter(p, false, true);
    const int inset = m_penWidth;
    // Inside first, then the outline, so each pixel is touched once.
    if (m_brushStyle == BrushStyle::Solid && x2 - x1 > 2 * inset && y2 - y1 > 2 * inset)
        p.fillRect(QRect(QPoint(x1 + inset, y1 + inset), QPoint(x2 - 1 - inset, y2 - 1 - inset)),
                   ToQColor(m_brushColor));
    p.setBrush(ToQColor(m_penColor));
    const int w = x2 - x1, h = y2 - y1;
    const int t = qMin(inset, qMin((w + 1) / 2, (h + 1) / 2));
    p.drawRect(QRect(x1, y1, w, t));                   // top
    if (h > t)
        p.drawRect(QRect(x1, y2 - t, w, t));           // bottom
    if (h > 2 * t) {
        p.drawRect(QRect(x1, y1 + t, t, h - 2 * t));   // left
        if (w > t)
            p.drawRect(QRect(x2 - t, y1 + t, t, h - 2 * t));  // right
    }
    p.end();
    changed();
}

void Canvas::ellipse(int x1, int y1, int x2, int y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (m_image.isNull() || x2 - x1 < 1 || y2 - y1 < 1)
        return;
    QPainter p(&m_image);
    setupPainter(p, true, true);
    const qreal half = m_penWidth / 2.0;
    // The outline lies inside the box, as the classic primitive draws it.
    const QRectF box(x1 + half, y1 + half, x2 - x1 - 2 * half, y2 - y1 - 2 * half);
    if (m_penWidth <= 1)
        p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    else
        p.drawEllipse(box);
    p.end();
    changed();
}

void Canvas::fillRect(const QRect &r)
{
    if (m_image.isNull() || r.isEmpty())
        return;
    QPainter p(&m_image);
    p.fillRect(r, ToQColor(m_brushColor));
    p.end();
    changed();
}

void Canvas::fill(Color c)
{
    m_image.fill(ToPixel(c));
    changed();
}

void Canvas::textOut(int x, int y, const QString &text)
{
    if (m_image.isNull() || text.isEmpty())
        return;
    QPainter p(&m_image);
    setupPainter(p, false, false);
    const QFont f = font();
    p.setFont(f);
    const QFontMetrics fm(f);
    if (m_brushStyle == BrushStyle::Solid)
        p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(m_brushColor));
    p.setPen(ToQColor(m_fontColor));
    p.drawText(QPoint(x, y + fm.ascent()), text);
    p.end();
    changed();
}

int Canvas::textWidth(const QString &text) const
{
    return QFontMetrics(font()).horizontalAdvance(text);
}

int Canvas::textHeight(const QString &) const
{
    return QFontMetrics(font()).height();
}

void Canvas::stretchDraw(const QRect &dest, const QImage &src)
{
    if (m_image.isNull() || src.isNull() || dest.isEmpty())
        return;
    QPainter p(&m_image);
    p.drawImage(dest, src);
    p.end();
    changed();
}

void Canvas::xorCopy(int x, int y, const QImage &src)
{
    if (m_image.isNull() || src.isNull())
        return;
    QPainter p(&m_image);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(QPoint(x, y), src.convertToFormat(QImage::Format_RGB32));
    p.end();
    changed();
}
