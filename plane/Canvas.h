#pragma once
// A picture with a small raster drawing model: pen (colour, width,
// copy or not-xor), brush (solid or clear), font, current position, and
// block copies. Every drawing of the program goes through this class, so
// that a figure drawn twice in not-xor mode restores every pixel.
// It deliberately knows nothing about widgets.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QList>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPainter;
struct CanvasFont;

using Color = std::uint32_t;  // 0xBBGGRR, as stored in unit files

namespace Colors {
constexpr Color White = 0xFFFFFF;
constexpr Color Black = 0x000000;
constexpr Color Silver = 0xC0C0C0;
constexpr Color Gray = 0x808080;
constexpr Color Navy = 0x800000;
constexpr Color Red = 0x0000FF;
constexpr Color Teal = 0x808000;
}  // namespace Colors

QColor ToQColor(Color c);
Color FromQColor(const QColor &c);
// 0xAARRGGBB pixel value of an RGB32 image for a colour.
std::uint32_t ToPixel(Color c);

enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };

class Canvas {
public:
    static constexpr const char *DefaultFontName = "ＭＳ Ｐゴシック";
    static constexpr int DefaultFontSize = 9;  // points

    Canvas();
    Canvas(int width, int height, Color fill = Colors::White, qreal devicePixelRatio = 1);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // A fresh bitmap of the given size; pen, brush and font back to defaults.
    // A new bitmap is only allocated at the first drawing or reading of its
    // pixels: a panel that stays blank costs no memory.
    void reset(int width, int height, Color fill = Colors::White);
    // The colour of every pixel while the bitmap is one colour not yet
    // allocated; nothing once it has pixels of its own.
    std::optional<Color> blankColor() const
    {
        return m_blank ? std::optional<Color>(m_blankFill) : std::nullopt;
    }
    // The pixels of an image (shared until the first drawing), with pen,
    // brush and font as they are: an overlay drawn onto a still picture.
    void assign(const QImage &image);
    // With this on, the bitmap an assign() lets go is kept and takes the
    // assigned pixels at the first drawing: a frame composed over and over
    // costs one copy, not an allocation and its page faults each time.
    void setReusesBitmap(bool on) { m_reusesBitmap = on; }

    // With tracking on, each drawing notes a box holding every pixel it may
    // have changed; takeDamage() hands the boxes over. restore() copies just
    // those boxes back from the picture the canvas was assigned, so an
    // overlay is taken away without copying the whole picture.
    void setTracksDamage(bool on)
    {
        m_tracksDamage = on;
        m_damage.clear();
    }
    QList<QRect> takeDamage() { return std::exchange(m_damage, {}); }
    // False, changing nothing, unless this canvas has its own bitmap of
    // the shape of `from`.
    bool restore(const QImage &from, const QList<QRect> &boxes);

    // Every drawing goes to this painter, in the canvas's logical pixels
    // (the painter's transform scales them); null draws into the image again.
    // The painter's state is saved here and restored when the target goes.
    void setTarget(QPainter *target, int width, int height);
    bool hasTarget() const { return m_target != nullptr; }

    // Device pixels per canvas pixel of the next fresh bitmap (reset): a
    // dense screen gets sharp pictures drawn in the same coordinates.
    void setDevicePixelRatio(qreal dpr) { m_dpr = dpr > 0 ? dpr : 1; }
    qreal devicePixelRatio() const { return m_dpr; }

    // Sizes and positions are in canvas pixels, whatever the device's.
    int width() const { return m_target ? m_targetSize.width() : bitmapSize().width(); }
    int height() const { return m_target ? m_targetSize.height() : bitmapSize().height(); }
    // The pixels; drawing still under way is finished first.
    const QImage &image() const;
    Color pixel(int x, int y) const;

    // Pen
    void setPenColor(Color c) { m_penColor = c; }
    Color penColor() const { return m_penColor; }
    void setPenWidth(int w) { m_penWidth = w < 1 ? 1 : w; }
    int penWidth() const { return m_penWidth; }
    void setPenMode(PenMode m) { m_penMode = m; }
    PenMode penMode() const { return m_penMode; }

    // Brush
    void setBrushColor(Color c) { m_brushColor = c; m_brushStyle = BrushStyle::Solid; }
    Color brushColor() const { return m_brushColor; }
    void setBrushStyle(BrushStyle s) { m_brushStyle = s; }
    BrushStyle brushStyle() const { return m_brushStyle; }

    // Font (size in points at 96 dots per inch: our layouts are made for it)
    void setFontName(const QString &name) { if (name != m_fontName) { m_fontName = name; m_fontDirty = true; } }
    QString fontName() const { return m_fontName; }
    void setFontSize(int points) { if (points != m_fontSize) { m_fontSize = points; m_fontDirty = true; } }
    int fontSize() const { return m_fontSize; }
    void setFontBold(bool on) { if (on != m_bold) { m_bold = on; m_fontDirty = true; } }
    bool fontBold() const { return m_bold; }
    void setFontItalic(bool on) { if (on != m_italic) { m_italic = on; m_fontDirty = true; } }
    bool fontItalic() const { return m_italic; }
    void setFontColor(Color c) { m_fontColor = c; }
    Color fontColor() const { return m_fontColor; }
    QFont font() const;
    const QFontMetrics &metrics() const;

