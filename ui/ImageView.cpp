#include "ui/ImageView.h"

#include <QMouseEvent>
#include <QPainter>

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

void ImageView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Outside the bitmap the control shows its parent's background colour.
    p.fillRect(rect(), palette().window());
    p.drawImage(QPoint(0, 0), shownImage());
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
