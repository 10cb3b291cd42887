#include "ModelTestSupport.h"

#include <QtTest>

class TestFraction : public QObject
{
    Q_OBJECT

private slots:
    void gcd_data();
    void gcd();
    void lcm_data();
    void lcm();
    void makeFraction_data();
    void makeFraction();
    void reducedFraction_data();
    void reducedFraction();
    void reduceFraction_data();
    void reduceFraction();
    void mulFraction_data();
    void mulFraction();
    void addFraction_data();
    void addFraction();
    void overflowFraction();
    void swapInts();
};

void TestFraction::gcd_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("zero first gives 0, not the other value") << qint64(0) << qint64(5) << qint64(0);
    QTest::newRow("zero second") << qint64(5) << qint64(0) << qint64(0);
    QTest::newRow("both zero") << qint64(0) << qint64(0) << qint64(0);
    QTest::newRow("negative first") << qint64(-12) << qint64(18) << qint64(6);
    QTest::newRow("both negative") << qint64(-12) << qint64(-18) << qint64(6);
    QTest::newRow("coprime") << qint64(9) << qint64(28) << qint64(1);
    QTest::newRow("equal") << qint64(7) << qint64(7) << qint64(7);
    QTest::newRow("int32 min pair") << qint64(INT32_MIN) << qint64(INT32_MIN) << (qint64(1) << 31);
    QTest::newRow("int64 min with 6") << qint64(INT64_MIN) << qint64(6) << qint64(2);
    QTest::newRow("int64 min with int64 max") << qint64(INT64_MIN) << qint64(INT64_MAX) << qint64(1);
    QTest::newRow("2^63 does not fit: no reduction")
        << qint64(INT64_MIN) << qint64(INT64_MIN) << qint64(0);
}

void TestFraction::gcd()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(qint64, expected);
    QCOMPARE(Gcd(a, b), expected);
}

void TestFraction::lcm_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("common factor") << qint64(4) << qint64(6) << qint64(12);
    QTest::newRow("coprime") << qint64(3) << qint64(5) << qint64(15);
    QTest::newRow("one") << qint64(1) << qint64(9) << qint64(9);
    QTest::newRow("zero argument") << qint64(0) << qint64(5) << qint64(0);
    QTest::newRow("32-bit extremes") << qint64(INT32_MAX) << qint64(INT32_MAX - 1)
                                     << (qint64(INT32_MAX) * (INT32_MAX - 1));
    QTest::newRow("beyond 64 bits gives 0") << qint64(INT64_MAX) << qint64(INT64_MAX - 1)
                                            << qint64(0);
}

void TestFraction::lcm()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(qint64, expected);
    QCOMPARE(Lcm(a, b), expected);
}

void TestFraction::makeFraction_data()
{
    QTest::addColumn<qint64>("num");
    QTest::addColumn<qint64>("den");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("kept unreduced") << qint64(6) << qint64(4) << false;
    QTest::newRow("int32 extremes") << qint64(INT32_MIN) << qint64(INT32_MAX) << false;
    QTest::newRow("numerator too large") << (qint64(INT32_MAX) + 1) << qint64(1) << true;
    QTest::newRow("denominator too large") << qint64(1) << qint64(INT64_MAX) << true;
    QTest::newRow("numerator too small") << (qint64(INT32_MIN) - 1) << qint64(1) << true;
}

void TestFraction::makeFraction()
{
    QFETCH(qint64, num);
    QFETCH(qint64, den);
    QFETCH(bool, overflow);

    const Fraction f = MakeFraction(num, den);
    QCOMPARE(f.Overflow, overflow);
    QCOMPARE(f.Sep, QLatin1Char('/'));
    if (overflow) {
        QCOMPARE(f.Num, 0);
        QCOMPARE(f.Den, 1);
    } else {
        QCOMPARE(qint64(f.Num), num);
        QCOMPARE(qint64(f.Den), den);
    }
}

