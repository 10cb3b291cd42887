#include "plane/Plotting.h"

#include "plane/AutoColor.h"
#include "plane/PlaneDrawing.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// Hand-edited records can put curve points millions of pixels away. Such
// points lie outside every picture anyway; clamping them keeps the integer
// arithmetic defined and the rasteriser inside its coordinate range.
constexpr double kPixelLimit = 4'000'000.0;

constexpr int kHandleHalf = 5;
constexpr int kLatticeDotHalf = 4;
constexpr int kCrossHalf = 6;
constexpr int kSampleWidth = 40;
constexpr int kSampleLeftEnd = 10;
constexpr int kSampleRightEnd = 30;

int ClampPixel(double v)
{
    return int(std::clamp(v, -kPixelLimit, kPixelLimit));
}

// Pixel of a real plane point, rounded as the plane conversions round.
QPoint Pixel(const PlaneGeometry &g, double x, double y)
{
    return QPoint(ClampPixel(double(g.OriginX) + PlaneGeometry::RoundEven(g.ScaleX * x)),
                  ClampPixel(double(g.OriginY) - PlaneGeometry::RoundEven(g.ScaleY * y)));
}

QPoint CurvePoint(const PlaneGeometry &g, const Parabola &rec, double x)
{
    return Pixel(g, x, RealValueAt(rec, x));
}

Color ColorOf(const Parabola &rec)
{
    return Color(std::uint32_t(rec.Color)) & 0xFFFFFFu;
}

bool Degenerate(const Parabola &rec)
{
    return rec.PointX == rec.VertexX || rec.PointY == rec.VertexY;
}

struct PiecePlan {
    double start = 0;
    double step = 0;
    std::int64_t count = 0;  // may be 0 or negative: no samples
};

// Drops the samples that lie left or right of a picture `width` pixels wide
// (with a margin for the pen and one step period to spare), so a piece costs
// at most the picture's width whatever domain a file holds. Whole periods
// are dropped (10 steps of 0.1 or 5 of 0.4 make a whole number of units), so
// the samples that stay keep their places.
void ClipToPicture(PiecePlan &plan, std::int64_t first, const PlaneGeometry &g, int width, int penWidth)
{
    const bool fine = plan.step < 0.2;
    const std::int64_t period = fine ? 1 : 2;           // units
    const std::int64_t perPeriod = fine ? 10 : 5;       // samples
    const double scale = std::max(g.ScaleX, 1);
    const double margin = double(std::max(penWidth, 1)) + 2.0;
    const std::int64_t left = std::int64_t(std::floor((-double(g.OriginX) - margin) / scale)) - period;
    const std::int64_t right = std::int64_t(std::ceil((double(width) - g.OriginX + margin) / scale)) + period;
    if (first < left) {
        const std::int64_t skipped = (left - first) / period;
        first += skipped * period;
        plan.start = double(first);
        plan.count -= skipped * perPeriod;
    }
    if (plan.count <= 0)
        return;
    const std::int64_t kept = first > right ? 1 : ((right - first) / period + 1) * perPeriod + 1;
    plan.count = std::min(plan.count, kept);
}

// from <= to already.
std::optional<PiecePlan> PlanPiece(int from, int to, const Parabola &rec, const PlotContext &ctx, int width,
                                   int penWidth)
{
    if (Degenerate(rec))
        return std::nullopt;
    const auto [visibleLow, visibleHigh] = VisibleXRange(rec, ctx.planeWidth, ctx.geometry.ScaleY);
    const std::int64_t xs = from == kUnboundedLow ? visibleLow : from;
    const std::int64_t xe = to == kUnboundedHigh ? visibleHigh : to;
    const double dx = double(std::int64_t(rec.PointX) - rec.VertexX);
    const double a = double(std::int64_t(rec.PointY) - rec.VertexY) / (dx * dx);
    const bool steep = std::fabs(a) >= 1.0;
    const std::int64_t span = xe - xs;
    PiecePlan plan;
    plan.start = double(xs);
    plan.step = steep ? 0.1 : 0.4;
    // The coarse step drops the half step of an odd span (floor of 2.5 per unit).
    plan.count = steep ? 10 * span + 1 : std::int64_t(std::floor(2.5 * double(span))) + 1;
    ClipToPicture(plan, xs, ctx.geometry, width, penWidth);
    return plan;
}

