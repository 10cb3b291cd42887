// The formula list, its popup, the display switches and the panels of the
// current parabola: the main window's handlers for the selection.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "plane/AutoColor.h"
#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "ui/ImageView.h"
#include "ui/Prompt.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>

FormulaForm MainWindow::currentForm() const
{
    return formulaFormSwitch->isChecked() ? FormulaForm::Standard : FormulaForm::General;
}

bool MainWindow::isSelected(int i) const
{
    return m_doc.isSelected(i);
}

int MainWindow::currentIndex() const
{
    const QList<int> rows = m_doc.selectedRows();
    return rows.isEmpty() ? m_doc.count() - 1 : rows.first();
}

void MainWindow::selectOnly(int i)
{
    m_doc.selectOnly(i);
}

void MainWindow::fillValueTable(int i)
{
    const Parabola *rec = i >= 0 && i < m_doc.count() ? &m_doc.at(i) : nullptr;
    m_table.Fill(rec, valueTableSwitch->isChecked());
}

void MainWindow::showDomainAndRange(const Parabola &rec)
{
    const DrawingSettings &draw = m_view.Draw;
    ClearImage(domainImage->picture(), draw.PanelBackColor, draw);
    if (formulaSwitch->isChecked()) {
        Picture &x = domainImage->picture();
        Canvas &c = x.canvas();
        c.setFontColor(draw.PanelTextColor);
        c.setFontSize(14);
        if (rec.LineMode == 0) {
            c.setBrushStyle(BrushStyle::Clear);
            c.textOut(1, 16, QStringLiteral("すべての数"));
        } else {
            DrawFormulaImage(x, DomainText(rec), draw);
        }
    }
    ClearImage(rangeImage->picture(), draw.PanelBackColor, draw);
    if (domainSwitch->isChecked())
        DrawFormulaImage(rangeImage->picture(), RangeText(rec), draw);
}

void MainWindow::showAxisVertex(const Parabola &rec)
{
    const DrawingSettings &draw = m_view.Draw;
    ClearImage(axisImage->picture(), draw.PanelBackColor, draw);
    ClearImage(vertexImage->picture(), draw.PanelBackColor, draw);
    if (!domainSwitch->isChecked())
        return;
    // One line each, centred in the low panels, so the brackets of the
    // vertex keep room above and below.
    DrawingSettings line = draw;
    line.FormulaRowHeight = CentredRowHeight(axisImage->picture().height());
    DrawFormulaImage(axisImage->picture(), AxisText(rec), line);
    DrawFormulaImage(vertexImage->picture(), VertexText(rec), line);
    showDomainAndRange(rec);
}

void MainWindow::showFormula(const Parabola &rec)
{
    const DrawingSettings &draw = m_view.Draw;
    // A teacher hides the formulas to ask for them: no way round the switch.
    if (formulaSwitch->isChecked())
        DrawFormulaImage(formulaImage->picture(), rec.Formula, draw);
    else
        ClearImage(formulaImage->picture(), draw.PanelBackColor, draw);
    describePlane(&rec);
}

void MainWindow::showCurrentFormula()
{
    const int i = currentIndex();
    if (i < 0 || i >= m_doc.count()) {
        clearPanels();
        return;
    }
    const Parabola &rec = m_doc.at(i);
    showAxisVertex(rec);
    showFormula(rec);
    fillValueTable(i);
    showDomainAndRange(rec);
}

void MainWindow::formulaFormSwitched()
{
    if (formulaList->count() == 0)
        return;
    const FormulaForm form = currentForm();
    m_doc.retext([form](const Parabola &rec) { return StandardFormPlain(rec, form); });
    const QList<int> selected = m_doc.selectedRows();
    const int s = selected.isEmpty() ? currentIndex() : selected.last();
    if (s >= 0 && s < m_doc.count())
        showFormula(m_doc.at(s));
}

bool MainWindow::answersShown() const
{
    return formulaSwitch->isChecked() && domainSwitch->isChecked();
}

void MainWindow::formulaSwitched()
{
    const DrawingSettings &draw = m_view.Draw;
    if (formulaSwitch->isChecked()) {
        const int i = currentIndex();
        if (i >= 0 && i < m_doc.count()) {
            const Parabola &rec = m_doc.at(i);
            showFormula(rec);
            showDomainAndRange(rec);
        }
    } else {
        ClearImage(formulaImage->picture(), draw.PanelBackColor, draw);
        ClearImage(domainImage->picture(), draw.PanelBackColor, draw);
        describePlane(nullptr);
    }
    formulaList->viewport()->update();
    emit panelsSwitched();
}

void MainWindow::domainSwitched()
{
    const DrawingSettings &draw = m_view.Draw;
    for (ImageView *v : {rangeImage, axisImage, vertexImage})
        ClearImage(v->picture(), draw.PanelBackColor, draw);
    const int i = currentIndex();
    if (domainSwitch->isChecked() && i >= 0 && i < m_doc.count()) {
        showDomainAndRange(m_doc.at(i));
        showAxisVertex(m_doc.at(i));
    }
    emit panelsSwitched();
}

