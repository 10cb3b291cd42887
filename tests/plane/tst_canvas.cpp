#include "plane/Canvas.h"
#include "plane/Fonts.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QtTest>
#include <cstring>
#include <functional>
#include <optional>

using Figure = std::function<void(Canvas &)>;
Q_DECLARE_METATYPE(Figure)

// A polyline in one pen: its points in drawing order.
struct Stroke {
    QPolygon points;
    int width = 1;
    Color color = Colors::Black;
};
using Strokes = QList<Stroke>;
Q_DECLARE_METATYPE(Strokes)

namespace {
// Smallest box holding every pixel that is not white.
QRect InkBox(const QImage &image)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                r |= QRect(x, y, 1, 1);
    return r;
}
// Lines from the start to every point up to reach pixels away each way;
// only those ending inside the box unless it is null.
Strokes LinesFrom(QPoint start, int reach, const QRect &inside = QRect())
{
    Strokes lines;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            if ((dx || dy) && (inside.isNull() || inside.contains(start + QPoint(dx, dy))))
                lines.append({QPolygon({start, start + QPoint(dx, dy)})});
    return lines;
}

// Lines of the whole length of the picture at every slope: from each
// corner to every pixel of the two far edges, both ways round.
Strokes CornerToFarEdges(int side)
{
    const int far = side - 1;
    Strokes lines;
    for (const QPoint corner : {QPoint(0, 0), QPoint(far, 0), QPoint(0, far), QPoint(far, far)}) {
        const int ex = far - corner.x(), ey = far - corner.y();
        for (int k = 0; k < side; ++k)
            for (const QPoint end : {QPoint(ex, k), QPoint(k, ey)}) {
                lines.append({QPolygon({corner, end})});
                lines.append({QPolygon({end, corner})});
            }
    }
    return lines;
}

// The curves of 100 parabolas of every pen width on the 544-pixel plane,
// whole or from near the vertex on, leaving the picture at the top or bottom.
Strokes HundredCurves()
{
    const PlaneGeometry g = ComputePlaneGeometry(544, 544, PlaneSettings{}, PlaneGeometry{});
    const DrawingSettings draw;
    const PlotContext ctx{g, draw, 544};
    Strokes curves;
    for (int i = 0; i < 100; ++i) {
        Parabola r;
        r.VertexX = i % 21 - 10;
        r.VertexY = (i * 7) % 19 - 9;
        r.PointX = r.VertexX + 1 + i % 3;
        r.PointY = r.VertexY + ((i % 2) ? 2 + i % 4 : -(1 + i % 5));
        r.LineWidth = 1 + i % 3;
        const std::vector<QPoint> samples =
            CurvePieceSamples(i % 4 ? r.VertexX - 1 - i % 7 : -99, 99, r, ctx);
        curves.append({QPolygon(QList<QPoint>(samples.begin(), samples.end())), r.LineWidth,
                       Color(0x10101 * (i % 7) * 30)});
    }
    return curves;
}