// The step is added up rather than multiplied: the rounding of the sums
// decides which pixel a sample lands on.
std::vector<QPoint> SamplesOf(const PiecePlan &plan, const Parabola &rec, const PlaneGeometry &g)
{
    std::vector<QPoint> points;
    if (plan.count <= 0)
        return points;
    points.reserve(std::size_t(plan.count));
    double x = plan.start;
    for (std::int64_t i = 0; i < plan.count; ++i) {
        points.push_back(CurvePoint(g, rec, x));
        x += plan.step;
    }
    return points;
}

}  // namespace

std::vector<QPoint> CurvePieceSamples(int from, int to, const Parabola &rec, const PlotContext &ctx)
{
    if (from > to)
        std::swap(from, to);
    const std::optional<PiecePlan> plan = PlanPiece(from, to, rec, ctx, ctx.planeWidth, rec.LineWidth);
    if (!plan)
        return {};
    return SamplesOf(*plan, rec, ctx.geometry);
}

namespace {
long long g_piecesDrawn = 0;
}

long long CurvePiecesDrawn()
{
    return g_piecesDrawn;
}

bool DrawCurvePiece(int from, int to, Canvas &c, bool dotted, const Parabola &rec, const PlotContext &ctx)
{
    ++g_piecesDrawn;
    if (from > to)
        std::swap(from, to);
    const std::optional<PiecePlan> plan = PlanPiece(from, to, rec, ctx, c.width(), c.penWidth());
    if (!plan)
        return false;

    const PlaneGeometry &g = ctx.geometry;
    const Color color = ColorOf(rec);
    c.setPenColor(color);
    c.setBrushColor(color);
    const QPoint first = CurvePoint(g, rec, plan->start);
    c.moveTo(first.x(), first.y());

    if (!dotted) {
        const std::vector<QPoint> points = SamplesOf(*plan, rec, g);
        c.lineToEach(points.data(), int(points.size()));
        // Without the dots the sampled line would stop short of a finite end
        // (up to 0.2 units with the coarse step), visibly apart from its mark.
        if (from != kUnboundedLow && to != kUnboundedHigh && !ctx.draw.Dotted) {
            const QPoint end = CurvePoint(g, rec, double(to));
            c.lineTo(end.x(), end.y());
        }
    } else if (ctx.draw.Dotted) {
        QVarLengthArray<QRect, 512> dots;
        QPoint p = first;
        double x = plan->start;
        for (std::int64_t i = 0; i < plan->count; ++i) {
            p = CurvePoint(g, rec, x);
            dots.append(QRect(p.x() - 1, p.y() - 1, 2, 2));
            x += plan->step;
        }
        c.blocks(dots.data(), int(dots.size()));
        c.moveTo(p.x(), p.y());
    }
    return true;
}

void DrawParabola(Canvas &c, const Parabola &rec, bool selected, const PlotContext &ctx)
{
    int lo = rec.DomainLow;
    int hi = rec.DomainHigh;
    if (lo > hi)
        std::swap(lo, hi);
    c.setPenWidth(rec.LineWidth);

    const bool lowerIncluded = rec.LowerIncluded != 0;
    const bool upperIncluded = rec.UpperIncluded != 0;
    switch (rec.LineMode) {
    case 0:
        DrawCurvePiece(lo, hi, c, false, rec, ctx);
        break;
    case 1:
        if (lo == kUnboundedLow) {
            DrawCurvePiece(kUnboundedLow, hi, c, true, rec, ctx);
            break;
        }
        // A degenerate segment shows nothing at all: no marks, no handles.
        if (!DrawCurvePiece(kUnboundedLow, lo, c, true, rec, ctx) ||
            !DrawCurvePiece(lo, hi, c, false, rec, ctx) ||
            !DrawCurvePiece(hi, kUnboundedHigh, c, true, rec, ctx))
            return;
        DrawEndMark(c, lo, rec, lowerIncluded, ctx);
        DrawEndMark(c, hi, rec, upperIncluded, ctx);
        break;
    case 2:
        DrawCurvePiece(kUnboundedLow, lo, c, true, rec, ctx);
        DrawCurvePiece(lo, kUnboundedHigh, c, false, rec, ctx);
        DrawEndMark(c, lo, rec, lowerIncluded, ctx);
        break;
    case 3:
        DrawCurvePiece(kUnboundedLow, hi, c, false, rec, ctx);
        DrawCurvePiece(hi, kUnboundedHigh, c, true, rec, ctx);
        DrawEndMark(c, hi, rec, upperIncluded, ctx);
        break;
    default:
        break;
    }

    if (!selected)
        return;
    DrawHandle(c, rec, Handle::Vertex, ctx);
    DrawHandle(c, rec, Handle::PassingPoint, ctx);
}

