// Drawing and reshaping parabolas with the mouse on the plane: the click
// state machine, the handle drag and the line-mode buttons.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "model/FormulaText.h"
#include "plane/AutoColor.h"
#include "plane/Plotting.h"
#include "plane/Prompt.h"
#include "ui/Cursors.h"
#include "ui/PlaneView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace {
QPoint MovingPoint(const Parabola &rec, bool passing)
{
    return passing ? QPoint(rec.PointX, rec.PointY) : QPoint(rec.VertexX, rec.VertexY);
}

void SetMovingPoint(Parabola &rec, bool passing, QPoint p)
{
    if (passing) {
        rec.PointX = p.x();
        rec.PointY = p.y();
    } else {
        rec.VertexX = p.x();
        rec.VertexY = p.y();
    }
}
}  // namespace

QPoint MainWindow::latticeAt(QPoint pixel) const
{
    return plane->latticeAt(pixel);
}

void MainWindow::planeMouseMove(QMouseEvent *e)
{
    m_state.CurrentPoint = latticeAt(e->position().toPoint());
    pointField->setText(QString::asprintf(" (%3d,%3d)", m_state.CurrentPoint.x(), m_state.CurrentPoint.y()));
    // While a press is timed the band stands still.
    if (!bandFollowsMouse() || m_state.CurrentPoint == m_state.PreviousPoint)
        return;
    SetMovingPoint(m_state.DrawingRecord, m_state.MovingPassPoint, m_state.CurrentPoint);
    m_state.BandShown = true;
    m_state.PreviousPoint = m_state.CurrentPoint;
    plane->overlayChanged();
}

void MainWindow::planeMouseDown(QMouseEvent *e)
{
    if (m_pressPending)
        return;  // a second button while the first is being timed
    // A plane whose drawing failed has no lattice to take a click on.
    if (!plane->hasGeometry())
        return;
    m_state.LastButton = e->button();
    m_state.MouseIsDown = true;
    m_downPixel = e->position().toPoint();
    // While a parabola is being drawn the entry it will replace is settled.
    if ((e->button() == Qt::RightButton || e->button() == Qt::MiddleButton) && m_state.ClickState == 0) {
        m_state.DownPoint = latticeAt(m_downPixel);
        const auto [index, handle] = hitTest(m_state.DownPoint);
        m_state.HitIndex = index;
        m_state.HitHandle = handle;
    }
    m_pressPending = true;
    m_pressTimer.start();
}

void MainWindow::pressHeld()
{
    // The button is still down after the click time: a press, not a click.
    m_pressPending = false;
    if (m_state.LastButton == Qt::LeftButton)
        return;
    if (m_state.HitIndex >= 0 && m_state.MouseIsDown) {
        setPlaneCursor(CursorNo::Finger);
        beginHandleDrag();
    }
}

void MainWindow::planeMouseUp(QMouseEvent *e)
{
    if (m_ignoreRelease) {
        m_ignoreRelease = false;
        m_state.MouseIsDown = false;
        return;
    }
    if (m_pressPending && e->button() == m_state.LastButton) {
        // Released within the click time: a click.
        m_pressTimer.stop();
        m_pressPending = false;
        m_state.MouseIsDown = false;
        if (e->button() == Qt::LeftButton) {
            planeClick(m_downPixel.x(), m_downPixel.y());
        } else if (m_state.HitIndex >= 0 && m_state.ClickState == 0) {
            // The next parabola replaces this entry: show it selected, with
            // its handles, whichever of its points was clicked.
            selectOnly(m_state.HitIndex);
            formulaListClick();
        }
        return;
    }
    m_state.MouseIsDown = false;
    if (m_state.Band != MainState::BandKind::HandleDrag || e->button() == Qt::LeftButton)
        return;
    m_state.LastButton = e->button();
    const QPoint pixel = e->position().toPoint();
    if (m_state.DrawingRecord.LineMode >= 1 && m_state.DrawingRecord.LineMode <= 3) {
        m_state.Band = MainState::BandKind::None;
        if (!m_state.MovingPassPoint) {
            m_state.DrawingRecord.VertexX = m_state.CurrentPoint.x();
            m_state.DrawingRecord.VertexY = m_state.CurrentPoint.y();
        }
        // The new shape is checked, then the domain is asked for again.
        m_state.ClickState = 1;
        planeClick(pixel.x(), pixel.y());
    } else {
        finishHandleDrag(pixel.x(), pixel.y());
        repaintAll();
        cancelDrawing();
    }
}

void MainWindow::planeDblClick()
{
    // The first click of a double click has already counted; the second
    // press of the pair, which arrives just before this, is not another click.
    if (m_pressPending) {
        m_pressTimer.stop();
        m_pressPending = false;
    }
    m_ignoreRelease = true;
}

std::pair<int, int> MainWindow::hitTest(QPoint point) const
{
    for (int i = 0; i < m_doc.count(); ++i) {
        const Parabola &r = m_doc.at(i);
        if (point == QPoint(r.VertexX, r.VertexY))
            return {i, 1};
        if (point == QPoint(r.PointX, r.PointY))
            return {i, 2};
    }
    return {-1, 0};
}

