#include "ModelTestSupport.h"

#include <QtTest>

class TestFormulaText : public QObject
{
    Q_OBJECT

private slots:
    void marks();
    void fractionText_data();
    void fractionText();
    void signedFractionText_data();
    void signedFractionText();
    void linearTermText_data();
    void linearTermText();
    void valueText_data();
    void valueText();
    void standardForm_data();
    void standardForm();
    void generalFormText_data();
    void generalFormText();
    void displayFormSwitch();
    void domainText_data();
    void domainText();
    void rangeText_data();
    void rangeText();
    void axisAndVertex_data();
    void axisAndVertex();
};

void TestFormulaText::marks()
{
    QCOMPARE(LeMark(true), QStringLiteral("≦"));
    QCOMPARE(LeMark(false), QStringLiteral("＜"));
    QCOMPARE(GeMark(true), QStringLiteral("≧"));
    QCOMPARE(GeMark(false), QStringLiteral("＞"));
}

void TestFormulaText::fractionText_data()
{
    QTest::addColumn<Fraction>("f");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << frac(0, 1) << "0";
    QTest::newRow("zero over 4") << frac(0, 4) << "0";
    QTest::newRow("integer") << frac(5, 1) << "5";
    QTest::newRow("negative integer") << frac(-3, 1) << "-3";
    QTest::newRow("fraction") << frac(3, 2) << "3/2";
    QTest::newRow("negative fraction") << frac(-1, 4) << "-1/4";
    QTest::newRow("printed without reducing") << frac(2, 4) << "2/4";
    QTest::newRow("int32 min") << frac(kMin32, 1) << "-2147483648";
    QTest::newRow("overflow") << OverflowFraction() << "?";
}

void TestFormulaText::fractionText()
{
    QFETCH(Fraction, f);
    QFETCH(QString, expected);
    QCOMPARE(FractionText(f), expected);
}

void TestFormulaText::signedFractionText_data()
{
    QTest::addColumn<Fraction>("f");
    QTest::addColumn<bool>("withPlus");
    QTest::addColumn<QString>("expected");

    QTest::newRow("+5") << frac(5, 1) << true << "+5";
    QTest::newRow("+1/2") << frac(1, 2) << true << "+1/2";
    QTest::newRow("-7/4") << frac(-7, 4) << true << "-7/4";
    QTest::newRow("zero has no plus") << frac(0, 1) << true << "0";
    QTest::newRow("plus not asked") << frac(5, 1) << false << "5";
    QTest::newRow("overflow with plus") << OverflowFraction() << true << "+?";
    QTest::newRow("overflow without plus") << OverflowFraction() << false << "?";
}

void TestFormulaText::signedFractionText()
{
    QFETCH(Fraction, f);
    QFETCH(bool, withPlus);
    QFETCH(QString, expected);
    QCOMPARE(SignedFractionText(f, withPlus), expected);
}

void TestFormulaText::linearTermText_data()
{
    QTest::addColumn<Fraction>("b");
    QTest::addColumn<QString>("expected");

    QTest::newRow("+3/2x") << frac(3, 2) << "+3/2x";
    QTest::newRow("-1/2x") << frac(-1, 2) << "-1/2x";
    QTest::newRow("+1/2x") << frac(1, 2) << "+1/2x";
    QTest::newRow("-x") << frac(-1, 1) << "-x";
    QTest::newRow("+x") << frac(1, 1) << "+x";
    QTest::newRow("+4x") << frac(4, 1) << "+4x";
    QTest::newRow("-2x") << frac(-2, 1) << "-2x";
    QTest::newRow("zero is empty") << frac(0, 1) << "";
    QTest::newRow("zero over 4 is empty") << frac(0, 4) << "";
    QTest::newRow("reduced before printing") << frac(6, 4) << "+3/2x";
    QTest::newRow("reduces to x") << frac(2, 2) << "+x";
    QTest::newRow("reduces to -x") << frac(-4, 4) << "-x";
    QTest::newRow("reduces to -3x") << frac(-6, 2) << "-3x";
    QTest::newRow("overflow") << OverflowFraction() << "+?x";
}

void TestFormulaText::linearTermText()
{
    QFETCH(Fraction, b);
    QFETCH(QString, expected);
    QCOMPARE(LinearTermText(b), expected);
}

