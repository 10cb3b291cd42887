#include "plane/Canvas.h"

#include "plane/Fonts.h"
#include "plane/ThinLines.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QThread>
#include <QVarLengthArray>

#include <cstdlib>
#include <cstring>

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

// A font as the canvases use it, with its metrics and the widths and glyphs
// of the texts measured or drawn in it; it belongs to the thread that made
// it. Panels and table cells are drawn anew for each selection with the
// same few fonts and texts: building a font and its metrics, loading its
// engine and shaping a text each cost more than drawing the text.
struct CanvasFont {
    QFont font;
    QFontMetrics metrics;
    mutable QHash<QString, int> widths;
    // Texts drawn before, and for those drawn twice their glyphs placed
    // from the start of the baseline: most texts of a plane are drawn once,
    // and shaping them for the glyphs alone would cost more than drawing.
    mutable QHash<QString, std::optional<QList<QGlyphRun>>> shaped;
    // The glyphs of a text drawn before, or nothing.
    const QList<QGlyphRun> *glyphRuns(const QString &text) const;
};

const QList<QGlyphRun> *CanvasFont::glyphRuns(const QString &text) const
{
    auto it = shaped.find(text);
    if (it == shaped.end()) {
        if (shaped.size() >= 4096)
            shaped.clear();
        shaped.insert(text, std::nullopt);
        return nullptr;
    }
    if (*it)
        return &**it;
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    QList<QGlyphRun> runs = layout.glyphRuns();
    // The layout puts the baseline at the line's ascent; as a QFixed it
    // is a multiple of 1/64, so taking it off is exact.
    const QPointF baseline(0, line.ascent());
    for (QGlyphRun &run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &p : positions)
            p -= baseline;
        run.setPositions(positions);
    }
    *it = std::move(runs);
    return &**it;
}

namespace {
struct FontRequest {
    QString family;
    int pixels;
    bool bold;
    bool italic;
    bool operator==(const FontRequest &) const = default;
};

size_t qHash(const FontRequest &r, size_t seed = 0)
{
    return qHashMulti(seed, r.family, r.pixels, r.bold, r.italic);
}

// The fonts built so far in this thread (fonts belong to the thread that
// made them), let go before the application ends, while the font engines
// they hold can still be freed.
QHash<FontRequest, std::shared_ptr<const CanvasFont>> &KnownFonts()
{
    thread_local QHash<FontRequest, std::shared_ptr<const CanvasFont>> fonts;
    thread_local bool released = false;
    if (!released && QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread()) {
        released = true;
        qAddPostRoutine([] { KnownFonts().clear(); });
    }
    return fonts;
}

std::shared_ptr<const CanvasFont> FontFor(const FontRequest &request)
{
    auto &fonts = KnownFonts();
    if (const auto it = fonts.constFind(request); it != fonts.cend())
        return *it;
    QFont f(request.family);
    f.setPixelSize(request.pixels);
    f.setBold(request.bold);
    f.setItalic(request.italic);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    f.setKerning(false);
    // A canvas keeps its own font alive when the cache is emptied.
    if (fonts.size() >= 256)
        fonts.clear();
    auto made = std::make_shared<const CanvasFont>(CanvasFont{f, QFontMetrics(f), {}, {}});
    fonts.insert(request, made);
    return made;
}

// Where a vector line runs so that it covers the pixels a bitmap line paints.
QPointF PixelCentre(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}
} // namespace

Canvas::Canvas() = default;

Canvas::Canvas(int width, int height, Color fill, qreal dpr) : m_dpr(dpr)
{
    reset(width, height, fill);
}

Canvas::~Canvas()
{
    setTarget(nullptr, 0, 0);
    endPainting();
}

void Canvas::setTarget(QPainter *target, int width, int height)
{
    if (m_target)
        m_target->restore();
    endPainting();
    m_target = target;
    m_targetSize = QSize(qMax(width, 0), qMax(height, 0));
    if (m_target)
        m_target->save();
}

const QImage &Canvas::image() const
{
    endPainting();
    allocateBlank();
    m_changeReported = false;
    return m_image;
}

