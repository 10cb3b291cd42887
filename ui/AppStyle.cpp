#include "ui/AppStyle.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
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
    // Read as PNG without asking the plug-ins whether they read it better;
    // null if the file is missing.
    if (!m_groupBoxFrame) {
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                            "png");
        reader.setAutoDetectImageFormat(false);
        m_groupBoxFrame = QPixmap::fromImage(reader.read());
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