void TestFormulaText::valueText_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<qint64>("x");
    QTest::addColumn<QString>("expected");

    const Parabola quarter = parabola(0, 0, 2, 1);
    QTest::newRow("1/4 x^2 at 1") << quarter << qint64(1) << "1/4";
    QTest::newRow("1/4 x^2 at 2") << quarter << qint64(2) << "1";
    QTest::newRow("1/4 x^2 at 0") << quarter << qint64(0) << "0";
    QTest::newRow("1/4 x^2 at -3") << quarter << qint64(-3) << "9/4";
    QTest::newRow("downward, shifted") << parabola(1, 4, 2, 3) << qint64(3) << "0";
    QTest::newRow("negative fraction") << parabola(0, 0, 2, -1) << qint64(1) << "-1/4";
    QTest::newRow("beyond 32 bits") << parabola(0, 0, 1, 1) << qint64(65536) << "?";
}

void TestFormulaText::valueText()
{
    QFETCH(Parabola, rec);
    QFETCH(qint64, x);
    QFETCH(QString, expected);
    QCOMPARE(ValueText(rec, x), expected);
}

void TestFormulaText::standardForm_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");

    QTest::newRow("(x-2)^2-3") << parabola(2, -3, 3, -2)
                               << "y = (x-2)^2-3" << "y = (x-2)^2-3";
    QTest::newRow("-1/2(x+1)^2") << parabola(-1, 0, 1, -2)
                                 << "y = -1/2(x+1)^2" << "y = -1/2(x+1)^2";
    QTest::newRow("2x^2+1") << parabola(0, 1, 1, 3) << "y = 2x^2+1" << "y = 2x^2+1";
    QTest::newRow("segment suffix") << segment(parabola(0, 1, 1, 3), -1, true, 3, false)
                                    << "y = 2x^2+1 (-1≦x＜3)" << "y = 2x^2+1";
    QTest::newRow("right half line suffix") << rightHalf(parabola(0, 0, 1, 1), 1, true)
                                            << "y = x^2 (x≧1)" << "y = x^2";
    QTest::newRow("left half line suffix") << leftHalf(parabola(0, 0, 1, 1), 4, false)
                                           << "y = x^2 (x＜4)" << "y = x^2";
    QTest::newRow("no suffix for an unknown mode") << [] {
        Parabola rec = parabola(0, 0, 1, 1);
        rec.LineMode = 7;
        return rec;
    }() << "y = x^2" << "y = x^2";
    QTest::newRow("coefficient -1 is a bare minus") << parabola(0, 0, 1, -1)
                                                    << "y = -x^2" << "y = -x^2";
    QTest::newRow("coefficient reduces to an integer") << parabola(0, 0, 2, 8)
                                                       << "y = 2x^2" << "y = 2x^2";
    QTest::newRow("coefficient reduces to 1") << parabola(0, 0, 2, 4) << "y = x^2" << "y = x^2";
    QTest::newRow("point left of vertex") << parabola(3, -2, 1, 1)
                                          << "y = 3/4(x-3)^2-2" << "y = 3/4(x-3)^2-2";
    QTest::newRow("negative vertex x, positive q") << parabola(-4, 5, -3, 3)
                                                   << "y = -2(x+4)^2+5" << "y = -2(x+4)^2+5";
    QTest::newRow("x = 3") << parabola(3, 1, 3, 5) << "x = 3" << "x = 3";
    QTest::newRow("y = q") << parabola(2, 5, 4, 5) << "y = 5" << "y = 5";
    QTest::newRow("both shared gives y = q") << parabola(2, -7, 2, -7) << "y = -7" << "y = -7";
    QTest::newRow("degenerate segment has no suffix")
        << segment(parabola(3, 1, 3, 5), -1, true, 3, true) << "x = 3" << "x = 3";

    // Huge coordinates: unrepresentable coefficients show as "?", the vertex
    // is printed exactly.
    QTest::newRow("coefficient -2^31") << parabola(5, 0, 6, kMin32)
                                       << "y = -2147483648(x-5)^2" << "y = -2147483648(x-5)^2";
    QTest::newRow("coefficient overflows") << parabola(0, kMin32, 1, kMax32)
                                           << "y = ?x^2-2147483648" << "y = ?x^2-2147483648";
    QTest::newRow("vertex x int32 min") << parabola(kMin32, kMax32, kMax32, 0)
                                        << "y = -?(x+2147483648)^2+2147483647"
                                        << "y = -?(x+2147483648)^2+2147483647";
    QTest::newRow("vertex x int32 max") << parabola(kMax32, 0, kMax32 - 1, 1)
                                        << "y = (x-2147483647)^2" << "y = (x-2147483647)^2";
}

