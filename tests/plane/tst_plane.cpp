#include "plane/Fonts.h"
#include "plane/PlaneDrawing.h"
#include "ui/Prompt.h"

#include "support/Pixels.h"
#include <QGuiApplication>
#include <QPainter>

#include <QtTest>

namespace {

PlaneSettings Settings(const QString &start = QStringLiteral("-99"), int scale = 16)
{
    PlaneSettings s;
    s.StartX = s.StartY = start;
    s.ScaleX = s.ScaleY = scale;
    s.DX = s.DY = QString::number(scale);
    return s;
}

// The view settings and the geometry the last drawing gave.
struct PlaneState : ViewSettings {
    PlaneGeometry Geometry;
};

PlaneState MainLayoutState()
{
    PlaneState st;
    st.PlaneDefaultSize = 544;
    st.Layout = MainLayout{1024, 740, 40, 96, 8, 364};
    return st;
}

// The main plane at a scale, numbered every `step` units.
PlaneState NumberedPlane(int scale, int step)
{
    PlaneState st = MainLayoutState();
    st.MainPlane = Settings(QStringLiteral("-99"), scale);
    st.MainPlane.ScaleNumberX = st.MainPlane.ScaleNumberY = step;
    return st;
}

// Where a tick number of the main plane would be written (a generous box).
QRect NumberBox(const PlaneGeometry &g, double x, double y)
{
    const QPoint p(g.OriginX + PlaneGeometry::RoundEven(g.ScaleX * x) - 1,
                   g.OriginY - PlaneGeometry::RoundEven(g.ScaleY * y) + 1);
    return QRect(p, QSize(24, 14));
}

// Runs of black pixels along one direction of the box (columns for
// Qt::Horizontal, rows for Qt::Vertical), runs closer than `join` pixels
// taken as one: the extents of the numbers written there.
QList<QPair<int, int>> BlackRuns(const Canvas &c, const QRect &box, Qt::Orientation along, int join)
{
    QList<QPair<int, int>> runs;
    const int first = along == Qt::Horizontal ? box.left() : box.top();
    const int last = along == Qt::Horizontal ? box.right() : box.bottom();
    for (int i = first; i <= last; ++i) {
        const QRect line = along == Qt::Horizontal ? QRect(i, box.top(), 1, box.height())
                                                   : QRect(box.left(), i, box.width(), 1);
        if (CountColor(c, line, Colors::Black) == 0)
            continue;
        if (!runs.isEmpty() && i - runs.last().second <= join)
            runs.last().second = i;
        else
            runs.append({i, i});
    }
    return runs;
}
}  // namespace

