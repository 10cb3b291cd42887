#include "files/DateText.h"
#include "output/PrintDialog.h"
#include "output/PrintingModule.h"
#include "plane/Canvas.h"
#include "plane/Fonts.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "support/Records.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSettings.h"
#include "support/Unprivileged.h"
#include "support/VectorFiles.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using Change = std::function<void(PrintDialog &)>;
Q_DECLARE_METATYPE(Change)

namespace {
constexpr Color Red = 0x0000FF;
constexpr Color Green = 0x00FF00;
constexpr Color Blue = 0xFF0000;
constexpr Color Yellow = 0x00FFFF;

// A plane picture with four coloured quadrants and no white pixel, so that
// the placement, the scale and the orientation of the copy all show.
QImage Quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w / 2, bottom = y >= h / 2;
            img.setPixel(x, y, ToPixel(bottom ? (right ? Yellow : Blue) : (right ? Green : Red)));
        }
    return img;
}

// Runs the rest of a test in a fresh temporary folder as the current one.
struct InTempFolder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    InTempFolder() { QDir::setCurrent(dir.path()); }
    ~InTempFolder() { QDir::setCurrent(previous); }
    QString file(const QString &name) const { return dir.filePath(name); }
};

// Rows y0..y1 (inclusive) of the sheet hold a black pixel.
bool HasBlack(const Canvas &c, int y0, int y1, int *firstX = nullptr)
{
    int minX = -1;
    for (int y = qMax(0, y0); y <= qMin(c.height() - 1, y1); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == Colors::Black && (minX < 0 || x < minX))
                minX = x;
    if (firstX)
        *firstX = minX;
    return minX >= 0;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestPrint : public QObject {
    Q_OBJECT

    QImage m_plane;

    // A plane that is a pasted bitmap (the quadrants), or the plane of the
    // settings with two whole curves, the red one selected.
    void wire(PrintDialog &p, bool realPlane = false)
    {
        if (realPlane) {
            m_plane = QImage(544, 544, QImage::Format_RGB32);
            p.drawPlane = [](Picture &pic) {
                ViewSettings &st = TestSettings();
                const PlaneGeometry g = DrawPlane(pic, st, PlaneGeometry{});
                const PlotContext ctx{g, st.Draw, pic.width()};
                DrawParabola(pic.canvas(), MakeParabola(0, 0, 1, 1), false, ctx);
                Parabola segment = MakeParabola(1, -2, 3, 2);
                segment.Color = int(Red);
                DrawParabola(pic.canvas(), segment, true, ctx);
            };
        } else {
            p.drawPlane = [this](Picture &pic) {
                pic.canvas().stretchDraw(QRect(QPoint(0, 0), m_plane.size()), m_plane);
            };
        }
        p.planeSize = [this] { return m_plane.size(); };
        p.planeUnit = [] { return 16; };
        p.unitFileName = [] { return QStringLiteral("/home/pupil/DATA/Nijikansu.prb"); };
    }
    void setSpin(PrintDialog &p, const char *name, int v)
    {
        p.findChild<QSpinBox *>(QLatin1String(name))->setValue(v);
    }
    QLineEdit *edit(PrintDialog &p, const char *name)
    {
        return p.findChild<QLineEdit *>(QLatin1String(name));
    }
    QString label(PrintDialog &p, const char *name)
    {
        return p.findChild<QLabel *>(QLatin1String(name))->text();
    }

    // A form that prints to a PDF file instead of a printer.
    void toPdf(PrintDialog &p, const QString &path)
    {
        p.printer().setOutputFormat(QPrinter::PdfFormat);
        p.printer().setOutputFileName(path);
        p.setupPrinter = [](QPrinter &) { return true; };
    }

private slots:
    void initTestCase() { RegisterFontSubstitutions(); }

    void dateTexts_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("japanese");
        QTest::newRow("one-digit month and hour")
            << QDateTime(QDate(2004, 11, 5), QTime(9, 5)) << "2004.11.05"
            << "09:05"
            << "2004年11月05日";
        QTest::newRow("record example") << QDateTime(QDate(2003, 4, 5), QTime(9, 7)) << "2003.04.05"
                                        << "09:07"
                                        << "2003年04月05日";
        QTest::newRow("all two-digit") << QDateTime(QDate(2010, 12, 31), QTime(23, 59)) << "2010.12.31"
                                       << "23:59"
                                       << "2010年12月31日";
        QTest::newRow("midnight, new year") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << "2000.01.01"
                                            << "00:00"
                                            << "2000年01月01日";
        QTest::newRow("seconds dropped") << QDateTime(QDate(2021, 10, 10), QTime(10, 10, 59)) << "2021.10.10"
                                         << "10:10"
                                         << "2021年10月10日";
    }
    void dateTexts()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(QString, japanese);
        QCOMPARE(DateText(when), date);
        QCOMPARE(TimeText(when), time);
        QCOMPARE(JapaneseDateText(when), japanese);
    }

    void twoDigits_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00";
        QTest::newRow("5") << 5 << "05";
        QTest::newRow("9") << 9 << "09";
        QTest::newRow("10") << 10 << "10";
        QTest::newRow("59") << 59 << "59";
        QTest::newRow("2004 kept whole") << 2004 << "2004";
    }
    void twoDigits()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(TwoDigits(n), text);
    }

    void currentTimeTexts()
    {
        QVERIFY(
            QRegularExpression(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d$")).match(DateText()).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(TimeText()).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}年\\d\\d月\\d\\d日$"))
                    .match(JapaneseDateText())
                    .hasMatch());
    }

    void printTarget_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("side");
        QTest::newRow("reference width") << 2892 << 32.0 / 7.0 << 2926; // 2925.71: 1.2 % wider
        QTest::newRow("twice the reference") << 5784 << 64.0 / 7.0 << 5851;
        QTest::newRow("half the reference") << 1446 << 16.0 / 7.0 << 1463;
        QTest::newRow("A4 at 600 dpi, 4 mm margins") << 4866 << 4866.0 / 2892 * 32 / 7 << 4923;
        QTest::newRow("no page") << 0 << 0.0 << 0;
    }
    void printTarget()
    {
        QFETCH(int, pageWidth);
        QFETCH(double, factor);
        QFETCH(int, side);
        QVERIFY(qAbs(PrintFactor(pageWidth) - factor) < 1e-12);
        QCOMPARE(PrintTarget(pageWidth, PrintDialog::SheetSize), QRect(0, 0, side, side));
    }

    void titleLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("ASCII") << "Graph 1" << 7;
        QTest::newRow("kanji and kana") << "放物線のグラフ" << 14;
        QTest::newRow("half-width katakana") << "ｸﾞﾗﾌ" << 4;
        QTest::newRow("application title") << PrintDialog::DefaultTitle << 24;
        QTest::newRow("not in CP932 counts two") << "y=x² 😀" << 8;
        QTest::newRow("empty") << "" << 0;
    }
    void titleLength()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(Cp932Length(text), bytes);
    }

    void previewGeometry_data()
    {
        QTest::addColumn<QSize>("plane");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("50 % of 320 at 50, 50")
            << QSize(320, 320) << 50 << 50 << 50 << QRect(50, 50, 160, 160);
        QTest::newRow("100 % at the corner") << QSize(320, 320) << 100 << 0 << 0 << QRect(0, 0, 320, 320);
        QTest::newRow("70 %, margins 200 and 100")
            << QSize(320, 320) << 70 << 200 << 100 << QRect(200, 100, 224, 224);
        QTest::newRow("not square, 60 %") << QSize(544, 400) << 60 << 30 << 40 << QRect(30, 40, 326, 240);
        QTest::newRow("half to even, down") << QSize(325, 327) << 50 << 50 << 50 << QRect(50, 50, 162, 164);
        QTest::newRow("600 pixels at 100 % runs off")
            << QSize(600, 600) << 100 << 50 << 50 << QRect(50, 50, 600, 600);
    }
    void previewGeometry()
    {
        QFETCH(QSize, plane);
        QFETCH(int, percent);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QRect, placed);
        m_plane = Quadrants(plane.width(), plane.height());
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        edit(p, "edtFile")->setText(QString());
        edit(p, "edtTitle")->setText(QString());
        setSpin(p, "spnShukusho", percent);
        setSpin(p, "spnLeft", left);
        setSpin(p, "spnTop", top);
        // Unchanged fields emit nothing; draw with the plane wired above.
        p.DrawPrintPreview();
        const Canvas &c = p.sheet();
        QCOMPARE(c.width(), PrintDialog::SheetSize);
        QCOMPARE(c.height(), PrintDialog::SheetSize);

        // The sheet cuts what runs off it.
        const QRect visible = placed & QRect(0, 0, c.width(), c.height());
        QCOMPARE(c.pixel(visible.left(), visible.top()), Red);
        QCOMPARE(c.pixel(visible.right(), visible.top()), Green);
        QCOMPARE(c.pixel(visible.left(), visible.bottom()), Blue);
        QCOMPARE(c.pixel(visible.right(), visible.bottom()), Yellow);
        // The quadrant boundary falls at half the placed size.
        QCOMPARE(c.pixel(placed.left() + placed.width() / 2 - 1, placed.top()), Red);
        QCOMPARE(c.pixel(placed.left() + (placed.width() + 1) / 2, placed.top()), Green);
        // Just outside the copy the sheet is white.
        const QPoint outside[] = {{placed.left() - 1, placed.top()},
                                  {placed.left(), placed.top() - 1},
                                  {placed.right() + 1, placed.top()},
                                  {placed.left(), placed.bottom() + 1}};
        for (const QPoint &pt : outside)
            if (QRect(0, 0, c.width(), c.height()).contains(pt))
                QCOMPARE(c.pixel(pt.x(), pt.y()), Colors::White);
    }

    void headingAndTitlePlacement()
    {
        m_plane = Quadrants(320, 320);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        setSpin(p, "spnShukusho", 50);
        edit(p, "edtFile")->setText(QString());
        edit(p, "edtTitle")->setText(PrintDialog::DefaultTitle);
        const Canvas &c = p.sheet();
        // Plane 50..209; the title's cell starts 15 pixels lower, at 225.
        QVERIFY(!HasBlack(c, 210, 224));
        int titleX = -1;
        QVERIFY(HasBlack(c, 225, 250, &titleX));
        // Centred by the estimate: 50 + 80 - 24 bytes * 12 points / 4.
        const int estimate = TitleLeft(50, 160, PrintDialog::DefaultTitle, PrintDialog::FontPoints);
        QCOMPARE(estimate, 58);
        QVERIFY2(titleX >= estimate && titleX <= estimate + 3, qPrintable(QString::number(titleX)));

        // The heading sits at (left + 10, 10), above the plane.
        QVERIFY(!HasBlack(c, 0, 49));
        edit(p, "edtFile")->setText(QStringLiteral("DATA/単元.prb  2004.11.05  09:05"));
        int headX = -1;
        QVERIFY(!HasBlack(c, 0, 9));
        QVERIFY(HasBlack(c, 10, 49, &headX));
        QVERIFY2(headX >= 60 && headX <= 63, qPrintable(QString::number(headX)));
    }

    void everyChangeRedrawsAtOnce_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("left margin") << Change(
            [](PrintDialog &p) { p.findChild<QSpinBox *>(QStringLiteral("spnLeft"))->stepUp(); });
        QTest::newRow("top margin") << Change(
            [](PrintDialog &p) { p.findChild<QSpinBox *>(QStringLiteral("spnTop"))->stepDown(); });
        QTest::newRow("size") << Change(
            [](PrintDialog &p) { p.findChild<QSpinBox *>(QStringLiteral("spnShukusho"))->stepDown(); });
        QTest::newRow("title") << Change([](PrintDialog &p) {
            p.findChild<QLineEdit *>(QStringLiteral("edtTitle"))->setText(QStringLiteral("二次関数のグラフ"));
        });
        QTest::newRow("heading") << Change([](PrintDialog &p) {
            p.findChild<QLineEdit *>(QStringLiteral("edtFile"))->setText(QStringLiteral("3年2組"));
        });
        QTest::newRow("title typed") << Change([](PrintDialog &p) {
            QLineEdit *e = p.findChild<QLineEdit *>(QStringLiteral("edtTitle"));
            e->setFocus();
            QTest::keyClicks(e, QStringLiteral("ABC"));
        });
    }
    void everyChangeRedrawsAtOnce()
    {
        QFETCH(Change, change);
        m_plane = Quadrants(320, 320);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        p.prepareToShow();
        const QImage before = p.sheet().image();
        change(p);
        const QImage after = p.sheet().image();
        QVERIFY(after != before);
        p.DrawPrintPreview();
        QCOMPARE(after, p.sheet().image());
    }

    void showingFillsTheFields()
    {
        m_plane = Quadrants(320, 320);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        p.setupPrinter = [](QPrinter &) { return true; };
        QVERIFY(p.SetUpPrinter());
        QVERIFY(p.printerReady());
        edit(p, "edtTitle")->setText(QStringLiteral("old"));
        p.prepareToShow();
        QCOMPARE(edit(p, "edtTitle")->text(), QStringLiteral("Quorvel 放物線学習ツール"));
        const QRegularExpression heading(
            QStringLiteral("^/home/pupil/DATA/Nijikansu\\.prb  \\d{4}\\.\\d\\d\\.\\d\\d  \\d\\d:\\d\\d$"));
        QVERIFY2(heading.match(edit(p, "edtFile")->text()).hasMatch(),
                 qPrintable(edit(p, "edtFile")->text()));
        QCOMPARE(label(p, "lblPWidth"), QStringLiteral("W：") + QString::number(p.printer().width()));
        QCOMPARE(label(p, "lblPHeight"), QStringLiteral("H：") + QString::number(p.printer().height()));
        QVERIFY(p.printer().width() > 0);
        QVERIFY(!p.printerReady());
        // Shown with an unchanged heading and title, the sheet still shows the plane.
        QCOMPARE(p.sheet().pixel(50, 50), Red);
    }

    void takesTheMainWindowsPlace()
    {
        QWidget owner;
        owner.setGeometry(120, 90, 900, 700);
        auto *p = new PrintDialog(TestSettings().Draw, TestFolder(), &owner);
        QCOMPARE(p->geometry(), QRect(120, 90, 900, 700));
        QCOMPARE(p->windowTitle(), QStringLiteral("グラフの印刷"));
    }

    void printerSetUpRefreshesPageSize()
    {
        PrintDialog p(TestSettings().Draw, TestFolder());
        p.printer().setOutputFormat(QPrinter::PdfFormat);
        p.printer().setPageSize(QPageSize(QPageSize::A4));
        p.prepareToShow();
        const QString a4 = label(p, "lblPWidth");

        p.setupPrinter = [](QPrinter &pr) {
            pr.setPageSize(QPageSize(QPageSize::A5));
            return false;
        };
        QVERIFY(!p.SetUpPrinter());
        QVERIFY(!p.printerReady());
        QCOMPARE(label(p, "lblPWidth"), a4);

        p.setupPrinter = [](QPrinter &pr) {
            pr.setPageSize(QPageSize(QPageSize::A3));
            return true;
        };
        QVERIFY(p.SetUpPrinter());
        QVERIFY(p.printerReady());
        QCOMPARE(label(p, "lblPWidth"), QStringLiteral("W：") + QString::number(p.printer().width()));
        QVERIFY(label(p, "lblPWidth") != a4);
    }

    void printButton_data()
    {
        QTest::addColumn<bool>("ready");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("jobs");
        QTest::newRow("not ready, dialog cancelled") << false << false << 1 << 0;
        QTest::newRow("not ready, dialog confirmed") << false << true << 1 << 1;
        QTest::newRow("ready: no dialog") << true << false << 0 << 1;
    }
    void printButton()
    {
        QFETCH(bool, ready);
        QFETCH(bool, confirm);
        QFETCH(int, dialogs);
        QFETCH(int, jobs);
        InTempFolder tmp;
        m_plane = Quadrants(320, 320);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        toPdf(p, tmp.file(QStringLiteral("out.pdf")));
        p.prepareToShow();
        if (ready)
            QVERIFY(p.SetUpPrinter());
        int shown = 0, printed = 0;
        p.setupPrinter = [&](QPrinter &) {
            ++shown;
            return confirm;
        };
        p.jobPrinted = [&](int) { ++printed; };
        QTest::mouseClick(p.findChild<QPushButton *>(QStringLiteral("btnPrint")), Qt::LeftButton);
        QCOMPARE(shown, dialogs);
        QCOMPARE(printed, jobs);
        QCOMPARE(QFile::exists(tmp.file(QStringLiteral("out.pdf"))), jobs > 0);
    }

    // The sheet goes onto the printer's painter: text as text, the plane
    // as lines and paths, no bitmap and no file but the printed one.
    void printsTheSheetToPdf()
    {
        InTempFolder tmp;
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p, true);
        const QString pdf = tmp.file(QStringLiteral("sheet.pdf"));
        toPdf(p, pdf);
        p.prepareToShow();
        setSpin(p, "spnLeft", 80);
        edit(p, "edtFile")->setText(QStringLiteral("DATA/単元.prb  2004.11.05  09:05"));
        edit(p, "edtTitle")->setText(QStringLiteral("二次関数のグラフ"));

        QCOMPARE(p.PrintSheet(), 1);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(QDir(tmp.dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("sheet.pdf")});
        QCOMPARE(PdfPageCount(pdf), 1);
        const QString text = PdfText(pdf);
        // (pdftotext writes runs of spaces as one)
        QVERIFY2(text.contains(QStringLiteral("DATA/単元.prb 2004.11.05 09:05")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("二次関数のグラフ")), qPrintable(text));
        QVERIFY2(text.contains(QLatin1String("-10")), qPrintable(text)); // a tick number
        QCOMPARE(PdfImageCount(pdf), 0);
    }

    // The size scales the drawing, not pixels: at 50 % the sheet has the
    // curves of 100 %, whole.
    void everySizeDrawsTheSameCurves_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("percent");
        QTest::newRow("50 %") << int(PrintDialog::Scale::Percent) << 50;
        QTest::newRow("70 %") << int(PrintDialog::Scale::Percent) << 70;
        QTest::newRow("1目盛 = 5 mm") << int(PrintDialog::Scale::FiveMillimetres) << 100;
    }
    void everySizeDrawsTheSameCurves()
    {
        QFETCH(int, scale);
        QFETCH(int, percent);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p, true);
        p.printer().setOutputFormat(QPrinter::PdfFormat);
        p.prepareToShow();
        auto curves = [&p] {
            QBuffer svg;
            svg.open(QIODevice::WriteOnly);
            QSvgGenerator gen;
            gen.setOutputDevice(&svg);
            gen.setSize(QSize(PrintDialog::SheetSize, PrintDialog::SheetSize));
            QPainter painter(&gen);
            p.drawSheet(painter);
            painter.end();
            return SvgCurvePaths(svg.data());
        };
        const QStringList whole = curves();
        QCOMPARE(whole.size(), 2);
        p.findChild<QComboBox *>(QStringLiteral("cmbScale"))->setCurrentIndex(scale);
        setSpin(p, "spnShukusho", percent);
        QCOMPARE(curves(), whole);

        // The preview shows the smaller curves without gaps: from the first
        // column with a reddish pixel to the last, every column has one.
        const QImage sheet = p.sheet().image();
        QList<int> reddish;
        for (int x = 0; x < sheet.width(); ++x)
            for (int y = 0; y < sheet.height(); ++y) {
                const QColor c(sheet.pixel(x, y));
                if (c.red() - c.green() > 25 && c.red() - c.blue() > 25) {
                    reddish << x;
                    break;
                }
            }
        QVERIFY(reddish.size() > 40);
        QCOMPARE(reddish.last() - reddish.first() + 1, reddish.size());
    }

    // At true scale one grid unit is 5 mm or 1 cm on paper: measured on a
    // rendering of 10 pixels to the millimetre.
    void trueScale_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("millimetres");
        QTest::newRow("1目盛 = 5 mm") << int(PrintDialog::Scale::FiveMillimetres) << 5.0;
        QTest::newRow("1目盛 = 1 cm") << int(PrintDialog::Scale::OneCentimetre) << 10.0;
    }
    void trueScale()
    {
        QFETCH(int, scale);
        QFETCH(double, millimetres);
        InTempFolder tmp;
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p, true);
        const QString pdf = tmp.file(QStringLiteral("scale.pdf"));
        toPdf(p, pdf);
        p.printer().setPageSize(QPageSize(QPageSize::A4));
        p.prepareToShow();
        p.findChild<QComboBox *>(QStringLiteral("cmbScale"))->setCurrentIndex(scale);
        QVERIFY(!p.findChild<QSpinBox *>(QStringLiteral("spnShukusho"))->isEnabled());
        QCOMPARE(p.PrintSheet(), 1);
        RunPoppler(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                    QStringLiteral("-singlefile"), pdf, tmp.file(QStringLiteral("page"))});
        const QImage page(tmp.file(QStringLiteral("page.pgm")));
        QVERIFY(!page.isNull());
        // Sheet pixels to rendered pixels, and a row half a unit below the
        // plane's top line, where only vertical lines cross.
        QPrinter &pr = p.printer();
        const QRectF paper = pr.pageLayout().paintRectPixels(pr.resolution());
        const double k = PrintFactor(pr.width()) / pr.resolution() * 254;
        const double ratio = p.planeRatio();
        const int row = int((paper.top() / pr.resolution() * 254) + (50 + 16 * 1.5 * ratio) * k);
        const int x0 = int(paper.left() / pr.resolution() * 254 + 50 * k);
        const int x1 = qMin(page.width(), int(x0 + 544 * ratio * k));
        QList<double> centres;
        int runStart = -1;
        for (int x = x0; x <= x1; ++x) {
            const bool ink = x < x1 && qGray(page.pixel(x, row)) < 235;
            if (ink && runStart < 0)
                runStart = x;
            if (!ink && runStart >= 0) {
                centres << (runStart + x - 1) / 2.0;
                runStart = -1;
            }
        }
        QList<double> gaps;
        for (int i = 1; i < centres.size(); ++i)
            gaps << centres[i] - centres[i - 1];
        std::sort(gaps.begin(), gaps.end());
        QVERIFY2(gaps.size() >= 8, qPrintable(QString::number(gaps.size())));
        const double median = gaps[gaps.size() / 2];
        QVERIFY2(qAbs(median - millimetres * 10) <= 1.0, qPrintable(QString::number(median)));
    }

    void eachCopyIsAJobOfItsOwn()
    {
        InTempFolder tmp;
        m_plane = Quadrants(320, 320);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        const QString pdf = tmp.file(QStringLiteral("copy.pdf"));
        toPdf(p, pdf);
        p.printer().setCopyCount(2);
        p.prepareToShow();
        QList<int> copies;
        // Each job writes the output file anew; keep each one.
        p.jobPrinted = [&](int copy) {
            copies << copy;
            QVERIFY(QFile::rename(pdf, tmp.file(QStringLiteral("copy%1.pdf").arg(copy))));
        };
        QCOMPARE(p.PrintSheet(), 2);
        QCOMPARE(copies, QList<int>({1, 2}));
        for (int copy : {1, 2}) {
            const QString file = tmp.file(QStringLiteral("copy%1.pdf").arg(copy));
            QVERIFY(ReadAll(file).startsWith("%PDF"));
            QCOMPARE(PdfPageCount(file), 1);
            QVERIFY(PdfText(file).contains(PrintDialog::DefaultTitle));
        }
        QCOMPARE(p.printer().copyCount(), 2);
        // The pasted bitmap is the one image; nothing else was written.
        QCOMPARE(PdfImageCount(tmp.file(QStringLiteral("copy1.pdf"))), 1);
        QCOMPARE(QDir(tmp.dir.path()).entryList(QDir::Files).size(), 2);
    }

    // A folder the user cannot write is no hindrance: nothing is written
    // but the printed file.
    void printsFromAReadOnlyFolder()
    {
        QUORVEL_WHERE_PERMISSIONS_BIND();
        QTemporaryDir out;
        InTempFolder tmp;
        m_plane = Quadrants(320, 320);
        AppFolder folder;
        folder.dir = tmp.dir.path();
        QVERIFY(QFile::setPermissions(tmp.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        PrintDialog p(TestSettings().Draw, folder);
        wire(p);
        toPdf(p, out.filePath(QStringLiteral("sheet.pdf")));
        p.prepareToShow();
        const int jobs = p.PrintSheet();
        QFile::setPermissions(tmp.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(jobs, 1);
        QVERIFY(PdfText(out.filePath(QStringLiteral("sheet.pdf"))).contains(PrintDialog::DefaultTitle));
        QCOMPARE(QDir(tmp.dir.path()).entryList(QDir::Files), QStringList());
    }

    void failedPrintSaysWhyAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("output"); // under the temporary folder; empty: no printer
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing")
            << QStringLiteral("missing/sheet.pdf") << QStringLiteral("PDFファイル「%1」に書き込めません。");
        QTest::newRow("a folder of that name")
            << QStringLiteral("taken") << QStringLiteral("PDFファイル「%1」に書き込めません。");
        QTest::newRow("no printer") << QString()
                                    << QStringLiteral(
                                           "印刷できません。プリンタが見つからないか、使えません。");
    }
    void failedPrintSaysWhyAndLeavesNoFile()
    {
        QFETCH(QString, output);
        QFETCH(QString, message);
        InTempFolder tmp;
        ScriptedPrompt prompt;
        QVERIFY(QDir(tmp.dir.path()).mkdir(QStringLiteral("taken")));
        m_plane = Quadrants(320, 320);
        PrintDialog p(TestSettings().Draw, TestFolder());
        wire(p);
        const QString pdf = output.isEmpty() ? QString() : tmp.file(output);
        toPdf(p, pdf);
        p.prepareToShow();
        int printed = 0;
        p.jobPrinted = [&](int) { ++printed; };
        QCOMPARE(p.PrintSheet(), 0);
        QCOMPARE(prompt.texts(), QStringList{message.contains(QLatin1String("%1"))
                                                 ? message.arg(QDir::toNativeSeparators(pdf))
                                                 : message});
        QCOMPARE(printed, 0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(QDir(tmp.dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("taken")});
        QCOMPARE(QDir(tmp.file(QStringLiteral("taken"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // The module the program loads on the first print: found among the
    // paths in order, and refused with the reason when a path holds none.
    void printingModuleLoadsOrSaysWhy_data()
    {
        const QString built = QStringLiteral(QUORVEL_TEST_PRINTING_MODULE);
        QTest::addColumn<QStringList>("paths"); // %1: the temporary folder
        QTest::addColumn<bool>("loads");
        QTest::newRow("the built module") << QStringList{built} << true;
        QTest::newRow("after a missing one") << QStringList{QStringLiteral("%1/none"), built} << true;
        QTest::newRow("missing") << QStringList{QStringLiteral("%1/none")} << false;
        QTest::newRow("not a library") << QStringList{QStringLiteral("%1/junk")} << false;
        QTest::newRow("a library without the entry")
            << QStringList{QLibraryInfo::path(QLibraryInfo::LibrariesPath) +
                           QStringLiteral("/libQt6Svg.so.6")}
            << false;
    }
    void printingModuleLoadsOrSaysWhy()
    {
        QFETCH(QStringList, paths);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        QFile junk(dir.filePath(QStringLiteral("junk.so")));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a library") > 0);
        junk.close();
        for (QString &p : paths)
            p = p.arg(dir.path());
        QString why;
        const PrintingModule *module = LoadPrinting(paths, &why);
        QCOMPARE(module != nullptr, loads);
        if (loads) {
            QVERIFY(module->makePrintDialog && module->exportPlane);
            std::unique_ptr<QDialog> d(
                module->makePrintDialog(TestSettings().Draw, TestFolder(), nullptr, PrintHooks{}));
            QCOMPARE(d->objectName(), QStringLiteral("frmPrint"));
            QVERIFY(why.isEmpty());
        } else {
            QVERIFY2(why.startsWith(
                         QStringLiteral("印刷と図の書き出しの部品（quorvel_printing）を読み込めません。")) &&
                         why.size() > 40,
                     qPrintable(why));
        }
    }

    void closeAccepts()
    {
        PrintDialog p(TestSettings().Draw, TestFolder());
        p.show();
        QTest::mouseClick(p.findChild<QPushButton *>(QStringLiteral("btnClose")), Qt::LeftButton);
        QVERIFY(!p.isVisible());
        QCOMPARE(p.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
