#pragma once
// The application's style: the platform's own in every look and measure,
// drawn without reading image files at start. Qt reads any image file by
// first loading every image-format plug-in (SVG with its library, GIF, ICO,
// JPEG); the main window needs only two images, the menu bar's overflow
// icon, shown only when the menus do not fit, and the group boxes' frame,
// so the first is fetched on first use and the second is built from its
// pixels, kept in the code.

#include <QPixmap>
#include <QProxyStyle>
#include <optional>

class AppStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    // The Fusion style's frame image of a group box.
    const QPixmap &groupBoxFrame() const;
    mutable std::optional<QPixmap> m_groupBoxFrame;
};
