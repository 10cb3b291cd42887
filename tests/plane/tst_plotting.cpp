#include "plane/AutoColor.h"
#include "plane/Fonts.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "support/ScriptedPrompt.h"

#include "support/Pixels.h"
#include "support/Records.h"
#include "support/VectorFiles.h"
#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTemporaryDir>

#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

// A plane to plot on: its geometry, the switches and the main plane width.
struct PlotState {
    PlaneGeometry Geometry;
    DrawingSettings Draw;
    int MainPlaneWidth = 544;
    operator PlotContext() const { return PlotContext{Geometry, Draw, MainPlaneWidth}; }
};

using Figure = std::function<void(Canvas &, const PlotState &)>;
Q_DECLARE_METATYPE(Figure)
Q_DECLARE_METATYPE(Parabola)

namespace {

constexpr Color Red = 0x0000FF;
constexpr Color Teal = Colors::Teal;
const double NoCheck = std::numeric_limits<double>::quiet_NaN();

// A 320 x 320 main plane at scale 16 with the origin in the middle.
PlotState PlaneState()
{
    PlotState st;
    st.MainPlaneWidth = 320;
    st.Geometry = ComputePlaneGeometry(320, 320, PlaneSettings{}, PlaneGeometry{});
    return st;
}

Parabola Rec(int vx, int vy, int px, int py, int mode = 0, int lo = -99, int hi = 99)
{
    Parabola r = MakeParabola(vx, vy, px, py, mode, lo, hi);
    r.Color = int(Red);
    r.Formula = QStringLiteral("y=x²");
    return r;
}

// Domain ends as a record of the kind has them (other kinds keep the finite ends).
int LowEnd(int mode, int end)
{
    return mode == 0 || mode == 3 ? -99 : end;
}
int HighEnd(int mode, int end)
{
    return mode == 0 || mode == 2 ? 99 : end;
}

QPoint CurvePixel(const PlotState &st, const Parabola &r, double x)
{
    return st.Geometry.PointToPixel(x, RealValueAt(r, x));
}

// Smallest box holding every pixel of the colour (null when there is none).
QRect BoundsOf(const Canvas &c, Color color)
{
    QRect r;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == color)
                r |= QRect(x, y, 1, 1);
    return r;
}

enum Circle { None, Filled, Hollow, Spoilt };

// A circle of radius 5 fills the box (cx - 5, cy - 5) .. (cx + 4, cy + 4):
// its rim passes (cx - 1, cy - 5). Inside the rim of the pen width it must
// be all colour (filled) or all white (hollow); anything else is Spoilt.
Circle CircleAt(const Canvas &c, QPoint centre, Color color, int penWidth = 1)
{
    if (c.pixel(centre.x() - 1, centre.y() - 5) != color)
        return None;
    const double inner = 4.6 - penWidth;
    int coloured = 0, white = 0, all = 0;
    for (int y = centre.y() - 5; y < centre.y() + 5; ++y)
        for (int x = centre.x() - 5; x < centre.x() + 5; ++x) {
            if (std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y()) > inner)
                continue;
            ++all;
            coloured += c.pixel(x, y) == color;
            white += c.pixel(x, y) == Colors::White;
        }
    return coloured == all ? Filled : white == all ? Hollow : Spoilt;
}

}  // namespace

