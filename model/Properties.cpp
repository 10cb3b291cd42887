#include "model/Properties.h"

#include "model/FormulaText.h"
#include "model/Fraction.h"

#include <QStringList>
#include <cmath>
#include <cstdlib>

namespace {

// Trial divisors beyond this are not tried when taking square factors out.
constexpr WideUInt kSearchLimit = 1000000;

QString num(std::int64_t v)
{
    return QString::number(qlonglong(v));
}

QString wideText(WideUInt v)
{
    if (v == 0)
        return QStringLiteral("0");
    QString text;
    while (v != 0) {
        text.prepend(QChar(u'0' + int(v % 10)));
        v /= 10;
    }
    return text;
}

// The largest integer whose square is at most v.
WideUInt squareRootFloor(WideUInt v)
{
    WideUInt s = WideUInt(std::sqrt(double(v)));
    while (s > 0 && s * s > v)
        --s;
    while ((s + 1) * (s + 1) <= v)
        ++s;
    return s;
}

// √(num/den) = k√m/e with m free of square factors (below the search
// limit) and k/e reduced.
struct SimpleRoot {
    WideUInt k = 0;
    WideUInt m = 1;
    WideUInt e = 1;
};

SimpleRoot simplifyRoot(std::int64_t num, std::int64_t den)
{
    SimpleRoot root;
    if (num <= 0 || den <= 0)
        return root;
    // √(n/d) = √(n·d)/d.
    WideUInt rest = WideUInt(num) * WideUInt(den);
    root.k = 1;
    root.e = WideUInt(den);
    for (WideUInt i = 2; i * i <= rest && i <= kSearchLimit; ++i) {
        while (rest % (i * i) == 0) {
            rest /= i * i;
            root.k *= i;
        }
        if (rest % i == 0) {
            rest /= i;
            root.m *= i;
        }
    }
    const WideUInt s = squareRootFloor(rest);
    if (s * s == rest)
        root.k *= s;
    else
        root.m *= rest;
    const WideUInt g = WideGcd(root.k, root.e);
    if (g > 1) {
        root.k /= g;
        root.e /= g;
    }
    return root;
}

QString rootText(const SimpleRoot &r)
{
    if (r.k == 0)
        return QStringLiteral("0");
    QString text;
    if (r.m == 1 || r.k != 1)
        text = wideText(r.k);
    if (r.m != 1)
        text += QStringLiteral("√") + wideText(r.m);
    if (r.e != 1)
        text += QLatin1Char('/') + wideText(r.e);
    return text;
}

int signOf(WideInt v)
{
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

// The sign of sigma·√(rn/rd) − t for sigma = ±1, rn >= 0 and rd > 0.
int compareRoot(int sigma, const Fraction &r, WideInt t)
{
    const WideInt square = t * t * r.Den;
    if (sigma > 0)
        return t < 0 ? 1 : signOf(WideInt(r.Num) - square);
    // −√r − t = |t| − √r when t <= 0.
    return t > 0 ? -1 : signOf(square - WideInt(r.Num));
}

bool lowerBounded(const Parabola &rec)
{
    return rec.LineMode == 1 || rec.LineMode == 2;
}

bool upperBounded(const Parabola &rec)
{
    return rec.LineMode == 1 || rec.LineMode == 3;
}

// Whether p + sigma·√r lies in the domain; the ends compared exactly.
bool rootInDomain(const Parabola &rec, int sigma, const Fraction &r)
{
    if (lowerBounded(rec)) {
        const int c = compareRoot(sigma, r, WideInt(rec.DomainLow) - rec.VertexX);
        if (c < 0 || (c == 0 && rec.LowerIncluded == 0))
            return false;
    }
    if (upperBounded(rec)) {
        const int c = compareRoot(sigma, r, WideInt(rec.DomainHigh) - rec.VertexX);
        if (c > 0 || (c == 0 && rec.UpperIncluded == 0))
            return false;
    }
    return true;
}

bool inDomain(const Parabola &rec, std::int64_t x)
{
    if (lowerBounded(rec) && (x < rec.DomainLow || (x == rec.DomainLow && rec.LowerIncluded == 0)))
        return false;
    if (upperBounded(rec) && (x > rec.DomainHigh || (x == rec.DomainHigh && rec.UpperIncluded == 0)))
        return false;
    return true;
}

const QString kNoXPoint = QStringLiteral("x軸との共有点はありません");

QString xIntercepts(const Parabola &rec, std::int64_t dx, std::int64_t dy)
{
    // y = 0 where (x − p)² = −q/a = −q·dx²/dy.
    const WideInt q = rec.VertexY;
    const Fraction r = dy > 0 ? ReducedFractionWide(-q * dx * dx, dy) : ReducedFractionWide(q * dx * dx, -dy);
    if (r.Overflow)
        return QStringLiteral("x = ?");
    const std::int64_t p = rec.VertexX;
    if (r.Num < 0)
        return kNoXPoint;
    if (r.Num == 0)
        return inDomain(rec, p) ? QStringLiteral("x = ") + num(p) + QStringLiteral(" (接する)") : kNoXPoint;

    const bool low = rootInDomain(rec, -1, r);
    const bool high = rootInDomain(rec, 1, r);
    if (!low && !high)
        return kNoXPoint;
    const SimpleRoot root = simplifyRoot(r.Num, r.Den);
    if (root.m == 1) {
        // Rational roots p ∓ k/e, smaller first.
        const auto rootAt = [&](int sigma) {
            return FractionText(
                ReducedFractionWide(WideInt(p) * WideInt(root.e) + sigma * WideInt(root.k), WideInt(root.e)));
        };
        QStringList roots;
        if (low)
            roots << rootAt(-1);
        if (high)
            roots << rootAt(1);
        return QStringLiteral("x = ") + roots.join(QStringLiteral(", "));
    }
    const QString centre = p != 0 ? num(p) : QString();
    const QString sign = low && high ? QStringLiteral("±") : low ? QStringLiteral("-") : QStringLiteral("+");
    // No centre to add to: a lone positive root needs no sign.
    return QStringLiteral("x = ") + centre + (centre.isEmpty() && !low ? QString() : sign) + rootText(root);
}

// Where the graph takes its largest or smallest value on its domain.
struct Extreme {
    QList<std::int64_t> xs; // ascending; empty when no point of the domain takes it
};

// The point of the domain nearest the vertex, if the domain holds it.
Extreme nearest(const Parabola &rec)
{
    const std::int64_t p = rec.VertexX;
    if (inDomain(rec, p))
        return {{p}};
    // The vertex lies beyond an end, or on an open one.
    const bool below = lowerBounded(rec) && p <= rec.DomainLow;
    if (below)
        return rec.LowerIncluded != 0 ? Extreme{{rec.DomainLow}} : Extreme{};
    return rec.UpperIncluded != 0 ? Extreme{{rec.DomainHigh}} : Extreme{};
}

// The points of the domain farthest from the vertex; none on an unbounded
// domain, and none when the farthest end is open.
Extreme farthest(const Parabola &rec)
{
    if (!lowerBounded(rec) || !upperBounded(rec))
        return {};
    const std::int64_t p = rec.VertexX;
    const std::int64_t toLow = std::abs(rec.DomainLow - p);
    const std::int64_t toHigh = std::abs(rec.DomainHigh - p);
    Extreme out;
    if (toLow >= toHigh && rec.LowerIncluded != 0)
        out.xs << rec.DomainLow;
    if (toHigh >= toLow && rec.UpperIncluded != 0)
        out.xs << rec.DomainHigh;
    return out;
}

QString extremeText(const Parabola &rec, const Extreme &e, const QString &name)
{
    if (e.xs.isEmpty())
        return name + QStringLiteral("はありません");
    QStringList xs;
    for (const std::int64_t x : e.xs)
        xs << num(x);
    return QStringLiteral("x = ") + xs.join(QStringLiteral(", ")) + QStringLiteral(" のとき ") + name +
           QLatin1Char(' ') + ValueText(rec, e.xs.first());
}

} // namespace

QString SquareRootText(std::int64_t num, std::int64_t den)
{
    return rootText(simplifyRoot(num, den));
}

ParabolaProperties PropertiesOf(const Parabola &rec)
{
    ParabolaProperties out;
    out.axis = AxisText(rec);
    out.vertex = VertexText(rec);
    const std::int64_t dx = std::int64_t(rec.PointX) - rec.VertexX;
    const std::int64_t dy = std::int64_t(rec.PointY) - rec.VertexY;
    if (dx == 0 || dy == 0)
        return out;

    out.yIntercept = inDomain(rec, 0) ? QStringLiteral("(0,") + ValueText(rec, 0) + QLatin1Char(')')
                                      : QStringLiteral("y軸との共有点はありません");
    out.xIntercepts = xIntercepts(rec, dx, dy);
    // b² − 4ac = −4aq = −4q·dy/dx².
    out.discriminant = QStringLiteral("D = b^2-4ac = ") +
                       FractionText(ReducedFractionWide(WideInt(-4) * rec.VertexY * dy, WideInt(dx) * dx));
    // Upward, the value grows with the distance from the axis.
    const Extreme near = nearest(rec);
    const Extreme far = farthest(rec);
    const bool upward = dy > 0;
    out.maximum = extremeText(rec, upward ? far : near, QStringLiteral("最大値"));
    out.minimum = extremeText(rec, upward ? near : far, QStringLiteral("最小値"));
    return out;
}