void TestFraction::reducedFraction_data()
{
    QTest::addColumn<qint64>("num");
    QTest::addColumn<qint64>("den");
    QTest::addColumn<Fraction>("expected");

    QTest::newRow("6/4") << qint64(6) << qint64(4) << frac(3, 2);
    QTest::newRow("zero numerator becomes 0/1") << qint64(0) << qint64(9) << frac(0, 1);
    QTest::newRow("denominator 1") << qint64(5) << qint64(1) << frac(5, 1);
    QTest::newRow("negative numerator") << qint64(-6) << qint64(4) << frac(-3, 2);
    QTest::newRow("denominator 0 unchanged") << qint64(4) << qint64(0) << frac(4, 0);
    QTest::newRow("0/0 unchanged") << qint64(0) << qint64(0) << frac(0, 0);
    QTest::newRow("signs kept") << qint64(3) << qint64(-6) << frac(1, -2);
    QTest::newRow("already reduced") << qint64(7) << qint64(9) << frac(7, 9);
    QTest::newRow("64-bit input reduces into range")
        << (qint64(1) << 32) << qint64(4) << frac(qint64(1) << 30, 1);
    QTest::newRow("2^31 does not fit") << (qint64(1) << 32) << qint64(2) << OverflowFraction();
    QTest::newRow("-2^31 fits") << -(qint64(1) << 32) << qint64(2) << frac(INT32_MIN, 1);
    QTest::newRow("int64 min over itself keeps both signs")
        << qint64(INT64_MIN) << qint64(INT64_MIN) << frac(-1, -1);
    QTest::newRow("denominator too large after reduction")
        << qint64(1) << (qint64(INT32_MAX) + 2) << OverflowFraction();
}

void TestFraction::reducedFraction()
{
    QFETCH(qint64, num);
    QFETCH(qint64, den);
    QFETCH(Fraction, expected);
    QCOMPARE(ReducedFraction(num, den), expected);
}

void TestFraction::reduceFraction_data()
{
    QTest::addColumn<Fraction>("input");
    QTest::addColumn<Fraction>("expected");

    QTest::newRow("zero numerator keeps denominator") << frac(0, 4) << frac(0, 4);
    QTest::newRow("6/4") << frac(6, 4) << frac(3, 2);
    QTest::newRow("negative") << frac(-8, 12) << frac(-2, 3);
    QTest::newRow("denominator 1") << frac(12, 1) << frac(12, 1);
    QTest::newRow("denominator 0") << frac(12, 0) << frac(12, 0);
    QTest::newRow("int32 min over itself keeps both signs") << frac(INT32_MIN, INT32_MIN)
                                                         << frac(-1, -1);
    QTest::newRow("overflow stays overflow") << OverflowFraction() << OverflowFraction();

    Fraction odd = frac(6, 4);
    odd.Sep = QLatin1Char(':');
    Fraction oddReduced = frac(3, 2);
    oddReduced.Sep = QLatin1Char(':');
    QTest::newRow("separator carried") << odd << oddReduced;
}

void TestFraction::reduceFraction()
{
    QFETCH(Fraction, input);
    QFETCH(Fraction, expected);
    QCOMPARE(ReduceFraction(input), expected);
}