void TestFormulaText::standardForm()
{
    QFETCH(Parabola, rec);
    QFETCH(QString, text);
    QFETCH(QString, plain);
    QCOMPARE(StandardFormText(rec), text);
    QCOMPARE(StandardFormPlain(rec), plain);
    QCOMPARE(StandardFormText(rec, FormulaForm::Standard), text);
}

void TestFormulaText::generalFormText_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1/2x^2-x+5/2") << parabola(1, 2, 3, 4) << "y = 1/2x^2-x+5/2";
    QTest::newRow("-x^2+4x-3") << parabola(2, 1, 3, 0) << "y = -x^2+4x-3";
    QTest::newRow("x^2") << parabola(0, 0, 1, 1) << "y = x^2";
    QTest::newRow("zero linear term left out") << parabola(0, -4, 2, 0) << "y = x^2-4";
    QTest::newRow("zero constant 0/2 left out") << parabola(0, 0, 2, 2) << "y = 1/2x^2";
    QTest::newRow("zero constant, nonzero linear") << parabola(1, -1, 2, 0) << "y = x^2-2x";
    QTest::newRow("fractions everywhere") << parabola(-1, 0, 1, -2) << "y = -1/2x^2-x-1/2";
    QTest::newRow("negative p") << parabola(-2, 0, -1, 3) << "y = 3x^2+12x+12";
    QTest::newRow("fractional linear term") << parabola(3, 0, 1, 2) << "y = 1/2x^2-3x+9/2";
    QTest::newRow("no domain suffix") << segment(parabola(2, 1, 3, 0), -1, true, 3, false)
                                      << "y = -x^2+4x-3";
    QTest::newRow("x = 3") << parabola(3, 1, 3, 5) << "x = 3";
    QTest::newRow("y = q") << parabola(2, 5, 4, 5) << "y = 5";

    QTest::newRow("linear term overflows") << parabola(0, -(1 << 30) - 1, 1, 0)
                                           << "y = 1073741825x^2+?x-1073741825";
    QTest::newRow("a of -2^31") << parabola(5, 0, 6, kMin32) << "y = -2147483648x^2+?x+?";
    QTest::newRow("everything overflows") << parabola(0, kMin32, 1, kMax32) << "y = ?x^2+?x+?";
    QTest::newRow("constant overflows") << parabola(65536, 0, 65537, 1)
                                        << "y = x^2-131072x+?";
}

void TestFormulaText::generalFormText()
{
    QFETCH(Parabola, rec);
    QFETCH(QString, expected);
    QCOMPARE(GeneralFormText(rec), expected);
}

void TestFormulaText::displayFormSwitch()
{
    const Parabola rec = segment(parabola(1, 2, 3, 4), 0, true, 4, false);
    QCOMPARE(StandardFormText(rec, FormulaForm::General), QStringLiteral("y = 1/2x^2-x+5/2"));
    QCOMPARE(StandardFormPlain(rec, FormulaForm::General), QStringLiteral("y = 1/2x^2-x+5/2"));
    QCOMPARE(StandardFormText(rec, FormulaForm::Standard),
             QStringLiteral("y = 1/2(x-1)^2+2 (0≦x＜4)"));
}