QSize Canvas::bitmapSize() const
{
    if (m_blank)
        return QSize(qRound(m_blankSize.width() / m_blankRatio), qRound(m_blankSize.height() / m_blankRatio));
    return m_image.deviceIndependentSize().toSize();
}

void Canvas::allocateBlank() const
{
    if (!m_blank)
        return;
    m_blank = false;
    m_image = QImage(m_blankSize, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(m_blankRatio);
    m_image.fill(ToPixel(m_blankFill));
}

void Canvas::endPainting() const
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

QPainter &Canvas::painter(Op op, bool withPen, bool withBrush)
{
    if (!m_target && !m_painter) {
        allocateBlank();
        ownPixels();
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::TextAntialiasing, false);
    }
    // A target cannot combine pixels (a vector device has none): there
    // every drawing is a copy.
    QPainter &p = m_target ? *m_target : *m_painter;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (!m_target && op == Op::Xor)
        mode = QPainter::RasterOp_SourceXorDestination;
    else if (!m_target && op == Op::Pen && m_penMode == PenMode::NotXor)
        mode = QPainter::RasterOp_NotSourceXorDestination;
    if (p.compositionMode() != mode)
        p.setCompositionMode(mode);
    if (withPen) {
        const QColor c = ToQColor(m_penColor);
        // One-pixel lines take the fast cosmetic path of the rasterizer; a
        // scaled drawing has pens of their real width, so they scale too.
        const bool cosmetic = exact() && m_penWidth == 1;
        const Qt::PenJoinStyle join = exact() ? Qt::MiterJoin : Qt::RoundJoin;
        if (p.pen().style() == Qt::NoPen || p.pen().capStyle() != Qt::FlatCap || p.pen().color() != c ||
            p.pen().width() != m_penWidth || p.pen().isCosmetic() != cosmetic ||
            p.pen().joinStyle() != join) {
            QPen pen(c);
            pen.setWidth(m_penWidth);
            pen.setCosmetic(cosmetic);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(join);
            p.setPen(pen);
        }
    } else if (p.pen().style() != Qt::NoPen) {
        p.setPen(Qt::NoPen);
    }
    if (withBrush && m_brushStyle == BrushStyle::Solid) {
        const QColor c = ToQColor(m_brushColor);
        if (p.brush().style() != Qt::SolidPattern || p.brush().color() != c)
            p.setBrush(c);
    } else if (p.brush().style() != Qt::NoBrush) {
        p.setBrush(Qt::NoBrush);
    }
    return p;
}

void Canvas::ownPixels()
{
    if (m_image.isDetached() || m_spare.size() != m_image.size() || m_spare.format() != m_image.format() ||
        m_spare.bytesPerLine() != m_image.bytesPerLine() || !m_spare.isDetached())
        return;
    std::memcpy(m_spare.bits(), m_image.constBits(), std::size_t(m_image.sizeInBytes()));
    m_spare.setDevicePixelRatio(m_image.devicePixelRatio());
    m_image = std::move(m_spare);
    m_spare = QImage();
}

void Canvas::touch(QRect box)
{
    if (!m_tracksDamage)
        return;
    box &= QRect(0, 0, width(), height());
    if (box.isEmpty())
        return;
    // Neighbouring boxes of a curve are merged while that wastes little.
    if (!m_damage.isEmpty()) {
        QRect &last = m_damage.last();
        const QRect both = last | box;
        const qint64 area = qint64(both.width()) * both.height();
        if (area <= qint64(last.width()) * last.height() + qint64(box.width()) * box.height() + 64) {
            last = both;
            return;
        }
    }
    if (m_damage.size() >= 4096) {
        QRect all = box;
        for (const QRect &r : std::as_const(m_damage))
            all |= r;
        m_damage = {all};
        return;
    }
    m_damage.append(box);
}

