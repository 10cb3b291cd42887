#include "plane/ThinLines.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
// Minor per major step in 16.16 fixed point, truncated toward zero.
int Slope(int minor, int major)
{
    return int((std::int64_t(minor) * 65536) / major);
}

// Where the minor position starts, in 16.16: a rising line starts half a
// step in.
int Start(int minor, int slope)
{
    return minor * 65536 + (slope > 0 ? slope / 2 : 0);
}
} // namespace

ThinLines::ThinLines(QImage &image)
    : m_bits(image.bits()), m_stride(image.bytesPerLine()), m_width(image.width()), m_height(image.height())
{
}

void ThinLines::draw(const QLine &line, std::uint32_t pixel) const
{
    int x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    if (std::abs(x2 - x1) >= std::abs(y2 - y1)) {
        if (x2 < x1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        auto *first = reinterpret_cast<std::uint32_t *>(m_bits + qsizetype(y1) * m_stride);
        if (y1 == y2) {
            // Level (or no length at all: the one point).
            std::fill(first + x1, first + std::max(x2, x1 + 1), pixel);
            return;
        }
        const int slope = Slope(y2 - y1, x2 - x1);
        for (int x = x1, y = Start(y1, slope); x < x2; ++x, y += slope)
            reinterpret_cast<std::uint32_t *>(m_bits + qsizetype(y >> 16) * m_stride)[x] = pixel;
    } else {
        if (y2 < y1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const int slope = Slope(x2 - x1, y2 - y1);
        uchar *row = m_bits + qsizetype(y1) * m_stride;
        for (int y = y1, x = Start(x1, slope); y < y2; ++y, x += slope, row += m_stride)
            reinterpret_cast<std::uint32_t *>(row)[x >> 16] = pixel;
    }
}
