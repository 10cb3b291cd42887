#pragma once
// The plane's click state machine: two clicks draw a parabola, one or two
// more restrict its domain, and a right button held on a handle reshapes a
// stored parabola. Driven by lattice points and times in milliseconds; it
// talks to its owner through DrawingHost and draws nothing itself: what the
// plane shows over its still picture is overlay().

#include "input/DrawingHost.h"
#include "input/LatticeCursor.h"
#include "model/Parabola.h"

#include <QPoint>
#include <QString>
#include <Qt>
#include <optional>

enum class InputState {
    Idle,
    WaitingForPassingPoint, // the vertex is placed
    WaitingForDomainStart,  // segment start, or the one bound of a half line
    WaitingForDomainEnd,    // the segment's second bound
    HandleDrag,             // a handle of a stored parabola follows the mouse
};

// What the plane paints over its still picture.
struct DrawingOverlay {
    // The parabola being drawn or dragged; the parts below are drawn from it.
    Parabola record;
    // The record's whole curve, solid, with the square of bandHandle (the
    // squares show only while the handle switch is on).
    bool band = false;
    CurveHandle bandHandle = CurveHandle::None;
    // The square of the record's vertex after the first click, before the
    // band is shown.
    bool vertexHandle = false;
    // The cross on the record's curve at the first bound of a segment.
    std::optional<int> domainMark;
    // The stored entry under a handle drag: the still picture leaves it out.
    int hiddenEntry = -1;
    bool isEmpty() const { return !band && !vertexHandle && !domainMark && hiddenEntry < 0; }
    friend bool operator==(const DrawingOverlay &, const DrawingOverlay &) = default;
};

class DrawingInput {
public:
    // A press released within this time is a click; held longer it is a press.
    static constexpr qint64 ClickTime = 300;

    explicit DrawingInput(DrawingHost &host) : m_host(host) {}

    // False when the press is not taken (another is being timed, or a handle
    // is dragged); a press taken wants held() ClickTime after t.
    bool press(Qt::MouseButton button, QPoint lattice, qint64 t);
    void move(QPoint lattice, qint64 t);
    void release(Qt::MouseButton button, QPoint lattice, qint64 t);
    // The owner's timer, started at a press, fired.
    void held(qint64 t);
    // A key pressed on the plane: the cursor moves as a mouse would, and
    // Enter or Space is a left click at it (never a held press).
    LatticeCursor::Action key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat, qint64 t);
    void doubleClick();
    void escape();
    // The mouse is over the window outside the plane: a drawing is dropped.
    void leftPlane();
    // Ends a drawing or drag silently, as any repaint of the plane does; the
    // entry chosen to be replaced stays chosen.
    void cancel();
    // Forgets the entry a quick right click chose to be replaced.
    void forgetReplace() { m_hit = {}; }

    // The keyboard's point: the owner bounds it to the plane shown.
    LatticeCursor &cursor() { return m_cursor; }
    const LatticeCursor &cursor() const { return m_cursor; }

    InputState state() const { return m_state; }
    // A parabola is being drawn by clicks (not a handle drag).
    bool drawing() const;
    // Drawing or dragging.
    bool busy() const { return m_state != InputState::Idle; }
    const Parabola &record() const { return m_record; }
    QPoint fixedPoint() const { return m_fixed; }
    QPoint currentPoint() const { return m_current; }
    QPoint downPoint() const { return m_down; }
    // The entry the next stored parabola replaces (index -1: appended).
    HandleHit replaceTarget() const { return m_hit; }
    DrawingOverlay overlay() const;

    static QString limitMessage(int limit);

private:
    void click(QPoint lattice);
    void clickPassingPoint(QPoint lattice);
    void clickDomainStart(QPoint lattice);
    void clickDomainEnd(QPoint lattice);
    void beginHandleDrag();
    void releaseHandleDrag(QPoint lattice);
    void finishWholeCurveDrag(QPoint lattice);
    void storeDrawing();
    // Ends every completed or refused sequence: pencil, no replace, idle.
    void endDrawing();
    void clearTransient();
    void setMovingPoint(QPoint p);
    bool pressIsDue(qint64 t) const { return m_pressPending && t - m_pressTime >= ClickTime; }

    DrawingHost &m_host;
    InputState m_state = InputState::Idle;
    Parabola m_record;
    QPoint m_fixed, m_current, m_previous, m_down; // lattice units
    bool m_movingPassPoint = true;
    bool m_bandShown = false;
    int m_hiddenEntry = -1;
    HandleHit m_hit;
    LatticeCursor m_cursor;

    Qt::MouseButton m_lastButton = Qt::NoButton;
    QPoint m_pressPoint;
    qint64 m_pressTime = 0;
    bool m_mouseDown = false;
    bool m_pressPending = false;
    bool m_ignoreRelease = false; // the release of a double click's second press
};