void DrawSelectionMarks(Canvas &c, const Parabola &rec, const PlotContext &ctx)
{
    const bool degenerateSegment =
        rec.LineMode == 1 && std::min(rec.DomainLow, rec.DomainHigh) != kUnboundedLow && Degenerate(rec);
    if (!degenerateSegment) {
        DrawHandle(c, rec, Handle::Vertex, ctx);
        DrawHandle(c, rec, Handle::PassingPoint, ctx);
    }
    DrawLatticeDots(c, rec, ctx);
}

void DrawRubberBand(Canvas &c, const Parabola &rec, bool movingPassPoint, const PlotContext &ctx)
{
    c.setPenWidth(rec.LineWidth);
    DrawCurvePiece(kUnboundedLow, kUnboundedHigh, c, false, rec, ctx);
    DrawHandle(c, rec, movingPassPoint ? Handle::PassingPoint : Handle::Vertex, ctx);
}

void DrawEndMark(Canvas &c, int x, const Parabola &rec, bool included, const PlotContext &ctx)
{
    const Color color = ColorOf(rec);
    c.setBrushColor(included ? color : Colors::White);
    c.setPenWidth(ctx.draw.LineWidth);
    c.setPenColor(color);
    const QPoint p = CurvePoint(ctx.geometry, rec, double(x));
    const int r = ctx.draw.CircleRadius;
    c.ellipse(p.x() - r, p.y() - r, p.x() + r, p.y() + r);
}

void DrawHandle(Canvas &c, const Parabola &rec, Handle which, const PlotContext &ctx)
{
    if (!ctx.draw.Handles)
        return;
    const QPoint p = which == Handle::Vertex ? Pixel(ctx.geometry, rec.VertexX, rec.VertexY)
                                             : Pixel(ctx.geometry, rec.PointX, rec.PointY);
    c.setPenWidth(ctx.draw.LineWidth);
    c.setPenColor(Colors::Black);
    c.setBrushStyle(BrushStyle::Clear);
    // One pixel more to the right and below than the half-open box, so the
    // 11 x 11 square sits centred on its lattice point.
    c.rectangle(p.x() - kHandleHalf, p.y() - kHandleHalf, p.x() + kHandleHalf + 1, p.y() + kHandleHalf + 1);
}

void DrawLatticeDots(Canvas &c, const Parabola &rec, const PlotContext &ctx)
{
    if (!ctx.draw.LatticeDots)
        return;
    const PlaneGeometry &g = ctx.geometry;
    const auto [visibleLow, visibleHigh] = VisibleXRange(rec, ctx.planeWidth, g.ScaleY);
    // Domain ends get end marks, so only the inside of the domain counts.
    std::int64_t first = std::max<std::int64_t>(visibleLow, std::int64_t(rec.DomainLow) + 1);
    std::int64_t last = std::min<std::int64_t>(visibleHigh, std::int64_t(rec.DomainHigh) - 1);
    // A dot whose column misses the canvas changes no pixel; leaving those
    // out keeps a hand-edited, very wide range cheap.
    const double scale = std::max(g.ScaleX, 1);
    first = std::max<std::int64_t>(first, std::int64_t(std::floor((-2.0 * kLatticeDotHalf - g.OriginX) / scale)));
    last = std::min<std::int64_t>(
        last, std::int64_t(std::ceil((double(c.width()) + 2.0 * kLatticeDotHalf - g.OriginX) / scale)));

    const Color color = ColorOf(rec);
    c.setBrushColor(color);
    c.setPenColor(color);
    c.setPenWidth(2);
    for (std::int64_t x = first; x <= last; ++x) {
        const Fraction y = ExactValueAt(rec, x);
        if (y.Overflow || y.Den != 1)
            continue;
        const QPoint p = Pixel(g, double(x), double(y.Num));
        c.ellipse(p.x() - kLatticeDotHalf, p.y() - kLatticeDotHalf, p.x() + kLatticeDotHalf,
                  p.y() + kLatticeDotHalf);
    }
    c.setPenWidth(1);
}

void MarkCurvePoint(Canvas &c, int x, const Parabola &rec, const PlotContext &ctx)
{
    const QPoint p = CurvePoint(ctx.geometry, rec, double(x));
    const Color color = ColorOf(rec);
    c.setPenWidth(2);
    c.setPenColor(color);
    c.setBrushColor(color);
    c.moveTo(p.x() - kCrossHalf, p.y() - kCrossHalf);
    c.lineTo(p.x() + kCrossHalf, p.y() + kCrossHalf);
    c.moveTo(p.x() + kCrossHalf, p.y() - kCrossHalf);
    c.lineTo(p.x() - kCrossHalf, p.y() + kCrossHalf);
    c.setPenWidth(rec.LineWidth);
}

