#include "ModelTestSupport.h"
#include "model/Properties.h"

#include <QtTest>

class TestProperties : public QObject {
    Q_OBJECT

private slots:
    void squareRootText_data()
    {
        QTest::addColumn<qint64>("num");
        QTest::addColumn<qint64>("den");
        QTest::addColumn<QString>("text");
        QTest::newRow("√12") << qint64(12) << qint64(1) << "2√3";
        QTest::newRow("√18") << qint64(18) << qint64(1) << "3√2";
        QTest::newRow("√72, two square factors") << qint64(72) << qint64(1) << "6√2";
        QTest::newRow("√3 stays") << qint64(3) << qint64(1) << "√3";
        QTest::newRow("√(8/9)") << qint64(8) << qint64(9) << "2√2/3";
        QTest::newRow("√(9/2), root out of the denominator") << qint64(9) << qint64(2) << "3√2/2";
        QTest::newRow("√(1/3)") << qint64(1) << qint64(3) << "√3/3";
        QTest::newRow("√9") << qint64(9) << qint64(1) << "3";
        QTest::newRow("√(1/4)") << qint64(1) << qint64(4) << "1/2";
        QTest::newRow("√0") << qint64(0) << qint64(1) << "0";
        QTest::newRow("a square factor beyond the trial divisors")
            << qint64(2) * 1000003 * 1000003 << qint64(1) << "1000003√2";
    }
    void squareRootText()
    {
        QFETCH(qint64, num);
        QFETCH(qint64, den);
        QFETCH(QString, text);
        QCOMPARE(SquareRootText(num, den), text);
    }

