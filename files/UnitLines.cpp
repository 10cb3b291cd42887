#include "files/UnitLines.h"

namespace {
QString Pair(qint64 a, qint64 b)
{
    return QString::number(a) + QLatin1Char(',') + QString::number(b);
}
} // namespace

int PackStyle(const Parabola &rec)
{
    const int e = (rec.LowerIncluded ? 0 : 2) + (rec.UpperIncluded ? 0 : 1);
    return int(qint64(rec.LineMode) + 16 * qint64(rec.LineWidth) + 256 * qint64(e));
}

QStringList UnitLinesOf(const Parabola &rec)
{
    return {Pair(quint32(rec.Color), PackStyle(rec)), rec.Formula, Pair(rec.VertexX, rec.VertexY),
            Pair(rec.PointX, rec.PointY), Pair(rec.DomainLow, rec.DomainHigh)};
}