void MainWindow::valueTableSwitched()
{
    if (valueTableSwitch->isChecked())
        fillValueTable(currentIndex());
    else
        m_table.ClearValueRow();
}

void MainWindow::toggleValueTableWidth()
{
    m_table.toggleWidth();
    fillValueTable(currentIndex());
}

void MainWindow::planeSwitched(bool DrawingSettings::*flag, bool on)
{
    m_view.Draw.*flag = on;
    repaintAll();
}

void MainWindow::circleRadiusChanged()
{
    m_view.Draw.CircleRadius = circleRadiusSpin->value();
    repaintAll();
    redrawLineSample();
}

void MainWindow::redrawLineSample()
{
    ::RedrawLineSample(lineSample->picture(), m_view.Draw);
}

void MainWindow::formulaListMouseDown(QMouseEvent *e)
{
    if (formulaList->count() == 0)
        return;
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        const QModelIndex top = formulaList->indexAt(QPoint(0, 0));
        const int i = pos.y() / FormulaList::ItemHeight + (top.isValid() ? top.row() : 0);
        if (i < 0 || i >= formulaList->count())
            return;
        if (!isSelected(i))
            selectOnly(i);
        repaintAll();
        const QPoint at(pos.x() + formulaList->x() + 10, pos.y() + formulaList->y() + 20);
        formulaPopup->popup(centralWidget()->mapToGlobal(at));
        return;
    }
    const int i = formulaList->currentRow();
    if (i < 0 || i >= formulaList->count())
        return;
    repaintAll();
    if (e->modifiers() & Qt::ControlModifier)
        clearPanels();  // the list itself toggled the item
    else
        selectOnly(i);
}

void MainWindow::formulaListClick()
{
    keepReplaceOnlyIfShown();
    formulaList->viewport()->update();
    repaintAll();
}

void MainWindow::keepReplaceOnlyIfShown()
{
    // An entry waits to be replaced only while it is the one selected, so
    // the user always sees what the next parabola takes the place of.
    const int i = m_input.replaceTarget().index;
    if (i >= 0 && !(isSelected(i) && m_doc.selectedRows().size() == 1))
        cancelReplace();
}

void MainWindow::selectAllParabolas()
{
    formulaList->selectAll();
    keepReplaceOnlyIfShown();
    formulaList->viewport()->update();
    repaintAll();
}

void MainWindow::deselectAll()
{
    formulaList->clearSelection();
    cancelDrawing();
    repaintAll();
    clearPanels();
}

void MainWindow::changeSelectedColor()
{
    const auto chosen = prompt().chooseColor(m_view.Draw.FixedColor);
    if (!chosen || *chosen == Colors::White)
        return;
    UnitSnapshot next = m_doc.snapshot();
    for (int i : next.selected) {
        Parabola rec = next.entries[i].parabola;
        rec.Color = std::int32_t(*chosen);
        next.put(i, rec, next.entries[i].listText);
    }
    m_doc.commit(QStringLiteral("色を変える"), next);
    DrawingSettings &draw = m_view.Draw;
    if (draw.FixedColor == Colors::White)
        draw.ColorCounter = m_doc.count();
    formulaList->viewport()->update();
    showCurrentFormula();
}

void MainWindow::setSelectedWidth(int width)
{
    UnitSnapshot next = m_doc.snapshot();
    for (int i : next.selected) {
        Parabola rec = next.entries[i].parabola;
        rec.LineWidth = width;
        next.put(i, rec, next.entries[i].listText);
    }
    m_doc.commit(QStringLiteral("線の太さを変える"), next);
}

void MainWindow::chooseFixedColor()
{
    if (m_input.state() == InputState::WaitingForPassingPoint) {
        prompt().message(QStringLiteral("途中で色は変更できません"));
        return;
    }
    DrawingSettings &draw = m_view.Draw;
    const auto chosen = prompt().chooseColor(draw.FixedColor);
    if (!chosen)
        return;
    draw.FixedColor = *chosen;
    recolorAll();
    redrawLineSample();
    formulaList->viewport()->update();
}

void MainWindow::recolorAll()
{
    if (m_doc.count() == 0)
        return;
    DrawingSettings &draw = m_view.Draw;
    UnitSnapshot next = m_doc.snapshot();
    for (int i = 0; i < m_doc.count(); ++i) {
        Parabola rec = next.entries[i].parabola;
        rec.Color = std::int32_t(AutoColor(draw, i));
        next.put(i, rec, next.entries[i].listText);
    }
    m_doc.commit(QStringLiteral("固定ｶﾗｰの設定"), next);
    if (draw.FixedColor == Colors::White)
        draw.ColorCounter = m_doc.count();
}
