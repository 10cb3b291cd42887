#include "plane/Fonts.h"
#include "plane/Canvas.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QtTest>
#include <functional>

using Figure = std::function<void(Canvas &)>;
Q_DECLARE_METATYPE(Figure)

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
        Canvas c(64, 64);
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

    void boxesExcludeRightAndBottom()
    {
        Canvas c(20, 20);
        c.setPenColor(0x0000FF);
        c.setBrushColor(0x00FF00);
        c.rectangle(2, 2, 8, 8);
        QCOMPARE(c.pixel(2, 2), Color(0x0000FF));
        QCOMPARE(c.pixel(7, 7), Color(0x0000FF));
        QCOMPARE(c.pixel(8, 8), Colors::White);
        QCOMPARE(c.pixel(8, 4), Colors::White);
        QCOMPARE(c.pixel(4, 4), Color(0x00FF00));
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
    }
    void layoutFaceNamesResolveToInstalledFonts()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
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
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    TestCanvas t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_canvas.moc"