class TestPlotting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutions(); }

    // The plane with its curves, marks and numbers goes onto any painter:
    // into a PDF and an SVG as lines, paths and text, with no bitmap.
    void planeWithCurvesDrawsOntoVectorDevices()
    {
        ViewSettings st;
        st.PlaneDefaultSize = 544;
        st.Layout = MainLayout{1024, 740, 40, 96, 8, 364};
        Parabola teal = Rec(1, 2, 3, 4, 1, -3, 3);
        teal.Color = int(Teal);
        auto draw = [&](QPainter &p) {
            Picture pic;
            pic.canvas().setTarget(&p, 544, 544);
            const PlaneGeometry g = DrawPlane(pic, st, PlaneGeometry{});
            const PlotContext ctx{g, st.Draw, pic.width()};
            DrawParabola(pic.canvas(), Rec(0, 0, 1, 1), false, ctx);
            DrawParabola(pic.canvas(), teal, true, ctx);
            pic.canvas().setTarget(nullptr, 0, 0);
        };

        QBuffer svg;
        svg.open(QIODevice::WriteOnly);
        QSvgGenerator gen;
        gen.setOutputDevice(&svg);
        gen.setSize(QSize(544, 544));
        gen.setViewBox(QRect(0, 0, 544, 544));
        {
            QPainter p(&gen);
            draw(p);
        }
        QStringList curves = SvgCurvePaths(svg.data());
        curves.sort();
        QCOMPARE(curves, QStringList({QStringLiteral("#008080"), QStringLiteral("#ff0000")}));
        QVERIFY(!svg.data().contains("<image"));

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("plane.pdf"));
        {
            QPdfWriter pdf(file);
            pdf.setResolution(600);
            QPainter p(&pdf);
            p.scale(600.0 / 96, 600.0 / 96);
            draw(p);
        }
        const QString text = PdfText(file);
        QVERIFY2(text.contains(QLatin1String("10")) && text.contains(QLatin1String("-5")), qPrintable(text));
        QCOMPARE(PdfImageCount(file), 0);
    }

    void sampleCounts_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QPoint>("vertex");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("firstX");
        QTest::addColumn<double>("lastX");
        const QPoint o(0, 0);
        QTest::newRow("y=x^2 over the visible range -5..5") << -99 << 99 << o << QPoint(1, 1) << 101 << -5.0 << 5.0;
        QTest::newRow("y=x^2 segment 1..2, step 0.1") << 1 << 2 << o << QPoint(1, 1) << 11 << 1.0 << 2.0;
        QTest::newRow("y=-x^2: |a| = 1 takes the fine step") << -1 << 1 << o << QPoint(1, -1) << 21 << -1.0 << 1.0;
        QTest::newRow("a=1/4 segment 1..2 loses the half step") << 1 << 2 << o << QPoint(2, 1) << 3 << 1.0 << 1.8;
        QTest::newRow("a=1/4 segment 1..4 ends at 3.8") << 1 << 4 << o << QPoint(2, 1) << 8 << 1.0 << 3.8;
        QTest::newRow("a=1/4 even span keeps its end") << 1 << 3 << o << QPoint(2, 1) << 6 << 1.0 << 3.0;
        QTest::newRow("ends given high to low") << 4 << 1 << o << QPoint(2, 1) << 8 << 1.0 << 3.8;
        QTest::newRow("a=-1/4 segment -2..1") << -2 << 1 << o << QPoint(2, -1) << 8 << -2.0 << 0.8;
        QTest::newRow("a=1/4 over the visible range -10..10") << -99 << 99 << o << QPoint(2, 1) << 51 << -10.0 << 10.0;
        QTest::newRow("a=1/2 moved vertex, visible range") << -99 << 99 << QPoint(3, -2) << QPoint(5, 0) << 41 << -5.0 << 11.0;
        QTest::newRow("zero span gives one sample") << 2 << 2 << o << QPoint(1, 1) << 1 << 2.0 << 2.0;
        QTest::newRow("low end left of the visible range") << -99 << -20 << o << QPoint(1, 1) << 0 << NoCheck << NoCheck;
        QTest::newRow("degenerate: points share x") << -99 << 99 << o << QPoint(0, 3) << 0 << NoCheck << NoCheck;
        QTest::newRow("degenerate: points share y") << 1 << 4 << o << QPoint(2, 0) << 0 << NoCheck << NoCheck;
        // The plane shows x from -10 to 10: samples start a unit (fine step)
        // or two (coarse step) past the edges, on the grid the domain starts.
        QTest::newRow("hand-edited huge domain is clipped to the plane")
            << -2000000000 << 2000000000 << o << QPoint(1, 1) << 251 << -12.0 << 13.0;
        QTest::newRow("widest domain, coarse step") << -2147483647 << 2147483647 << o << QPoint(2, 1) << 71 << -13.0
                                                    << 15.0;
        QTest::newRow("domain right of the plane") << 50 << 2147483647 << o << QPoint(1, 1) << 1 << 50.0 << 50.0;
        QTest::newRow("domain left of the plane") << -2147483647 << -50 << o << QPoint(1, 1) << 0 << NoCheck
                                                  << NoCheck;
    }
    void sampleCounts()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QPoint, vertex);
        QFETCH(QPoint, point);
        QFETCH(int, count);
        QFETCH(double, firstX);
        QFETCH(double, lastX);
        const PlotState st = PlaneState();
        const Parabola r = Rec(vertex.x(), vertex.y(), point.x(), point.y());
        const std::vector<QPoint> s = CurvePieceSamples(from, to, r, st);
        QCOMPARE(int(s.size()), count);
        if (!std::isnan(firstX)) {
            QCOMPARE(s.front(), CurvePixel(st, r, firstX));
            QCOMPARE(s.back(), CurvePixel(st, r, lastX));
        }
    }

    // A domain far beyond the plane draws exactly what a domain just past its
    // edges draws (x -10..10 shows), for thin and wide pens, solid and dotted.
    void farDomainDrawsWhatTheVisiblePartDraws_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("penWidth");
        QTest::addColumn<bool>("dotted");
        QTest::newRow("flat curve, coarse step") << QPoint(10, 1) << 1 << false;
        QTest::newRow("flat curve, wide pen") << QPoint(10, 1) << 15 << false;
        QTest::newRow("steep curve, wide pen") << QPoint(1, 1) << 15 << false;
        QTest::newRow("flat curve, dots") << QPoint(10, -1) << 1 << true;
    }
    void farDomainDrawsWhatTheVisiblePartDraws()
    {
        QFETCH(QPoint, point);
        QFETCH(int, penWidth);
        QFETCH(bool, dotted);
        const PlotState st = PlaneState();
        const Parabola r = Rec(0, 0, point.x(), point.y());
        Canvas near(320, 320), far(320, 320);
        for (Canvas *c : {&near, &far})
            c->setPenWidth(penWidth);
        QVERIFY(DrawCurvePiece(-11, 11, near, dotted, r, st));
        QVERIFY(DrawCurvePiece(-2147483647, 2147483647, far, dotted, r, st));
        QVERIFY(CountColor(near, near.image().rect(), Red) > 0);
        QCOMPARE(far.image(), near.image());
    }

    // Adding 0.1 up drifts below the product (1.0999.. instead of 1.1000..),
    // which at scale 5 moves a sample off a rounding tie.
    void stepIsAddedUp_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("px");
        QTest::newRow("x ~ 1.1: 5.4999.. rounds down") << 11 << 5;
        QTest::newRow("x ~ 1.7: 8.5000..1 rounds up") << 17 << 9;
        QTest::newRow("x ~ 2.5: 12.5000..1 rounds up") << 25 << 13;
    }
    void stepIsAddedUp()
    {
        QFETCH(int, index);
        PlotState st;
        st.Geometry.ScaleX = st.Geometry.ScaleY = 5;
        const std::vector<QPoint> s = CurvePieceSamples(0, 3, Rec(0, 0, 1, 1), st);
        QCOMPARE(int(s.size()), 31);
        QTEST(s[std::size_t(index)].x(), "px");
    }

    void pieceEnd_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("dottedSwitch");
        QTest::addColumn<double>("endX");
        QTest::newRow("1..2 dots on: stops at 1.8") << 1 << 2 << true << 1.8;
        QTest::newRow("1..2 dots off: reaches 2") << 1 << 2 << false << 2.0;
        QTest::newRow("1..4 dots on: stops at 3.8") << 1 << 4 << true << 3.8;
        QTest::newRow("1..4 dots off: reaches 4") << 1 << 4 << false << 4.0;
        QTest::newRow("open low end: no end line") << -99 << 1 << false << 0.8;
        QTest::newRow("open high end: no end line") << 1 << 99 << false << 9.8;
    }
    void pieceEnd()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, dottedSwitch);
        QFETCH(double, endX);
        PlotState st = PlaneState();
        st.Draw.Dotted = dottedSwitch;
        const Parabola r = Rec(0, 0, 2, 1);
        Canvas c(320, 320);
        QVERIFY(DrawCurvePiece(from, to, c, false, r, st));
        QCOMPARE(c.penPosition(), CurvePixel(st, r, endX));
        // The column just before the exact end is painted only by the end line.
        const int column = CurvePixel(st, r, to).x() - 1;
        if (column < 320)
            QCOMPARE(CountColor(c, QRect(column, 0, 1, 320), Red) > 0, endX == to);
    }

    void dotIsTwoByTwo_data()
    {
        QTest::addColumn<int>("penWidth");
        QTest::newRow("pen width 1") << 1;
        QTest::newRow("pen width 3") << 3;
    }
    void dotIsTwoByTwo()
    {
        QFETCH(int, penWidth);
        const PlotState st = PlaneState();
        const Parabola r = Rec(0, 0, 2, 1);
        Canvas c(320, 320);
        c.setPenWidth(penWidth);
        QVERIFY(DrawCurvePiece(3, 3, c, true, r, st));
        const QPoint p = CurvePixel(st, r, 3);
        QCOMPARE(BoundsOf(c, Red), QRect(p.x() - 1, p.y() - 1, 2, 2));
        QCOMPARE(CountColor(c, c.image().rect(), Red), 4);
        QCOMPARE(c.penPosition(), p);
    }

    void pieceKinds_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("dottedSwitch");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("middle");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("leftSolid");
        QTest::newRow("whole, dots on") << 0 << true << true << true << true << true;
        QTest::newRow("whole, dots off") << 0 << false << true << true << true << true;
        QTest::newRow("segment, dots on") << 1 << true << true << true << true << false;
        QTest::newRow("segment, dots off") << 1 << false << false << true << false << false;
        QTest::newRow("right half line, dots on") << 2 << true << true << true << true << false;
        QTest::newRow("right half line, dots off") << 2 << false << false << true << true << false;
        QTest::newRow("left half line, dots on") << 3 << true << true << true << true << true;
        QTest::newRow("left half line, dots off") << 3 << false << true << true << false << true;
        QTest::newRow("unknown kind draws nothing") << 6 << true << false << false << false << false;
    }
    void pieceKinds()
    {
        QFETCH(int, mode);
        QFETCH(bool, dottedSwitch);
        PlotState st = PlaneState();
        st.Draw.Dotted = dottedSwitch;
        const Parabola r = Rec(0, 0, 2, 1, mode, LowEnd(mode, -3), HighEnd(mode, 3));
        Canvas c(320, 320);
        DrawParabola(c, r, false, st);
        // x < -3.5, -2.5 < x < 2.5, x > 3.5: clear of the end marks.
        QTEST(CountColor(c, QRect(0, 0, 104, 320), Red) > 0, "left");
        QTEST(CountColor(c, QRect(120, 0, 80, 320), Red) > 0, "middle");
        QTEST(CountColor(c, QRect(216, 0, 104, 320), Red) > 0, "right");
        // Between two dots at x = -6 and x = -5.6 only a line paints.
        const QPoint gap = CurvePixel(st, r, -5.8);
        QTEST(CountColor(c, QRect(gap.x(), gap.y() - 1, 1, 3), Red) > 0, "leftSolid");
    }

    void endMarks_data()
    {
        QTest::addColumn<bool>("included");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("x");
        QTest::newRow("filled, radius 5") << true << 1 << 5 << 2;
        QTest::newRow("hollow, radius 5") << false << 1 << 5 << 2;
        QTest::newRow("hollow, current width 2") << false << 2 << 5 << -1;
        QTest::newRow("filled, radius 3") << true << 1 << 3 << 0;
        QTest::newRow("curve height rounded (x = 1, y = 1/9)") << false << 1 << 5 << 1;
    }
    void endMarks()
    {
        QFETCH(bool, included);
        QFETCH(int, lineWidth);
        QFETCH(int, radius);
        QFETCH(int, x);
        PlotState st = PlaneState();
        st.Draw.LineWidth = lineWidth;
        st.Draw.CircleRadius = radius;
        Parabola r = Rec(0, 0, 3, 1);
        r.LineWidth = 3;  // the record's own width is not the mark's
        Canvas c(320, 320);
        DrawEndMark(c, x, r, included, st);
        const QPoint centre(160 + 16 * x, 160 - int(std::lround(16.0 * x * x / 9)));
        QCOMPARE(BoundsOf(c, Red), QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
        QCOMPARE(c.pixel(centre.x() - 1, centre.y() - 1), included ? Red : Colors::White);
        // A rim of the current width: its second pixel row is filled only when 2 wide.
        if (!included)
            QCOMPARE(c.pixel(centre.x() - radius + 1, centre.y() - 1), lineWidth == 2 ? Red : Colors::White);
    }

    void domainEnds_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("lowerIncluded");
        QTest::addColumn<int>("upperIncluded");
        QTest::addColumn<bool>("dottedSwitch");
        QTest::addColumn<int>("atLow");
        QTest::addColumn<int>("atHigh");
        QTest::newRow("segment [-2, 2)") << 1 << 1 << 0 << true << int(Filled) << int(Hollow);
        QTest::newRow("segment (-2, 2], dots off") << 1 << 0 << 1 << false << int(Hollow) << int(Filled);
        QTest::newRow("right half line x > -2") << 2 << 0 << 0 << true << int(Hollow) << int(None);
        QTest::newRow("left half line x <= 2") << 3 << 1 << 1 << false << int(None) << int(Filled);
        QTest::newRow("whole curve has no marks") << 0 << 1 << 1 << true << int(None) << int(None);
    }
    void domainEnds()
    {
        QFETCH(int, mode);
        QFETCH(bool, dottedSwitch);
        PlotState st = PlaneState();
        st.Draw.Dotted = dottedSwitch;
        Parabola r = Rec(0, -4, 2, -3, mode, LowEnd(mode, -2), HighEnd(mode, 2));
        QFETCH(int, lowerIncluded);
        QFETCH(int, upperIncluded);
        r.LowerIncluded = lowerIncluded;
        r.UpperIncluded = upperIncluded;
        Canvas c(320, 320);
        DrawParabola(c, r, false, st);
        // The curve runs through both centres, so a hollow circle shows white
        // only because the marks come after the curve.
        QTEST(int(CircleAt(c, CurvePixel(st, r, -2), Red)), "atLow");
        QTEST(int(CircleAt(c, CurvePixel(st, r, 2), Red)), "atHigh");
    }

    void handles_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<bool>("handles");
        QTest::addColumn<QPoint>("lattice");
        QTest::addColumn<int>("outline");
        QTest::newRow("vertex, width 1") << 1 << 1 << true << QPoint(1, 2) << 40;
        QTest::newRow("passing point, width 2") << 2 << 2 << true << QPoint(3, -1) << 72;
        QTest::newRow("any other value: passing point, width 3") << 0 << 3 << true << QPoint(3, -1) << 96;
        QTest::newRow("handle switch off") << 1 << 1 << false << QPoint(1, 2) << 0;
    }
    void handles()
    {
        QFETCH(int, which);
        QFETCH(QPoint, lattice);
        QFETCH(int, outline);
        QFETCH(int, lineWidth);
        QFETCH(bool, handles);
        PlotState st = PlaneState();
        st.Draw.LineWidth = lineWidth;
        st.Draw.Handles = handles;
        Canvas c(320, 320, Teal);
        DrawHandle(c, Rec(1, 2, 3, -1), which == 1 ? Handle::Vertex : Handle::PassingPoint, st);
        QCOMPARE(CountColor(c, c.image().rect(), Colors::Black), outline);
        if (outline == 0)
            return;
        const QPoint p = st.Geometry.LatticeToPixel(lattice.x(), lattice.y());
        // An 11 x 11 square centred on the lattice point.
        QCOMPARE(BoundsOf(c, Colors::Black), QRect(p.x() - 5, p.y() - 5, 11, 11));
        QCOMPARE(c.pixel(p.x() - 1, p.y() - 1), Teal);
    }

    void notXorTwiceRestores_data()
    {
        QTest::addColumn<Figure>("figure");
        const auto parabola = [](Parabola r, bool selected, int width = 1) {
            r.LineWidth = width;
            return Figure([=](Canvas &c, const PlotState &st) { DrawParabola(c, r, selected, st); });
        };
        const Parabola segment = Rec(0, -3, 2, -2, 1, -4, 3);
        QTest::newRow("whole") << parabola(Rec(1, -3, 2, -1), false);
        QTest::newRow("whole, selected") << parabola(Rec(1, -3, 2, -1), true);
        QTest::newRow("segment") << parabola(segment, false);
        QTest::newRow("segment, selected") << parabola(segment, true);
        QTest::newRow("segment, selected, width 3") << parabola(segment, true, 3);
        QTest::newRow("right half line, selected") << parabola(Rec(0, 2, -3, -1, 2, -1, 99), true);
        QTest::newRow("left half line, selected, width 2") << parabola(Rec(0, 2, -3, -1, 3, -99, 1), true, 2);
        QTest::newRow("segment without low end, selected") << parabola(Rec(0, 0, 2, 1, 1, -99, 2), true);
        QTest::newRow("degenerate half line, selected") << parabola(Rec(0, 2, 3, 2, 2, 1, 99), true);
        QTest::newRow("unknown kind, selected") << parabola(Rec(0, 0, 1, 1, 9), true);
        QTest::newRow("with dots off and handles off") << Figure([=](Canvas &c, const PlotState &st) {
            PlotState s = st;
            s.Draw.Dotted = false;
            s.Draw.Handles = false;
            DrawParabola(c, segment, true, s);
        });
        QTest::newRow("drag of the passing point")
            << Figure([=](Canvas &c, const PlotState &st) { DrawRubberBand(c, segment, true, st); });
        QTest::newRow("selected with lattice dots and a cross")
            << Figure([=](Canvas &c, const PlotState &st) {
                   PlotState s = st;
                   s.Draw.LatticeDots = true;
                   DrawParabola(c, segment, true, s);
                   DrawLatticeDots(c, segment, s);
                   MarkCurvePoint(c, 2, segment, s);
               });
        QTest::newRow("unbounded copy")
            << Figure([=](Canvas &c, const PlotState &st) { DrawUnbounded(c, segment, st); });
        QTest::newRow("point markers") << Figure([](Canvas &c, const PlotState &st) {
            PlotState s = st;
            DrawPointMarker(c, QPoint(2, 3), 0x00A0A0, s);
            s.Draw.NextLineMode = LineMode::Whole;
            DrawPointMarker(c, QPoint(-2, 3), 0x00A0A0, s);
        });
    }
    void notXorTwiceRestores()
    {
        QFETCH(Figure, figure);
        PlotState st = PlaneState();
        st.Draw.NextLineMode = LineMode::RightHalf;
        st.Draw.LineWidth = 2;
        Canvas c(320, 320);
        for (int i = 0; i < 320; i += 16) {
            c.setPenColor(Colors::Silver);
            c.moveTo(i, 0);
            c.lineTo(i, 320);
        }
        const QImage before = c.image();
        c.setPenMode(PenMode::NotXor);
        // Leftovers that each routine must override.
        c.setPenWidth(3);
        c.setBrushStyle(BrushStyle::Clear);
        figure(c, st);
        QVERIFY(c.image() != before);
        figure(c, st);
        QCOMPARE(c.image(), before);
    }

    // A selected curve differs from the unselected one by its handles only,
    // in any pen mode (with handles off: not at all).
    void selectionAddsOnlyHandles_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<bool>("notXor");
        QTest::addColumn<bool>("dottedSwitch");
        QTest::newRow("segment, width 1, not-xor") << 1 << 1 << true << true;
        QTest::newRow("whole curve, width 1, not-xor") << 0 << 1 << true << true;
        QTest::newRow("width 2") << 1 << 2 << true << true;
        QTest::newRow("copy mode") << 1 << 1 << false << true;
        QTest::newRow("dots switched off") << 1 << 1 << true << false;
        QTest::newRow("unknown kind") << 5 << 1 << true << true;
    }
    void selectionAddsOnlyHandles()
    {
        QFETCH(int, mode);
        QFETCH(int, lineWidth);
        QFETCH(bool, notXor);
        QFETCH(bool, dottedSwitch);
        PlotState st = PlaneState();
        st.Draw.Dotted = dottedSwitch;
        st.Draw.Handles = false;
        Parabola r = Rec(0, -3, 2, -2, mode, mode == 0 ? -99 : -4, mode == 0 ? 99 : 3);
        r.LineWidth = lineWidth;
        Canvas plain(320, 320), selected(320, 320);
        plain.setPenMode(notXor ? PenMode::NotXor : PenMode::Copy);
        selected.setPenMode(plain.penMode());
        DrawParabola(plain, r, false, st);
        DrawParabola(selected, r, true, st);
        QCOMPARE(plain.image(), selected.image());
    }

    void degenerateRecords_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("mark");
        QTest::addColumn<bool>("handles");
        QTest::newRow("segment, points share x") << 1 << QPoint(1, 5) << false << false;
        QTest::newRow("segment, points share y") << 1 << QPoint(4, 2) << false << false;
        QTest::newRow("whole curve") << 0 << QPoint(4, 2) << false << true;
        QTest::newRow("right half line: mark at vertex height") << 2 << QPoint(4, 2) << true << true;
        QTest::newRow("left half line: mark at vertex height") << 3 << QPoint(1, 5) << true << true;
        QTest::newRow("unknown kind, sound record") << 7 << QPoint(3, 4) << false << true;
    }
    void degenerateRecords()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, point);
        QFETCH(bool, mark);
        QFETCH(bool, handles);
        const PlotState st = PlaneState();
        const int end = -3;  // the one finite end
        const Parabola r = Rec(1, 2, point.x(), point.y(), mode, mode == 3 ? -99 : end, mode == 3 ? end : 4);
        Canvas c(320, 320);
        DrawParabola(c, r, true, st);
        const QPoint centre = st.Geometry.LatticeToPixel(end, 2);
        QCOMPARE(BoundsOf(c, Red), mark ? QRect(centre.x() - 5, centre.y() - 5, 10, 10) : QRect());
        QCOMPARE(CountColor(c, c.image().rect(), Colors::Black), handles ? 80 : 0);
    }

    void dragDrawsWholeSolidCurve_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("movingPassPoint");
        QTest::newRow("segment, moving the vertex") << 1 << false;
        QTest::newRow("right half line, moving the passing point") << 2 << true;
        QTest::newRow("left half line") << 3 << false;
    }
    void dragDrawsWholeSolidCurve()
    {
        QFETCH(int, mode);
        QFETCH(bool, movingPassPoint);
        PlotState st = PlaneState();
        st.Draw.Dotted = false;
        const Parabola r = Rec(0, -3, 2, -2, mode, LowEnd(mode, -1), HighEnd(mode, 1));
        Canvas c(320, 320);
        DrawRubberBand(c, r, movingPassPoint, st);
        // Solid on both sides of the domain although the dots are off, no marks.
        QVERIFY(CountColor(c, QRect(0, 0, 130, 320), Red) > 0);
        QVERIFY(CountColor(c, QRect(190, 0, 130, 320), Red) > 0);
        // A line crossing the end's box paints a dozen pixels, a mark about 80.
        const QPoint end = CurvePixel(st, r, mode == 3 ? 1 : -1);
        QVERIFY(CountColor(c, QRect(end.x() - 5, end.y() - 5, 10, 10), Red) < 20);
        QCOMPARE(CountColor(c, c.image().rect(), Colors::Black), 40);
        const QPoint h = movingPassPoint ? st.Geometry.LatticeToPixel(2, -2) : st.Geometry.LatticeToPixel(0, -3);
        QCOMPARE(c.pixel(h.x() - 5, h.y() - 5), Colors::Black);
    }

    void latticeDots_data()
    {
        QTest::addColumn<Parabola>("rec");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QList<int>>("xs");
        QTest::newRow("y=x^2: the visible range -5..5") << Rec(0, 0, 1, 1) << true << QList<int>{-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5};
        QTest::newRow("segment (-2, 3): strictly inside") << Rec(0, 0, 1, 1, 1, -2, 3) << true << QList<int>{-1, 0, 1, 2};
        QTest::newRow("a=1/4: even x only") << Rec(0, 0, 2, 1, 1, -7, 7) << true << QList<int>{-6, -4, -2, 0, 2, 4, 6};
        QTest::newRow("a=1/4, vertex (1,-3): odd x") << Rec(1, -3, 3, -2, 1, -8, 10) << true
                                                    << QList<int>{-7, -5, -3, -1, 1, 3, 5, 7, 9};
        QTest::newRow("downward, half line x > 1") << Rec(0, 5, 1, 4, 2, 1, 99) << true << QList<int>{2, 3, 4, 5, 6};
        QTest::newRow("neighbouring ends leave nothing") << Rec(0, 0, 1, 1, 1, 2, 3) << true << QList<int>{};
        QTest::newRow("switch off") << Rec(0, 0, 1, 1) << false << QList<int>{};
    }
    void latticeDots()
    {
        QFETCH(Parabola, rec);
        QFETCH(bool, on);
        QFETCH(QList<int>, xs);
        PlotState st = PlaneState();
        st.Geometry.OriginY = 440;  // room for y from -31 up to 27
        st.Draw.LatticeDots = on;
        Canvas c(320, 960);
        DrawLatticeDots(c, rec, st);
        for (int x = -20; x <= 20; ++x) {
            const QPoint p = CurvePixel(st, rec, x);
            QVERIFY2((c.pixel(p.x() - 1, p.y() - 1) == Red) == xs.contains(x), qPrintable(QStringLiteral("x = %1").arg(x)));
        }
        // Nothing but whole dots of 52 pixels (box 8 x 8, corners rounded).
        QCOMPARE(CountColor(c, c.image().rect(), Red), 52 * int(xs.size()));
    }

    void pointMarker_data()
    {
        QTest::addColumn<int>("lineMode");
        QTest::addColumn<bool>("handles");
        QTest::addColumn<int>("radius");
        QTest::addColumn<QString>("shape");
        QTest::newRow("segment kind: circle") << 1 << true << 5 << "circle";
        QTest::newRow("half line kind, radius 3: circle") << 3 << false << 3 << "circle";
        QTest::newRow("whole kind with handles: square") << 0 << true << 5 << "square";
        QTest::newRow("whole kind without handles: nothing") << 0 << false << 5 << "none";
    }
    void pointMarker()
    {
        QFETCH(int, radius);
        QFETCH(QString, shape);
        QFETCH(int, lineMode);
        QFETCH(bool, handles);
        PlotState st = PlaneState();
        st.Draw.NextLineMode = static_cast<LineMode>(lineMode);
        st.Draw.Handles = handles;
        st.Draw.CircleRadius = radius;
        const Color green = 0x00A000;
        Canvas c(320, 320);
        DrawPointMarker(c, QPoint(-2, 3), green, st);
        const QPoint p = st.Geometry.LatticeToPixel(-2, 3);
        const QRect box(p.x() - radius, p.y() - radius, 2 * radius, 2 * radius);
        QCOMPARE(BoundsOf(c, green), shape == "none" ? QRect() : box);
        if (shape != "none") {
            QCOMPARE(c.pixel(p.x() - 1, p.y() - 1), green);
            QCOMPARE(c.pixel(box.left(), box.top()) == green, shape == "square");
        }
    }

    void unbounded_data()
    {
        QTest::addColumn<Parabola>("rec");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        QTest::newRow("right half line drawn on both sides") << Rec(0, -3, 2, -2, 2, 1, 99) << true << true;
        QTest::newRow("left half line drawn on both sides") << Rec(0, -3, 2, -2, 3, -99, -1) << true << true;
        QTest::newRow("segment: wholly dotted, left out") << Rec(0, -3, 2, -2, 1, -1, 1) << false << false;
    }
    void unbounded()
    {
        QFETCH(Parabola, rec);
        PlotState st = PlaneState();
        st.Draw.Dotted = false;
        Canvas c(320, 320);
        DrawUnbounded(c, rec, st);
        QTEST(CountColor(c, QRect(0, 0, 130, 320), Red) > 0, "left");
        QTEST(CountColor(c, QRect(190, 0, 130, 320), Red) > 0, "right");
        QCOMPARE(CountColor(c, c.image().rect(), Colors::Black), 0);
    }

    void endFlags_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<bool>("error");
        QTest::newRow("whole, 0") << 0 << 0 << true << true << false;
        QTest::newRow("whole, 3") << 0 << 3 << true << true << false;
        QTest::newRow("segment, 0") << 1 << 0 << true << true << false;
        QTest::newRow("segment, 1") << 1 << 1 << true << false << false;
        QTest::newRow("segment, 2") << 1 << 2 << false << true << false;
        QTest::newRow("segment, 3") << 1 << 3 << false << false << false;
        QTest::newRow("segment, 4") << 1 << 4 << false << false << false;
        QTest::newRow("segment, -1") << 1 << -1 << false << false << false;
        QTest::newRow("right half line, 0") << 2 << 0 << true << true << false;
        QTest::newRow("right half line, 1") << 2 << 1 << false << false << false;
        QTest::newRow("left half line, 0") << 3 << 0 << true << true << false;
        QTest::newRow("left half line, 2") << 3 << 2 << false << false << false;
        QTest::newRow("mode -1") << -1 << 0 << false << false << false;
        QTest::newRow("mode 4") << 4 << 0 << false << false << false;
        QTest::newRow("mode 5") << 5 << 0 << false << false << true;
        QTest::newRow("mode -2") << -2 << 1 << false << false << true;
    }
    void endFlags()
    {
        QFETCH(int, mode);
        QFETCH(int, style);
        QFETCH(bool, error);
        const auto flags = EndFlagsOf(mode, style);
        QCOMPARE(!flags.has_value(), error);
        const auto [lower, upper] = flags.value_or(std::pair{false, false});
        QTEST(lower, "lower");
        QTEST(upper, "upper");
    }

    void currentEndStyle_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("style");
        QTest::newRow("whole") << 0 << 0;
        QTest::newRow("segment takes the segment ends") << 1 << 3;
        QTest::newRow("right half line takes the half line ends") << 2 << 1;
        QTest::newRow("left half line") << 3 << 1;
        QTest::newRow("other mode") << 4 << 0;
    }
    void currentEndStyle()
    {
        QFETCH(int, mode);
        DrawingSettings d;
        d.NextLineMode = static_cast<LineMode>(mode); // 4 stands for a value no kind has
        d.SegmentEnds = 3;
        d.HalfLineEnds = 1;
        QTEST(CurrentEndStyle(d), "style");
    }

    void redrawLineSample_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("ends");  // SegmentEnds or HalfLineEnds by mode
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<bool>("upper");
        QTest::newRow("whole: flags follow segment ends") << 0 << 1 << 1 << int(None) << int(None) << true << false;
        QTest::newRow("segment, both") << 1 << 0 << 1 << int(Filled) << int(Filled) << true << true;
        QTest::newRow("segment, lower only") << 1 << 1 << 1 << int(Filled) << int(Hollow) << true << false;
        QTest::newRow("segment, upper only") << 1 << 2 << 1 << int(Hollow) << int(Filled) << false << true;
        QTest::newRow("segment, neither, width 2") << 1 << 3 << 2 << int(Hollow) << int(Hollow) << false << false;
        QTest::newRow("segment, unknown style: flags kept") << 1 << 7 << 1 << int(Hollow) << int(Hollow) << false << true;
        QTest::newRow("right half line, included") << 2 << 0 << 1 << int(Filled) << int(None) << true << true;
        QTest::newRow("right half line, excluded") << 2 << 1 << 1 << int(Hollow) << int(None) << false << false;
        QTest::newRow("left half line, included") << 3 << 0 << 1 << int(None) << int(Filled) << true << true;
        QTest::newRow("left half line, excluded") << 3 << 1 << 1 << int(None) << int(Hollow) << false << false;
        QTest::newRow("left half line, unknown style: flags kept") << 3 << 2 << 1 << int(None) << int(Hollow) << false << true;
        QTest::newRow("mode 4: frame only, flags kept") << 4 << 0 << 1 << int(None) << int(None) << false << true;
    }
    void redrawLineSample()
    {
        QFETCH(int, mode);
        QFETCH(int, ends);
        QFETCH(int, lineWidth);
        DrawingSettings d;
        d.NextLineMode = static_cast<LineMode>(mode); // 4 stands for a value no kind has
        d.SegmentEnds = mode <= 1 ? ends : 0;
        d.HalfLineEnds = mode <= 1 ? 0 : ends;
        d.LineWidth = lineWidth;
        d.FixedColor = Red;
        d.LowerIncluded = false;
        d.UpperIncluded = true;
        ScriptedPrompt p;
        Picture sample(0, 0, 40, 24);
        RedrawLineSample(sample, d);
        const Canvas &c = sample.canvas();
        QCOMPARE(c.width(), 40);
        QCOMPARE(c.height(), 24);
        QTEST(d.LowerIncluded, "lower");
        QTEST(d.UpperIncluded, "upper");
        QVERIFY(p.shown.isEmpty());
        for (const QPoint f : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 23), QPoint(39, 23), QPoint(20, 0), QPoint(20, 23),
                               QPoint(0, 4), QPoint(39, 20)})
            QCOMPARE(c.pixel(f.x(), f.y()), Colors::Black);
        QCOMPARE(c.pixel(20, 12) == Red, mode <= 3);
        // The whole kind spans the picture one pixel bolder; the others run 10..30.
        QCOMPARE(c.pixel(3, 12) == Red, mode == 0);
        QCOMPARE(c.pixel(20, 11) == Red, mode == 0 || lineWidth > 1);
        QTEST(int(CircleAt(c, QPoint(10, 12), Red, lineWidth)), "left");
        QTEST(int(CircleAt(c, QPoint(30, 12), Red, lineWidth)), "right");
    }

    // The sample of a stored record follows its EndStyle, not its end flags.
    void recordSample_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("endStyle");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("segment, style 0, flags excluded") << 1 << 0 << int(Filled) << int(Filled);
        QTest::newRow("segment, style 2") << 1 << 2 << int(Hollow) << int(Filled);
        QTest::newRow("right half line, style 1") << 2 << 1 << int(Hollow) << int(None);
        QTest::newRow("left half line, style 0") << 3 << 0 << int(None) << int(Filled);
    }
    void recordSample()
    {
        QFETCH(int, mode);
        QFETCH(int, endStyle);
        Parabola r = Rec(0, 0, 1, 1, mode, -1, 1);
        r.EndStyle = endStyle;
        r.LowerIncluded = r.UpperIncluded = 0;
        DrawingSettings d;
        d.NextLineMode = LineMode::Whole;
        Canvas c(40, 60);
        DrawLineSample(c, r, 30, d);
        QCOMPARE(c.pixel(20, 40), Red);
        QTEST(int(CircleAt(c, QPoint(10, 40), Red)), "left");
        QTEST(int(CircleAt(c, QPoint(30, 40), Red)), "right");
    }

    void lineSampleColour_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<uint>("fixed");
        QTest::addColumn<int>("counter");
        QTest::addColumn<uint>("color");
        QTest::addColumn<int>("counterAfter");
        const uint white = Colors::White;
        QTest::newRow("next parabola: counter 17 reduced to 1") << "" << white << 17 << uint(kAutoColors[1]) << 1;
        QTest::newRow("next parabola: counter -1 reduced to 15") << "" << white << -1 << uint(kAutoColors[15]) << 15;
        QTest::newRow("next parabola: counter not advanced") << "" << white << 3 << uint(kAutoColors[3]) << 3;
        QTest::newRow("next parabola: fixed colour, counter kept") << "" << 0x123456u << 17 << 0x123456u << 17;
        QTest::newRow("own formula: own colour, counter kept") << "y=x²" << white << 17 << uint(Red) << 17;
    }
    void lineSampleColour()
    {
        QFETCH(QString, formula);
        QFETCH(uint, fixed);
        QFETCH(int, counter);
        DrawingSettings d;
        d.FixedColor = fixed;
        d.ColorCounter = counter;
        d.NextLineMode = LineMode::RightHalf;
        Parabola r = Rec(0, 0, 1, 1, 1, -1, 1);
        r.Formula = formula;
        Canvas c(40, 24, Teal);
        DrawLineSample(c, r, 2, d);
        QTEST(uint(c.pixel(20, 12)), "color");
        QTEST(d.ColorCounter, "counterAfter");
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    TestPlotting t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_plotting.moc"
