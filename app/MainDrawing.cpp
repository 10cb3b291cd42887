// Building and storing parabolas in the working list.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "files/UnitLines.h"
#include "plane/AutoColor.h"
#include "plane/Plotting.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"
#include "ui/Prompt.h"

Parabola MainWindow::newParabolaRecord(QPoint vertex, QPoint passingPoint)
{
    DrawingSettings &draw = m_view.Draw;
    Parabola rec;
    rec.LineMode = ToInt(draw.NextLineMode);
    rec.LineWidth = draw.LineWidth;
    rec.LowerIncluded = draw.LowerIncluded ? 1 : 0;
    rec.UpperIncluded = draw.UpperIncluded ? 1 : 0;
    rec.Color = std::int32_t(NextAutoColor(draw));
    rec.EndStyle = CurrentEndStyle(draw);
    rec.VertexX = vertex.x();
    rec.VertexY = vertex.y();
    rec.PointX = passingPoint.x();
    rec.PointY = passingPoint.y();
    rec.DomainLow = kUnboundedLow;
    rec.DomainHigh = kUnboundedHigh;
    return rec;
}

QString MainWindow::limitMessage()
{
    return DrawingInput::limitMessage(kMaxParabolas);
}

bool MainWindow::storeParabola(const Parabola &rec, int index)
{
    ViewSettings &st = m_view;
    if (rec.VertexX == rec.PointX || rec.VertexY == rec.PointY) {
        prompt().message(QStringLiteral("放物線が描けないので登録できません"));
        repaintAll();
        cancelDrawing();
        return false;
    }
    UnitSnapshot next = m_doc.snapshot();
    if (index < 0) {
        if (m_doc.count() >= kMaxParabolas) {
            prompt().message(limitMessage());
            return false;
        }
        // New entries go before the lines no record holds, so that they
        // are read back as records.
        next.append(rec, StandardFormText(rec, currentForm()));
        if (st.Draw.FixedColor == Colors::White) {
            ++st.Draw.ColorCounter;
            redrawLineSample();
        }
        index = m_doc.count();
    } else {
        if (index >= m_doc.count())
            return false;
        next.put(index, rec, StandardFormPlain(rec, currentForm()));
    }
    next.selected = {index};
    m_doc.commit(QStringLiteral("放物線"), next);
    return true;
}