    // Lines: the end point itself is not drawn, so joined lines never paint
    // a pixel twice (which would cancel out in not-xor mode).
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    // lineTo each point in turn (one call for a whole sampled curve).
    void lineToEach(const QPoint *points, int count);
    QPoint penPosition() const { return m_pos; }

    // Boxes from (x1, y1) up to but excluding (x2, y2): outline with the
    // pen, inside with the brush.
    void rectangle(int x1, int y1, int x2, int y2);
    void ellipse(int x1, int y1, int x2, int y2);
    // Fills the box with the brush colour, no outline, in copy mode.
    void fillRect(const QRect &r);
    // Solid boxes in the pen colour and pen mode, each as rectangle() draws
    // a box whose brush is the pen colour; all in one call.
    void blocks(const QRect *rects, int count);
    void fill(Color c);

    // Text with the top-left corner of its cell at (x, y); the background
    // is painted with the brush unless the brush is clear.
    void textOut(int x, int y, const QString &text);
    int textWidth(const QString &text) const;
    int textHeight(const QString &text) const;

    // Stretched copy of an image into the box (copy mode).
    void stretchDraw(const QRect &dest, const QImage &src);
    // Exclusive-or copy: pixel := source XOR destination.
    void xorCopy(int x, int y, const QImage &src);

    // Called after a change of the pixels (a view repaints itself); after
    // one call, the next comes with the first change after image() was read.
    // Counts every change of the pixels: a picture whose count is as it was
    // still shows what was drawn then.
    quint64 generation() const { return m_generation; }

    void setChangeHook(std::function<void()> hook)
    {
        m_changed = std::move(hook);
        m_changeReported = false;
    }
    // As reading the pixels does: the next change is reported again.
    void rearmChangeHook() { m_changeReported = false; }

private:
    enum class Op { Pen, Fill, Xor };
    // One painter stays open across drawing calls (opening one per call
    // costs more than the drawing); it is ended before the pixels are read.
    QPainter &painter(Op op, bool withPen, bool withBrush);
    // Before the pixels are written: shared ones are copied into the spare
    // bitmap when it has their shape.
    void ownPixels();
    void touch(QRect box);
    // A line of the pen, with room for its width.
    void touchLine(QPoint a, QPoint b)
    {
        if (m_tracksDamage) {
            const int m = m_penWidth + 1;
            touch(QRect(a, b).normalized().adjusted(-m, -m, m, m));
        }
    }
    void touchAll() { touch(QRect(0, 0, width(), height())); }
    void endPainting() const;
    const CanvasFont &currentFont() const;
    // The ellipse of this size in the current pen and brush, on a
    // transparent picture with a margin of the pen width plus 2.
    const QImage &ellipseStamp(int width, int height);
    // There is somewhere to draw: a target or a bitmap.
    bool drawable() const { return m_target || m_blank || !m_image.isNull(); }
    // Drawing lands on the bitmap's pixels one to one: the fast pixel-exact
    // ways of drawing apply.
    bool exact() const { return !m_target && (m_blank ? m_blankRatio : m_image.devicePixelRatio()) == 1.0; }
    // The bitmap's size in canvas pixels, allocated or not.
    QSize bitmapSize() const;
    // Allocates and fills a blank bitmap before its pixels are used.
    void allocateBlank() const;
    void changed();
    // Draws straight into the bitmap the one-pixel lines that land there
    // exactly as the painter would draw them (copy mode, both ends inside)
    // and moves the others, in order, to the front for the painter; returns
    // how many are left.
    int drawThinLines(QLine *lines, int count);

    mutable QImage m_image;
    // A bitmap not yet allocated: its size in device pixels, density and colour.
    mutable bool m_blank = false;
    QSize m_blankSize;
    qreal m_blankRatio = 1;
    Color m_blankFill = Colors::White;
    QImage m_spare; // the bitmap let go by assign(), when reused
    bool m_reusesBitmap = false;
    bool m_tracksDamage = false;
    QList<QRect> m_damage;
    mutable std::unique_ptr<QPainter> m_painter;
    QPainter *m_target = nullptr;
    QSize m_targetSize;
    qreal m_dpr = 1;
    Color m_penColor = Colors::Black;
    int m_penWidth = 1;
    PenMode m_penMode = PenMode::Copy;
    Color m_brushColor = Colors::White;
    BrushStyle m_brushStyle = BrushStyle::Solid;
    QString m_fontName = QString::fromUtf8(DefaultFontName);
    int m_fontSize = DefaultFontSize;
    bool m_bold = false;
    bool m_italic = false;
    Color m_fontColor = Colors::Black;
    QPoint m_pos;
    std::function<void()> m_changed;
    mutable bool m_changeReported = false;
    quint64 m_generation = 0;
    struct EllipseStamp {
        int width, height, penWidth;
        Color penColor;
        BrushStyle brush;
        Color brushColor;
        QImage image;
        bool sameShape(const EllipseStamp &o) const
        {
            return width == o.width && height == o.height && penWidth == o.penWidth &&
                   penColor == o.penColor && brush == o.brush &&
                   (brush == BrushStyle::Clear || brushColor == o.brushColor);
        }
    };
    std::vector<EllipseStamp> m_stamps;
    // The font is looked up again only when a font setting changes.
    mutable bool m_fontDirty = true;
    mutable std::shared_ptr<const CanvasFont> m_font;
};
