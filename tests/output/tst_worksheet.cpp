#include "files/Convert.h"
#include "files/DateText.h"
#include "files/SafeFile.h"
#include "lessons/SampleUnits.h"
#include "lessons/UnitCatalogDialog.h"
#include "model/FormulaText.h"
#include "output/WorksheetDialog.h"
#include "output/WorksheetWriter.h"
#include "plane/PlaneDrawing.h"
#include "support/Children.h"
#include "support/FullDisk.h"
#include "support/MainFixture.h"
#include "support/Records.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {
const QDateTime When(QDate(2026, 12, 8), QTime(9, 30));

Parabola Exercise(int vx, int vy, int px, int py, int mode = 0, int lo = kUnboundedLow,
                  int hi = kUnboundedHigh, Color color = 0x00FF00)
{
    Parabola r = MakeParabola(vx, vy, px, py, mode, lo, hi);
    r.Formula = StandardFormPlain(r);
    r.Color = std::int32_t(color);
    r.LineWidth = 2;
    return r;
}

// Eight exercises: whole curves, a fraction, a segment and a half line.
WorksheetUnit SampleSheet(int count = 8)
{
    const std::vector<Parabola> all = {
        Exercise(2, -1, 3, 0),    Exercise(1, -2, 3, 0),          Exercise(0, 0, 1, 1, 1, -1, 2),
        Exercise(-1, 3, 0, 1),    Exercise(0, 2, 1, 3, 2, 0, 99), Exercise(3, 1, 4, 2),
        Exercise(-2, -3, -1, -1), Exercise(1, 1, 2, 0),
    };
    WorksheetUnit unit;
    unit.title = QStringLiteral("２次関数のグラフ");
    for (int i = 0; i < count; ++i)
        unit.exercises.push_back(all[std::size_t(i % all.size())]);
    return unit;
}

QString Run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A text with no white space (ideographic spaces included): pdftotext
// breaks the pieces of a laid-out formula where it likes.
QString Packed(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s|\\x{3000}")));
}

// How a formula text reads back from the PDF: its pieces in drawing
// order, with neither the exponent mark nor the fraction slash drawn.
QString Drawn(const QString &formula)
{
    return Packed(formula).remove(u'^').remove(u'/');
}

