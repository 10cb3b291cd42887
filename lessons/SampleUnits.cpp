#include "lessons/SampleUnits.h"

#include "files/UnitLines.h"
#include "lessons/UnitFolder.h"
#include "model/FormulaText.h"
#include "plane/AutoColor.h"

namespace {

struct SampleCurve {
    int vx, vy, px, py;
    int mode = 0;
    int lo = kUnboundedLow, hi = kUnboundedHigh;
    bool lower = true, upper = true;
};

SampleUnit Make(const QString &file, const QString &title, const QList<SampleCurve> &curves, FormulaForm form)
{
    SampleUnit u{file, title, {}};
    int i = 0;
    for (const SampleCurve &s : curves) {
        Parabola r;
        r.VertexX = s.vx;
        r.VertexY = s.vy;
        r.PointX = s.px;
        r.PointY = s.py;
        r.LineMode = s.mode;
        r.DomainLow = s.lo;
        r.DomainHigh = s.hi;
        r.LowerIncluded = s.lower;
        r.UpperIncluded = s.upper;
        r.LineWidth = 2;
        r.Color = std::int32_t(kAutoColors[std::size_t(i++ % 16)]);
        r.Formula = StandardFormPlain(r, form);
        u.records.append(r);
    }
    return u;
}

}  // namespace

QList<SampleUnit> SampleUnits()
{
    return {
        Make(QStringLiteral("01_ax2.prb"), QStringLiteral("y=ax^2のグラフ"),
             {{0, 0, 1, 1}, {0, 0, 1, 2}, {0, 0, 2, 2}, {0, 0, 1, -1}, {0, 0, 2, -2}, {0, 0, 1, 3}},
             FormulaForm::Standard),
        Make(QStringLiteral("02_heikou.prb"), QStringLiteral("グラフの平行移動"),
             {{2, 0, 3, 1}, {0, 3, 1, 4}, {-1, -2, 0, -1}, {3, 4, 4, 3}, {-2, -1, -1, 1}},
             FormulaForm::Standard),
        Make(QStringLiteral("03_ippan.prb"), QStringLiteral("一般形の式とグラフ"),
             {{2, -1, 3, 0}, {1, 4, 2, 3}, {-1, -2, 0, 0}, {1, -2, 3, 0}},
             FormulaForm::General),
        Make(QStringLiteral("04_heniki.prb"), QStringLiteral("定義域と値域"),
             {{0, 0, 1, 1, 1, -1, 2},
              {1, 4, 2, 3, 2, 3, kUnboundedHigh},
              {0, 0, 2, 2, 1, -3, 3, false, false},
              {0, -3, 1, -2, 1, 0, 2, true, false},
              {-2, 0, -1, 1, 3, kUnboundedLow, -1}},
             FormulaForm::Standard),
    };
}

QStringList SampleUnitLines(const SampleUnit &unit)
{
    QStringList lines{unit.title};
    for (const Parabola &r : unit.records)
        lines << UnitLinesOf(r);
    return lines;
}

bool WriteSampleUnits(const QString &folder)
{
    bool ok = true;
    for (const SampleUnit &u : SampleUnits())
        ok = SaveUnitFile(SampleUnitLines(u), u.title, folder + u.fileName) && ok;
    return ok;
}
