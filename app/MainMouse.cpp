// Drawing and reshaping parabolas with the mouse or the keys on the plane:
// the plane forwards its events to the drawing input, which the window
// serves as its host and whose overlay it paints; and the line-mode buttons.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "model/FormulaText.h"
#include "model/LineMode.h"
#include "plane/AutoColor.h"
#include "plane/Plotting.h"
#include "ui/Cursors.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"
#include "ui/Prompt.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace {
int CursorNumber(PlaneCursor cursor)
{
    switch (cursor) {
    case PlaneCursor::Pencil:
        return CursorNo::Pencil;
    case PlaneCursor::Finger:
        return CursorNo::Finger;
    case PlaneCursor::ScissorsRight:
        return CursorNo::HasamiR;
    case PlaneCursor::ScissorsLeft:
        return CursorNo::HasamiL;
    }
    return CursorNo::Pencil;
}
}  // namespace

QPoint MainWindow::latticeAt(QPoint pixel) const
{
    return plane->latticeAt(pixel);
}

void MainWindow::showPlanePoint(QPoint lattice)
{
    pointField->setText(QString::asprintf(" (%3d,%3d)", lattice.x(), lattice.y()));
}

void MainWindow::followKeyCursor()
{
    plane->setKeyCursor(m_input.cursor().position());
}

void MainWindow::boundKeyCursor()
{
    const PlaneGeometry &g = plane->planeGeometry();
    m_input.cursor().setBounds(g.StartX, g.LastX, g.StartY, g.LastY);
}

void MainWindow::planeMouseMove(QMouseEvent *e)
{
    const PlaneView::OverlayBatch batch(*plane);
    const QPoint p = latticeAt(e->position().toPoint());
    showPlanePoint(p);
    boundKeyCursor();
    m_input.move(p, m_clock.elapsed());
    followKeyCursor();
}

bool MainWindow::planeKeyPress(QKeyEvent *e)
{
    if (!plane->hasGeometry())
        return false;
    boundKeyCursor();
    const LatticeCursor::Action action =
        m_input.key(e->key(), e->modifiers(), e->isAutoRepeat(), m_clock.elapsed());
    if (action == LatticeCursor::Action::None)
        return false;
    showPlanePoint(m_input.cursor().position());
    followKeyCursor();
    return true;
}

void MainWindow::planeMouseDown(QMouseEvent *e)
{
    // A plane whose drawing failed has no lattice to take a click on.
    if (!plane->hasGeometry())
        return;
    const qint64 t = m_clock.elapsed();
    boundKeyCursor();
    const bool taken = m_input.press(e->button(), latticeAt(e->position().toPoint()), t);
    followKeyCursor();
    if (!taken)
        return;
    m_pressAt = t;
    m_pressTimer.start();
}

void MainWindow::planeMouseUp(QMouseEvent *e)
{
    m_input.release(e->button(), latticeAt(e->position().toPoint()), m_clock.elapsed());
}

void MainWindow::planeDblClick()
{
    m_input.doubleClick();
}

void MainWindow::escapePressed()
{
    m_input.escape();
}

void MainWindow::windowMouseMove()
{
    m_input.leftPlane();
}

void MainWindow::inputOverlayChanged()
{
    // The still picture leaves out the entry under a handle drag, so the
    // band is the one curve of it that shows.
    if (m_input.overlay().hiddenEntry != m_stillHidden)
        redrawPlane();
    plane->overlayChanged();
}

void MainWindow::paintPlaneOverlay(Canvas &frame) const
{
    const DrawingOverlay o = m_input.overlay();
    if (!o.band && !o.vertexHandle && !o.domainMark)
        return;
    const PlotContext ctx = plotContext();
    if (o.band)
        DrawRubberBand(frame, o.record, o.bandHandle == CurveHandle::PassingPoint, ctx);
    if (o.vertexHandle)
        DrawHandle(frame, o.record, Handle::Vertex, ctx);
    if (o.domainMark)
        MarkCurvePoint(frame, *o.domainMark, o.record, ctx);
}

int MainWindow::InputHost::entryCount() const
{
    return m_w.m_doc.count();
}

int MainWindow::InputHost::entryLimit() const
{
    return kMaxParabolas;
}

Parabola MainWindow::InputHost::entry(int index) const
{
    return m_w.m_doc.at(index);
}