void DrawPointMarker(Canvas &c, QPoint lattice, Color color, const PlotContext &ctx)
{
    c.setBrushColor(color);
    c.setPenColor(color);
    c.setPenWidth(ctx.draw.LineWidth);
    const QPoint p = Pixel(ctx.geometry, lattice.x(), lattice.y());
    const int r = ctx.draw.CircleRadius;
    if (ctx.draw.NextLineMode != LineMode::Whole)
        c.ellipse(p.x() - r, p.y() - r, p.x() + r, p.y() + r);
    else if (ctx.draw.Handles)
        c.rectangle(p.x() - r, p.y() - r, p.x() + r, p.y() + r);
}

void DrawUnbounded(Canvas &c, const Parabola &rec, const PlotContext &ctx)
{
    Parabola whole = rec;
    whole.DomainLow = kUnboundedLow;
    whole.DomainHigh = kUnboundedHigh;
    DrawParabola(c, whole, false, ctx);
}

int CurrentEndStyle(const DrawingSettings &draw)
{
    switch (draw.NextLineMode) {
    case LineMode::Segment:
        return draw.SegmentEnds;
    case LineMode::RightHalf:
    case LineMode::LeftHalf:
        return draw.HalfLineEnds;
    case LineMode::Whole:
        break;
    }
    return 0;
}

void DrawLineSample(Canvas &c, const Parabola &rec, int top, DrawingSettings &draw)
{
    Color color;
    int mode, width, endStyle;
    if (rec.Formula.isEmpty()) {
        // Stands for the parabola the next click would start.
        color = NextAutoColor(draw);
        mode = ToInt(draw.NextLineMode);
        width = draw.LineWidth;
        endStyle = CurrentEndStyle(draw);
    } else {
        color = ColorOf(rec);
        mode = rec.LineMode;
        width = rec.LineWidth;
        endStyle = rec.EndStyle;
    }
    c.setPenColor(color);
    c.setPenWidth(width);
    // An unknown domain kind draws no stroke, so its ends do not matter.
    const auto [lower, upper] = EndFlagsOf(mode, endStyle).value_or(std::pair{false, false});
    const int y = top + 10;
    const int r = draw.CircleRadius;

    const auto line = [&] {
        c.moveTo(kSampleLeftEnd, y);
        c.lineTo(kSampleRightEnd, y);
    };
    const auto endCircle = [&](int cx, bool filled) {
        c.setBrushColor(filled ? color : Colors::White);
        c.ellipse(cx - r, y - r, cx + r, y + r);
    };
    switch (mode) {
    case 0:
        // The whole curve's stroke spans the sample, one pixel bolder.
        c.setPenWidth(width < std::numeric_limits<int>::max() ? width + 1 : width);
        c.moveTo(0, y);
        c.lineTo(kSampleWidth, y);
        c.setPenWidth(width);
        break;
    case 1:
        line();
        endCircle(kSampleLeftEnd, lower);
        endCircle(kSampleRightEnd, upper);
        break;
    case 2:
        line();
        endCircle(kSampleLeftEnd, lower);
        break;
    case 3:
        // Both flags of a half line are equal; the lower one is used.
        line();
        endCircle(kSampleRightEnd, lower);
        break;
    default:
        break;
    }
}

void UpdateEndFlags(DrawingSettings &draw)
{
    // A whole curve keeps the flags of the segment ends it would take.
    const int mode = ToInt(draw.NextLineMode);
    const int ends = mode <= 1 ? draw.SegmentEnds : draw.HalfLineEnds;
    // An unknown mode or end code keeps the flags as they are.
    if (mode < 0 || mode > 3 || ends < 0 || ends > (mode <= 1 ? 3 : 1))
        return;
    const auto flags = EndFlagsOf(mode == 0 ? 1 : mode, ends);
    if (!flags)
        return;
    draw.LowerIncluded = flags->first;
    draw.UpperIncluded = flags->second;
}

void RedrawLineSample(Picture &sample, DrawingSettings &draw)
{
    UpdateEndFlags(draw);
    ClearImage(sample, Colors::White, draw);
    Canvas &c = sample.canvas();
    c.setPenColor(Colors::Black);
    c.setPenWidth(1);
    c.setBrushStyle(BrushStyle::Clear);
    c.rectangle(0, 0, sample.width(), sample.height());
    DrawLineSample(c, Parabola{}, 2, draw);
}
