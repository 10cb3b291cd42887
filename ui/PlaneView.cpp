#include "ui/PlaneView.h"

#include <QKeyEvent>
#include <utility>

namespace {
// Four black arms edged in white round the point, so the cursor shows on
// the grey axes and on any curve; the gap leaves the point and a handle
// visible.
void DrawKeyCursor(Canvas &c, QPoint p)
{
    const PenMode mode = c.penMode();
    const Color color = c.penColor();
    const int width = c.penWidth();
    c.setPenMode(PenMode::Copy);
    constexpr int inner = 4, outer = 12;
    for (const auto &[pen, penWidth] : {std::pair{Colors::White, 4}, std::pair{Colors::Black, 2}}) {
        c.setPenColor(pen);
        c.setPenWidth(penWidth);
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            c.moveTo(p.x() + d.x() * inner, p.y() + d.y() * inner);
            c.lineTo(p.x() + d.x() * outer, p.y() + d.y() * outer);
        }
    }
    c.setPenMode(mode);
    c.setPenColor(color);
    c.setPenWidth(width);
}
} // namespace

PlaneView::PlaneView(QWidget *parent) : ImageView(parent)
{
    m_frame.setReusesBitmap(true);
}

void PlaneView::setKeyHandler(std::function<bool(QKeyEvent *)> handler)
{
    m_onKey = std::move(handler);
    setFocusPolicy(m_onKey ? Qt::StrongFocus : Qt::NoFocus);
}

void PlaneView::setPlaneGeometry(const PlaneGeometry &g)
{
    m_geometry = g;
    m_hasGeometry = true;
}

void PlaneView::setKeyCursor(QPoint lattice)
{
    if (lattice == m_keyCursor)
        return;
    m_keyCursor = lattice;
    if (keyCursorShown())
        update();
}

const QImage &PlaneView::frame()
{
    const QImage &still = canvas().image();
    const bool cursor = keyCursorShown();
    if (!paintOverlay && !cursor)
        return still;
    // Over an unchanged still picture only the last overlay is taken back;
    // otherwise the copy is shared with the still picture until the overlay
    // draws.
    const quint64 generation = canvas().generation();
    if (!(m_framed && m_frameStill == generation && m_frame.restore(still, m_overlayDamage)))
        m_frame.assign(still);
    m_frame.setTracksDamage(true);
    if (paintOverlay)
        paintOverlay(m_frame);
    if (cursor)
        DrawKeyCursor(m_frame, pixelAt(m_keyCursor));
    m_overlayDamage = m_frame.takeDamage();
    m_frame.setTracksDamage(false);
    m_frameStill = generation;
    m_framed = true;
    return m_frame.image();
}

void PlaneView::keyPressEvent(QKeyEvent *e)
{
    if (m_onKey && m_onKey(e)) {
        e->accept();
        showKeyCursor();
    } else {
        ImageView::keyPressEvent(e);
    }
}

void PlaneView::focusInEvent(QFocusEvent *e)
{
    ImageView::focusInEvent(e);
    // However the focus came (a click or Tab), the cursor shows where the
    // keys will act.
    showKeyCursor();
}

void PlaneView::showKeyCursor()
{
    const bool shown = m_keysUsed;
    m_keysUsed = true;
    update();
    if (!shown && onKeyCursorShown)
        onKeyCursorShown();
}

void PlaneView::focusOutEvent(QFocusEvent *e)
{
    ImageView::focusOutEvent(e);
    m_keysUsed = false;
    update();
}
