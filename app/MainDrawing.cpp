// Building and storing parabolas in the working list.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "plane/AutoColor.h"
#include "plane/Plotting.h"
#include "plane/Prompt.h"
#include "plane/UnitLines.h"
#include "ui/ImageView.h"

Parabola MainWindow::NewParabolaRecord(QPoint vertex, QPoint passingPoint)
{
    DrawingSettings &draw = Program().Draw;
    Parabola rec;
    rec.LineMode = draw.LineMode;
    rec.LineWidth = draw.LineWidth;
    rec.LowerIncluded = draw.LowerIncluded ? 1 : 0;
    rec.UpperIncluded = draw.UpperIncluded ? 1 : 0;
    rec.Color = std::int32_t(NextAutoColor(draw));
    rec.EndStyle = draw.LineMode == 1 ? draw.SegmentEnds : (draw.LineMode == 2 || draw.LineMode == 3) ? draw.HalfLineEnds : 0;
    rec.VertexX = vertex.x();
    rec.VertexY = vertex.y();
    rec.PointX = passingPoint.x();
    rec.PointY = passingPoint.y();
    rec.DomainLow = kUnboundedLow;
    rec.DomainHigh = kUnboundedHigh;
    return rec;
}

QString MainWindow::LimitMessage()
{
    return QStringLiteral("これ以上登録できません\r\n最大登録数は ") + QString::number(kMaxParabolas) +
           QStringLiteral(" 本です");
}

bool MainWindow::StoreParabola(const Parabola &rec, int index)
{
    ProgramState &st = Program();
    if (rec.VertexX == rec.PointX || rec.VertexY == rec.PointY) {
        prompt().message(QStringLiteral("放物線が描けないので登録できません"));
        DrawHandle(plane->canvas(), rec, 1, st);
        DrawHandle(plane->canvas(), rec, 2, st);
        repaintAll();
        CancelDrawing();
        return false;
    }
    if (index < 0) {
        if (m_state.ParabolaCount >= kMaxParabolas) {
            prompt().message(LimitMessage());
            return false;
        }
        m_state.Parabolas[std::size_t(m_state.ParabolaCount)] = rec;
        m_state.MirrorText.append(UnitLinesOf(rec));
        formulaList->addItem(StandardFormText(rec, CurrentForm()));
        ++m_state.ParabolaCount;
        if (st.Draw.FixedColor == Colors::White) {
            ++st.Draw.ColorCounter;
            RedrawLineSample();
        }
        index = m_state.ParabolaCount - 1;
    } else {
        if (index >= m_state.ParabolaCount)
            return false;
        m_state.Parabolas[std::size_t(index)] = rec;
        formulaList->item(index)->setText(StandardFormPlain(rec, CurrentForm()));
        WriteUnitLines(rec, index);
    }
    SelectOnly(index);
    repaintAll();
    return true;
}