void TestFraction::mulFraction_data()
{
    QTest::addColumn<Fraction>("x");
    QTest::addColumn<Fraction>("y");
    QTest::addColumn<Fraction>("expected");

    QTest::newRow("-2/1 * 3/4") << frac(-2, 1) << frac(3, 4) << frac(-3, 2);
    QTest::newRow("unreduced operands") << frac(2, 4) << frac(2, 3) << frac(1, 3);
    QTest::newRow("both negative") << frac(-1, 2) << frac(-2, 1) << frac(1, 1);
    QTest::newRow("zero times integer") << frac(0, 1) << frac(5, 1) << frac(0, 1);
    QTest::newRow("zero product keeps its denominator") << frac(0, 4) << frac(3, 5) << frac(0, 20);
    QTest::newRow("wide intermediate cancels") << frac(INT32_MAX, 1) << frac(1, INT32_MAX)
                                               << frac(1, 1);
    QTest::newRow("int32 min exact") << frac(INT32_MIN, 1) << frac(1, 1) << frac(INT32_MIN, 1);
    QTest::newRow("-(int32 min) overflows") << frac(INT32_MIN, 1) << frac(-1, 1)
                                            << OverflowFraction();
    QTest::newRow("2^32 overflows") << frac(65536, 1) << frac(65536, 1) << OverflowFraction();
    QTest::newRow("denominator overflows") << frac(1, 65536) << frac(1, 65536)
                                           << OverflowFraction();
    QTest::newRow("overflow propagates") << OverflowFraction() << frac(0, 1)
                                         << OverflowFraction();
    QTest::newRow("overflow propagates from the right") << frac(3, 1) << OverflowFraction()
                                                        << OverflowFraction();
}

void TestFraction::mulFraction()
{
    QFETCH(Fraction, x);
    QFETCH(Fraction, y);
    QFETCH(Fraction, expected);
    QCOMPARE(MulFraction(x, y), expected);
}

void TestFraction::addFraction_data()
{
    QTest::addColumn<Fraction>("x");
    QTest::addColumn<Fraction>("y");
    QTest::addColumn<Fraction>("expected");

    QTest::newRow("1/2 + 1/3") << frac(1, 2) << frac(1, 3) << frac(5, 6);
    QTest::newRow("1/2 + 1/2") << frac(1, 2) << frac(1, 2) << frac(1, 1);
    QTest::newRow("operands not reduced first") << frac(2, 4) << frac(1, 4) << frac(3, 4);
    QTest::newRow("negative") << frac(-1, 2) << frac(1, 3) << frac(-1, 6);
    QTest::newRow("integers") << frac(-4, 1) << frac(9, 1) << frac(5, 1);
    QTest::newRow("cancelling sum keeps its denominator") << frac(1, 2) << frac(-1, 2)
                                                          << frac(0, 2);
    QTest::newRow("zero denominator gives 0/1") << frac(1, 0) << frac(1, 2) << frac(0, 1);
    QTest::newRow("int32 max minus one") << frac(INT32_MAX, 1) << frac(-1, 1)
                                         << frac(INT32_MAX - 1, 1);
    QTest::newRow("int32 max plus one overflows") << frac(INT32_MAX, 1) << frac(1, 1)
                                                  << OverflowFraction();
    QTest::newRow("int32 min twice overflows") << frac(INT32_MIN, 1) << frac(INT32_MIN, 1)
                                               << OverflowFraction();
    QTest::newRow("common denominator beyond 32 bits") << frac(1, 65536) << frac(1, 65537)
                                                       << OverflowFraction();
    QTest::newRow("large denominators cancel back")
        << frac(1, 2 * 65537) << frac(1, 2 * 65537) << frac(1, 65537);
    QTest::newRow("overflow propagates") << frac(1, 2) << OverflowFraction() << OverflowFraction();
}

void TestFraction::addFraction()
{
    QFETCH(Fraction, x);
    QFETCH(Fraction, y);
    QFETCH(Fraction, expected);
    QCOMPARE(AddFraction(x, y), expected);
}

void TestFraction::overflowFraction()
{
    const Fraction f = OverflowFraction();
    QVERIFY(f.Overflow);
    QCOMPARE(f.Num, 0);
    QCOMPARE(f.Den, 1);
    QCOMPARE(f.Sep, QLatin1Char('/'));
}

void TestFraction::swapInts()
{
    int a = -99;
    int b = 7;
    SwapInts(a, b);
    QCOMPARE(a, 7);
    QCOMPARE(b, -99);
}

QTEST_APPLESS_MAIN(TestFraction)
#include "tst_fraction.moc"
