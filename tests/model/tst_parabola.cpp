#include "ModelTestSupport.h"

#include <QtTest>

class TestParabola : public QObject
{
    Q_OBJECT

private slots:
    void coefficientA_data();
    void coefficientA();
    void exactValueAt_data();
    void exactValueAt();
    void realValueAt_data();
    void realValueAt();
    void visibleXRange_data();
    void visibleXRange();
    void generalCoefficients_data();
    void generalCoefficients();
};

void TestParabola::coefficientA_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<Fraction>("expected");

    QTest::newRow("not reduced") << parabola(0, 0, 2, 2) << frac(2, 4);
    QTest::newRow("negative") << parabola(0, 0, 2, -1) << frac(-1, 4);
    QTest::newRow("point left of vertex") << parabola(3, 0, 1, 8) << frac(8, 4);
    QTest::newRow("shared x gives 0/1") << parabola(3, 1, 3, 5) << frac(0, 1);
    QTest::newRow("shared y gives 0/1") << parabola(2, 5, 4, 5) << frac(0, 1);
    QTest::newRow("largest square that fits") << parabola(0, 0, 46340, 1)
                                              << frac(1, 46340 * 46340);
    QTest::newRow("square beyond 32 bits") << parabola(0, 0, 46341, 1) << OverflowFraction();
    QTest::newRow("dx beyond 32 bits") << parabola(kMin32, 0, kMax32, 1) << OverflowFraction();
    QTest::newRow("dy beyond 32 bits") << parabola(0, kMin32, 1, kMax32) << OverflowFraction();
    QTest::newRow("dy of -2^31 fits") << parabola(0, 0, 1, kMin32) << frac(kMin32, 1);
}

void TestParabola::coefficientA()
{
    QFETCH(Parabola, rec);
    QFETCH(Fraction, expected);
    QCOMPARE(CoefficientA(rec), expected);
}

void TestParabola::exactValueAt_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<qint64>("x");
    QTest::addColumn<Fraction>("expected");

    const Parabola half = parabola(0, 0, 2, 2);
    QTest::newRow("1/2 x^2 at 1") << half << qint64(1) << frac(1, 2);
    QTest::newRow("1/2 x^2 at 2") << half << qint64(2) << frac(2, 1);
    QTest::newRow("1/2 x^2 at vertex") << half << qint64(0) << frac(0, 1);
    const Parabola quarterDown = parabola(0, 0, 2, -1);
    QTest::newRow("-1/4 x^2 at 1") << quarterDown << qint64(1) << frac(-1, 4);
    QTest::newRow("-1/4 x^2 at -2") << quarterDown << qint64(-2) << frac(-1, 1);
    QTest::newRow("shifted vertex") << parabola(1, 2, 3, 4) << qint64(0) << frac(5, 2);
    QTest::newRow("value cancels to zero") << parabola(1, -1, 2, 0) << qint64(2) << frac(0, 1);
    QTest::newRow("shared x gives q") << parabola(3, 1, 3, 5) << qint64(7) << frac(1, 1);
    QTest::newRow("shared y gives q") << parabola(3, -6, 8, -6) << qint64(0) << frac(-6, 1);

    // Huge coordinates: exact where the value fits, overflow otherwise.
    const Parabola flat = parabola(0, 0, 100000, 1);  // a = 1/10^10 does not fit
    QTest::newRow("flat curve at its point") << flat << qint64(100000) << frac(1, 1);
    QTest::newRow("flat curve at 3 dx") << flat << qint64(-300000) << frac(9, 1);
    QTest::newRow("flat curve between") << flat << qint64(1) << OverflowFraction();
    const Parabola widest = parabola(kMin32, 0, kMax32, 1);
    QTest::newRow("widest curve at its point") << widest << qint64(kMax32) << frac(1, 1);
    QTest::newRow("widest curve at 0") << widest << qint64(0) << OverflowFraction();
    const Parabola high = parabola(0, kMax32 - 1, 1, kMax32);
    QTest::newRow("reaches int32 max") << high << qint64(-1) << frac(kMax32, 1);
    QTest::newRow("passes int32 max") << high << qint64(2) << OverflowFraction();
    const Parabola unit = parabola(0, 0, 1, 1);
    QTest::newRow("x of 2^40") << unit << (qint64(1) << 40) << OverflowFraction();
    QTest::newRow("x of int64 min") << unit << qint64(INT64_MIN) << OverflowFraction();
    QTest::newRow("x of int64 max, vertex min")
        << parabola(kMin32, 0, kMin32 + 1, 1) << qint64(INT64_MAX) << OverflowFraction();
}

void TestParabola::exactValueAt()
{
    QFETCH(Parabola, rec);
    QFETCH(qint64, x);
    QFETCH(Fraction, expected);
    QCOMPARE(ExactValueAt(rec, x), expected);
}

void TestParabola::realValueAt_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");

    QTest::newRow("1/2 x^2 at 1.5") << parabola(0, 0, 2, 2) << 1.5 << 1.125;
    QTest::newRow("shifted, downward") << parabola(1, 4, 2, 3) << -0.5 << 1.75;
    QTest::newRow("shared x gives q") << parabola(3, 1, 3, 5) << 10.0 << 1.0;
    QTest::newRow("widest curve at its point") << parabola(kMin32, 0, kMax32, 1)
                                               << double(kMax32) << 1.0;
}

