// The arrow buttons and the two opening buttons: selected parabolas move
// one lattice unit or open wider or narrower, staying on lattice points.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "model/FormulaText.h"
#include "ui/Prompt.h"

#include <cstdint>
#include <limits>

namespace {
// One step of a domain end; the sentinels stay unbounded.
int ShiftBound(int bound, int step, int sentinel)
{
    return bound == sentinel ? bound : bound + step;
}

bool FitsInt(qint64 v)
{
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// Whether one step of the operation keeps every coordinate of the entry a
// 32-bit integer, as a record holds it. Narrowing moves towards the vertex
// and always fits.
bool StepFits(const Parabola &r, Reshape op)
{
    switch (op) {
    case Reshape::Wider:
        return FitsInt(qint64(r.PointX) + (r.PointX >= r.VertexX ? 1 : -1));
    case Reshape::Up:
    case Reshape::Down: {
        const int step = op == Reshape::Up ? 1 : -1;
        return FitsInt(qint64(r.VertexY) + step) && FitsInt(qint64(r.PointY) + step);
    }
    case Reshape::Right:
    case Reshape::Left: {
        const int step = op == Reshape::Right ? 1 : -1;
        return FitsInt(qint64(r.VertexX) + step) && FitsInt(qint64(r.PointX) + step) &&
               (r.DomainLow == kUnboundedLow || FitsInt(qint64(r.DomainLow) + step)) &&
               (r.DomainHigh == kUnboundedHigh || FitsInt(qint64(r.DomainHigh) + step));
    }
    case Reshape::Narrower:
        return true;
    }
    return true;
}
}  // namespace

void MainWindow::reshapeSelected(Reshape op)
{
    if (formulaList->count() == 0) {
        prompt().message(QStringLiteral("対象となる式がありません"));
        return;
    }
    bool any = false;
    for (int i = 0; i < formulaList->count() && !any; ++i)
        any = isSelected(i);
    if (!any) {
        prompt().message(QStringLiteral("対象となる式を選んでください。\r\rグラフのハンドルを右クリックしてください"));
        return;
    }
    // A move that would carry any entry of the pass past the integers a
    // record holds is refused whole, so the selected curves keep their places
    // relative to each other.
    const QList<int> selected = m_doc.selectedRows();
    for (int i : selected) {
        const Parabola &r = m_doc.at(i);
        if (r.PointX == r.VertexX)
            break;
        if (!StepFits(r, op)) {
            prompt().message(QStringLiteral("これ以上はできません"));
            return;
        }
    }
    UnitSnapshot next = m_doc.snapshot();
    const bool opening = op == Reshape::Wider || op == Reshape::Narrower;
    const QString text = opening ? QStringLiteral("広く・狭く") : QStringLiteral("移動");
    for (int i : selected) {
        Parabola r = next.entries[i].parabola;
        if (r.PointX == r.VertexX)
            break;
        switch (op) {
        case Reshape::Wider: // wider: the passing point moves away from the vertex
            r.PointX += r.PointX >= r.VertexX ? 1 : -1;
            break;
        case Reshape::Narrower: { // narrower: towards the vertex, never onto its column
            r.PointX += r.PointX >= r.VertexX ? -1 : 1;
            if (r.PointX == r.VertexX) {
                prompt().message(QStringLiteral("これ以上はできません"));
                // Entries changed before this one keep their change; show them.
                m_doc.commit(text, next);
                return;
            }
            break;
        }
        case Reshape::Up:
            ++r.VertexY;
            ++r.PointY;
            break;
        case Reshape::Down:
            --r.VertexY;
            --r.PointY;
            break;
        case Reshape::Right:
        case Reshape::Left: {
            const int step = op == Reshape::Right ? 1 : -1;
            r.VertexX += step;
            r.PointX += step;
            r.DomainLow = ShiftBound(r.DomainLow, step, kUnboundedLow);
            r.DomainHigh = ShiftBound(r.DomainHigh, step, kUnboundedHigh);
            break;
        }
        }
        r.Formula = StandardFormPlain(r, currentForm());
        next.put(i, r, r.Formula);
    }
    m_doc.commit(text, next);
}
