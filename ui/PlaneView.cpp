#include "ui/PlaneView.h"

PlaneView::PlaneView(QWidget *parent) : ImageView(parent) {}

void PlaneView::setPlaneGeometry(const PlaneGeometry &g)
{
    m_geometry = g;
    m_hasGeometry = true;
}

const QImage &PlaneView::frame()
{
    const QImage &still = canvas().image();
    if (!paintOverlay)
        return still;
    // The copy is shared with the still picture until the overlay draws.
    m_frame.assign(still);
    paintOverlay(m_frame);
    return m_frame.image();
}
