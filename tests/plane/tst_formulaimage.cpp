#include "plane/Fonts.h"
#include "plane/FormulaImage.h"

#include "support/Pixels.h"
#include <QGuiApplication>
#include <QPainter>

#include <QtTest>

namespace {

QString Describe(const FormulaItem &it)
{
    if (it.kind == FormulaItem::Kind::Bar)
        return QStringLiteral("bar %1..%2 at %3 w%4").arg(it.x).arg(it.endX).arg(it.y).arg(it.penWidth);
    if (it.kind == FormulaItem::Kind::Radical)
        return QStringLiteral("radical %1..%2 at %3 w%4").arg(it.x).arg(it.endX).arg(it.y).arg(it.penWidth);
    const QString font = it.fontSize == 0
                             ? QStringLiteral("table font")
                             : QStringLiteral("%1pt %2").arg(it.fontSize).arg(it.serif ? "serif" : "gothic");
    return QStringLiteral("\"%1\" at %2,%3 %4").arg(it.text).arg(it.x).arg(it.y).arg(font);
}

QStringList Describe(const std::vector<FormulaItem> &items)
{
    QStringList out;
    for (const FormulaItem &it : items)
        out << Describe(it);
    return out;
}

// Expected steps, written the way Describe prints them.
QString Serif(const QString &text, int x, int y = 18)
{
    return QStringLiteral("\"%1\" at %2,%3 14pt serif").arg(text).arg(x).arg(y);
}
QString Gothic(const QString &text, int x, int y = 20, int size = 14)
{
    return QStringLiteral("\"%1\" at %2,%3 %4pt gothic").arg(text).arg(x).arg(y).arg(size);
}
QString Small(const QString &digit, int x, int y = 20)
{
    return Gothic(digit, x, y, 8);
}
QString Bar(int x1, int x2, int y = 30, int width = 1)
{
    return QStringLiteral("bar %1..%2 at %3 w%4").arg(x1).arg(x2).arg(y).arg(width);
}
// A radical sign from x1 whose bar over the argument ends at x2; y is the
// top of the argument's cell.
QString Radical(int x1, int x2, int y = 20)
{
    return QStringLiteral("radical %1..%2 at %3 w1").arg(x1).arg(x2).arg(y);
}
// Text widths of a pretend table font: 6 pixels a digit, 4 for the minus.
int PretendWidth(const QString &text)
{
    int w = 0;
    for (const QChar ch : text)
        w += ch == u'-' ? 4 : 6;
    return w;
}

QString Cell(const QString &text, int x, int y)
{
    return QStringLiteral("\"%1\" at %2,%3 table font").arg(text).arg(x).arg(y);
}

// First and last row holding the colour inside the box; (-1, -1) if none.
QPair<int, int> RowsWith(const Canvas &c, const QRect &box, Color color)
{
    int first = -1, last = -1;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (c.pixel(x, y) == color) {
                if (first < 0)
                    first = y;
                last = y;
            }
    return {first, last};
}

DrawingSettings Panel(Color back, Color text)
{
    DrawingSettings d;
    d.PanelBackColor = back;
    d.PanelTextColor = text;
    return d;
}

}  // namespace