int PageCount(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PageText(const QString &pdf, int page)
{
    return Packed(Run(QStringLiteral("pdftotext"),
                      {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(page),
                       QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")}));
}

constexpr int Dpi = 60;
QImage PageImage(const QString &pdf, int page, const QString &prefix)
{
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
         prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

QRect ToPixels(const QRectF &mm)
{
    const double k = Dpi / 25.4;
    return QRect(QPoint(int(mm.left() * k), int(mm.top() * k)),
                 QPoint(int(mm.right() * k), int(mm.bottom() * k)));
}

// Pixels in the box that match.
int Count(const QImage &img, const QRect &box, const std::function<bool(QColor)> &match)
{
    int n = 0;
    for (int y = std::max(0, box.top()); y <= std::min(img.height() - 1, box.bottom()); ++y)
        for (int x = std::max(0, box.left()); x <= std::min(img.width() - 1, box.right()); ++x)
            n += match(img.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool Green(QColor c)
{
    // Thin lines come out blended with the paper.
    return c.green() - std::max(c.red(), c.blue()) > 60;
}

bool Inked(QColor c)
{
    return c.lightness() < 200;
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Inside, give or take the rounding of the sums that place the boxes.
bool Inside(const QRectF &outer, const QRectF &inner)
{
    return outer.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(inner);
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

Q_DECLARE_METATYPE(WorksheetOptions)

class TestWorksheet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ViewSettings m_view;

    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString written(const WorksheetUnit &unit, const WorksheetOptions &options, const QString &name)
    {
        const QString path = file(name);
        const Told<bool> r = WriteWorksheet(path, unit, options, m_view, When);
        if (!r.value)
            qWarning() << "not written:" << (r.messages.isEmpty() ? QString() : r.messages.first().text);
        return path;
    }

private slots:
    void initTestCase()
    {
        RegisterFontSubstitutions();
        QVERIFY(m_dir.isValid());
    }

    // The boxes of a page lie inside the page, below the header and above
    // the footer, apart from each other; each plane keeps the picture's
    // aspect ratio inside its box and leaves the formula and the answers free.
    void boxes_data()
    {
        QTest::addColumn<int>("perPage");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<int>("planeWidth");
        QTest::addColumn<int>("planeHeight");
        QTest::addColumn<int>("percent");
        QTest::newRow("4, square") << 4 << false << 544 << 544 << 100;
        QTest::newRow("6, square") << 6 << false << 544 << 544 << 100;
        QTest::newRow("4, key") << 4 << true << 544 << 544 << 100;
        QTest::newRow("6, key, wide") << 6 << true << 800 << 400 << 100;
        QTest::newRow("6, tall, half") << 6 << false << 300 << 600 << 50;
        QTest::newRow("4, below the smallest size") << 4 << false << 544 << 544 << 5;
    }
    void boxes()
    {
        QFETCH(int, perPage);
        QFETCH(bool, answers);
        QFETCH(int, planeWidth);
        QFETCH(int, planeHeight);
        QFETCH(int, percent);
        const QRectF page(0, 0, Worksheet::PageWidth, Worksheet::PageHeight);
        QList<QRectF> seen;
        for (int slot = 0; slot < perPage; ++slot) {
            const ExerciseBox b = WorksheetBox(slot, perPage, answers, planeWidth, planeHeight, percent);
            QVERIFY(page.contains(b.box));
            QVERIFY(b.box.top() >= WorksheetHeaderBox().bottom());
            QVERIFY(b.box.bottom() <= WorksheetFooterBox().top());
            for (const QRectF &other : seen)
                QVERIFY(!other.intersects(b.box));
            seen << b.box;
            for (const QRectF &part : {b.number, b.formula, b.plane})
                QVERIFY2(Inside(b.box, part), qPrintable(QString::number(slot)));
            QVERIFY(!b.plane.intersects(b.formula));
            QVERIFY(!b.number.intersects(b.formula));
            QCOMPARE(b.answers.isEmpty(), !answers);
            if (answers) {
                QVERIFY(Inside(b.box, b.answers));
                QVERIFY(!b.answers.intersects(b.plane));
                QList<QRectF> placed;
                for (const QRectF &item : AnswerBoxes(b.answers)) {
                    QVERIFY(Inside(b.answers, item));
                    QVERIFY(item.width() >= 30);
                    for (const QRectF &other : placed)
                        QVERIFY(!other.intersects(item));
                    placed << item;
                }
            }
            QVERIFY(qAbs(b.plane.width() / b.plane.height() - double(planeWidth) / planeHeight) < 1e-9);
            // Full size touches the room on one side; a percent scales it.
            const ExerciseBox full = WorksheetBox(slot, perPage, answers, planeWidth, planeHeight, 100);
            const int used = std::max(percent, Worksheet::SmallestPlanePercent);
            QVERIFY(qAbs(b.plane.width() - full.plane.width() * used / 100) < 1e-9);
        }
        // The boxes fill the rows of two.
        QCOMPARE(seen.at(1).top(), seen.at(0).top());
        QVERIFY(seen.at(2).top() > seen.at(0).bottom());
    }

    void order_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("shuffled");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<quint32>("otherSeed");
        QTest::newRow("unit order") << 20 << false << 5u << 6u;
        QTest::newRow("shuffled") << 20 << true << 5u << 6u;
        QTest::newRow("shuffled, largest seed") << 20 << true << quint32(Worksheet::LargestSeed) << 1u;
        QTest::newRow("one exercise") << 1 << true << 5u << 6u;
        QTest::newRow("none") << 0 << true << 5u << 6u;
    }
    void order()
    {
        QFETCH(int, count);
        QFETCH(bool, shuffled);
        QFETCH(quint32, seed);
        QFETCH(quint32, otherSeed);
        const QList<int> order = ExerciseOrder(count, shuffled, seed);
        QCOMPARE(order, ExerciseOrder(count, shuffled, seed));
        QList<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        QList<int> identity;
        for (int i = 0; i < count; ++i)
            identity << i;
        QCOMPARE(sorted, identity);
        // Twenty exercises come out in the same order for two seeds only by
        // a chance of one in 20!.
        QCOMPARE(order == identity, !shuffled || count < 2);
        if (shuffled && count > 2)
            QVERIFY(ExerciseOrder(count, shuffled, otherSeed) != order);
    }

    void pageCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perPage");
        QTest::addColumn<bool>("key");
        QTest::addColumn<int>("pages");
        QTest::newRow("5 by 4") << 5 << 4 << false << 2;
        QTest::newRow("5 by 4, key") << 5 << 4 << true << 4;
        QTest::newRow("5 by 6") << 5 << 6 << false << 1;
        QTest::newRow("5 by 6, key") << 5 << 6 << true << 2;
        QTest::newRow("8 by 4, key") << 8 << 4 << true << 4;
        QTest::newRow("13 by 6, key") << 13 << 6 << true << 6;
        QTest::newRow("1 by 4") << 1 << 4 << false << 1;
    }
    void pageCount()
    {
        QFETCH(int, count);
        QFETCH(int, perPage);
        QFETCH(bool, key);
        WorksheetOptions o;
        o.perPage = perPage;
        o.answerKey = key;
        const QString pdf = written(SampleSheet(count), o, QStringLiteral("pages.pdf"));
        QTEST(PageCount(pdf), "pages");
        const QList<WorksheetPage> pages = PaginateWorksheet(count, perPage, key);
        QTEST(int(pages.size()), "pages");
        // Every exercise once on the exercise pages and once in the key.
        QList<int> posed, answered;
        for (const WorksheetPage &p : pages)
            (p.answers ? answered : posed) << p.exercises;
        QCOMPARE(posed.size(), count);
        QCOMPARE(answered, key ? posed : QList<int>());
    }

    // The header, the exercises as laid out and the answers are text in the
    // PDF, in the order the sheet poses them.
    void texts_data()
    {
        QTest::addColumn<WorksheetOptions>("options");
        WorksheetOptions key;
        QTest::newRow("unit order, key") << key;
        WorksheetOptions mixed;
        mixed.shuffled = true;
        mixed.seed = 4242;
        mixed.perPage = 6;
        QTest::newRow("shuffled, 6 a page, key") << mixed;
        WorksheetOptions bare;
        bare.answerKey = false;
        QTest::newRow("no key") << bare;
    }
    void texts()
    {
        QFETCH(WorksheetOptions, options);
        const WorksheetUnit unit = SampleSheet();
        const QString pdf = written(unit, options, QStringLiteral("texts.pdf"));
        const int count = int(unit.exercises.size());
        const QList<int> order = ExerciseOrder(count, options.shuffled, options.seed);
        for (const WorksheetPage &page : PaginateWorksheet(count, options.perPage, options.answerKey)) {
            const QString text = PageText(pdf, page.number);
            QString expected = Packed(page.answers ? WorksheetAnswerHeading(unit.title) : unit.title) +
                               Packed(JapaneseDateText(When));
            if (!page.answers)
                expected += Packed(WorksheetInstruction()) + Packed(WorksheetNameLine());
            QVERIFY2(text.startsWith(expected), qPrintable(text.left(80)));
            QCOMPARE(text.contains(Packed(WorksheetSeedText(options.seed))), options.shuffled);
            QVERIFY(text.contains(Packed(WorksheetPageText(
                page.number, PaginateWorksheet(count, options.perPage, options.answerKey).size()))));
            // Each box: its number and formula, on the key its answers
            // after the plane's numbers.
            qsizetype at = expected.size();
            for (const int position : page.exercises) {
                const Parabola &rec = unit.exercises[std::size_t(order[position])];
                QStringList pieces{ExerciseNumberText(position + 1) + Drawn(ExerciseText(rec))};
                if (page.answers)
                    for (const AnswerText &a : ExerciseAnswers(rec))
                        pieces << a.label + Drawn(a.text);
                for (const QString &piece : pieces) {
                    const qsizetype found = text.indexOf(piece, at);
                    QVERIFY2(found >= 0, qPrintable(piece + QStringLiteral(" in ") + text.mid(at)));
                    at = found + piece.size();
                }
            }
        }
        QCOMPARE(PageText(pdf, 1).contains(Packed(QStringLiteral("(-1≦x≦2)"))), true);
    }

    // The same seed makes the same sheet; another seed another order.
    void sameSeedSameSheet()
    {
        WorksheetOptions o;
        o.shuffled = true;
        o.seed = 777;
        const QString first = PageText(written(SampleSheet(), o, QStringLiteral("a.pdf")), 1);
        const QString again = PageText(written(SampleSheet(), o, QStringLiteral("b.pdf")), 1);
        QCOMPARE(again, first);
        o.seed = 778;
        QVERIFY(PageText(written(SampleSheet(), o, QStringLiteral("c.pdf")), 1) != first);
    }

    // The planes are vector drawings: no picture in the file; the exercise
    // planes show the grid and no curve, the key's planes the curve.
    void planesAreVectors_data()
    {
        QTest::addColumn<int>("perPage");
        QTest::newRow("4 a page") << 4;
        QTest::newRow("6 a page") << 6;
    }
    void planesAreVectors()
    {
        QFETCH(int, perPage);
        WorksheetOptions o;
        o.perPage = perPage;
        const QString pdf = written(SampleSheet(perPage), o, QStringLiteral("planes.pdf"));
        const QStringList images =
            Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(images.size(), 2); // the two heading lines
        const int w = PlaneSizeX(m_view), h = PlaneSizeY(m_view);
        for (const bool answers : {false, true}) {
            const QImage img = PageImage(pdf, answers ? 2 : 1, file(QStringLiteral("page")));
            QVERIFY(!img.isNull());
            for (int slot = 0; slot < perPage; ++slot) {
                const ExerciseBox b = WorksheetBox(slot, perPage, answers, w, h, o.planePercent);
                const QRect plane = ToPixels(b.plane);
                QVERIFY2(Count(img, plane.adjusted(2, 2, -2, -2), Inked) > plane.width() * 2,
                         "the grid is drawn");
                const int curve = Count(img, plane, Green);
                QVERIFY2(answers ? curve > 10 : curve == 0, qPrintable(QString::number(curve)));
                // Nothing green outside the planes.
                QCOMPARE(Count(img, ToPixels(b.formula), Green) + Count(img, ToPixels(b.answers), Green), 0);
            }
        }
    }

    // A failed write says why and leaves no file: neither the new one nor a
    // temporary, and an old file keeps its bytes.
    void failures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("limit");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("startX"); // the plane setting's text
        const QString start = PlaneSettings().StartX;
        QTest::newRow("empty unit") << QStringLiteral("empty.pdf") << 0 << false
                                    << QStringList{EmptyWorksheetText()} << start;
        QTest::newRow("plane setting not a number")
            << QStringLiteral("setting.pdf") << 3 << false
            << QStringList{QStringLiteral("の保存に失敗しました"), NotIntegerMessage(QStringLiteral("-1x"))}
            << QStringLiteral("-1x");
        QTest::newRow("folder in the way") << QStringLiteral("folder.pdf") << 3 << false
                                           << QStringList{QStringLiteral("の保存に失敗しました"),
                                                          QStringLiteral("同じ名前のフォルダーがあります")}
                                           << start;
        QTest::newRow("missing folder")
            << QStringLiteral("missing/x.pdf") << 3 << false
            << QStringList{QStringLiteral("の保存に失敗しました"), FileErrorText(ENOENT, FileOp::Write)}
            << start;
        QTest::newRow("disk full") << QStringLiteral("old.pdf") << 3 << true
                                   << QStringList{QStringLiteral("の保存に失敗しました"),
                                                  QStringLiteral("ファイルが大きすぎて書き込めません")}
                                   << start;
    }
    void failures()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(bool, limit);
        QFETCH(QStringList, messages);
        QFETCH(QString, startX);
        if (limit)
            QUORVEL_UNDER_FILE_SIZE_LIMIT(16 * 1024);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QByteArray old("an older worksheet");
        if (name == QStringLiteral("folder.pdf"))
            QVERIFY(QDir(dir.path()).mkdir(name));
        if (limit)
            QVERIFY(Write(path, old));
        ViewSettings view = m_view;
        view.MainPlane.StartX = startX;
        const Told<bool> r = WriteWorksheet(path, SampleSheet(count), WorksheetOptions(), view, When);
        QVERIFY(!r.value);
        QStringList texts;
        for (const Message &m : r.messages) {
            texts << m.text;
            QCOMPARE(m.kind, MessageKind::Error);
        }
        if (count > 0)
            messages[0] = path + messages[0];
        QCOMPARE(texts, messages);
        QCOMPARE(Bytes(path), limit ? old : QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), limit ? QStringList{name} : QStringList());
    }

    // The options the dialog gives back are the ones set, and the mixing
    // number can be typed only for a mixed order.
    void dialogOptions_data()
    {
        QTest::addColumn<WorksheetOptions>("options");
        QTest::newRow("defaults") << WorksheetOptions();
        WorksheetOptions all;
        all.shuffled = true;
        all.seed = 31415;
        all.answerKey = false;
        all.perPage = 6;
        all.planePercent = 70;
        all.openAfterwards = true;
        QTest::newRow("every option changed") << all;
    }
    void dialogOptions()
    {
        QFETCH(WorksheetOptions, options);
        WorksheetDialog d;
        d.setOptions(options);
        const WorksheetOptions back = d.options();
        QCOMPARE(back.shuffled, options.shuffled);
        QCOMPARE(back.seed, options.seed);
        QCOMPARE(back.answerKey, options.answerKey);
        QCOMPARE(back.perPage, options.perPage);
        QCOMPARE(back.planePercent, options.planePercent);
        QCOMPARE(back.openAfterwards, options.openAfterwards);
        QCOMPARE(Child<QSpinBox>(&d, "spnSeed")->isEnabled(), options.shuffled);
        d.newSeed();
        QVERIFY(d.options().seed >= 1 && d.options().seed <= std::uint32_t(Worksheet::LargestSeed));
    }

    // The command: the open unit, or one chosen in the unit dialog; the
    // file from the save dialog with ".pdf" added; the viewer when asked.
    void command_data()
    {
        QTest::addColumn<bool>("unitOpen");
        QTest::addColumn<int>("catalogRow"); // -1: the unit dialog is cancelled
        QTest::addColumn<bool>("other");     // "別の単元を選ぶ..." in the options dialog
        QTest::addColumn<bool>("accept");    // the options dialog
        QTest::addColumn<bool>("openAfterwards");
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<QString>("title"); // on the sheet; empty: no file
        QTest::addColumn<QStringList>("messages");
        const QStringList both{QStringLiteral("frmTangenOpen"), QStringLiteral("frmWorksheet")};
        QTest::newRow("open unit") << true << -1 << false << true << false
                                   << QStringList{QStringLiteral("frmWorksheet")}
                                   << QStringLiteral("授業の単元") << QStringList();
        QTest::newRow("open unit, viewer")
            << true << -1 << false << true << true << QStringList{QStringLiteral("frmWorksheet")}
            << QStringLiteral("授業の単元") << QStringList();
        QTest::newRow("options cancelled")
            << true << -1 << false << false << true << QStringList{QStringLiteral("frmWorksheet")}
            << QString() << QStringList();
        QTest::newRow("no unit open: sample 03") << false << 2 << false << true << false << both
                                                 << QStringLiteral("一般形の式とグラフ") << QStringList();
        QTest::newRow("no unit open, dialog cancelled")
            << false << -1 << false << true << false << QStringList{QStringLiteral("frmTangenOpen")}
            << QString() << QStringList();
        QTest::newRow("open unit, another chosen")
            << true << 2 << true << true << false
            << QStringList{QStringLiteral("frmWorksheet"), QStringLiteral("frmTangenOpen")}
            << QStringLiteral("一般形の式とグラフ") << QStringList();
        QTest::newRow("chosen unit empty")
            << false << 4 << false << true << true << both << QString() << QStringList{EmptyWorksheetText()};
    }
    void command()
    {
        QFETCH(bool, unitOpen);
        QFETCH(int, catalogRow);
        QFETCH(bool, other);
        QFETCH(bool, accept);
        QFETCH(bool, openAfterwards);
        QFETCH(QString, title);
        MainFixture f;
        MainWindow *m = f.main();
        const QString data = f.dir.filePath(QStringLiteral("DATA/"));
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("DATA")));
        QVERIFY(WriteSampleUnits(data));
        QVERIFY(Write(data + QStringLiteral("05_empty.prb"), "empty\r\n"));
        f.prompt.clear();
        if (unitOpen) {
            f.add(MainFixture::redParabola(0, 0, 1, 1));
            f.add(MainFixture::redParabola(1, -2, 3, 0));
            m->document().setNames(QStringLiteral("授業の単元"), QString());
        }
        QStringList dialogs;
        QStringList opened;
        QString unitShown; // in the options dialog when it closed
        m->runModal = [&](QDialog *d) {
            dialogs << d->objectName();
            if (auto *catalog = qobject_cast<UnitCatalogDialog *>(d)) {
                if (catalogRow < 0)
                    return 2;
                catalog->prepareToShow();
                Child<QListWidget>(catalog, "lstTitle")->setCurrentRow(catalogRow);
                catalog->okClicked();
                return catalog->result();
            }
            auto *sheet = static_cast<WorksheetDialog *>(d);
            WorksheetOptions o;
            o.openAfterwards = openAfterwards;
            sheet->setOptions(o);
            sheet->openInViewer = [&](const QString &path) { opened << path; };
            if (other)
                Child<QPushButton>(sheet, "btnOtherUnit")->click();
            unitShown = Child<QLabel>(sheet, "lblUnit")->text();
            return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        const QString chosen = f.dir.filePath(QStringLiteral("sheet"));
        f.prompt.fileNames.push_back(chosen);
        QVERIFY(m->action("mnuWorksheet"));
        m->action("mnuWorksheet")->trigger();
        QTEST(dialogs, "dialogs");
        QStringList texts;
        for (const ScriptedPrompt::Shown &s : f.prompt.shown)
            if (s.kind == QStringLiteral("message"))
                texts << s.text;
        QTEST(texts, "messages");
        const QString pdf = chosen + QStringLiteral(".pdf");
        QCOMPARE(QFile::exists(pdf), !title.isEmpty());
        QCOMPARE(QFile::exists(chosen), false);
        QCOMPARE(opened, openAfterwards && !title.isEmpty() ? QStringList{pdf} : QStringList());
        if (!title.isEmpty()) {
            QCOMPARE(unitShown, title);
            QVERIFY(PageText(pdf, 1).startsWith(Packed(title)));
        }
    }

    // The item sits in the file menu's output group, after print and export.
    void menuItem()
    {
        MainFixture f;
        const QMenu *fileMenu = f.main()->menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QVERIFY(fileMenu);
        const QList<QAction *> items = fileMenu->actions();
        QCOMPARE(items.indexOf(f.main()->action("mnuExport")),
                 items.indexOf(f.main()->action("mnuPrint")) + 1);
        const qsizetype at = items.indexOf(f.main()->action("mnuExport"));
        QVERIFY(at >= 0 && at + 1 < items.size());
        QCOMPARE(items.at(at + 1)->objectName(), QStringLiteral("mnuWorksheet"));
        QCOMPARE(items.at(at + 1)->text(), QStringLiteral("ワークシートの作成(&W)..."));
    }
};

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