HandleHit MainWindow::InputHost::hitTest(QPoint lattice) const
{
    for (int i = 0; i < m_w.m_doc.count(); ++i) {
        const Parabola &r = m_w.m_doc.at(i);
        if (lattice == QPoint(r.VertexX, r.VertexY))
            return {i, CurveHandle::Vertex};
        if (lattice == QPoint(r.PointX, r.PointY))
            return {i, CurveHandle::PassingPoint};
    }
    return {};
}

Parabola MainWindow::InputHost::newRecord(QPoint vertex)
{
    return m_w.newParabolaRecord(vertex, QPoint(0, 0));
}

bool MainWindow::InputHost::store(const Parabola &rec, int replaceIndex)
{
    Parabola finished = rec;
    finished.Formula = StandardFormPlain(finished, m_w.currentForm());
    return m_w.storeParabola(finished, replaceIndex);
}

void MainWindow::InputHost::message(const QString &text)
{
    prompt().message(text);
}

void MainWindow::InputHost::selectForReplacing(int index)
{
    // The next parabola replaces this entry: show it selected, with its
    // handles, whichever of its points was clicked.
    m_w.selectOnly(index);
    m_w.formulaListClick();
}

void MainWindow::InputHost::addToSelection(int index)
{
    if (index >= 0 && index < m_w.m_doc.count())
        m_w.m_doc.setSelectedRows(m_w.m_doc.selectedRows() << index);
    m_w.repaintAll();
}

void MainWindow::InputHost::clearSelection()
{
    m_w.deselectAll();
}

void MainWindow::InputHost::setCursor(PlaneCursor cursor)
{
    m_w.setPlaneCursor(CursorNumber(cursor));
}

void MainWindow::InputHost::overlayChanged()
{
    m_w.inputOverlayChanged();
}

void MainWindow::applyLineModeLook()
{
    DrawingSettings &draw = m_view.Draw;
    static const char *const segmentTexts[] = {" ≦ ≦", " ≦ ＜", " ＜ ≦", " ＜ ＜"};
    QString text;
    if (draw.NextLineMode == LineMode::Segment) {
        const int e = draw.SegmentEnds;
        if (e >= 0 && e <= 3)
            text = QString::fromUtf8(segmentTexts[e]);
    } else if (draw.NextLineMode == LineMode::RightHalf || draw.NextLineMode == LineMode::LeftHalf) {
        text = draw.HalfLineEnds == 0 ? QStringLiteral("  ≦ ") : QStringLiteral("  ＜ ");
    }
    UpdateEndFlags(draw);
    endKindsField->setText(text);
    redrawLineSample();
}

void MainWindow::setLineMode(LineMode mode)
{
    static const char *const words[] = {"全域", "中央", "右側", "左側"};
    QToolButton *const buttons[] = {wholeCurveButton, segmentButton, rightHalfLineButton, leftHalfLineButton};
    const int n = ToInt(mode);
    m_view.Draw.NextLineMode = mode;
    lineModeField->setText(QString::fromUtf8(words[n]));
    buttons[n]->defaultAction()->setChecked(true);
    applyLineModeLook();
}

void MainWindow::setWholeCurveMode()
{
    DrawingSettings &draw = m_view.Draw;
    draw.SegmentEnds = 0;
    draw.HalfLineEnds = 0;
    setLineMode(LineMode::Whole);
}

void MainWindow::setSegmentMode()
{
    setLineMode(LineMode::Segment);
}

void MainWindow::setRightHalfLineMode()
{
    setLineMode(LineMode::RightHalf);
}

void MainWindow::setLeftHalfLineMode()
{
    setLineMode(LineMode::LeftHalf);
}

void MainWindow::cycleEndKinds()
{
    DrawingSettings &draw = m_view.Draw;
    if (draw.NextLineMode == LineMode::Segment)
        draw.SegmentEnds = (draw.SegmentEnds + 1) % 4;
    else if (draw.NextLineMode == LineMode::RightHalf || draw.NextLineMode == LineMode::LeftHalf)
        draw.HalfLineEnds = draw.HalfLineEnds == 0 ? 1 : 0;
    applyLineModeLook();
}

void MainWindow::nextAutoColor()
{
    DrawingSettings &draw = m_view.Draw;
    if (draw.FixedColor != Colors::White)
        return;
    ++draw.ColorCounter;
    redrawLineSample();
}

void MainWindow::syncLineModeButtons()
{
    // The line kind dialog changed the settings: show them on the tool bar.
    const LineMode mode = m_view.Draw.NextLineMode;
    if (mode == LineMode::Whole)
        setWholeCurveMode();
    else
        setLineMode(mode);
}
