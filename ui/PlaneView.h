#pragma once
// A coordinate plane on screen. Its picture is the still picture (grid,
// numbers, stored curves, marks), redrawn by its owner only when the
// document, the settings or the geometry change; what moves (the rubber
// band, the curve under a handle drag, practice markers) is painted over a
// copy of it on every paint and never drawn into it. The view owns the
// geometry of the plane it shows. While it has the keyboard focus it shows
// the keyboard's lattice cursor in the overlay: from a Tab into it, or from
// the first key after a click (a mouse user needs no second pointer).

#include "plane/PlaneGeometry.h"
#include "plane/Plotting.h"
#include "ui/ImageView.h"

#include <functional>

class PlaneView : public ImageView {
    Q_OBJECT
public:
    explicit PlaneView(QWidget *parent = nullptr);

    // The geometry of the still picture; without one (its drawing failed)
    // the plane takes no click.
    const PlaneGeometry &planeGeometry() const { return m_geometry; }
    bool hasGeometry() const { return m_hasGeometry; }
    void setPlaneGeometry(const PlaneGeometry &g);
    void dropGeometry() { m_hasGeometry = false; }
    QPoint latticeAt(QPoint pixel) const { return m_geometry.PixelToLattice(pixel.x(), pixel.y()); }
    QPoint pixelAt(QPoint lattice) const { return m_geometry.LatticeToPixel(lattice.x(), lattice.y()); }
    // What curves on this plane are drawn with.
    PlotContext plotContext(const DrawingSettings &draw) const
    {
        return PlotContext{m_geometry, draw, picture().width()};
    }

    // The still picture changed only in these boxes (device pixels): they
    // alone are repainted.
    void stillChangedIn(const QList<QRect> &boxes);

    // Draws the moving figures onto the frame, a canvas that starts as the
    // still picture; set by the owner, run on every paint.
    std::function<void(Canvas &frame)> paintOverlay;
    // The overlay changed: the frame is composed at once and, over an
    // unchanged still picture, repainted only where the overlay drew before
    // or draws now.
    void overlayChanged();
    // Overlay changes made while one lives are composed once, when it ends:
    // a mouse move changes the band and the key cursor together.
    class OverlayBatch {
    public:
        explicit OverlayBatch(PlaneView &plane) : m_plane(plane) { ++plane.m_batchDepth; }
        ~OverlayBatch();
        OverlayBatch(const OverlayBatch &) = delete;
        OverlayBatch &operator=(const OverlayBatch &) = delete;

    private:
        PlaneView &m_plane;
    };
    // Where the keyboard's lattice cursor stands; painted over the overlay
    // only while the plane has the focus.
    void setKeyCursor(QPoint lattice);
    QPoint keyCursor() const { return m_keyCursor; }
    bool keyCursorShown() const { return m_keysUsed && m_hasGeometry && hasFocus(); }
    // Lets the plane take the focus (Tab or a click) and hands it the keys
    // pressed on it; the handler returns true for a key it used (else it
    // goes on to the window).
    void setKeyHandler(std::function<bool(QKeyEvent *)> handler);
    // The cursor has just shown: the owner shows its point in the read-out.
    std::function<void()> onKeyCursorShown;
    // What the screen shows: the still picture with the overlay over it,
    // as composed for the last change.
    const QImage &frame();

protected:
    const QImage &shownImage() override { return frame(); }
    // The frame carries the overlay, so it is always painted as a picture.
    std::optional<Color> shownBlankColor() const override { return std::nullopt; }
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void showKeyCursor();
    // Composes the frame afresh: the still picture with the overlay over it.
    const QImage &compose();

    PlaneGeometry m_geometry;
    bool m_hasGeometry = false;
    Canvas m_frame;
    // What the last frame's overlay drew, over the still picture of that
    // change count.
    QList<QRect> m_overlayDamage;
    quint64 m_frameStill = 0;
    bool m_framed = false;
    // The frame composed for the last overlay change, still to be shown: a
    // paint shows it as it is while the still picture and the cursor's
    // showing stay.
    const QImage *m_composed = nullptr;
    bool m_composedCursor = false;
    int m_batchDepth = 0;
    bool m_batchedChange = false;
    std::function<bool(QKeyEvent *)> m_onKey;
    QPoint m_keyCursor;
    bool m_keysUsed = false; // the focus came by keyboard, or a key was used on the plane
};