bool Canvas::restore(const QImage &from, const QList<QRect> &boxes)
{
    allocateBlank();
    if (m_target || !m_image.isDetached() || m_image.size() != from.size() ||
        m_image.format() != from.format() || m_image.devicePixelRatio() != 1.0 ||
        from.devicePixelRatio() != 1.0 || from.depth() != 32)
        return false;
    if (boxes.isEmpty())
        return true;
    const QRect whole(QPoint(0, 0), from.size());
    for (const QRect &b : boxes) {
        const QRect r = b & whole;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(m_image.scanLine(y) + 4 * r.left(), from.constScanLine(y) + 4 * r.left(),
                        std::size_t(4) * std::size_t(r.width()));
    }
    changed();
    return true;
}

void Canvas::assign(const QImage &image)
{
    endPainting();
    if (m_reusesBitmap && m_image.isDetached() && !m_image.isNull())
        m_spare = std::move(m_image);
    m_blank = false;
    m_image = image;
    if (m_target)
        painter(Op::Fill, false, false).drawImage(QRect(QPoint(0, 0), m_targetSize), image);
    touchAll();
    changed();
}

void Canvas::reset(int width, int height, Color fill)
{
    endPainting();
    if (m_target) {
        painter(Op::Fill, false, false).fillRect(QRect(0, 0, width, height), ToQColor(fill));
    } else {
        // A picture of the same size is cleared in place: a fresh bitmap
        // costs its allocation and a page fault per page on first touch.
        const QSize size = QSize(qMax(width, 0), qMax(height, 0)) * m_dpr;
        m_blank = false;
        if (m_image.size() == size && m_image.format() == QImage::Format_RGB32 && m_image.isDetached()) {
            m_image.setDevicePixelRatio(m_dpr);
            m_image.fill(ToPixel(fill));
        } else {
            m_image = QImage();
            m_blank = !size.isEmpty();
            m_blankSize = size;
            m_blankRatio = m_dpr;
            m_blankFill = fill;
        }
    }
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
    m_fontDirty = true;
    m_pos = QPoint();
    touchAll();
    changed();
}

Color Canvas::pixel(int x, int y) const
{
    endPainting();
    if (m_blank)
        return QRect(QPoint(0, 0), bitmapSize()).contains(x, y) ? m_blankFill : Colors::White;
    const qreal dpr = m_image.devicePixelRatio();
    if (dpr != 1.0) {
        x = int(x * dpr);
        y = int(y * dpr);
    }
    if (!m_image.valid(x, y))
        return Colors::White;
    return FromQColor(QColor::fromRgb(m_image.pixel(x, y)));
}

const CanvasFont &Canvas::currentFont() const
{
    if (m_fontDirty || !m_font) {
        // Point sizes are meant at 96 dots per inch.
        m_font = FontFor(
            {Fonts::InstalledFamily(m_fontName), qMax(1, (m_fontSize * 96 + 36) / 72), m_bold, m_italic});
        m_fontDirty = false;
    }
    return *m_font;
}

QFont Canvas::font() const
{
    return currentFont().font;
}

const QFontMetrics &Canvas::metrics() const
{
    return currentFont().metrics;
}

void Canvas::changed()
{
    ++m_generation;
    // One report until the pixels are next read: a view repaints once
    // for a whole drawing, not once per line of it. A target's drawing
    // leaves the pixels as they are.
    if (!m_target && m_changed && !m_changeReported) {
        m_changeReported = true;
        m_changed();
    }
}

int Canvas::drawThinLines(QLine *lines, int count)
{
    if (!exact() || m_penMode != PenMode::Copy)
        return count;
    allocateBlank();
    if (!ThinLines::canDrawOn(m_image))
        return count;
    // Safe beside the open painter: it made the bitmap its own when it
    // began, and a copy taken while it paints is a deep one, so the write
    // access below never moves the pixels away from under it.
    ownPixels();
    const ThinLines thin(m_image);
    const std::uint32_t pixel = ToPixel(m_penColor);
    int left = 0;
    for (int i = 0; i < count; ++i) {
        if (thin.fits(lines[i]))
            thin.draw(lines[i], pixel);
        else
            lines[left++] = lines[i];
    }
    return left;
}

void Canvas::moveTo(int x, int y)
{
    m_pos = QPoint(x, y);
}

void Canvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (drawable() && to != m_pos) {
        touchLine(m_pos, to);
        const bool aligned = to.x() == m_pos.x() || to.y() == m_pos.y();
        if (!exact() && !(m_penWidth == 1 && aligned)) {
            painter(Op::Pen, true, false).drawLine(PixelCentre(m_pos), PixelCentre(to));
        } else if (m_penWidth == 1 && aligned) {
            // Grid lines: a one-pixel band without its end point is far
            // cheaper to fill than to stroke.
            const bool vertical = to.x() == m_pos.x();
            const int from = vertical ? m_pos.y() : m_pos.x();
            const int end = vertical ? to.y() : to.x();
            const int lo = from < end ? from : end + 1;
            const int hi = from < end ? end - 1 : from;
            const QRect band = vertical ? QRect(QPoint(to.x(), lo), QPoint(to.x(), hi))
                                        : QRect(QPoint(lo, to.y()), QPoint(hi, to.y()));
            painter(Op::Pen, false, false).fillRect(band, ToQColor(m_penColor));
        } else {
            QLine line(m_pos, to);
            if (m_penWidth > 1 || drawThinLines(&line, 1) == 1)
                painter(Op::Pen, true, false).drawLine(line);
        }
        changed();
    }
    m_pos = to;
}

void Canvas::lineToEach(const QPoint *points, int count)
{
    if (count <= 0)
        return;
    if (!exact() && drawable()) {
        // One path for the whole curve, through the pixel centres.
        QPainterPath line(PixelCentre(m_pos));
        for (int i = 0; i < count; ++i)
            if (points[i] != (i ? points[i - 1] : m_pos)) {
                line.lineTo(PixelCentre(points[i]));
                touchLine(i ? points[i - 1] : m_pos, points[i]);
            }
        if (line.elementCount() > 1)
            painter(Op::Pen, true, false).drawPath(line);
        changed();
    } else if (drawable()) {
        // The segments go to the rasterizer in one call; drawing them one by
        // one costs more in call overhead than in pixels.
        QVarLengthArray<QLine, 256> lines;
        const bool banded = m_penWidth > 1 && m_penMode == PenMode::Copy;
        QPoint from = m_pos;
        for (int i = 0; i < count; ++i) {
            const QPoint to = points[i];
            if (to == from)
                continue;
            touchLine(from, to);
            if (banded) {
                // A wide pen as one-pixel lines side by side: the same band
                // at a fraction of the cost. In not-xor mode they would
                // overlap, so there the pen itself strokes.
                const bool flat = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
                for (int k = -(m_penWidth - 1) / 2, n = 0; n < m_penWidth; ++k, ++n) {
                    const QPoint off = flat ? QPoint(0, k) : QPoint(k, 0);
                    lines.append(QLine(from + off, to + off));
                }
            } else {
                lines.append(QLine(from, to));
            }
            from = to;
        }
        const bool drawing = !lines.isEmpty();
        // One-pixel lines, banded or not, mostly go straight into the bitmap.
        if (m_penWidth == 1 || banded)
            lines.resize(drawThinLines(lines.data(), int(lines.size())));
        if (!lines.isEmpty()) {
            if (banded) {
                QPainter &p = painter(Op::Pen, false, false);
                QPen thin(ToQColor(m_penColor), 1);
                thin.setCosmetic(true);
                thin.setCapStyle(Qt::FlatCap);
                p.setPen(thin);
                p.drawLines(lines.constData(), int(lines.size()));
                p.setPen(Qt::NoPen);
            } else if (m_penWidth == 1) {
                painter(Op::Pen, true, false).drawLines(lines.constData(), int(lines.size()));
            } else {
                QPainter &p = painter(Op::Pen, true, false);
                for (const QLine &l : lines)
                    p.drawLine(l);
            }
        }
        if (drawing)
            changed();
    }
    m_pos = points[count - 1];
}

