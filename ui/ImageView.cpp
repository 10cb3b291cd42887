#include "ui/ImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

ImageView::ImageView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Pictures are drawn at the screen's density, so they show sharp and
    // every device pixel is painted once.
    m_picture.canvas().setDevicePixelRatio(devicePixelRatioF());
    m_picture.canvas().setChangeHook([this] { update(); });
    m_picture.setGeometryHook([this] { followPicture(); });
}

ImageView::~ImageView()
{
    m_picture.canvas().setChangeHook({});
    m_picture.setGeometryHook({});
}

void ImageView::place(int left, int top, int width, int height)
{
    m_picture.setBounds(QRect(left, top, width, height));
    followPicture();
}

void ImageView::followPicture()
{
    if (geometry() != m_picture.bounds())
        setGeometry(m_picture.bounds());
    update();
}

void ImageView::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    const QImage &image = shownImage();
    // Only the damaged part is copied, and only what the bitmap does not
    // cover shows the parent's background colour.
    const qreal ratio = image.devicePixelRatio();
    const QRect damaged = e->rect();
    const QRect covered = damaged & QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
    if (covered != damaged)
        for (const QRect &r : QRegion(damaged).subtracted(covered))
            p.fillRect(r, palette().window());
    if (covered.isEmpty())
        return;
    if (ratio == 1.0)
        p.drawImage(covered.topLeft(), image, covered);
    else
        p.drawImage(QRectF(covered), image,
                    QRectF(covered.x() * ratio, covered.y() * ratio, covered.width() * ratio,
                           covered.height() * ratio));
}

void ImageView::mousePressEvent(QMouseEvent *e)
{
    m_pressedInside = true;
    if (onMouseDown)
        onMouseDown(e);
}

void ImageView::mouseMoveEvent(QMouseEvent *e)
{
    if (onMouseMove)
        onMouseMove(e);
}

void ImageView::mouseReleaseEvent(QMouseEvent *e)
{
    if (onMouseUp)
        onMouseUp(e);
    if (m_pressedInside && rect().contains(e->position().toPoint()) && onClick)
        onClick();
    m_pressedInside = false;
}

void ImageView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (onDoubleClick)
        onDoubleClick(e);
    else
        mousePressEvent(e);
}
