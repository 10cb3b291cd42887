#include "input/DrawingInput.h"

#include "model/LineMode.h"

#include <algorithm>

namespace {
bool SharesRowOrColumn(QPoint a, QPoint b)
{
    return a.x() == b.x() || a.y() == b.y();
}

QPoint VertexOf(const Parabola &rec)
{
    return QPoint(rec.VertexX, rec.VertexY);
}

QPoint PassingPointOf(const Parabola &rec)
{
    return QPoint(rec.PointX, rec.PointY);
}

// Whole curves and kinds no file should hold have no domain to ask for.
bool HasDomain(const Parabola &rec)
{
    const auto mode = LineModeFromInt(rec.LineMode);
    return mode && *mode != LineMode::Whole;
}
} // namespace

QString DrawingInput::limitMessage(int limit)
{
    return QStringLiteral("これ以上登録できません\r\n最大登録数は ") + QString::number(limit) +
           QStringLiteral(" 本です");
}

bool DrawingInput::drawing() const
{
    return m_state != InputState::Idle && m_state != InputState::HandleDrag;
}

DrawingOverlay DrawingInput::overlay() const
{
    DrawingOverlay o;
    if (m_state == InputState::Idle)
        return o;
    o.record = m_record;
    if (m_bandShown) {
        o.band = true;
        o.bandHandle = m_movingPassPoint ? CurveHandle::PassingPoint : CurveHandle::Vertex;
    } else {
        o.vertexHandle = true;
    }
    if (m_state == InputState::WaitingForDomainEnd)
        o.domainMark = m_record.DomainLow;
    o.hiddenEntry = m_hiddenEntry;
    return o;
}

void DrawingInput::setMovingPoint(QPoint p)
{
    if (m_movingPassPoint) {
        m_record.PointX = p.x();
        m_record.PointY = p.y();
    } else {
        m_record.VertexX = p.x();
        m_record.VertexY = p.y();
    }
}

bool DrawingInput::press(Qt::MouseButton button, QPoint lattice, qint64 t)
{
    // A second button while the first is timed, or while a handle is
    // dragged, is no press of its own.
    if (m_pressPending || m_state == InputState::HandleDrag)
        return false;
    m_lastButton = button;
    m_mouseDown = true;
    m_pressPoint = lattice;
    m_cursor.setPosition(lattice);
    // While a parabola is being drawn the entry it will replace is settled.
    if (button != Qt::LeftButton && m_state == InputState::Idle) {
        m_down = lattice;
        m_hit = m_host.hitTest(lattice);
    }
    m_pressPending = true;
    m_pressTime = t;
    return true;
}

void DrawingInput::held(qint64 t)
{
    if (!pressIsDue(t))
        return;
    // The button is still down after the click time: a press, not a click.
    m_pressPending = false;
    if (m_lastButton == Qt::LeftButton)
        return;
    // Any release during the wait means the button is no longer held.
    if (m_state == InputState::Idle && m_mouseDown && m_hit.index >= 0 && m_hit.index < m_host.entryCount())
        beginHandleDrag();
}

LatticeCursor::Action DrawingInput::key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat, qint64 t)
{
    const LatticeCursor::Action action = m_cursor.key(key, modifiers, autoRepeat);
    switch (action) {
    case LatticeCursor::Action::Moved:
        move(m_cursor.position(), t);
        break;
    case LatticeCursor::Action::Click:
        // While a mouse press is timed or a handle dragged the key waits
        // its turn like a second button.
        held(t);
        if (!m_pressPending && m_state != InputState::HandleDrag)
            click(m_cursor.position());
        break;
    case LatticeCursor::Action::Cancel:
        escape();
        break;
    case LatticeCursor::Action::None:
        break;
    }
    return action;
}

void DrawingInput::move(QPoint lattice, qint64 t)
{
    held(t);
    m_cursor.setPosition(lattice);
    m_current = lattice;
    // The band waits while a press is timed.
    const bool follows = m_state == InputState::WaitingForPassingPoint || m_state == InputState::HandleDrag;
    if (!follows || m_pressPending || m_current == m_previous)
        return;
    setMovingPoint(m_current);
    m_previous = m_current;
    m_bandShown = true;
    m_host.overlayChanged();
}

void DrawingInput::release(Qt::MouseButton button, QPoint lattice, qint64 t)
{
    if (m_ignoreRelease) {
        m_ignoreRelease = false;
        m_mouseDown = false;
        return;
    }
    held(t);
    if (m_pressPending && button == m_lastButton) {
        // Released within the click time: a click where the button went down.
        m_pressPending = false;
        m_mouseDown = false;
        if (button == Qt::LeftButton)
            click(m_pressPoint);
        else if (m_hit.index >= 0 && m_state == InputState::Idle)
            m_host.selectForReplacing(m_hit.index);
        return;
    }
    m_mouseDown = false;
    if (m_state != InputState::HandleDrag || button == Qt::LeftButton)
        return;
    m_lastButton = button;
    releaseHandleDrag(lattice);
}

void DrawingInput::doubleClick()
{
    // The first click of a double click has already counted; the second
    // press of the pair, which arrives just before this, is not another click.
    m_pressPending = false;
    m_ignoreRelease = true;
}

void DrawingInput::escape()
{
    // Esc drops a drawing or drag under way, else a replace waiting.
    if (busy()) {
        endDrawing();
    } else if (m_hit.index >= 0) {
        m_hit = {};
        m_host.clearSelection();
    }
}

void DrawingInput::leftPlane()
{
    if (!busy())
        return;
    clearTransient();
    m_host.setCursor(PlaneCursor::Pencil);
    m_host.overlayChanged();
}

void DrawingInput::cancel()
{
    if (!busy())
        return;
    clearTransient();
    m_host.overlayChanged();
}

