// The arrow buttons and the two opening buttons: selected parabolas move
// one lattice unit or open wider or narrower, staying on lattice points.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "model/FormulaText.h"
#include "plane/Prompt.h"

namespace {
// One step of a domain end; the sentinels stay unbounded.
int ShiftBound(int bound, int step, int sentinel)
{
    return bound == sentinel ? bound : bound + step;
}
}  // namespace

void TfrmMain::ReshapeSelected(int op)
{
    if (lstShiki->count() == 0) {
        prompt().message(QStringLiteral("対象となる式がありません"));
        return;
    }
    bool any = false;
    for (int i = 0; i < lstShiki->count() && !any; ++i)
        any = IsSelected(i);
    if (!any) {
        prompt().message(QStringLiteral("対象となる式を選んでください。\r\rグラフのハンドルを右クリックしてください"));
        return;
    }
    for (int i = 0; i < m_state.ParabolaCount; ++i) {
        if (!IsSelected(i))
            continue;
        TLineSpec &r = m_state.Parabolas[std::size_t(i)];
        if (r.PointX == r.VertexX)
            break;
        switch (op) {
        case 0:  // wider: the passing point moves away from the vertex
            r.PointX += r.PointX >= r.VertexX ? 1 : -1;
            break;
        case 1: {  // narrower: towards the vertex, never onto its column
            const int back = r.PointX;
            r.PointX += r.PointX >= r.VertexX ? -1 : 1;
            if (r.PointX == r.VertexX) {
                r.PointX = back;
                prompt().message(QStringLiteral("これ以上はできません"));
                // Entries changed before this one keep their change; show them.
                DispAllLine();
                return;
            }
            break;
        }
        case 2:
            ++r.VertexY;
            ++r.PointY;
            break;
        case 3:
            --r.VertexY;
            --r.PointY;
            break;
        case 4:
        case 5: {
            const int step = op == 4 ? 1 : -1;
            r.VertexX += step;
            r.PointX += step;
            r.DomainLow = ShiftBound(r.DomainLow, step, kUnboundedLow);
            r.DomainHigh = ShiftBound(r.DomainHigh, step, kUnboundedHigh);
            break;
        }
        default:
            return;
        }
        r.Formula = StandardFormPlain(r, CurrentForm());
        lstShiki->item(i)->setText(r.Formula);
        WriteUnitLines(r, i);
        lstShiki->item(i)->setSelected(true);
    }
    DispAllLine();
}