void Canvas::blocks(const QRect *rects, int count)
{
    if (!drawable() || count <= 0)
        return;
    const BrushStyle keep = m_brushStyle;
    const Color keepColor = m_brushColor;
    m_brushStyle = BrushStyle::Solid;
    m_brushColor = m_penColor;
    painter(Op::Pen, false, true).drawRects(rects, count);
    for (int i = 0; i < count; ++i)
        touch(rects[i].adjusted(-1, -1, 1, 1));
    m_brushStyle = keep;
    m_brushColor = keepColor;
    changed();
}

namespace {
// A box given by any two opposite corners, as top-left and bottom-right.
void OrderCorners(int &x1, int &y1, int &x2, int &y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
}
} // namespace

void Canvas::rectangle(int x1, int y1, int x2, int y2)
{
    OrderCorners(x1, y1, x2, y2);
    if (!drawable() || x2 - x1 < 1 || y2 - y1 < 1)
        return;
    const int w = x2 - x1, h = y2 - y1;
    touch(QRect(x1 - 1, y1 - 1, w + 2, h + 2));
    if (m_brushStyle == BrushStyle::Solid && m_brushColor == m_penColor) {
        // Outline and inside in one colour: one block.
        painter(Op::Pen, false, false).fillRect(QRect(x1, y1, w, h), ToQColor(m_penColor));
        changed();
        return;
    }
    const int t = qMin(m_penWidth, qMin((w + 1) / 2, (h + 1) / 2));
    // Inside first, then the outline in four bands, so each pixel is
    // touched once (it matters in not-xor mode).
    if (m_brushStyle == BrushStyle::Solid && w > 2 * t && h > 2 * t)
        painter(Op::Pen, false, true).drawRect(QRect(x1 + t, y1 + t, w - 2 * t, h - 2 * t));
    const BrushStyle keep = m_brushStyle;
    const Color keepColor = m_brushColor;
    m_brushStyle = BrushStyle::Solid;
    m_brushColor = m_penColor;
    QPainter &p = painter(Op::Pen, false, true);
    p.drawRect(QRect(x1, y1, w, t));
    if (h > t)
        p.drawRect(QRect(x1, y2 - t, w, t));
    if (h > 2 * t) {
        p.drawRect(QRect(x1, y1 + t, t, h - 2 * t));
        if (w > t)
            p.drawRect(QRect(x2 - t, y1 + t, t, h - 2 * t));
    }
    m_brushStyle = keep;
    m_brushColor = keepColor;
    changed();
}

namespace {
void DrawEllipseIn(QPainter &p, int x1, int y1, int x2, int y2, int penWidth)
{
    if (penWidth <= 1) {
        p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    } else {
        // A wide outline lies inside its box, so the box stays the bound.
        const qreal half = penWidth / 2.0;
        p.drawEllipse(QRectF(x1 + half, y1 + half, x2 - x1 - 2 * half, y2 - y1 - 2 * half));
    }
}
} // namespace