void DrawingInput::clearTransient()
{
    m_state = InputState::Idle;
    m_bandShown = false;
    m_hiddenEntry = -1;
}

void DrawingInput::endDrawing()
{
    const bool wasBusy = busy();
    clearTransient();
    m_hit = {};
    m_host.setCursor(PlaneCursor::Pencil);
    if (wasBusy)
        m_host.overlayChanged();
}

void DrawingInput::storeDrawing()
{
    // The host may repaint while storing, which cancels: end with copies.
    const Parabola rec = m_record;
    const int index = m_hit.index;
    m_host.store(rec, index); // a refusal has told the user already
    endDrawing();
}

void DrawingInput::click(QPoint lattice)
{
    switch (m_state) {
    case InputState::Idle:
        if (m_host.entryCount() >= m_host.entryLimit()) {
            m_host.message(limitMessage(m_host.entryLimit()));
            return;
        }
        m_record = m_host.newRecord(lattice);
        m_previous = lattice;
        m_fixed = lattice;
        m_movingPassPoint = true;
        m_bandShown = false;
        m_state = InputState::WaitingForPassingPoint;
        m_host.overlayChanged();
        return;
    case InputState::WaitingForPassingPoint:
        clickPassingPoint(lattice);
        return;
    case InputState::WaitingForDomainStart:
        clickDomainStart(lattice);
        return;
    case InputState::WaitingForDomainEnd:
        clickDomainEnd(lattice);
        return;
    case InputState::HandleDrag:
        return;
    }
}

void DrawingInput::clickPassingPoint(QPoint p)
{
    if (SharesRowOrColumn(p, m_fixed)) {
        m_host.message(QStringLiteral("放物線が描けません11"));
        endDrawing();
        return;
    }
    const auto mode = LineModeFromInt(m_record.LineMode);
    if (!mode) {
        endDrawing();
        return;
    }
    switch (*mode) {
    case LineMode::Whole: {
        m_record.PointX = p.x();
        m_record.PointY = p.y();
        m_record.DomainLow = kUnboundedLow;
        m_record.DomainHigh = kUnboundedHigh;
        const Parabola rec = m_record;
        if (!m_host.store(rec, m_hit.index))
            m_host.message(QStringLiteral("Cannot Store"));
        endDrawing();
        return;
    }
    case LineMode::Segment:
    case LineMode::RightHalf:
        // The passing point stays where the band last put it.
        m_state = InputState::WaitingForDomainStart;
        m_host.setCursor(PlaneCursor::ScissorsRight);
        m_host.overlayChanged();
        return;
    case LineMode::LeftHalf:
        m_state = InputState::WaitingForDomainStart;
        m_host.setCursor(PlaneCursor::ScissorsLeft);
        m_host.overlayChanged();
        return;
    }
}

void DrawingInput::clickDomainStart(QPoint q)
{
    // Only the x of a domain click counts.
    switch (LineModeFromInt(m_record.LineMode).value_or(LineMode::Whole)) {
    case LineMode::Segment:
        m_record.DomainLow = q.x();
        m_record.DomainHigh = kUnboundedHigh;
        m_state = InputState::WaitingForDomainEnd;
        m_host.setCursor(PlaneCursor::ScissorsLeft);
        m_host.overlayChanged();
        return;
    case LineMode::RightHalf:
        m_record.DomainLow = q.x();
        m_record.DomainHigh = kUnboundedHigh;
        break;
    case LineMode::LeftHalf:
        m_record.DomainLow = kUnboundedLow;
        m_record.DomainHigh = q.x();
        break;
    case LineMode::Whole:
        break; // stored as it is
    }
    storeDrawing();
}

void DrawingInput::clickDomainEnd(QPoint q)
{
    if (q.x() == m_record.DomainLow) {
        m_host.message(QStringLiteral("変域が正しくありません"));
        return;
    }
    const int first = m_record.DomainLow;
    m_record.DomainLow = std::min(first, q.x());
    m_record.DomainHigh = std::max(first, q.x());
    storeDrawing();
}

void DrawingInput::beginHandleDrag()
{
    m_record = m_host.entry(m_hit.index);
    m_hiddenEntry = m_hit.index;
    m_previous = m_down;
    m_movingPassPoint = m_hit.handle != CurveHandle::Vertex;
    m_fixed = m_movingPassPoint ? VertexOf(m_record) : PassingPointOf(m_record);
    m_current = m_movingPassPoint ? PassingPointOf(m_record) : VertexOf(m_record);
    m_bandShown = true;
    m_state = InputState::HandleDrag;
    m_host.setCursor(PlaneCursor::Finger);
    m_host.overlayChanged();
}

void DrawingInput::releaseHandleDrag(QPoint lattice)
{
    if (!HasDomain(m_record)) {
        finishWholeCurveDrag(lattice);
        return;
    }
    // The new shape is checked like a second click, then the domain is
    // asked for again; the result replaces the dragged entry.
    setMovingPoint(m_current);
    m_state = InputState::WaitingForPassingPoint;
    clickPassingPoint(lattice);
}

void DrawingInput::finishWholeCurveDrag(QPoint p)
{
    // A whole curve keeps its kind whatever line mode is chosen for new
    // parabolas: the drag reshapes it and it is stored at once.
    const int index = m_hit.index;
    const bool unmoved = p == m_down;
    const bool refused = !unmoved && SharesRowOrColumn(p, m_fixed);
    setMovingPoint(p);
    const Parabola rec = m_record;
    endDrawing();
    if (unmoved || refused) {
        // The curve under the handle ends selected.
        m_host.addToSelection(index);
        if (refused)
            m_host.message(QStringLiteral("放物線が描けません"));
        return;
    }
    m_host.store(rec, index);
}