void TestParabola::realValueAt()
{
    QFETCH(Parabola, rec);
    QFETCH(double, x);
    QFETCH(double, expected);
    QCOMPARE(RealValueAt(rec, x), expected);
}

void TestParabola::visibleXRange_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");

    QTest::newRow("a = 0") << parabola(4, 2, 7, 2) << 320 << 16 << -1 << 1;
    QTest::newRow("shared x") << parabola(4, 2, 4, 6) << 320 << 16 << -1 << 1;
    QTest::newRow("x^2") << parabola(0, 0, 1, 1) << 320 << 16 << -5 << 5;
    // h = -20, t = 23, sqrt 4.8 rounds to 5.
    QTest::newRow("downward uses -W") << parabola(2, 3, 3, 2) << 320 << 16 << -4 << 8;
    // -330/16 truncates to -20 (floor would give -21 and f = 6).
    QTest::newRow("h truncates toward zero") << parabola(0, 0, 1, -1) << 330 << 16 << -5 << 5;
    QTest::newRow("scale below 1 counts as 1") << parabola(0, 0, 1, 1) << 16 << 0 << -5 << 5;
    QTest::newRow("negative scale counts as 1") << parabola(0, 0, 1, 1) << 16 << -8 << -5 << 5;
    // sqrt(6.25) = 2.5 rounds to 2, sqrt(12.25) = 3.5 rounds to 4.
    QTest::newRow("tie rounds down to even") << parabola(0, 0, 1, 4) << 25 << 1 << -3 << 3;
    QTest::newRow("tie rounds up to even") << parabola(0, 0, 1, 4) << 49 << 1 << -5 << 5;
    QTest::newRow("very flat curve is capped") << parabola(0, 0, kMax32, 1) << 320 << 1
                                               << -1'000'000 << 1'000'000;
    QTest::newRow("clamped at int32 max") << parabola(kMax32, 0, kMax32 - 1, 1) << 320 << 16
                                          << kMax32 - 5 << kMax32;
    QTest::newRow("clamped at int32 min") << parabola(kMin32, 0, kMax32, 1) << 320 << 16
                                          << kMin32 << kMin32 + 1'000'000;
}

void TestParabola::visibleXRange()
{
    QFETCH(Parabola, rec);
    QFETCH(int, width);
    QFETCH(int, scale);
    QFETCH(int, low);
    QFETCH(int, high);

    const std::pair<int, int> range = VisibleXRange(rec, width, scale);
    QCOMPARE(range.first, low);
    QCOMPARE(range.second, high);
}

void TestParabola::generalCoefficients_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<Fraction>("a");
    QTest::addColumn<Fraction>("b");
    QTest::addColumn<Fraction>("c");

    QTest::newRow("vertex (1,2), point (3,4)") << parabola(1, 2, 3, 4)
                                               << frac(1, 2) << frac(-1, 1) << frac(5, 2);
    QTest::newRow("vertex (2,1), point (3,0)") << parabola(2, 1, 3, 0)
                                               << frac(-1, 1) << frac(4, 1) << frac(-3, 1);
    QTest::newRow("negative p") << parabola(-1, 0, 1, -2)
                                << frac(-1, 2) << frac(-1, 1) << frac(-1, 2);
    QTest::newRow("p = 0") << parabola(0, -4, 2, 0) << frac(1, 1) << frac(0, 1) << frac(-4, 1);
    // (a·0)·0 keeps a's denominator and the sum keeps it too.
    QTest::newRow("zero constant keeps a denominator") << parabola(0, 0, 2, 2)
                                                       << frac(1, 2) << frac(0, 1) << frac(0, 2);
    QTest::newRow("a reduced to an integer") << parabola(0, 0, 2, 8)
                                             << frac(2, 1) << frac(0, 1) << frac(0, 1);
    QTest::newRow("integer a, negative p") << parabola(-2, 0, -1, 3)
                                           << frac(3, 1) << frac(12, 1) << frac(12, 1);

    // 32-bit limits: each step overflows on its own, and overflow propagates.
    QTest::newRow("a of -2^31 fits, -2a does not") << parabola(5, 0, 6, kMin32)
        << frac(kMin32, 1) << OverflowFraction() << OverflowFraction();
    QTest::newRow("-2a overflows even with p = 0") << parabola(0, -(1 << 30) - 1, 1, 0)
        << frac((1 << 30) + 1, 1) << OverflowFraction() << frac(-(1 << 30) - 1, 1);
    QTest::newRow("a overflows") << parabola(0, kMin32, 1, kMax32)
        << OverflowFraction() << OverflowFraction() << OverflowFraction();
    QTest::newRow("only c overflows") << parabola(65536, 0, 65537, 1)
        << frac(1, 1) << frac(-131072, 1) << OverflowFraction();
}

void TestParabola::generalCoefficients()
{
    QFETCH(Parabola, rec);
    QFETCH(Fraction, a);
    QFETCH(Fraction, b);
    QFETCH(Fraction, c);

    const GeneralCoefficients k = GeneralFormCoefficients(rec);
    QCOMPARE(k.A, a);
    QCOMPARE(k.B, b);
    QCOMPARE(k.C, c);
}

QTEST_APPLESS_MAIN(TestParabola)
#include "tst_parabola.moc"