void MainWindow::storeDrawing()
{
    Parabola &rec = m_state.DrawingRecord;
    rec.Formula = StandardFormPlain(rec, currentForm());
    storeParabola(rec, m_state.HitIndex);  // a refusal has told the user already
    cancelDrawing();
}

void MainWindow::planeClick(int x, int y)
{
    Parabola &rec = m_state.DrawingRecord;
    switch (m_state.ClickState) {
    case 0: {
        if (m_doc.count() >= kMaxParabolas) {
            prompt().message(limitMessage());
            return;
        }
        m_state.Band = MainState::BandKind::NewCurve;
        const QPoint p = latticeAt(QPoint(x, y));
        rec = newParabolaRecord(p, QPoint(0, 0));
        m_state.PreviousPoint = p;
        m_state.FixedPoint = p;
        m_state.MovingPassPoint = true;
        m_state.BandShown = false;
        m_state.ClickState = 1;
        plane->overlayChanged();
        return;
    }
    case 1: {
        m_state.Band = MainState::BandKind::None;
        const QPoint p = latticeAt(QPoint(x, y));
        if (p.x() == m_state.FixedPoint.x() || p.y() == m_state.FixedPoint.y()) {
            prompt().message(QStringLiteral("放物線が描けません11"));
            repaintAll();
            cancelDrawing();
            return;
        }
        switch (rec.LineMode) {
        case 0: {
            rec.PointX = p.x();
            rec.PointY = p.y();
            rec.DomainLow = kUnboundedLow;
            rec.DomainHigh = kUnboundedHigh;
            rec.Formula = StandardFormPlain(rec, currentForm());
            // A stored parabola repaints through the document.
            if (!storeParabola(rec, m_state.HitIndex))
                prompt().message(QStringLiteral("Cannot Store"));
            cancelDrawing();
            return;
        }
        case 1:
        case 2:
            setPlaneCursor(CursorNo::HasamiR);
            m_state.ClickState = 2;
            return;
        case 3:
            setPlaneCursor(CursorNo::HasamiL);
            m_state.ClickState = 2;
            return;
        default:
            cancelDrawing();
            return;
        }
    }
    case 2: {
        const QPoint q = latticeAt(QPoint(x, y));
        switch (rec.LineMode) {
        case 1:
            rec.DomainLow = q.x();
            rec.DomainHigh = kUnboundedHigh;
            m_state.ClickState = 3;
            plane->overlayChanged();
            setPlaneCursor(CursorNo::HasamiL);
            return;
        case 2:
            rec.DomainLow = q.x();
            rec.DomainHigh = kUnboundedHigh;
            storeDrawing();
            return;
        case 3:
            rec.DomainLow = kUnboundedLow;
            rec.DomainHigh = q.x();
            storeDrawing();
            return;
        default:
            // A whole curve has no domain to ask for; it is stored as it is.
            storeDrawing();
            return;
        }
    }
    case 3: {
        const QPoint q = latticeAt(QPoint(x, y));
        if (q.x() == rec.DomainLow) {
            prompt().message(QStringLiteral("変域が正しくありません"));
            return;
        }
        const int first = rec.DomainLow;
        rec.DomainLow = std::min(first, q.x());
        rec.DomainHigh = std::max(first, q.x());
        storeDrawing();
        return;
    }
    default:
        cancelDrawing();
        return;
    }
}

void MainWindow::beginHandleDrag()
{
    if (m_state.ClickState != 0 || m_state.HitIndex < 0 || m_state.HitIndex >= m_doc.count())
        return;
    m_state.PreviousPoint = m_state.DownPoint;
    m_state.DrawingRecord = m_doc.at(m_state.HitIndex);
    // The stored curve leaves the still picture while the band stands for it.
    m_state.Band = MainState::BandKind::HandleDrag;
    m_state.BandShown = true;
    m_state.HiddenIndex = m_state.HitIndex;
    const Parabola &rec = m_state.DrawingRecord;
    if (m_state.HitHandle == 1) {
        m_state.FixedPoint = QPoint(rec.PointX, rec.PointY);
        m_state.MovingPassPoint = false;
    } else {
        m_state.FixedPoint = QPoint(rec.VertexX, rec.VertexY);
        m_state.MovingPassPoint = true;
    }
    redrawPlane();
    m_state.CurrentPoint = MovingPoint(rec, m_state.MovingPassPoint);
    if (handlesSwitch->isChecked())
        setPlaneCursor(CursorNo::Finger);
}

