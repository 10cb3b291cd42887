#include "ui/PlaneView.h"

#include <QKeyEvent>
#include <QRegion>
#include <algorithm>
#include <utility>
#include <vector>

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
// The area to repaint for the boxes an overlay drew, in few rectangles:
// each band of 32 rows gets one rectangle per run of boxes with gaps under
// 32 pixels. Every rectangle sent to the screen has a fixed cost, so a
// little more area is cheaper than hundreds of small boxes.
QRegion CoalescedRegion(const QList<QRect> &boxes)
{
    constexpr int strip = 32;
    struct Run {
        int band, left, right, top, bottom;
    };
    std::vector<Run> runs;
    for (const QRect &b : boxes)
        for (int band = b.top() / strip; band <= b.bottom() / strip; ++band)
            runs.push_back({band, b.left(), b.right(), std::max(b.top(), band * strip),
                            std::min(b.bottom(), band * strip + strip - 1)});
    std::sort(runs.begin(), runs.end(), [](const Run &a, const Run &b) {
        return a.band != b.band ? a.band < b.band : a.left < b.left;
    });
    QRegion region;
    for (std::size_t i = 0; i < runs.size();) {
        Run r = runs[i];
        for (++i; i < runs.size() && runs[i].band == r.band && runs[i].left <= r.right + strip; ++i) {
            r.right = std::max(r.right, runs[i].right);
            r.top = std::min(r.top, runs[i].top);
            r.bottom = std::max(r.bottom, runs[i].bottom);
        }
        region += QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
    }
    return region;
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
        overlayChanged();
}

PlaneView::OverlayBatch::~OverlayBatch()
{
    if (--m_plane.m_batchDepth == 0 && std::exchange(m_plane.m_batchedChange, false))
        m_plane.overlayChanged();
}

void PlaneView::overlayChanged()
{
    m_composed = nullptr;
    if (m_batchDepth > 0) {
        m_batchedChange = true;
        return;
    }
    if (!isVisible()) {
        update();
        return;
    }
    // Over the still picture the last frame was composed on, the screen
    // differs from the new frame only in the old and the new overlay's boxes.
    const bool overSameStill =
        m_framed && m_frameStill == canvas().generation() && canvas().image().devicePixelRatio() == 1.0;
    QList<QRect> boxes = overSameStill ? m_overlayDamage : QList<QRect>();
    const QImage &shown = compose();
    m_composed = &shown;
    m_composedCursor = keyCursorShown();
    if (!overSameStill) {
        update();
        return;
    }
    if (&shown != &canvas().image())
        boxes += m_overlayDamage;
    update(CoalescedRegion(boxes));
}

void PlaneView::stillChangedIn(const QList<QRect> &boxes)
{
    m_composed = nullptr;
    if (canvas().image().devicePixelRatio() != 1.0)
        update();
    else
        update(CoalescedRegion(boxes));
}

const QImage &PlaneView::frame()
{
    if (m_composed && m_frameStill == canvas().generation() && m_composedCursor == keyCursorShown())
        return *m_composed;
    return compose();
}

const QImage &PlaneView::compose()
{
    m_composed = nullptr;
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
    // An overlay that drew nothing leaves the frame the still picture: the
    // frame lets go of it, so that the still picture can change in place.
    if (m_frame.image().cacheKey() == still.cacheKey()) {
        m_frame.assign(QImage());
        return still;
    }
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
    overlayChanged();
    if (!shown && onKeyCursorShown)
        onKeyCursorShown();
}

void PlaneView::focusOutEvent(QFocusEvent *e)
{
    ImageView::focusOutEvent(e);
    m_keysUsed = false;
    overlayChanged();
}