// A stroke as QPainter's cosmetic one-pixel pen draws it: a wide pen as
// one-pixel lines side by side across each segment's main direction.
void PainterStroke(QPainter &p, const Stroke &s)
{
    QPen pen(ToQColor(s.color), 1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    QList<QLine> lines;
    for (qsizetype i = 1; i < s.points.size(); ++i) {
        const QPoint a = s.points[i - 1], b = s.points[i];
        if (a == b)
            continue;
        const bool flat = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
        for (int k = -(s.width - 1) / 2, n = 0; n < s.width; ++k, ++n) {
            const QPoint off = flat ? QPoint(0, k) : QPoint(k, 0);
            lines.append(QLine(a + off, b + off));
        }
    }
    p.drawLines(lines.constData(), int(lines.size()));
}

// The first pixel in the box where two pictures differ, or none.
std::optional<QPoint> FirstDifference(const QImage &a, const QImage &b, const QRect &box)
{
    const QRect r = box & a.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *pa = reinterpret_cast<const quint32 *>(a.constScanLine(y));
        const auto *pb = reinterpret_cast<const quint32 *>(b.constScanLine(y));
        if (std::memcmp(pa + r.left(), pb + r.left(), std::size_t(r.width()) * 4) != 0)
            for (int x = r.left(); x <= r.right(); ++x)
                if (pa[x] != pb[x])
                    return QPoint(x, y);
    }
    return std::nullopt;
}
} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutions(); }

    void notXorTwiceRestores_data()
    {
        QTest::addColumn<Figure>("figure");
        QTest::newRow("polyline") << Figure([](Canvas &c) {
            c.setPenColor(0x0000FF);
            c.moveTo(3, 3);
            c.lineTo(40, 10);
            c.lineTo(20, 50);
            c.lineTo(3, 3);
        });
        QTest::newRow("wide pen") << Figure([](Canvas &c) {
            c.setPenWidth(3);
            c.setPenColor(0x00FF00);
            c.moveTo(0, 30);
            c.lineTo(63, 35);
            c.lineTo(10, 60);
        });
        QTest::newRow("filled rectangle") << Figure([](Canvas &c) {
            c.setBrushColor(0x808000);
            c.rectangle(5, 5, 30, 20);
        });
        QTest::newRow("hollow circle, width 2") << Figure([](Canvas &c) {
            c.setPenWidth(2);
            c.setBrushColor(Colors::White);
            c.ellipse(20, 20, 31, 31);
        });
        QTest::newRow("clear-brush square") << Figure([](Canvas &c) {
            c.setBrushStyle(BrushStyle::Clear);
            c.rectangle(10, 10, 21, 21);
        });
        QTest::newRow("text") << Figure([](Canvas &c) {
            c.setBrushStyle(BrushStyle::Clear);
            c.setFontSize(14);
            c.textOut(2, 2, QStringLiteral("y = x^2 ≦"));
        });
    }
    void notXorTwiceRestores()
    {
        QFETCH(Figure, figure);
        // On a bitmap of the screen's pixels and on one of twice as many.
        for (qreal dpr : {1.0, 2.0}) {
            Canvas c(64, 64, Colors::White, dpr);
            // A background that is not plain white, so inversions show.
            for (int i = 0; i < 64; i += 8) {
                c.setPenColor(0xC0C0C0);
                c.moveTo(i, 0);
                c.lineTo(i, 64);
            }
            const QImage before = c.image();
            c.setPenMode(PenMode::NotXor);
            figure(c);
            QVERIFY(c.image() != before);
            c.setPenMode(PenMode::NotXor);
            c.setPenWidth(1);
            c.setBrushStyle(BrushStyle::Solid);
            figure(c);
            QCOMPARE(c.image(), before);
        }
    }

    void lineLeavesOutItsEndPoint()
    {
        Canvas c(20, 20);
        c.moveTo(2, 5);
        c.lineTo(8, 5);
        QCOMPARE(c.pixel(2, 5), Colors::Black);
        QCOMPARE(c.pixel(7, 5), Colors::Black);
        QCOMPARE(c.pixel(8, 5), Colors::White);
        QCOMPARE(c.penPosition(), QPoint(8, 5));
    }

    // Curves go into the bitmap by a rasterizer of our own where the lines
    // are one pixel wide or banded: each stroke must give QPainter's pixels.
    void strokesGiveThePaintersPixels_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<bool>("oneByOne"); // each stroke alone, or all in one picture
        const QRect plane(0, 0, 544, 544);
        QTest::newRow("every short line from the middle") << 129 << LinesFrom(QPoint(64, 64), 64) << true;
        QTest::newRow("short lines from the top-left corner")
            << 544 << LinesFrom(QPoint(0, 0), 64, plane) << true;
        QTest::newRow("short lines from the bottom-right corner")
            << 544 << LinesFrom(QPoint(543, 543), 64, plane) << true;
        QTest::newRow("short lines from an odd point")
            << 544 << LinesFrom(QPoint(301, 17), 64, plane) << true;
        QTest::newRow("lines leaving the picture") << 544 << LinesFrom(QPoint(20, 530), 40) << true;
        QTest::newRow("picture-long lines at every slope") << 544 << CornerToFarEdges(544) << true;
        QTest::newRow("100 curves of widths 1 to 3") << 544 << HundredCurves() << false;
    }
    void strokesGiveThePaintersPixels()
    {
        QFETCH(int, side);
        QFETCH(Strokes, strokes);
        QFETCH(bool, oneByOne);
        Canvas c(side, side);
        QImage want(side, side, QImage::Format_RGB32);
        want.fill(Qt::white);
        QPainter p(&want);
        for (const Stroke &s : strokes) {
            c.setPenWidth(s.width);
            c.setPenColor(s.color);
            c.moveTo(s.points.first().x(), s.points.first().y());
            c.lineToEach(s.points.constData() + 1, int(s.points.size()) - 1);
            PainterStroke(p, s);
            if (oneByOne) {
                // Compared, then cleared, in a box around the stroke.
                const QRect box = s.points.boundingRect().adjusted(-s.width, -s.width, s.width, s.width);
                if (const std::optional<QPoint> bad = FirstDifference(c.image(), want, box))
                    QFAIL(qPrintable(QStringLiteral("(%1,%2) to (%3,%4) differs at (%5,%6)")
                                         .arg(s.points[0].x())
                                         .arg(s.points[0].y())
                                         .arg(s.points[1].x())
                                         .arg(s.points[1].y())
                                         .arg(bad->x())
                                         .arg(bad->y())));
                c.setBrushColor(Colors::White);
                c.fillRect(box);
                p.fillRect(box, Qt::white);
            }
        }
        p.end();
        // Nothing strayed outside the boxes; the curves span the plane.
        QCOMPARE(c.image(), want);
        if (!oneByOne)
            QVERIFY(InkBox(want).width() > 400);
    }

    // Lines written straight into the bitmap land in the canvas's own
    // pixels: never in a picture it was given, nor in a copy taken while
    // its painter is open, and the painter goes on drawing there too.
    void linesLeaveSharedPicturesAlone()
    {
        QImage given(40, 40, QImage::Format_RGB32);
        given.fill(Qt::white);
        Canvas c;
        c.assign(given);
        c.moveTo(2, 20);
        c.lineTo(38, 25);
        QCOMPARE(c.pixel(3, 20), Colors::Black);
        QCOMPARE(given.pixel(3, 20), ToPixel(Colors::White));

        const QImage &pixels = c.image();
        c.setBrushColor(0x00FF00);
        c.fillRect(QRect(0, 0, 4, 4));
        const QImage copy = pixels;
        c.moveTo(5, 5);
        c.lineTo(30, 12);
        c.fillRect(QRect(30, 30, 4, 4));
        QCOMPARE(c.pixel(6, 5), Colors::Black);
        QCOMPARE(c.pixel(31, 31), Color(0x00FF00));
        QCOMPARE(copy.pixel(1, 1), ToPixel(0x00FF00));
        QCOMPARE(copy.pixel(6, 5), ToPixel(Colors::White));
        QCOMPARE(copy.pixel(31, 31), ToPixel(Colors::White));
    }

    // A fresh bitmap is one colour until it is drawn on or read: its size,
    // pixels and colour changes hold without it, and it comes out whole.
    void blankBitmapIsMadeOnFirstUse()
    {
        for (qreal dpr : {1.0, 2.0}) {
            Canvas c(30, 20, Colors::Silver, dpr);
            QCOMPARE(c.blankColor(), std::optional<Color>(Colors::Silver));
            QCOMPARE(QSize(c.width(), c.height()), QSize(30, 20));
            QCOMPARE(c.pixel(29, 19), Colors::Silver);
            QCOMPARE(c.pixel(30, 0), Colors::White);  // outside, as for a bitmap
            c.fill(Colors::Navy);
            QCOMPARE(c.blankColor(), std::optional<Color>(Colors::Navy));
            QImage want(QSize(30, 20) * dpr, QImage::Format_RGB32);
            want.fill(ToPixel(Colors::Navy));
            want.setDevicePixelRatio(dpr);
            QCOMPARE(c.image(), want);
            QCOMPARE(c.blankColor(), std::nullopt);
            // Cleared again at the same size, the bitmap is kept and filled.
            c.reset(30, 20, Colors::Red);
            QCOMPARE(c.blankColor(), std::nullopt);
            QCOMPARE(c.pixel(3, 3), Colors::Red);
        }
        Canvas empty(0, 5);
        QCOMPARE(empty.blankColor(), std::nullopt);
        QVERIFY(empty.image().isNull());
    }

    void boxesExcludeRightAndBottom()
    {
        // Pixels are read at canvas coordinates whatever the density.
        for (qreal dpr : {1.0, 2.0}) {
            Canvas c(20, 20, Colors::White, dpr);
            c.setPenColor(0x0000FF);
            c.setBrushColor(0x00FF00);
            c.rectangle(2, 2, 8, 8);
            QCOMPARE(c.pixel(2, 2), Color(0x0000FF));
            QCOMPARE(c.pixel(7, 7), Color(0x0000FF));
            QCOMPARE(c.pixel(8, 8), Colors::White);
            QCOMPARE(c.pixel(8, 4), Colors::White);
            QCOMPARE(c.pixel(4, 4), Color(0x00FF00));
        }
    }

    // Blocks drawn in one call give the pixels of the same boxes drawn one
    // by one, overlaps included (not-xor inverts twice), whatever the brush.
    void blocksMatchBoxesOneByOne_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("brush");
        QTest::newRow("copy, clear brush") << int(PenMode::Copy) << int(BrushStyle::Clear);
        QTest::newRow("not-xor, clear brush") << int(PenMode::NotXor) << int(BrushStyle::Clear);
        QTest::newRow("not-xor, other brush colour") << int(PenMode::NotXor) << int(BrushStyle::Solid);
    }
    void blocksMatchBoxesOneByOne()
    {
        QFETCH(int, mode);
        QFETCH(int, brush);
        const QList<QRect> boxes{QRect(3, 3, 2, 2), QRect(4, 4, 2, 2), QRect(30, 10, 2, 2), QRect(62, 62, 2, 2)};
        auto start = [&](Canvas &c) {
            c.fill(0xC0C0C0);
            c.setPenColor(0x0000FF);
            c.setPenMode(PenMode(mode));
            c.setBrushColor(0x00FF00);  // a colour makes the brush solid
            c.setBrushStyle(BrushStyle(brush));
        };
        Canvas one(64, 64), all(64, 64);
        start(one);
        start(all);
        for (const QRect &r : boxes) {
            // Each box drawn as rectangle() draws it with the brush in the pen colour.
            one.setBrushStyle(BrushStyle::Solid);
            one.setBrushColor(0x0000FF);
            one.rectangle(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
        }
        all.blocks(boxes.data(), int(boxes.size()));
        QCOMPARE(all.image(), one.image());
        QCOMPARE(all.pixel(4, 4), mode == int(PenMode::Copy) ? Color(0x0000FF) : Color(0xC0C0C0));
        // The brush is the caller's again afterwards.
        all.setPenMode(PenMode::Copy);
        all.setPenColor(0x000000);
        all.rectangle(10, 40, 20, 50);
        QCOMPARE(all.pixel(15, 45), brush == int(BrushStyle::Solid) ? Color(0x00FF00) : Color(0xC0C0C0));
    }

    // A view hears of a drawing once, and again after it has read the
    // pixels: it never misses a change and never repaints per line.
    void changesAreReportedOncePerReading()
    {
        Canvas c(32, 32);
        int reports = 0;
        c.setChangeHook([&reports] { ++reports; });
        c.moveTo(0, 0);
        for (int i = 1; i < 10; ++i)
            c.lineTo(3 * i, i);
        c.rectangle(2, 2, 9, 9);
        QCOMPARE(reports, 1);
        (void)c.image();
        QCOMPARE(reports, 1);
        c.fillRect(QRect(0, 0, 4, 4));
        QCOMPARE(reports, 2);
        c.setChangeHook([&reports] { reports += 10; });  // a new view hears of the next change
        c.lineTo(0, 31);
        QCOMPARE(reports, 12);
    }

    void coloursAreBlueGreenRed_data()
    {
        QTest::addColumn<uint>("bgr");
        QTest::addColumn<QColor>("rgb");
        QTest::newRow("red") << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("teal") << 0x808000u << QColor(0, 128, 128);
        QTest::newRow("navy") << 0x800000u << QColor(0, 0, 128);
    }
    void coloursAreBlueGreenRed()
    {
        QFETCH(uint, bgr);
        QFETCH(QColor, rgb);
        QCOMPARE(ToQColor(bgr), rgb);
        QCOMPARE(FromQColor(rgb), Color(bgr));
        Canvas c(4, 4, bgr);
        QCOMPARE(QColor(c.image().pixel(1, 1)), rgb);
    }

    void xorCopyTwiceRestores()
    {
        Canvas c(30, 30, 0x808000);
        QImage mark(10, 10, QImage::Format_RGB32);
        mark.fill(QColor(255, 255, 0));
        const QImage before = c.image();
        c.xorCopy(5, 5, mark);
        QVERIFY(c.image() != before);
        c.xorCopy(5, 5, mark);
        QCOMPARE(c.image(), before);
    }

    void layoutFaceNamesResolveToInstalledFonts_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::newRow("proportional gothic") << QStringLiteral("ＭＳ Ｐゴシック") << QStringLiteral("IPAPGothic");
        QTest::newRow("fixed gothic") << QStringLiteral("ＭＳ ゴシック") << QStringLiteral("IPAGothic");
        QTest::newRow("serif") << QStringLiteral("Bookman Old Style") << QStringLiteral("URW Bookman");
        QTest::newRow("installed family") << QStringLiteral("IPAGothic") << QStringLiteral("IPAGothic");
    }
    void layoutFaceNamesResolveToInstalledFonts()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
        // Asked by the installed family itself, so Qt never searches fallbacks.
        QCOMPARE(Fonts::InstalledFamily(face), family);
        Canvas c(10, 10);
        c.setFontName(face);
        QVERIFY2(QFontInfo(c.font()).family().startsWith(family), qPrintable(QFontInfo(c.font()).family()));
    }

    void textTopLeftIsTheCellCorner()
    {
        Canvas c(60, 40);
        c.setFontSize(14);
        c.setBrushStyle(BrushStyle::Clear);
        c.textOut(10, 10, QStringLiteral("あ"));
        bool above = false, inside = false;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                if (c.pixel(x, y) != Colors::White) {
                    above |= y < 10 || x < 10;
                    inside |= y >= 10 && y < 10 + c.textHeight(QStringLiteral("あ"));
                }
        QVERIFY(inside);
        QVERIFY(!above);
    }

    // Fonts, widths and shaped texts are remembered per font: the same text
    // in another face, size, weight or slant, asked for in turns, is
    // measured and drawn in that font, with the pixels the painter gives
    // it, in either pen mode, when it is drawn first and when again.
    void textsFollowTheFont()
    {
        const QString text = QStringLiteral("y＝-3/4x²（あ）");
        for (int round = 0; round < 2; ++round)
            for (const QString &face : {Fonts::Gothic, Fonts::FixedGothic, Fonts::Serif})
                for (int size : {9, 14})
                    for (bool bold : {false, true})
                        for (bool italic : {false, true})
                            for (PenMode mode : {PenMode::Copy, PenMode::NotXor}) {
                                Canvas c(160, 30);
                                c.setPenColor(0xC0C0C0);
                                for (int x = 0; x < 160; x += 3) {
                                    c.moveTo(x, 0);
                                    c.lineTo(x, 30);
                                }
                                QImage want = c.image().copy();
                                c.setFontName(face);
                                c.setFontSize(size);
                                c.setFontBold(bold);
                                c.setFontItalic(italic);
                                c.setFontColor(0x0000FF);
                                c.setBrushStyle(BrushStyle::Clear);
                                c.setPenMode(mode);
                                QCOMPARE(c.textWidth(text), QFontMetrics(c.font()).horizontalAdvance(text));
                                c.textOut(4, 3, text);
                                QPainter p(&want);
                                if (mode == PenMode::NotXor)
                                    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
                                p.setFont(c.font());
                                p.setPen(QColor(Qt::red));
                                p.drawText(QPoint(4, 3 + QFontMetrics(c.font()).ascent()), text);
                                p.end();
                                QVERIFY2(c.image() == want, qPrintable(QStringLiteral("%1 %2 %3 %4 %5")
                                                                           .arg(face)
                                                                           .arg(size)
                                                                           .arg(bold)
                                                                           .arg(italic)
                                                                           .arg(int(mode))));
                            }
    }
    // On a painter scaled 3 times, and on a bitmap of 3 device pixels per
    // pixel, every drawing covers three times the box it covers in the
    // bitmap: widths, boxes and fonts scale.
    void targetDrawingScalesWithThePainter_data()
    {
        QTest::addColumn<Figure>("figure");
        QTest::addColumn<int>("slack"); // device pixels each edge may differ by
        QTest::newRow("grid line") << Figure([](Canvas &c) {
            c.moveTo(2, 5);
            c.lineTo(10, 5);
        }) << 0;
        QTest::newRow("wide curve") << Figure([](Canvas &c) {
            c.setPenWidth(3);
            const QPoint pts[] = {{10, 5}, {20, 5}, {20, 5}, {30, 5}};
            c.moveTo(2, 5);
            c.lineToEach(pts, 4);
        }) << 2; // the ends run from pixel centres
        QTest::newRow("slanted wide line") << Figure([](Canvas &c) {
            c.setPenWidth(2);
            c.moveTo(5, 5);
            c.lineTo(40, 30);
        }) << 3;
        QTest::newRow("framed rectangle") << Figure([](Canvas &c) {
            c.setPenWidth(2);
            c.setBrushColor(0x808000);
            c.rectangle(5, 5, 30, 20);
        }) << 0;
        QTest::newRow("blocks") << Figure([](Canvas &c) {
            const QRect boxes[] = {QRect(3, 3, 2, 2), QRect(30, 40, 2, 2)};
            c.blocks(boxes, 2);
        }) << 0;
        QTest::newRow("filled box") << Figure([](Canvas &c) {
            c.setBrushColor(0x0000FF);
            c.fillRect(QRect(7, 8, 9, 10));
        }) << 0;
        QTest::newRow("circle") << Figure([](Canvas &c) {
            c.setPenWidth(2);
            c.ellipse(20, 20, 31, 31);
        }) << 1;
        QTest::newRow("text") << Figure([](Canvas &c) {
            c.setBrushStyle(BrushStyle::Clear);
            c.setFontSize(14);
            c.textOut(2, 2, QStringLiteral("y = x²"));
        }) << 4;
        QTest::newRow("text on its background") << Figure([](Canvas &c) {
            c.setBrushColor(0x00FFFF);
            c.textOut(4, 30, QStringLiteral("-12"));
        }) << 0;
        QTest::newRow("stretched image") << Figure([](Canvas &c) {
            QImage src(4, 4, QImage::Format_RGB32);
            src.fill(Qt::blue);
            c.stretchDraw(QRect(10, 12, 20, 8), src);
        }) << 0;
    }
    void targetDrawingScalesWithThePainter()
    {
        QFETCH(Figure, figure);
        QFETCH(int, slack);
        Canvas bitmap(64, 64);
        figure(bitmap);
        const QRect expected = InkBox(bitmap.image());
        QVERIFY(!expected.isEmpty());

        QImage device(192, 192, QImage::Format_RGB32);
        device.fill(Qt::white);
        QPainter p(&device);
        p.scale(3, 3);
        Canvas c(8, 8);
        c.setTarget(&p, 64, 64);
        QCOMPARE(c.width(), 64);
        figure(c);
        c.setTarget(nullptr, 0, 0);
        p.end();
        const QRect got = InkBox(device);
        const QRect want(expected.topLeft() * 3, expected.size() * 3);
        QVERIFY2(std::abs(got.left() - want.left()) <= slack && std::abs(got.top() - want.top()) <= slack &&
                     std::abs(got.right() - want.right()) <= slack &&
                     std::abs(got.bottom() - want.bottom()) <= slack,
                 qPrintable(QStringLiteral("%1,%2 %3x%4 instead of %5,%6 %7x%8")
                                .arg(got.x())
                                .arg(got.y())
                                .arg(got.width())
                                .arg(got.height())
                                .arg(want.x())
                                .arg(want.y())
                                .arg(want.width())
                                .arg(want.height())));
        // The bitmap of the canvas is not drawn on meanwhile.
        QCOMPARE(InkBox(c.image()), QRect());

        Canvas dense(64, 64, Colors::White, 3);
        figure(dense);
        QCOMPARE(dense.width(), 64);
        QCOMPARE(dense.image().size(), QSize(192, 192));
        const QRect ink = InkBox(dense.image());
        QVERIFY2(std::abs(ink.left() - want.left()) <= slack && std::abs(ink.top() - want.top()) <= slack &&
                     std::abs(ink.right() - want.right()) <= slack &&
                     std::abs(ink.bottom() - want.bottom()) <= slack,
                 qPrintable(QStringLiteral("dense: %1,%2 %3x%4")
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())));
    }

    // A painter cannot invert what is under it: not-xor and xor draw as
    // copies there, fill covers the canvas's box only, and the painter is
    // handed back in the state it came in.
    void targetDrawsCopiesAndKeepsThePainterState()
    {
        QImage device(100, 100, QImage::Format_RGB32);
        device.fill(Qt::white);
        QPainter p(&device);
        QPen pen(Qt::green, 7);
        p.setPen(pen);
        p.setBrush(Qt::yellow);
        p.setFont(QFont(QStringLiteral("Bookman Old Style"), 31));
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.translate(10, 20);
        const QTransform transform = p.transform();

        Canvas c;
        int reports = 0;
        c.setChangeHook([&reports] { ++reports; });
        c.setTarget(&p, 50, 40);
        QVERIFY(c.hasTarget());
        QCOMPARE(c.height(), 40);
        c.fill(0x00FF00);
        c.setPenMode(PenMode::NotXor);
        c.setPenColor(0x0000FF);
        for (int twice = 0; twice < 2; ++twice) {
            c.moveTo(0, 5);
            c.lineTo(20, 5);
        }
        QImage mark(4, 4, QImage::Format_RGB32);
        mark.fill(Qt::black);
        c.xorCopy(30, 30, mark);
        c.xorCopy(30, 30, mark);
        c.setFontSize(20);
        c.textOut(0, 10, QStringLiteral("x"));
        c.setTarget(nullptr, 0, 0);
        QVERIFY(!c.hasTarget());
        QCOMPARE(reports, 0);

        QCOMPARE(p.pen(), pen);
        QCOMPARE(p.brush(), QBrush(Qt::yellow));
        QCOMPARE(p.font(), QFont(QStringLiteral("Bookman Old Style"), 31));
        QCOMPARE(p.compositionMode(), QPainter::CompositionMode_Multiply);
        QCOMPARE(p.transform(), transform);
        p.end();
        QCOMPARE(QColor(device.pixel(15, 25)), QColor(255, 0, 0));
        QCOMPARE(QColor(device.pixel(41, 51)), QColor(0, 0, 0));
        QCOMPARE(QColor(device.pixel(59, 59)), QColor(0, 255, 0));
        QCOMPARE(QColor(device.pixel(60, 59)), QColor(255, 255, 255));
        QCOMPARE(QColor(device.pixel(59, 60)), QColor(255, 255, 255));
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    TestCanvas t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_canvas.moc"