class TestPlane : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutions(); }

    void geometry_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("countX");
        QTest::addColumn<int>("startX");
        QTest::addColumn<int>("lastX");
        QTest::addColumn<int>("marginX");
        QTest::addColumn<int>("originX");
        QTest::newRow("500 px: 31 units rounded down to 30") << 500 << "-99" << 30 << -15 << 15 << 10 << 240;
        QTest::newRow("default 544 centred") << 544 << "-99" << 34 << -17 << 17 << 0 << 272;
        QTest::newRow("start 59 kept") << 320 << "59" << 20 << 59 << 79 << 0 << -944;
        QTest::newRow("start 60 centres") << 320 << "60" << 20 << -10 << 10 << 0 << 160;
        QTest::newRow("start -60 centres") << 320 << "-60" << 20 << -10 << 10 << 0 << 160;
        QTest::newRow("start -2") << 320 << "-2" << 20 << -2 << 18 << 0 << 32;
        QTest::newRow("start 0") << 160 << "0" << 10 << 0 << 10 << 0 << 0;
    }
    void geometry()
    {
        QFETCH(int, width);
        QFETCH(QString, start);
        const PlaneGeometry g = ComputePlaneGeometry(width, width, Settings(start), PlaneGeometry{});
        QTEST(g.CountX, "countX");
        QTEST(g.StartX, "startX");
        QTEST(g.LastX, "lastX");
        QTEST(g.MarginX, "marginX");
        QTEST(g.OriginX, "originX");
        QCOMPARE(g.OriginY, g.ScaleY * g.LastY);
        QCOMPARE(g.CountY, g.CountX);
    }

    void pixelToLattice_data()
    {
        QTest::addColumn<int>("px");
        QTest::addColumn<int>("py");
        QTest::addColumn<QPoint>("lattice");
        // Start -10, last 10 on a 320 plane at 16 pixels per unit.
        QTest::newRow("pixel 0") << 0 << 0 << QPoint(-10, 10);
        QTest::newRow("pixel 7 still left column") << 7 << 7 << QPoint(-10, 10);
        QTest::newRow("pixel 8 half-way goes right and down") << 8 << 8 << QPoint(-9, 9);
        QTest::newRow("pixel 23") << 23 << 23 << QPoint(-9, 9);
        QTest::newRow("pixel 24") << 24 << 24 << QPoint(-8, 8);
        QTest::newRow("origin") << 160 << 160 << QPoint(0, 0);
        QTest::newRow("bottom right") << 319 << 319 << QPoint(10, -10);
    }
    void pixelToLattice()
    {
        QFETCH(int, px);
        QFETCH(int, py);
        QFETCH(QPoint, lattice);
        const PlaneGeometry g = ComputePlaneGeometry(320, 320, Settings(), PlaneGeometry{});
        QCOMPARE(g.PixelToLattice(px, py), lattice);
        QCOMPARE(g.LatticeToPixel(lattice.x(), lattice.y()),
                 QPoint(g.OriginX + 16 * lattice.x(), g.OriginY - 16 * lattice.y()));
    }

    void pointToPixelRoundsHalfToEven()
    {
        PlaneGeometry g;
        g.ScaleX = g.ScaleY = 1;
        QCOMPARE(g.PointToPixel(0.5, 2.5), QPoint(0, -2));
        QCOMPARE(g.PointToPixel(1.5, -1.5), QPoint(2, 2));
    }

    // Points of a hand-made file far off the plane: the pixel stops at the
    // int range instead of wrapping round to the other side.
    void farPointsStayOnTheirSide()
    {
        const PlaneGeometry g = ComputePlaneGeometry(320, 320, Settings(), PlaneGeometry{});
        const int max = 2147483647, min = -max - 1;
        QCOMPARE(g.LatticeToPixel(max, min), QPoint(max, max));
        QCOMPARE(g.LatticeToPixel(min, max), QPoint(min, min));
        QCOMPARE(g.PointToPixel(1e12, -1e12), QPoint(max, max));
        QCOMPARE(g.PointToPixel(-1e12, 1e12), QPoint(min, min));
    }

    void zeroScaleKeepsThePreviousScale()
    {
        PlaneGeometry previous;
        previous.ScaleX = 8;
        previous.ScaleY = 4;
        PlaneSettings s = Settings();
        s.ScaleX = 0;
        s.ScaleY = 0;
        const PlaneGeometry g = ComputePlaneGeometry(320, 320, s, previous);
        QCOMPARE(g.ScaleX, 8);
        QCOMPARE(g.ScaleY, 4);
        QCOMPARE(g.CountX, 40);
        QCOMPARE(g.CountY, 80);
    }

    void planeSizeFallsBackToTheDefault_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::newRow("none") << "-99" << 544;
        QTest::newRow("zero") << "0" << 544;
        QTest::newRow("empty") << "" << 544;
        QTest::newRow("given") << "320" << 320;
        // Only a hand-edited holder has such a size; the picture stays drawable.
        QTest::newRow("beyond any screen") << "2147483647" << 4096;
    }
    void planeSizeFallsBackToTheDefault()
    {
        QFETCH(QString, text);
        PlaneState st = MainLayoutState();
        st.MainPlane.SizeX = text;
        st.MainPlane.SizeY = QStringLiteral("256");
        QTEST(PlaneSizeX(st), "size");
        QCOMPARE(PlaneSizeY(st), 256);
        // The placement arithmetic stays in range (UBSan checks it).
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        QTEST(pic.canvas().width(), "size");
    }

    void mainPlaneIsPlacedAndPublished()
    {
        PlaneState st = MainLayoutState();
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        QCOMPARE(pic.bounds(), QRect(430, 42, 544, 544));
        QCOMPARE(pic.canvas().width(), 544);
        QCOMPARE(st.Geometry.OriginX, 272);
        QCOMPARE(st.Geometry.LastY, 17);
    }

    void mainPlaneLines_data()
    {
        QTest::addColumn<bool>("axisColor");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<uint>("color");
        // 544 px, 16 px per unit, origin at pixel (272, 272).
        QTest::newRow("ordinary line") << true << QPoint(16, 100) << uint(Colors::Silver);
        QTest::newRow("fifth line grey") << true << QPoint(32, 100) << uint(Colors::Gray);
        QTest::newRow("y axis grey") << true << QPoint(272, 100) << uint(Colors::Gray);
        QTest::newRow("y axis two pixels wide") << true << QPoint(271, 100) << uint(Colors::Gray);
        QTest::newRow("x axis grey") << true << QPoint(100, 272) << uint(Colors::Gray);
        QTest::newRow("between lines white") << true << QPoint(100, 100) << uint(Colors::White);
        QTest::newRow("last vertical line one pixel in") << true << QPoint(543, 100) << uint(Colors::Silver);
        QTest::newRow("first horizontal line one pixel up") << true << QPoint(100, 543) << uint(Colors::Silver);
        QTest::newRow("fifth line navy") << false << QPoint(32, 100) << uint(Colors::Navy);
        QTest::newRow("axis navy") << false << QPoint(272, 100) << uint(Colors::Navy);
    }
    void mainPlaneLines()
    {
        QFETCH(bool, axisColor);
        QFETCH(QPoint, at);
        QFETCH(uint, color);
        PlaneState st = MainLayoutState();
        st.Draw.AxisColor = axisColor;
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        QCOMPARE(pic.canvas().pixel(at.x(), at.y()), Color(color));
    }

    void practicePlaneLines_data()
    {
        QTest::addColumn<bool>("axisColor");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<uint>("color");
        QTest::newRow("fifth line navy") << true << QPoint(32, 100) << uint(Colors::Navy);
        QTest::newRow("y axis red, one pixel") << true << QPoint(272, 100) << uint(Colors::Red);
        QTest::newRow("left of y axis white") << true << QPoint(271, 100) << uint(Colors::White);
        QTest::newRow("x axis red") << true << QPoint(100, 272) << uint(Colors::Red);
        // The x axis is drawn not-xor over the silver vertical line.
        QTest::newRow("x axis crossing inverted") << true << QPoint(16, 272) << 0x3F3FC0u;
        // Not-xor stays on for the next rows: silver over silver turns white.
        QTest::newRow("row above the axis still not-xor") << true << QPoint(16, 256) << uint(Colors::White);
        QTest::newRow("fifth row back in copy mode") << true << QPoint(16, 192) << uint(Colors::Navy);
        QTest::newRow("last vertical line at its place") << true << QPoint(544, 100) << uint(Colors::White);
        QTest::newRow("grey scheme") << false << QPoint(272, 100) << uint(Colors::Gray);
    }
    void practicePlaneLines()
    {
        QFETCH(bool, axisColor);
        QFETCH(QPoint, at);
        QFETCH(uint, color);
        PlaneState st = MainLayoutState();
        st.Draw.AxisColor = axisColor;
        Picture pic(350, 0, 0, 0);
        st.Geometry = DrawPracticePlane(pic, st, st.Geometry);
        QCOMPARE(pic.left(), 350);  // not moved sideways
        QCOMPARE(pic.canvas().pixel(at.x(), at.y()), Color(color));
    }

    void numbersLeaveOutEdgesAndZero()
    {
        PlaneState st = MainLayoutState();
        st.MainPlane.StartX = st.MainPlane.StartY = QStringLiteral("-15");  // edges -15 and 19
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        const PlaneGeometry &g = st.Geometry;
        const Canvas &c = pic.canvas();
        const double off = -1.5;
        QCOMPARE(g.StartX, -15);
        QVERIFY(CountColor(c, NumberBox(g, -10 + off, 0), Colors::Black) > 0);
        QCOMPARE(CountColor(c, NumberBox(g, -15 + off, 0), Colors::Black), 0);  // the left edge
        QVERIFY(CountColor(c, NumberBox(g, off, 10), Colors::Black) > 0);
        QCOMPARE(CountColor(c, NumberBox(g, off, -15), Colors::Black), 0);  // the lower edge
        QCOMPARE(CountColor(c, NumberBox(g, off, 5) .translated(0, 0), Colors::Black) > 0, true);
    }

    // Where the set step would crowd the tick numbers, only every second,
    // fifth or tenth is numbered: neighbours never touch, and the y numbers
    // stay off the y axis.
    void tickNumbersStayApart_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("fontSize");  // the main plane's size for that scale
        QTest::newRow("scale 4, step 5") << 4 << 5 << 8;
        QTest::newRow("scale 8, step 2") << 8 << 2 << 10;
        QTest::newRow("scale 8, step 1") << 8 << 1 << 10;
        QTest::newRow("scale 16, step 1") << 16 << 1 << 12;
        QTest::newRow("scale 16, step 5") << 16 << 5 << 12;
    }
    void tickNumbersStayApart()
    {
        QFETCH(int, scale);
        QFETCH(int, step);
        QFETCH(int, fontSize);
        PlaneState st = NumberedPlane(scale, step);
        st.MainPlane.ShowAxisNames = false;
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        const PlaneGeometry &g = st.Geometry;
        const Canvas &c = pic.canvas();
        Canvas probe(1, 1);
        probe.setFontName(Fonts::Gothic);
        probe.setFontSize(fontSize);
        // Glyphs less than a digit apart make one run: a run wider than the
        // widest number means two numbers crowd each other.
        const int number = probe.textWidth(QStringLiteral("-88"));
        const int digit = probe.textWidth(QStringLiteral("0"));
        const QList<QPair<int, int>> xs =
            BlackRuns(c, QRect(0, g.OriginY + 1, c.width(), 16), Qt::Horizontal, digit);
        QVERIFY(xs.size() >= 5);
        for (const auto &run : xs)
            QVERIFY2(run.second - run.first < number, qPrintable(QString::number(run.first)));
        const QList<QPair<int, int>> ys = BlackRuns(c, QRect(g.OriginX - 40, 0, 38, g.OriginY - 2), Qt::Vertical, 1);
        QVERIFY(ys.size() >= 3);
        for (const auto &run : ys)
            QVERIFY2(run.second - run.first < probe.textHeight(QStringLiteral("8")), qPrintable(QString::number(run.first)));
        // Nothing of the y numbers right of the y axis.
        QCOMPARE(CountColor(c, QRect(g.OriginX + 1, 0, 20, g.OriginY - 2), Colors::Black), 0);
    }

    // The axis names "x" and "y" cover no tick number.
    void axisNamesCoverNoNumber_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("step");
        QTest::newRow("scale 8, step 2") << 8 << 2;
        QTest::newRow("scale 16, step 1") << 16 << 1;
        QTest::newRow("scale 4, step 1") << 4 << 1;
    }
    void axisNamesCoverNoNumber()
    {
        QFETCH(int, scale);
        QFETCH(int, step);
        auto draw = [&](bool numbers) {
            PlaneState st = NumberedPlane(scale, step);
            st.MainPlane.ShowTickNumbers = numbers;
            Picture pic;
            st.Geometry = DrawPlane(pic, st, st.Geometry);
            return pic.canvas().image().copy();
        };
        const QImage names = draw(false);
        const QImage both = draw(true);
        const QRgb black = ToPixel(Colors::Black);
        // Each name alone: the "y" at the top, the "x" at the right.
        const int w = names.width(), h = names.height();
        for (const QRect &half : {QRect(0, 0, w, h / 4), QRect(w * 3 / 4, h / 4, w / 4, h / 2)}) {
            QRect ink;
            for (int y = half.top(); y <= half.bottom(); ++y)
                for (int x = half.left(); x <= half.right(); ++x)
                    if (names.pixel(x, y) == black)
                        ink |= QRect(x, y, 1, 1);
            QVERIFY(!ink.isEmpty());
            ink.adjust(-1, -1, 1, 1);
            for (int y = ink.top(); y <= ink.bottom(); ++y)
                for (int x = ink.left(); x <= ink.right(); ++x)
                    QVERIFY2(both.pixel(x, y) != black || names.pixel(x, y) == black,
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }

    void numberLimitAndSteps()
    {
        PlaneState st = MainLayoutState();
        st.MainPlane.EndY = QStringLiteral("3");
        st.MainPlane.ScaleNumberY = 1;
        st.MainPlane.ScaleNumberX = 0;
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        const PlaneGeometry &g = st.Geometry;
        const Canvas &c = pic.canvas();
        QVERIFY(CountColor(c, NumberBox(g, -1.5, 3), Colors::Black) > 0);
        QCOMPARE(CountColor(c, NumberBox(g, -1.5, 4), Colors::Black), 0);
        QCOMPARE(CountColor(c, NumberBox(g, 5 - 1.5, 0), Colors::Black), 0);  // no x numbers
    }

    void axisNames()
    {
        for (bool on : {true, false}) {
            PlaneState st = MainLayoutState();
            st.MainPlane.ShowAxisNames = on;
            st.MainPlane.ShowTickNumbers = false;
            Picture pic;
            st.Geometry = DrawPlane(pic, st, st.Geometry);
            const Canvas &c = pic.canvas();
            const QRect xBox(544 - 20, 272 - 5, 20, 26);
            const QRect yBox(255, 1, 16, 26);
            QCOMPARE(CountColor(c, xBox, Colors::Black) > 0, on);
            QCOMPARE(CountColor(c, yBox, Colors::Black) > 0, on);
        }
    }

    void planeOffLeavesItWhiteButPublishes()
    {
        PlaneState st = MainLayoutState();
        st.MainPlane.ShowCoordinates = false;
        st.MainPlane.StartX = QStringLiteral("-2");
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        QCOMPARE(CountColor(pic.canvas(), QRect(0, 0, 544, 544), Colors::White), 544 * 544);
        QCOMPARE(st.Geometry.StartX, -2);
    }

    void badSettingTextStopsTheDrawing()
    {
        PlaneState st = MainLayoutState();
        Picture pic;
        st.Geometry = DrawPlane(pic, st, st.Geometry);
        const QImage before = pic.canvas().image();
        const PlaneGeometry geometry = st.Geometry;
        st.MainPlane.StartX = QStringLiteral("abc");
        try {
            st.Geometry = DrawPlane(pic, st, st.Geometry);
            QFAIL("no conversion error");
        } catch (const UserError &e) {
            QCOMPARE(e.text(), QStringLiteral("'abc' は整数ではありません"));
        }
        QCOMPARE(pic.canvas().image(), before);
        QCOMPARE(st.Geometry, geometry); // nothing was returned
    }

    void selectLetterFont_data()
    {
        QTest::addColumn<QChar>("ch");
        QTest::addColumn<int>("raise");
        QTest::newRow("A") << QChar('A') << 2;
        QTest::newRow("z") << QChar('z') << 2;
        QTest::newRow("[ lies between") << QChar('[') << 2;
        QTest::newRow("_ lies between") << QChar('_') << 2;
        QTest::newRow("@ below A") << QChar('@') << 0;
        QTest::newRow("{ above z") << QChar('{') << 0;
        QTest::newRow("digit") << QChar('0') << 0;
        QTest::newRow("relation sign") << QChar(0x2266) << 0;
    }
    void selectLetterFont()
    {
        QFETCH(QChar, ch);
        QFETCH(int, raise);
        Canvas c(4, 4);
        c.setFontSize(14);
        QCOMPARE(SelectLetterFont(c, ch), raise);
        QCOMPARE(c.fontName(), raise ? Fonts::Serif : Fonts::Gothic);
        QCOMPARE(c.fontItalic(), raise != 0);
        QCOMPARE(c.fontSize(), 14);
    }

    // The plane drawn onto a painter at twice the size gives each grid pixel
    // of the bitmap as a block of two by two (the numbers, whose glyphs are
    // made for each size, lie outside the compared quarter).
    void planeDrawsOntoAPainterAtAnyScale()
    {
        PlaneState st = MainLayoutState();
        st.Draw.AxisColor = true;
        Picture bitmap;
        DrawPlane(bitmap, st, st.Geometry);
        const QImage one = bitmap.canvas().image();

        QImage two(1088, 1088, QImage::Format_RGB32);
        two.fill(Qt::red);
        QPainter p(&two);
        p.scale(2, 2);
        Picture target;
        target.canvas().setTarget(&p, 544, 544);
        const PlaneGeometry g = DrawPlane(target, st, st.Geometry);
        target.canvas().setTarget(nullptr, 0, 0);
        p.end();
        QCOMPARE(g.OriginX, 272);
        int differ = 0, lines = 0, uncleared = 0;
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x)
                uncleared += two.pixel(x, y) == qRgb(255, 0, 0);
        QCOMPARE(uncleared, 0);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 240; ++x) {
                const QRgb want = one.pixel(x, y);
                lines += (want & 0xFFFFFF) != 0xFFFFFF;
                for (int k = 0; k < 4; ++k)
                    differ += two.pixel(2 * x + k % 2, 2 * y + k / 2) != want;
            }
        QVERIFY(lines > 240 * 10);
        QCOMPARE(differ, 0);
    }

    void clearImageTakesThePictureSize()
    {
        Picture pic(0, 0, 30, 20);
        DrawingSettings draw;
        draw.PanelTextColor = 0x00FF00;
        ClearImage(pic, Colors::Teal, draw);
        QCOMPARE(pic.canvas().width(), 30);
        QCOMPARE(pic.canvas().height(), 20);
        QCOMPARE(pic.canvas().pixel(29, 19), Colors::Teal);
        QCOMPARE(pic.canvas().fontColor(), Color(0x00FF00));
        QCOMPARE(pic.canvas().penMode(), PenMode::Copy);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    TestPlane t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_plane.moc"