void MainWindow::finishHandleDrag(int x, int y)
{
    setPlaneCursor(CursorNo::Pencil);
    const QPoint p = latticeAt(QPoint(x, y));
    // The curve under the handle ends selected; a stored drag selects it
    // alone, as part of the step that undo takes back.
    const bool stored = p != m_state.DownPoint && p.x() != m_state.FixedPoint.x() && p.y() != m_state.FixedPoint.y();
    if (!stored && m_state.HitIndex >= 0 && m_state.HitIndex < m_doc.count())
        m_doc.setSelectedRows(m_doc.selectedRows() << m_state.HitIndex);
    if (p == m_state.DownPoint) {
        repaintAll();
        return;
    }
    if (p.x() == m_state.FixedPoint.x() || p.y() == m_state.FixedPoint.y()) {
        prompt().message(QStringLiteral("放物線が描けません"));
        cancelDrawing();
        repaintAll();
        return;
    }
    // A whole curve keeps its kind whatever line mode is chosen for new
    // parabolas: the drag reshapes it and it is stored at once.
    endBand();
    m_state.ClickState = 0;
    SetMovingPoint(m_state.DrawingRecord, m_state.MovingPassPoint, p);
    m_state.DrawingRecord.Formula = StandardFormPlain(m_state.DrawingRecord, currentForm());
    storeParabola(m_state.DrawingRecord, m_state.HitIndex);
    cancelDrawing();
    setPlaneCursor(CursorNo::Pencil);
    m_state.HitIndex = -1;
}

void MainWindow::abortDrag()
{
    repaintAll();
    setPlaneCursor(CursorNo::Pencil);
}

bool MainWindow::drawingUnderWay() const
{
    return m_state.ClickState > 0 || m_state.Band != MainState::BandKind::None;
}

bool MainWindow::bandFollowsMouse() const
{
    return m_state.Band != MainState::BandKind::None && !m_pressPending;
}

void MainWindow::endBand()
{
    m_state.Band = MainState::BandKind::None;
    m_state.BandShown = false;
    m_state.HiddenIndex = -1;
}

void MainWindow::paintPlaneOverlay(Canvas &frame) const
{
    if (m_state.ClickState == 0 && m_state.Band == MainState::BandKind::None)
        return;
    const PlotContext ctx = plotContext();
    const Parabola &rec = m_state.DrawingRecord;
    if (m_state.BandShown)
        DrawRubberBand(frame, rec, m_state.MovingPassPoint, ctx);
    else if (m_state.Band == MainState::BandKind::NewCurve)
        DrawHandle(frame, rec, Handle::Vertex, ctx);  // the vertex, before the mouse has moved
    if (m_state.ClickState == 3)
        MarkCurvePoint(frame, rec.DomainLow, rec, ctx);
}

void MainWindow::escapePressed()
{
    // Esc drops a drawing or drag under way, else a replace waiting.
    if (drawingUnderWay()) {
        abortDrag();
        cancelDrawing();
    } else if (m_state.HitIndex >= 0) {
        deselectAll();
    }
}

void MainWindow::windowMouseMove()
{
    if (drawingUnderWay())
        abortDrag();
}

void MainWindow::applyLineModeLook()
{
    DrawingSettings &draw = Program().Draw;
    static const char *const segmentTexts[] = {" ≦ ≦", " ≦ ＜", " ＜ ≦", " ＜ ＜"};
    QString text;
    if (draw.LineMode == 1) {
        const int e = draw.SegmentEnds;
        if (e >= 0 && e <= 3)
            text = QString::fromUtf8(segmentTexts[e]);
    } else if (draw.LineMode == 2 || draw.LineMode == 3) {
        text = draw.HalfLineEnds == 0 ? QStringLiteral("  ≦ ") : QStringLiteral("  ＜ ");
    }
    UpdateEndFlags(draw);
    endKindsField->setText(text);
    redrawLineSample();
}

void MainWindow::setLineMode(int mode)
{
    static const char *const words[] = {"全域", "中央", "右側", "左側"};
    QToolButton *const buttons[] = {wholeCurveButton, segmentButton, rightHalfLineButton, leftHalfLineButton};
    if (mode < 0 || mode > 3)
        return;
    Program().Draw.LineMode = mode;
    lineModeField->setText(QString::fromUtf8(words[mode]));
    buttons[mode]->defaultAction()->setChecked(true);
    applyLineModeLook();
}

void MainWindow::setWholeCurveMode()
{
    DrawingSettings &draw = Program().Draw;
    draw.SegmentEnds = 0;
    draw.HalfLineEnds = 0;
    setLineMode(0);
}

void MainWindow::setSegmentMode()
{
    setLineMode(1);
}

void MainWindow::setRightHalfLineMode()
{
    setLineMode(2);
}

void MainWindow::setLeftHalfLineMode()
{
    setLineMode(3);
}

void MainWindow::cycleEndKinds()
{
    DrawingSettings &draw = Program().Draw;
    if (draw.LineMode == 1)
        draw.SegmentEnds = (draw.SegmentEnds + 1) % 4;
    else if (draw.LineMode == 2 || draw.LineMode == 3)
        draw.HalfLineEnds = draw.HalfLineEnds == 0 ? 1 : 0;
    applyLineModeLook();
}

void MainWindow::nextAutoColor()
{
    DrawingSettings &draw = Program().Draw;
    if (draw.FixedColor != Colors::White)
        return;
    ++draw.ColorCounter;
    redrawLineSample();
}

void MainWindow::syncLineModeButtons()
{
    // The line kind dialog changed the settings: show them on the tool bar.
    const int mode = Program().Draw.LineMode;
    if (mode == 0)
        setWholeCurveMode();
    else
        setLineMode(mode);
}
