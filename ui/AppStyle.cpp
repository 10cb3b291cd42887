#include "ui/AppStyle.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
#include <algorithm>
#include <optional>
#include <qdrawutil.h>

namespace {
// A standard icon of a style, fetched on its first use; until then it only
// says that it is there.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(const QStyle *style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
        : m_style(style), m_which(which), m_direction(direction)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine *clone() const override { return new DeferredStandardIcon(m_style, m_which, m_direction); }

private:
    const QIcon &icon()
    {
        if (!m_icon) {
            QStyleOption option;
            option.direction = m_direction;
            m_icon = m_style->standardIcon(m_which, &option);
        }
        return *m_icon;
    }

    const QStyle *m_style;
    QStyle::StandardPixmap m_which;
    Qt::LayoutDirection m_direction;
    std::optional<QIcon> m_icon;
};

// The Fusion style's frame of a group box, 98 x 38 unpremultiplied ARGB
// pixels, kept as lines of runs: decoding its PNG would touch the PNG and
// zlib libraries for one small picture.
constexpr int kFrameWidth = 98, kFrameHeight = 38;
struct PixelRun {
    QRgb pixel;
    int count;
};
// Each distinct line as runs of one value (the unused runs are empty).
// clang-format off
constexpr PixelRun kFrameLines[][11] = {
    {{0x00ffffff, 98}},
    {{0x00ffffff, 1}, {0x0d272727, 1}, {0x345d5d5d, 1}, {0x346c6c6c, 1}, {0x32757575, 91},
     {0x346c6c6c, 1}, {0x37666666, 1}, {0x0c151515, 1}},
    {{0x00ffffff, 1}, {0x39626262, 1}, {0x1f5a5a5a, 1}, {0x0a000000, 1}, {0x08000000, 1},
     {0x07000000, 89}, {0x08000000, 1}, {0x0a000000, 1}, {0x1e5e5e5e, 1}, {0x355b5b5b, 1}},
    {{0x00ffffff, 1}, {0x346c6c6c, 1}, {0x09000000, 1}, {0x03000000, 93}, {0x09000000, 1},
     {0x346c6c6c, 1}},
    {{0x00ffffff, 1}, {0x32757575, 1}, {0x08000000, 1}, {0x03000000, 93}, {0x08000000, 1},
     {0x32757575, 1}},
    {{0x00ffffff, 1}, {0x32757575, 1}, {0x07000000, 1}, {0x03000000, 93}, {0x07000000, 1},
     {0x32757575, 1}},
    {{0x00ffffff, 1}, {0x355b5b5b, 1}, {0x1e5e5e5e, 1}, {0x0a000000, 1}, {0x08000000, 1},
     {0x07000000, 89}, {0x08000000, 1}, {0x0a000000, 1}, {0x1f5a5a5a, 1}, {0x39626262, 1}},
    {{0x00ffffff, 1}, {0x0c151515, 1}, {0x37666666, 1}, {0x346c6c6c, 1}, {0x32757575, 91},
     {0x346c6c6c, 1}, {0x345d5d5d, 1}, {0x0d272727, 1}},
};
// clang-format on
// Which of those lines each line of the image is, top to bottom.
constexpr unsigned char kFrameLineOf[kFrameHeight] = {0, 1, 2, 3, 4, 5, 5, 5, 5, 5, 5, 5, 5,
                                                      5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
                                                      5, 5, 5, 5, 5, 5, 5, 5, 4, 3, 6, 7};

} // namespace

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(
            baseStyle(), icon, option ? option->direction : QGuiApplication::layoutDirection()));
    return QProxyStyle::standardIcon(icon, option, widget);
}

const QPixmap &AppStyle::groupBoxFrame() const
{
    if (!m_groupBoxFrame) {
        QImage frame(kFrameWidth, kFrameHeight, QImage::Format_ARGB32);
        for (int y = 0; y < kFrameHeight; ++y) {
            auto *line = reinterpret_cast<QRgb *>(frame.scanLine(y));
            for (const PixelRun &run : kFrameLines[kFrameLineOf[y]])
                line = std::fill_n(line, run.count, run.pixel);
        }
        m_groupBoxFrame = QPixmap::fromImage(frame);
    }
    return *m_groupBoxFrame;
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    if (element == PE_FrameGroupBox &&
        baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0 &&
        !groupBoxFrame().isNull()) {
        // The frame starts below the title line, or just below the top
        // edge of a box with neither a title nor a check box.
        constexpr int topGap = 3;
        const auto *box = qobject_cast<const QGroupBox *>(widget);
        const int top =
            box && !box->isCheckable() && box->title().isEmpty()
                ? topGap
                : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + topGap;
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                          groupBoxFrame());
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
