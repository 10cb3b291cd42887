#include "ui/ImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScopeGuard>

ImageView::ImageView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Pictures are drawn at the screen's density, so they show sharp and
    // every device pixel is painted once.
    m_picture.canvas().setDevicePixelRatio(devicePixelRatioF());
    m_picture.canvas().setChangeHook([this] {
        if (!m_quietChange)
            update();
    });
    m_picture.setGeometryHook([this] { followPicture(); });
}

ImageView::~ImageView()
{
    m_picture.canvas().setChangeHook({});
    m_picture.setGeometryHook({});
}

void ImageView::changeQuietly(const std::function<void()> &change)
{
    m_quietChange = true;
    {
        // A change that throws must not leave the view deaf to later ones.
        const auto loud = qScopeGuard([this] { m_quietChange = false; });
        change();
    }
    // The canvas reports one change until its pixels are read: the next
    // change asks for its repaint again.
    canvas().rearmChangeHook();
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
    // A blank picture is painted as its colour: its bitmap is never made.
    const std::optional<Color> blank = shownBlankColor();
    // Painting the colour shows the pixels as reading them would: the next
    // change asks for its repaint again.
    if (blank)
        canvas().rearmChangeHook();
    const QImage *image = blank ? nullptr : &shownImage();
    // Only the damaged part is copied, and only what the bitmap does not
    // cover shows the parent's background colour.
    const qreal ratio = image ? image->devicePixelRatio() : 1.0;
    const QRect bitmap(QPoint(0, 0), image ? image->deviceIndependentSize().toSize()
                                           : QSize(canvas().width(), canvas().height()));
    for (const QRect &damaged : e->region()) {
        const QRect covered = damaged & bitmap;
        if (covered != damaged)
            for (const QRect &r : QRegion(damaged).subtracted(covered))
                p.fillRect(r, palette().window());
        if (covered.isEmpty())
            continue;
        if (!image)
            p.fillRect(covered, ToQColor(*blank));
        else if (ratio == 1.0)
            p.drawImage(covered.topLeft(), *image, covered);
        else
            p.drawImage(QRectF(covered), *image,
                        QRectF(covered.x() * ratio, covered.y() * ratio, covered.width() * ratio,
                               covered.height() * ratio));
    }
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