class TestFormulaImage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutions(); }

    void layout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("column");

        QTest::newRow("y = 2x^2") << QStringLiteral("y = 2x^2") << 20
                                  << QStringList{Serif("y ", 7), Gothic("  ", 21), Gothic("= ", 35),
                                                 Gothic("  ", 49), Gothic("2", 63), Serif("x ", 77),
                                                 Small("2", 91)}
                                  << 16;
        QTest::newRow("1/2 alone") << QStringLiteral("1/2") << 20
                                   << QStringList{Bar(7, 28), Gothic("1", 12, 3), Gothic("2", 10, 37)} << 5;
        QTest::newRow("10/3") << QStringLiteral("10/3") << 20
                              << QStringList{Bar(7, 28), Gothic("10", 9, 3), Gothic("3", 10, 37)} << 5;
        QTest::newRow("-1≦x≦3") << QStringLiteral("-1≦x≦3") << 20
                                << QStringList{Gothic("- ", 7), Gothic("1", 21), Gothic("≦", 35), Serif("x ", 56),
                                               Gothic("≦", 70), Gothic("3", 91)}
                                << 15;
        QTest::newRow("0≦y＜9/2") << QStringLiteral("0≦y＜9/2") << 20
                                  << QStringList{Gothic("0", 7), Gothic("≦", 21), Serif("y ", 42), Gothic("＜", 56),
                                                 Bar(77, 98), Gothic("9", 82, 3), Gothic("2", 80, 37)}
                                  << 15;
        QTest::newRow("≧ and ＞") << QStringLiteral("x＞1/2･y≧10") << 20
                                  << QStringList{Serif("x ", 7), Gothic("＞", 21), Bar(42, 63), Gothic("1", 47, 3),
                                                 Gothic("2", 45, 37), Serif("y ", 70), Gothic("≧", 84),
                                                 Gothic("10", 105)}
                                  << 18;
        QTest::newRow("axis x = 3") << QStringLiteral("x = 3") << 20
                                    << QStringList{Serif("x ", 7), Gothic("  ", 21), Gothic("= ", 35),
                                                   Gothic("  ", 49), Gothic("3", 63)}
                                    << 11;
        QTest::newRow("vertex (1,2)") << QStringLiteral("(1,2)") << 20
                                      << QStringList{Gothic("( ", 7), Gothic("1", 21), Gothic(", ", 35),
                                                     Gothic("2", 49), Gothic(") ", 63)}
                                      << 11;
        QTest::newRow("lone ^ waits for the next digit")
            << QStringLiteral("x^+1") << 20 << QStringList{Serif("x ", 7), Gothic("+ ", 21), Small("1", 35)} << 8;
        QTest::newRow("exponent digit does not flush the pending number")
            << QStringLiteral("2^3") << 20 << QStringList{Small("3", 7), Gothic("2", 28)} << 6;
        QTest::newRow("･ only separates numbers")
            << QStringLiteral("1/2･3") << 20
            << QStringList{Bar(7, 28), Gothic("1", 12, 3), Gothic("2", 10, 37), Gothic("3", 35)} << 7;
        QTest::newRow("･ before a letter") << QStringLiteral("2･x") << 20
                                           << QStringList{Gothic("2", 7), Serif("x ", 21)} << 5;
        QTest::newRow("slash without denominator is a plain number")
            << QStringLiteral("1/x") << 20 << QStringList{Gothic("1", 7), Serif("x ", 21)} << 5;
        QTest::newRow("slash without numerator draws nothing")
            << QStringLiteral("/2") << 20 << QStringList{} << 1;
        QTest::newRow("brackets between Z and a count as letters")
            << QStringLiteral("[x]") << 20 << QStringList{Serif("[ ", 7), Serif("x ", 21), Serif("] ", 35)} << 7;
        QTest::newRow("other characters take two columns")
            << QStringLiteral("全1") << 20 << QStringList{Gothic("全 ", 7), Gothic("1", 21)} << 5;
        QTest::newRow("radical over a number")
            << QStringLiteral("√3") << 20 << QStringList{Radical(7, 32), Gothic("3", 20)} << 6;
        QTest::newRow("radical after its factor")
            << QStringLiteral("2√13") << 20 << QStringList{Gothic("2", 7), Radical(19, 56), Gothic("13", 32)}
            << 9;
        QTest::newRow("radical in a numerator")
            << QStringLiteral("2√2/3") << 20
            << QStringList{Bar(7, 56), Gothic("2", 9, 3), Radical(21, 46, 3), Gothic("2", 34, 3),
                           Gothic("3", 24, 37)}
            << 9;
        QTest::newRow("phrase すべての数") << QStringLiteral("すべての数") << 20
                                        << QStringList{Gothic("すべての数", 8)} << 1;
        QTest::newRow("any text with す is written whole")
            << QStringLiteral("x は 1/2 ですべて") << 20 << QStringList{Gothic("x は 1/2 ですべて", 8)} << 1;
        QTest::newRow("empty") << QString() << 20 << QStringList{} << 1;
        QTest::newRow("general form y = 1/2x^2-x+5/2")
            << QStringLiteral("y = 1/2x^2-x+5/2") << 20
            << QStringList{Serif("y ", 7),       Gothic("  ", 21),    Gothic("= ", 35),    Gothic("  ", 49),
                           Bar(63, 84),          Gothic("1", 68, 3),  Gothic("2", 66, 37), Serif("x ", 91),
                           Small("2", 105),      Gothic("- ", 126),   Serif("x ", 140),    Gothic("+ ", 154),
                           Bar(168, 189),        Gothic("5", 173, 3), Gothic("2", 171, 37)}
            << 28;
        QTest::newRow("standard form with a domain")
            << QStringLiteral("y = -3/4(x+10)^2+7/2 (-1≦x＜3)") << 20
            << QStringList{Serif("y ", 7),        Gothic("  ", 21),     Gothic("= ", 35),     Gothic("  ", 49),
                           Gothic("- ", 63),      Bar(77, 98),          Gothic("3", 82, 3),   Gothic("4", 80, 37),
                           Gothic("( ", 105),     Serif("x ", 119),     Gothic("+ ", 133),    Gothic("10", 147),
                           Gothic(") ", 168),     Small("2", 182),      Gothic("+ ", 203),    Bar(217, 238),
                           Gothic("7", 222, 3),   Gothic("2", 220, 37), Gothic("  ", 245),    Gothic("( ", 259),
                           Gothic("- ", 273),     Gothic("1", 287),     Gothic("≦", 301),     Serif("x ", 322),
                           Gothic("＜", 336),     Gothic("3", 357),     Gothic(") ", 371)}
            << 55;
        QTest::newRow("taller rows move line, bar and denominator")
            << QStringLiteral("x1/2") << 30
            << QStringList{Serif("x ", 7, 28), Bar(21, 42, 40), Gothic("1", 26, 3), Gothic("2", 24, 57)} << 7;
    }

    void layout()
    {
        QFETCH(QString, text);
        QFETCH(int, rowHeight);
        const FormulaLayout l = LayoutFormula(text, rowHeight);
        QTEST(Describe(l.items), "items");
        QTEST(l.column, "column");
    }

    // Texts that mix words with numbers: full-width characters and "±" as
    // wide as they are, and no phrase rule.
    void wideTextLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("column");
        QTest::newRow("a full-width character takes three columns")
            << QStringLiteral("全1") << QStringList{Gothic("全", 7), Gothic("1", 28)} << 6;
        QTest::newRow("roots with ± and a radical")
            << QStringLiteral("x = 2±√3")
            << QStringList{Serif("x ", 7),  Gothic("  ", 21), Gothic("= ", 35), Gothic("  ", 49),
                           Gothic("2", 63), Gothic("±", 77),  Radical(98, 123), Gothic("3", 111)}
            << 19;
        QTest::newRow("す is no phrase here")
            << QStringLiteral("x = -1 (接する)")
            << QStringList{Serif("x ", 7),    Gothic("  ", 21),  Gothic("= ", 35),  Gothic("  ", 49),
                           Gothic("- ", 63),  Gothic("1", 77),   Gothic("  ", 91),  Gothic("( ", 105),
                           Gothic("接", 119), Gothic("す", 140), Gothic("る", 161), Gothic(") ", 182)}
            << 28;
    }
    void wideTextLayout()
    {
        QFETCH(QString, text);
        const FormulaLayout l = LayoutFormula(text, 20, WideText::ThreeColumns);
        QTEST(Describe(l.items), "items");
        QTEST(l.column, "column");
    }

    void number_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("bottom");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("used");

        QTest::newRow("empty top") << QString() << QString() << 3 << QStringList{} << 0;
        QTest::newRow("empty top over a bottom") << QString() << QStringLiteral("5") << 3 << QStringList{} << 0;
        QTest::newRow("plain number") << QStringLiteral("123") << QString() << 4
                                      << QStringList{Gothic("123", 28)} << 4;
        QTest::newRow("one over two digits") << QStringLiteral("1") << QStringLiteral("12") << 2
                                             << QStringList{Bar(14, 35), Gothic("1", 19, 3), Gothic("12", 14, 37)}
                                             << 4;
        QTest::newRow("two over two digits") << QStringLiteral("12") << QStringLiteral("34") << 1
                                             << QStringList{Bar(7, 28), Gothic("12", 9, 3), Gothic("34", 7, 37)}
                                             << 4;
        QTest::newRow("three digits round up to four")
            << QStringLiteral("123") << QStringLiteral("4") << 1
            << QStringList{Bar(7, 42), Gothic("123", 12, 3), Gothic("4", 17, 37)} << 6;
    }

    void number()
    {
        QFETCH(QString, top);
        QFETCH(QString, bottom);
        QFETCH(int, column);
        std::vector<FormulaItem> items;
        const int used = LayoutNumber(items, top, bottom, column, 20);
        QTEST(Describe(items), "items");
        QTEST(used, "used");
    }

    void tableValue_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("bottom");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("width");

        QTest::newRow("-3/4") << QStringLiteral("-3") << QStringLiteral("4") << 10 << 0
                              << QStringList{Bar(11, 14, 20, 1), Bar(15, 21, 20, 2), Cell("3", 15, 5),
                                             Cell("4", 15, 24)}
                              << 11;
        QTest::newRow("integer") << QStringLiteral("12") << QString() << 5 << 2 << QStringList{Cell("12", 5, 18)}
                                 << 12;
        QTest::newRow("negative integer keeps its sign") << QStringLiteral("-5") << QString() << 5 << 2
                                                         << QStringList{Cell("-5", 5, 18)} << 10;
        QTest::newRow("empty") << QString() << QString() << 5 << 2 << QStringList{} << 0;
        QTest::newRow("two-digit denominator")
            << QStringLiteral("1") << QStringLiteral("12") << 0 << 0
            << QStringList{Bar(0, 12, 20, 2), Cell("1", 3, 5), Cell("12", 0, 24)} << 12;
        QTest::newRow("negative over two digits")
            << QStringLiteral("-1") << QStringLiteral("12") << 3 << 10
            << QStringList{Bar(4, 7, 30, 1), Bar(8, 20, 30, 2), Cell("1", 11, 15), Cell("12", 8, 34)} << 17;
        QTest::newRow("two-digit numerator")
            << QStringLiteral("15") << QStringLiteral("4") << 0 << 0
            << QStringList{Bar(0, 12, 20, 2), Cell("15", 0, 5), Cell("4", 3, 24)} << 12;
        // The bar covers the wider number, however long; a minus is a short
        // line at the bar's height.
        QTest::newRow("-15/121") << QStringLiteral("-15") << QStringLiteral("121") << 0 << 0
                                 << QStringList{Bar(1, 4, 20, 1), Bar(5, 23, 20, 2), Cell("15", 8, 5),
                                                Cell("121", 5, 24)}
                                 << 23;
        QTest::newRow("five digits over four")
            << QStringLiteral("-12345") << QStringLiteral("1234") << 0 << 0
            << QStringList{Bar(1, 4, 20, 1), Bar(5, 35, 20, 2), Cell("12345", 5, 5), Cell("1234", 8, 24)} << 35;
    }

    void tableValue()
    {
        QFETCH(QString, top);
        QFETCH(QString, bottom);
        QFETCH(int, x);
        QFETCH(int, y);
        const TableValueLayout l = LayoutTableValue(top, bottom, x, y, PretendWidth);
        QTEST(Describe(l.items), "items");
        QTEST(l.width, "width");
    }

    void fractionPicture_data()
    {
        QTest::addColumn<Color>("back");
        QTest::addColumn<Color>("text");
        QTest::newRow("teal panel") << Colors::Teal << Colors::White;
        QTest::newRow("white panel") << Colors::White << Colors::Black;
    }

    void fractionPicture()
    {
        QFETCH(Color, back);
        QFETCH(Color, text);
        // On the bitmap, on a bitmap of twice the pixels, and onto a painter
        // scaled twice (read back as such a bitmap): the same picture.
        for (int where = 0; where < 3; ++where) {
            Picture pic(0, 0, 120, 65);
            Canvas read;
            QImage device(240, 130, QImage::Format_RGB32);
            device.setDevicePixelRatio(2);
            QPainter painter;
            if (where == 1)
                pic.canvas().setDevicePixelRatio(2);
            if (where == 2) {
                painter.begin(&device);
                pic.canvas().setTarget(&painter, 120, 65);
            }
            DrawFormulaImage(pic, QStringLiteral("1/2"), Panel(back, text));
            if (where == 2) {
                pic.canvas().setTarget(nullptr, 0, 0);
                painter.end();
                read.assign(device);
            }
            const Canvas &c = where == 2 ? read : pic.canvas();
            QCOMPARE(c.width(), 120);
            QCOMPARE(c.height(), 65);
            QCOMPARE(c.pixel(0, 0), back);
            QCOMPARE(c.pixel(119, 64), back);
            // The bar: x 7 up to 28, one pixel high.
            QCOMPARE(CountColor(c, QRect(7, 30, 21, 1), text), 21);
            QCOMPARE(c.pixel(6, 30), back);
            QCOMPARE(c.pixel(28, 30), back);
            QCOMPARE(CountColor(c, QRect(7, 29, 21, 1), text), 0);
            QCOMPARE(CountColor(c, QRect(7, 31, 21, 1), text), 0);
            QVERIFY(CountColor(c, QRect(7, 3, 21, 18), text) > 0);
            QVERIFY(CountColor(c, QRect(7, 37, 21, 20), text) > 0);
            QCOMPARE(CountColor(c, QRect(40, 0, 80, 65), text), 0);
        }
    }

    void radicalPicture()
    {
        Picture pic(0, 0, 80, 65);
        DrawFormulaImage(pic, QStringLiteral("√3"), Panel(Colors::Teal, Colors::White));
        const Canvas &c = pic.canvas();
        // The sign from x = 7 down to its foot, just below the digit, and up
        // to the bar over the argument, which ends where the item says (32).
        QCOMPARE(c.pixel(7, 31), Colors::White);
        QVERIFY(CountColor(c, QRect(7, 37, 8, 1), Colors::White) > 0);
        QCOMPARE(CountColor(c, QRect(7, 38, 30, 4), Colors::White), 0);
        QCOMPARE(CountColor(c, QRect(19, 21, 13, 1), Colors::White), 13);
        QCOMPARE(c.pixel(32, 21), Colors::Teal);
        QCOMPARE(CountColor(c, QRect(7, 20, 30, 1), Colors::White), 0);
        QVERIFY(CountColor(c, QRect(20, 23, 12, 16), Colors::White) > 0); // the 3 under the bar
    }

    void emptyTextOnlyClears()
    {
        Picture pic(0, 0, 80, 65);
        const DrawingSettings draw = Panel(Colors::Teal, Colors::White);
        DrawFormulaImage(pic, QStringLiteral("y = 2x^2"), draw);
        QVERIFY(CountColor(pic.canvas(), QRect(0, 0, 80, 65), Colors::White) > 0);
        DrawFormulaImage(pic, QString(), draw);
        QCOMPARE(CountColor(pic.canvas(), QRect(0, 0, 80, 65), Colors::Teal), 80 * 65);
    }

    void lineTextHasNoBackground()
    {
        Picture pic(0, 0, 160, 65);
        DrawFormulaImage(pic, QStringLiteral("y = 2x^2"), Panel(Colors::Teal, Colors::White));
        const Canvas &c = pic.canvas();
        // The cell of the space written at x = 21 stays panel colour.
        QCOMPARE(CountColor(c, QRect(22, 22, 9, 15), Colors::Teal), 9 * 15);
        // Line items start at y = 18 at the highest.
        QCOMPARE(CountColor(c, QRect(0, 0, 160, 16), Colors::White), 0);
        QVERIFY(CountColor(c, QRect(7, 18, 100, 22), Colors::White) > 0);
        // A minus right before a fraction must not cover its bar.
        DrawFormulaImage(pic, QStringLiteral("-1/2"), Panel(Colors::Teal, Colors::White));
        QCOMPARE(CountColor(c, QRect(21, 30, 21, 1), Colors::White), 21);
    }

    void exponentIsSmall()
    {
        Picture pic(0, 0, 160, 65);
        DrawFormulaImage(pic, QStringLiteral("y = 2x^2"), Panel(Colors::Teal, Colors::White));
        const Canvas &c = pic.canvas();
        const auto number = RowsWith(c, QRect(63, 0, 12, 65), Colors::White);
        const auto exponent = RowsWith(c, QRect(91, 0, 14, 65), Colors::White);
        QVERIFY(number.first >= 20);
        QVERIFY(exponent.first >= 20);
        QVERIFY(exponent.second - exponent.first < number.second - number.first);
        // Both start at the line top, so the small digit ends higher.
        QVERIFY(exponent.second < number.second);
    }

    void phraseIsWrittenAtItsCorner()
    {
        Picture pic(0, 0, 200, 65);
        DrawFormulaImage(pic, QStringLiteral("すべての数"), Panel(Colors::White, Colors::Black));
        const Canvas &c = pic.canvas();
        QCOMPARE(CountColor(c, QRect(0, 0, 200, 20), Colors::Black), 0);
        QCOMPARE(CountColor(c, QRect(0, 0, 8, 65), Colors::Black), 0);
        QVERIFY(CountColor(c, QRect(8, 20, 120, 25), Colors::Black) > 0);
    }

    void drawNumber()
    {
        Canvas c(100, 65, Colors::Teal);
        const DrawingSettings draw = Panel(Colors::Teal, Colors::White);
        c.setFontColor(draw.PanelTextColor);
        const QImage before = c.image().copy();
        QCOMPARE(DrawNumber(c, QString(), QStringLiteral("7"), 3, draw), 0);
        QCOMPARE(c.image(), before);

        QCOMPARE(DrawNumber(c, QStringLiteral("3"), QStringLiteral("4"), 2, draw), 4);
        QCOMPARE(CountColor(c, QRect(14, 30, 21, 1), Colors::White), 21);
        QCOMPARE(c.pixel(35, 30), Colors::Teal);
        QVERIFY(CountColor(c, QRect(14, 3, 21, 18), Colors::White) > 0);
        QVERIFY(CountColor(c, QRect(14, 37, 21, 20), Colors::White) > 0);
    }

    void tableValuePixels()
    {
        // A table cell: white, black pen and text, solid white brush.
        Canvas c(60, 50, Colors::White);
        const int minus = c.textWidth(QStringLiteral("-"));
        const int digit = c.textWidth(QStringLiteral("3"));
        QCOMPARE(DrawTableValue(c, QStringLiteral("-3"), QStringLiteral("4"), 4, 2), minus + 1 + digit);
        // A 2-pixel bar as wide as the digit, just right of the minus; its
        // rows are y + 19 and y + 20.
        const int bar = 4 + minus + 1;
        QCOMPARE(CountColor(c, QRect(bar, 21, digit, 2), Colors::Black), 2 * digit);
        QCOMPARE(CountColor(c, QRect(bar, 19, digit, 2), Colors::Black), 0);
        QCOMPARE(CountColor(c, QRect(bar, 23, digit, 2), Colors::Black), 0);
        QCOMPARE(c.pixel(bar - 1, 22), Colors::White);
        QCOMPARE(c.pixel(bar + digit, 22), Colors::White);
        QVERIFY(CountColor(c, QRect(4, 19, minus, 12), Colors::Black) > 0);  // "-"
        QVERIFY(CountColor(c, QRect(bar, 7, 12, 12), Colors::Black) > 0);  // "3"
        QVERIFY(CountColor(c, QRect(bar, 26, 12, 14), Colors::Black) > 0);  // "4"
        // The table's own pen and brush are left for its next cell.
        QCOMPARE(c.penWidth(), 1);
        QCOMPARE(c.brushStyle(), BrushStyle::Solid);

        Canvas d(60, 50, Colors::White);
        QCOMPARE(DrawTableValue(d, QStringLiteral("12"), QString(), 4, 2), d.textWidth(QStringLiteral("12")));
        QCOMPARE(CountColor(d, QRect(0, 0, 60, 18), Colors::Black), 0);
        QVERIFY(CountColor(d, QRect(4, 18, 30, 16), Colors::Black) > 0);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    TestFormulaImage t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_formulaimage.moc"