void TestFormulaText::domainText_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<QString>("expected");

    const Parabola base = parabola(0, 0, 1, 1);
    QTest::newRow("whole") << base << "";
    QTest::newRow("segment, upper open") << segment(base, -2, true, 3, false) << "-2≦x＜3";
    QTest::newRow("segment, lower open") << segment(base, -2, false, 3, true) << "-2＜x≦3";
    QTest::newRow("segment, both open") << segment(base, -2, false, 2, false) << "-2＜x＜2";
    QTest::newRow("ends stored reversed") << segment(base, 3, true, -1, true) << "-1≦x≦3";
    QTest::newRow("right half line") << rightHalf(base, 1, true) << "x≧1";
    QTest::newRow("right half line, open") << rightHalf(base, -5, false) << "x＞-5";
    QTest::newRow("left half line, open") << leftHalf(base, 4, false) << "x＜4";
    QTest::newRow("left half line") << leftHalf(base, -4, true) << "x≦-4";
    Parabola odd = segment(base, -2, true, 3, true);
    odd.LineMode = 4;
    QTest::newRow("mode 4") << odd << "";
    odd.LineMode = -1;
    QTest::newRow("mode -1") << odd << "";
    QTest::newRow("int32 ends") << segment(base, kMin32, true, kMax32, true)
                                << "-2147483648≦x≦2147483647";
}

void TestFormulaText::domainText()
{
    QFETCH(Parabola, rec);
    QFETCH(QString, expected);
    QCOMPARE(DomainText(rec), expected);
}