const QImage &Canvas::ellipseStamp(int width, int height)
{
    const EllipseStamp key{width, height, m_penWidth, m_penColor, m_brushStyle, m_brushColor, {}};
    for (const EllipseStamp &s : m_stamps)
        if (s.sameShape(key))
            return s.image;
    if (m_stamps.size() >= 64)
        m_stamps.clear();
    // A margin for an outline wider than a small box.
    const int margin = m_penWidth + 2;
    QImage image(width + 2 * margin, height + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(ToQColor(m_penColor));
        pen.setWidth(m_penWidth);
        pen.setCosmetic(m_penWidth == 1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        if (m_brushStyle == BrushStyle::Solid)
            p.setBrush(ToQColor(m_brushColor));
        DrawEllipseIn(p, margin, margin, margin + width, margin + height, m_penWidth);
    }
    m_stamps.push_back(key);
    m_stamps.back().image = image;
    return m_stamps.back().image;
}

void Canvas::ellipse(int x1, int y1, int x2, int y2)
{
    OrderCorners(x1, y1, x2, y2);
    if (!drawable() || x2 - x1 < 1 || y2 - y1 < 1)
        return;
    {
        const int m = m_penWidth + 2;
        touch(QRect(QPoint(x1 - m, y1 - m), QPoint(x2 + m, y2 + m)));
    }
    if (!exact()) {
        // The outline runs through the centres of the box's outer pixels.
        const qreal half = m_penWidth / 2.0;
        painter(Op::Pen, true, true)
            .drawEllipse(QRectF(x1 + half, y1 + half, x2 - x1 - 2 * half, y2 - y1 - 2 * half));
    } else if (m_penMode == PenMode::Copy && x2 - x1 <= 64 && y2 - y1 <= 64) {
        // Dots and end marks come by the hundred in a few shapes: the shape
        // is drawn once and copied, which lands on the same pixels because
        // whole-pixel moves do not change how a shape is rasterized.
        const QImage &stamp = ellipseStamp(x2 - x1, y2 - y1);
        const int margin = m_penWidth + 2;
        painter(Op::Fill, false, false).drawImage(QPoint(x1 - margin, y1 - margin), stamp);
    } else {
        DrawEllipseIn(painter(Op::Pen, true, true), x1, y1, x2, y2, m_penWidth);
    }
    changed();
}

void Canvas::fillRect(const QRect &r)
{
    if (!drawable() || r.isEmpty())
        return;
    painter(Op::Fill, false, false).fillRect(r, ToQColor(m_brushColor));
    touch(r);
    changed();
}

void Canvas::fill(Color c)
{
    if (m_target) {
        painter(Op::Fill, false, false).fillRect(QRect(QPoint(0, 0), m_targetSize), ToQColor(c));
        return;
    }
    endPainting();
    if (m_blank)
        m_blankFill = c;
    else
        m_image.fill(ToPixel(c));
    touchAll();
    changed();
}

void Canvas::textOut(int x, int y, const QString &text)
{
    if (!drawable() || text.isEmpty())
        return;
    const CanvasFont &f = currentFont();
    const int height = f.metrics.height();
    const int width = textWidth(text);
    // Italic and wide glyphs may reach past the advance and the line.
    touch(QRect(x - height, y - height, width + 2 * height, 3 * height));
    if (m_brushStyle == BrushStyle::Solid)
        painter(Op::Fill, false, false).fillRect(QRect(x, y, width, height), ToQColor(m_brushColor));
    QPainter &p = painter(Op::Pen, false, false);
    p.setPen(ToQColor(m_fontColor));
    const QPoint baseline(x, y + f.metrics.ascent());
    // On the bitmap's own pixels a text drawn again is drawn from its
    // glyphs, as the text itself would be, from the same font engine,
    // without shaping it again.
    if (const QList<QGlyphRun> *runs = exact() ? f.glyphRuns(text) : nullptr) {
        for (const QGlyphRun &run : *runs)
            p.drawGlyphRun(baseline, run);
    } else {
        if (p.font() != f.font)
            p.setFont(f.font);
        p.drawText(baseline, text);
    }
    p.setPen(Qt::NoPen);
    changed();
}

int Canvas::textWidth(const QString &text) const
{
    const CanvasFont &f = currentFont();
    if (const auto it = f.widths.constFind(text); it != f.widths.cend())
        return *it;
    const int width = f.metrics.horizontalAdvance(text);
    if (f.widths.size() >= 4096)
        f.widths.clear();
    f.widths.insert(text, width);
    return width;
}

int Canvas::textHeight(const QString &) const
{
    return metrics().height();
}

void Canvas::stretchDraw(const QRect &dest, const QImage &src)
{
    if (!drawable() || src.isNull() || dest.isEmpty())
        return;
    painter(Op::Fill, false, false).drawImage(dest, src);
    touch(dest.normalized().adjusted(-1, -1, 1, 1));
    changed();
}

void Canvas::xorCopy(int x, int y, const QImage &src)
{
    if (!drawable() || src.isNull())
        return;
    painter(Op::Xor, false, false).drawImage(QPoint(x, y), src.convertToFormat(QImage::Format_RGB32));
    touch(QRect(QPoint(x, y), src.deviceIndependentSize().toSize()).adjusted(-1, -1, 1, 1));
    changed();
}