    void properties_data()
    {
        QTest::addColumn<Parabola>("rec");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("discriminant");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("minimum");
        const QString noX = QStringLiteral("x軸との共有点はありません");
        const QString noY = QStringLiteral("y軸との共有点はありません");
        const QString noMax = QStringLiteral("最大値はありません");
        const QString noMin = QStringLiteral("最小値はありません");
        const Parabola shifted = parabola(2, -3, 3, -2); // y = (x-2)^2-3
        const Parabola square = parabola(0, 0, 1, 1);    // y = x^2
        const Parabola cap = parabola(-1, 4, 0, 3);      // y = -(x+1)^2+4
        QTest::newRow("D = 12: √12/2 is √3") << shifted << "x = 2±√3"
                                             << "(0,1)"
                                             << "D = b^2-4ac = 12" << noMax << "x = 2 のとき 最小値 -3";
        QTest::newRow("D = 18") << parabola(0, -9, 2, -7) << "x = ±3√2"
                                << "(0,-9)"
                                << "D = b^2-4ac = 18" << noMax << "x = 0 のとき 最小値 -9";
        QTest::newRow("D = 8/9") << parabola(1, -1, 4, 1) << "x = 1±3√2/2"
                                 << "(0,-7/9)"
                                 << "D = b^2-4ac = 8/9" << noMax << "x = 1 のとき 最小値 -1";
        QTest::newRow("(x-p)^2 = 8/9") << parabola(0, -8, 1, 1) << "x = ±2√2/3"
                                       << "(0,-8)"
                                       << "D = b^2-4ac = 288" << noMax << "x = 0 のとき 最小値 -8";
        QTest::newRow("rational roots") << parabola(1, -1, 2, 0) << "x = 0, 2"
                                        << "(0,0)"
                                        << "D = b^2-4ac = 4" << noMax << "x = 1 のとき 最小値 -1";
        QTest::newRow("fractional roots") << parabola(1, -1, 2, 3) << "x = 1/2, 3/2"
                                          << "(0,3)"
                                          << "D = b^2-4ac = 16" << noMax << "x = 1 のとき 最小値 -1";
        QTest::newRow("double root") << parabola(-1, 0, 0, 1) << "x = -1 (接する)"
                                     << "(0,1)"
                                     << "D = b^2-4ac = 0" << noMax << "x = -1 のとき 最小値 0";
        QTest::newRow("no real roots") << parabola(1, 2, 3, 4) << noX << "(0,5/2)"
                                       << "D = b^2-4ac = -4" << noMax << "x = 1 のとき 最小値 2";
        QTest::newRow("opening down") << cap << "x = -3, 1"
                                      << "(0,3)"
                                      << "D = b^2-4ac = 16"
                                      << "x = -1 のとき 最大値 4" << noMin;
        QTest::newRow("domain excludes the vertex")
            << segment(shifted, 3, true, 5, true) << "x = 2+√3" << noY << "D = b^2-4ac = 12"
            << "x = 5 のとき 最大値 6"
            << "x = 3 のとき 最小値 -2";
        QTest::newRow("open end where the minimum would be")
            << segment(shifted, 3, false, 5, true) << "x = 2+√3" << noY << "D = b^2-4ac = 12"
            << "x = 5 のとき 最大値 6" << noMin;
        QTest::newRow("open end where the maximum would be")
            << segment(shifted, 3, true, 5, false) << "x = 2+√3" << noY << "D = b^2-4ac = 12" << noMax
            << "x = 3 のとき 最小値 -2";
        QTest::newRow("the vertex on an open end")
            << segment(square, 0, false, 2, true) << noX << noY << "D = b^2-4ac = 0"
            << "x = 2 のとき 最大値 4" << noMin;
        QTest::newRow("both ends equally far") << segment(square, -2, true, 2, true) << "x = 0 (接する)"
                                               << "(0,0)"
                                               << "D = b^2-4ac = 0"
                                               << "x = -2, 2 のとき 最大値 4"
                                               << "x = 0 のとき 最小値 0";
        QTest::newRow("equally far, one end open") << segment(square, -2, false, 2, true) << "x = 0 (接する)"
                                                   << "(0,0)"
                                                   << "D = b^2-4ac = 0"
                                                   << "x = 2 のとき 最大値 4"
                                                   << "x = 0 のとき 最小値 0";
        QTest::newRow("equally far, both ends open")
            << segment(square, -2, false, 2, false) << "x = 0 (接する)"
            << "(0,0)"
            << "D = b^2-4ac = 0" << noMax << "x = 0 のとき 最小値 0";
        QTest::newRow("half line with the vertex") << rightHalf(shifted, 0, true) << "x = 2±√3"
                                                   << "(0,1)"
                                                   << "D = b^2-4ac = 12" << noMax << "x = 2 のとき 最小値 -3";
        QTest::newRow("half line left of the vertex")
            << leftHalf(shifted, 1, true) << "x = 2-√3"
            << "(0,1)"
            << "D = b^2-4ac = 12" << noMax << "x = 1 のとき 最小値 -2";
        QTest::newRow("lone root without a centre")
            << rightHalf(parabola(0, -3, 1, -2), 0, true) << "x = √3"
            << "(0,-3)"
            << "D = b^2-4ac = 12" << noMax << "x = 0 のとき 最小値 -3";
        QTest::newRow("lone negative root without a centre")
            << leftHalf(parabola(0, -3, 1, -2), 0, false) << "x = -√3" << noY << "D = b^2-4ac = 12" << noMax
            << noMin;
        QTest::newRow("opening down, half line beyond the vertex")
            << leftHalf(cap, -2, true) << "x = -3" << noY << "D = b^2-4ac = 16"
            << "x = -2 のとき 最大値 3" << noMin;
        QTest::newRow("rational root on a closed end, the other on an open one")
            << segment(parabola(1, -1, 2, 0), 0, false, 2, true) << "x = 2" << noY << "D = b^2-4ac = 4"
            << "x = 2 のとき 最大値 0"
            << "x = 1 のとき 最小値 -1";
        QTest::newRow("irrational roots just inside the ends")
            << segment(shifted, 0, false, 4, false) << "x = 2±√3" << noY << "D = b^2-4ac = 12" << noMax
            << "x = 2 のとき 最小値 -3";
        QTest::newRow("no parabola: the points share a y") << parabola(1, 2, 3, 2) << ""
                                                           << ""
                                                           << ""
                                                           << ""
                                                           << "";
    }
    void properties()
    {
        QFETCH(Parabola, rec);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, discriminant);
        QFETCH(QString, maximum);
        QFETCH(QString, minimum);
        const ParabolaProperties p = PropertiesOf(rec);
        QCOMPARE(p.xIntercepts, x);
        QCOMPARE(p.yIntercept, y);
        QCOMPARE(p.discriminant, discriminant);
        QCOMPARE(p.maximum, maximum);
        QCOMPARE(p.minimum, minimum);
        // Axis and vertex as the panels show them.
        QCOMPARE(p.axis, AxisText(rec));
        QCOMPARE(p.vertex, VertexText(rec));
    }
};

QTEST_APPLESS_MAIN(TestProperties)
#include "tst_properties.moc"