void TestFormulaText::rangeText_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<QString>("expected");

    const Parabola up = parabola(0, 0, 1, 1);       // y = x^2
    const Parabola down = parabola(0, 0, 1, -1);    // y = -x^2
    const Parabola cap = parabola(1, 4, 2, 3);      // y = -(x-1)^2+4
    const Parabola flat = parabola(0, 5, 3, 5);     // a = 0 counts as downward

    QTest::newRow("whole, upward") << parabola(0, -3, 1, -2) << "y≧-3";
    QTest::newRow("whole, downward") << cap << "y≦4";
    QTest::newRow("whole, a = 0") << flat << "y≦5";

    // Segment, upward.
    QTest::newRow("up: left of vertex") << segment(up, -3, true, -1, false) << "1＜y≦9";
    QTest::newRow("up: ends at vertex") << segment(up, -2, false, 0, true) << "0≦y＜4";
    QTest::newRow("up: equal, both open") << segment(up, -2, false, 2, false) << "0≦y＜4";
    QTest::newRow("up: equal, lower closed") << segment(up, -2, true, 2, false) << "0≦y≦4";
    QTest::newRow("up: equal, upper closed") << segment(up, -2, false, 2, true) << "0≦y≦4";
    QTest::newRow("up: upper end farther, closed") << segment(up, -1, false, 2, true) << "0≦y≦4";
    QTest::newRow("up: upper end farther, open") << segment(up, -1, true, 2, false) << "0≦y＜4";
    QTest::newRow("up: lower end farther, open") << segment(up, -3, false, 1, true) << "0≦y＜9";
    QTest::newRow("up: lower end farther, closed") << segment(up, -3, true, 1, false) << "0≦y≦9";
    QTest::newRow("up: right of vertex") << segment(up, 1, false, 3, true) << "1＜y≦9";
    QTest::newRow("up: starts at vertex") << segment(up, 0, true, 2, false) << "0≦y＜4";
    QTest::newRow("up: 1/2 x^2, open") << segment(parabola(0, 0, 2, 2), -3, false, 3, false)
                                       << "0≦y＜9/2";

    // Segment, downward.
    QTest::newRow("down: left of vertex") << segment(down, -3, true, -1, false) << "-9≦y＜-1";
    QTest::newRow("down: ends at vertex") << segment(down, -2, false, 0, true) << "-4＜y≦0";
    QTest::newRow("down: equal, both open") << segment(down, -2, false, 2, false) << "-4＜y≦0";
    QTest::newRow("down: equal, lower closed") << segment(down, -2, true, 2, false) << "-4≦y≦0";
    QTest::newRow("down: equal, upper closed") << segment(down, -2, false, 2, true) << "-4≦y≦0";
    QTest::newRow("down: lower end farther, open") << segment(down, -2, false, 1, true)
                                                   << "-4＜y≦0";
    QTest::newRow("down: lower end farther, closed") << segment(down, -2, true, 1, false)
                                                     << "-4≦y≦0";
    QTest::newRow("down: upper end farther, open") << segment(down, -1, true, 2, false)
                                                   << "-4＜y≦0";
    QTest::newRow("down: upper end farther, closed") << segment(down, -1, false, 2, true)
                                                     << "-4≦y≦0";
    QTest::newRow("down: right of vertex") << segment(down, 1, true, 3, false) << "-9＜y≦-1";
    QTest::newRow("down: starts at vertex") << segment(down, 0, false, 2, true) << "-4≦y＜0";

    // Right half line (mode 2).
    QTest::newRow("up, right: end at vertex") << rightHalf(up, 0, true) << "y≧0";
    QTest::newRow("up, right: end at vertex, open") << rightHalf(up, 0, false) << "y＞0";
    QTest::newRow("up, right: vertex inside") << rightHalf(up, -2, false) << "y≧0";
    QTest::newRow("up, right: end right of vertex") << rightHalf(up, 1, true) << "y≧1";
    QTest::newRow("up, right: end right of vertex, open") << rightHalf(up, 1, false) << "y＞1";
    QTest::newRow("down, right: x≧3") << rightHalf(cap, 3, true) << "y≦0";
    QTest::newRow("down, right: x＞3") << rightHalf(cap, 3, false) << "y＜0";
    QTest::newRow("down, right: end at vertex, open") << rightHalf(cap, 1, false) << "y＜4";
    QTest::newRow("down, right: vertex inside") << rightHalf(cap, -1, false) << "y≦4";

    // Left half line (mode 3).
    QTest::newRow("up, left: end at vertex, open") << leftHalf(up, 0, false) << "y＞0";
    QTest::newRow("up, left: vertex inside") << leftHalf(up, 2, false) << "y≧0";
    QTest::newRow("up, left: end left of vertex") << leftHalf(up, -2, true) << "y≧4";
    QTest::newRow("up, left: end left of vertex, open") << leftHalf(up, -2, false) << "y＞4";
    QTest::newRow("down, left: end at vertex") << leftHalf(cap, 1, true) << "y≦4";
    QTest::newRow("down, left: vertex inside") << leftHalf(cap, 3, false) << "y≦4";
    QTest::newRow("down, left: end left of vertex") << leftHalf(cap, -1, true) << "y≦0";
    QTest::newRow("down, left: end left of vertex, open") << leftHalf(cap, -1, false) << "y＜0";

    // The half-line mark follows U when upward and L when downward.
    Parabola mixed = rightHalf(up, 1, true);
    mixed.LowerIncluded = 0;
    QTest::newRow("up, mark from U") << mixed << "y≧1";
    mixed = rightHalf(cap, 3, true);
    mixed.UpperIncluded = 0;
    QTest::newRow("down, mark from L") << mixed << "y≦0";

    Parabola odd = segment(up, -1, true, 2, true);
    odd.LineMode = 5;
    QTest::newRow("unknown mode") << odd << "";

    // Distances and values beyond 32 bits.
    QTest::newRow("int32 ends") << segment(up, kMin32, true, kMax32, true) << "0≦y≦?";
    QTest::newRow("vertex at int32 max") << segment(parabola(kMax32, 0, kMax32 - 1, -1),
                                                    kMin32, false, kMax32, false)
                                         << "?＜y＜0";
}

void TestFormulaText::rangeText()
{
    QFETCH(Parabola, rec);
    QFETCH(QString, expected);
    QCOMPARE(RangeText(rec), expected);
}

void TestFormulaText::axisAndVertex_data()
{
    QTest::addColumn<Parabola>("rec");
    QTest::addColumn<QString>("axis");
    QTest::addColumn<QString>("vertex");

    QTest::newRow("positive") << parabola(2, 3, 3, 4) << "x = 2" << "(2,3)";
    QTest::newRow("negative") << parabola(-1, -5, 0, 0) << "x = -1" << "(-1,-5)";
    QTest::newRow("origin") << parabola(0, 0, 1, 1) << "x = 0" << "(0,0)";
    QTest::newRow("int32 limits") << parabola(kMin32, kMax32, 0, 0)
                                  << "x = -2147483648" << "(-2147483648,2147483647)";
}

void TestFormulaText::axisAndVertex()
{
    QFETCH(Parabola, rec);
    QFETCH(QString, axis);
    QFETCH(QString, vertex);
    QCOMPARE(AxisText(rec), axis);
    QCOMPARE(VertexText(rec), vertex);
}

QTEST_APPLESS_MAIN(TestFormulaText)
#include "tst_formulatext.moc"
