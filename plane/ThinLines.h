#pragma once
// One-pixel aliased lines between whole-pixel points, written straight into
// the scan lines of an RGB32 image in an opaque colour. They land on the
// very pixels that QPainter's cosmetic one-pixel pen with flat caps paints
// for the same QLine, at a fraction of its cost per line.
//
// The rule: the major axis is x when |dx| >= |dy|, else y. One pixel is
// painted per major step, from the lesser end of the major axis up to but
// not including the greater end, whichever end the line starts at; a line
// of no length paints its one point. The slope (minor per major step) is
// a 16.16 fixed-point number truncated toward zero; the minor position
// starts at the lesser end, half a step further when the slope is positive,
// and each pixel sits at the whole part of it.

#include <QImage>
#include <QLine>
#include <cstdint>

class ThinLines {
public:
    // The rule is proven for RGB32 pictures up to this size each way.
    static constexpr int MaxSide = 4096;
    static bool canDrawOn(const QImage &image)
    {
        return image.format() == QImage::Format_RGB32 && image.devicePixelRatio() == 1.0 &&
               image.width() <= MaxSide && image.height() <= MaxSide && !image.isNull();
    }

    // Writes into the image's own pixels (a shared image is copied first).
    explicit ThinLines(QImage &image);

    // Both ends lie inside the picture: only then is the rule proven.
    bool fits(const QLine &line) const
    {
        return inside(line.x1(), line.y1()) && inside(line.x2(), line.y2());
    }
    // A line that fits, in the 0xAARRGGBB pixel value given.
    void draw(const QLine &line, std::uint32_t pixel) const;

private:
    bool inside(int x, int y) const
    {
        return unsigned(x) < unsigned(m_width) && unsigned(y) < unsigned(m_height);
    }
    uchar *m_bits;
    qsizetype m_stride;
    int m_width, m_height;
};
