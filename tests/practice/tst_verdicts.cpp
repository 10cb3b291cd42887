#include "practice/RightAnswerDialog.h"
#include "practice/RunEndDialog.h"
#include "practice/VerdictIcons.h"
#include "practice/WrongAnswerDialog.h"
#include "support/Children.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
// Runs the dialog modally; `during` runs once it is up and has to end it.
// The watchdog ends a dialog left open with -1, so no test can hang.
int RunModal(QDialog &d, const std::function<void()> &during)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &d, [&d] { d.done(-1); });
    watchdog.start(5000);
    QTimer::singleShot(0, &d, during);
    return d.exec();
}

std::unique_ptr<VerdictDialog> NewDialog(const QString &which)
{
    if (which == QLatin1String("seikai"))
        return std::make_unique<RightAnswerDialog>();
    if (which == QLatin1String("ayamari"))
        return std::make_unique<WrongAnswerDialog>();
    return std::make_unique<RunEndDialog>();
}

// A dialog with its controls, as the practice window opens it.
std::unique_ptr<VerdictDialog> MakeDialog(const QString &which)
{
    auto d = NewDialog(which);
    if (auto *endDialog = qobject_cast<RunEndDialog *>(d.get()))
        endDialog->prepare(RunEndDialog::Outcome::Finished, true, false);
    return d;
}

QPushButton *Button(const QDialog &d, const char *name)
{
    return Child<QPushButton>(&d, QLatin1String(name));
}

// The verdict text of a dialog.
QString Message(const QDialog &d)
{
    return Child<QLineEdit>(&d, QStringLiteral("edtMess"))->text();
}

QString Name(const QWidget *w)
{
    return w ? w->objectName() : QStringLiteral("<none>");
}

// The tab-focusable controls in focus-chain order, starting after the dialog.
QStringList TabOrder(QDialog &d)
{
    QStringList names;
    for (QWidget *w = d.nextInFocusChain(); w && w != &d; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
    return names;
}

QColor Background(const QWidget &w)
{
    return w.palette().color(QPalette::Window);
}

const QStringList kDesignOrder{"btnFukushu", "btnRetry", "btnEnd", "edtMess", "btnShowRecord"};
}  // namespace

Q_DECLARE_METATYPE(RunEndDialog::Outcome)

class TestVerdicts : public QObject {
    Q_OBJECT

private slots:
    void buttonResults_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("correct: next") << "seikai" << "btnNext" << 1;
        QTest::newRow("correct: stop") << "seikai" << "btnCancel" << 2;
        QTest::newRow("wrong: correct it") << "ayamari" << "btnTeisei" << 1;
        QTest::newRow("wrong: show answer") << "ayamari" << "btnGiveup" << 1;
        QTest::newRow("wrong: stop") << "ayamari" << "btnCancel" << 2;
        QTest::newRow("end: retry") << "owari" << "btnRetry" << 1;
        QTest::newRow("end: stop") << "owari" << "btnEnd" << 2;
        QTest::newRow("end: review") << "owari" << "btnFukushu" << 4;
    }
    void buttonResults()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        QFETCH(int, result);
        auto d = MakeDialog(dialog);
        auto *b = d->findChild<QPushButton *>(button);
        QVERIFY(b);
        QCOMPARE(RunModal(*d, [b] { b->click(); }), result);
        QVERIFY(!d->isVisible());
    }

    void closingGivesStop_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("escape");
        for (const char *which : {"seikai", "ayamari", "owari"}) {
            QTest::addRow("%s close box", which) << QString::fromLatin1(which) << false;
            QTest::addRow("%s Escape", which) << QString::fromLatin1(which) << true;
        }
    }
    void closingGivesStop()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, escape);
        auto d = MakeDialog(dialog);
        QDialog *dp = d.get();
        const int r = RunModal(*d, [dp, escape] {
            if (escape)
                QTest::keyClick(dp->focusWidget() ? dp->focusWidget() : dp, Qt::Key_Escape);
            else
                dp->close();
        });
        QCOMPARE(r, 2);
        // The close box is the only way out besides the buttons.
        const Qt::WindowFlags f = d->windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint);
        QVERIFY(f & Qt::WindowSystemMenuHint);
        QVERIFY(!(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
    }

    void controlsFitAndDoNotOverlap_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("controls");
        QTest::newRow("correct") << "seikai" << 5;
        QTest::newRow("wrong") << "ayamari" << 5;
        QTest::newRow("end") << "owari" << 5;
    }
    // Created when the practice window first needs it, a verdict dialog has
    // its controls at once; its first showing presents all of them.
    void firstShowingPresentsEveryControl()
    {
        QFETCH(QString, dialog);
        QFETCH(int, controls);
        auto d = NewDialog(dialog);
        QCOMPARE(d->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), controls);
        QList<QWidget *> visible;
        RunModal(*d, [&] {
            for (QWidget *w : d->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisible())
                    visible << w;
            d->done(2);
        });
        // The end dialog hides its record button only in test mode.
        QCOMPARE(visible.size(), controls);
    }
    void firstShowingPresentsEveryControl_data() { controlsFitAndDoNotOverlap_data(); }

    void controlsFitAndDoNotOverlap()
    {
        QFETCH(QString, dialog);
        QFETCH(int, controls);
        auto d = MakeDialog(dialog);
        const QList<QWidget *> kids = d->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(kids.size(), controls);
        for (int i = 0; i < kids.size(); ++i) {
            QVERIFY2(d->rect().contains(kids[i]->geometry()), qPrintable(Name(kids[i])));
            for (int j = i + 1; j < kids.size(); ++j)
                QVERIFY2(!kids[i]->geometry().intersects(kids[j]->geometry()),
                         qPrintable(Name(kids[i]) + QLatin1Char('/') + Name(kids[j])));
        }
    }

    void correctAnswerFocusesNext()
    {
        RightAnswerDialog d;
        Button(d, "btnCancel")->setFocus();
        QString focused;
        // Enter on a fresh showing goes on to the next exercise.
        QCOMPARE(RunModal(d, [&] {
                     focused = Name(d.focusWidget());
                     QTest::keyClick(d.focusWidget(), Qt::Key_Return);
                 }),
                 1);
        QCOMPARE(focused, QStringLiteral("btnNext"));
        QCOMPARE(Background(d), QColor(255, 255, 192));
    }

    void wrongAnswerStates_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("giveupEnabled");
        QTest::newRow("answer not shown") << false << QStringLiteral("誤りです。訂正してください") << true;
        QTest::newRow("answer shown") << true << QStringLiteral("正解を表示しています") << false;
    }
    void wrongAnswerStates()
    {
        QFETCH(bool, shown);
        QFETCH(QString, message);
        QFETCH(bool, giveupEnabled);
        WrongAnswerDialog d;
        d.answerShown = [shown] { return shown; };
        QString text, focused;
        bool enabled = !giveupEnabled;
        RunModal(d, [&] {
            text = Message(d);
            enabled = Button(d, "btnGiveup")->isEnabled();
            focused = Name(d.focusWidget());
            Button(d, "btnCancel")->click();
        });
        QCOMPARE(text, message);
        QCOMPARE(enabled, giveupEnabled);
        QCOMPARE(focused, QStringLiteral("btnTeisei"));
    }

    // Within one exercise: show the answer, answer wrong again, then a new
    // exercise clears the flag. Every showing reads the flag afresh.
    void wrongAnswerAfterShowingTheAnswer()
    {
        WrongAnswerDialog d;
        bool flag = false;
        d.answerShown = [&flag] { return flag; };
        d.showCorrectGraph = [&flag] { flag = true; };
        d.removeWrongAnswer = [] {};

        QCOMPARE(RunModal(d, [&] { Button(d, "btnGiveup")->click(); }), 1);
        QVERIFY(flag);

        bool enabled = true;
        QString text;
        QCOMPARE(RunModal(d, [&] {
                     enabled = Button(d, "btnGiveup")->isEnabled();
                     text = Message(d);
                     Button(d, "btnTeisei")->setFocus();
                     QTest::keyClick(Button(d, "btnTeisei"), Qt::Key_Space);
                 }),
                 1);
        QVERIFY(!enabled);
        QCOMPARE(text, QStringLiteral("正解を表示しています"));

        flag = false;
        QCOMPARE(RunModal(d, [&] {
                     enabled = Button(d, "btnGiveup")->isEnabled();
                     text = Message(d);
                     d.close();
                 }),
                 2);
        QVERIFY(enabled);
        QCOMPARE(text, QStringLiteral("誤りです。訂正してください"));
    }

    void wrongAnswerCallbacks_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("result");
        QTest::newRow("correct it") << "btnTeisei" << QStringList{"remove (open)"} << 1;
        QTest::newRow("show answer") << "btnGiveup" << QStringList{"show (open)"} << 1;
        QTest::newRow("stop") << "btnCancel" << QStringList{} << 2;
    }
    void wrongAnswerCallbacks()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, calls);
        QFETCH(int, result);
        WrongAnswerDialog d;
        QStringList log;
        // The plane is changed while the dialog is still up, before its result.
        auto note = [&](const char *what) {
            log << QString::fromLatin1(what) + (d.isVisible() && d.result() == 0 ? " (open)" : " (closed)");
        };
        d.answerShown = [] { return false; };
        d.removeWrongAnswer = [&] { note("remove"); };
        d.showCorrectGraph = [&] { note("show"); };
        auto *b = d.findChild<QPushButton *>(button);
        QVERIFY(b);
        QCOMPARE(RunModal(d, [b] { b->click(); }), result);
        QCOMPARE(log, calls);
    }

    void endOutcomes_data()
    {
        QTest::addColumn<RunEndDialog::Outcome>("outcome");
        QTest::addColumn<bool>("review");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("green");
        QTest::newRow("perfect") << RunEndDialog::Outcome::Perfect << false
                                 << QStringLiteral("★★全問正解です★★")
                                 << QStringList{"btnEnd", "btnFukushu", "btnRetry", "edtMess",
                                                "btnShowRecord"}
                                 << "btnEnd" << true;
        QTest::newRow("review with mistakes") << RunEndDialog::Outcome::Review << true
                                              << QStringLiteral("　復習を終わりました") << kDesignOrder
                                              << "btnFukushu" << false;
        QTest::newRow("review all right") << RunEndDialog::Outcome::Review << false
                                          << QStringLiteral("　復習を終わりました") << kDesignOrder << "btnRetry"
                                          << false;
        QTest::newRow("finished") << RunEndDialog::Outcome::Finished << true
                                  << QStringLiteral("　　終了しました") << kDesignOrder << "btnFukushu"
                                  << false;
    }
    void endOutcomes()
    {
        QFETCH(RunEndDialog::Outcome, outcome);
        QFETCH(bool, review);
        QFETCH(QString, message);
        QFETCH(QStringList, order);
        QFETCH(QString, focus);
        QFETCH(bool, green);
        RunEndDialog d;
        const QColor design = Background(d);
        QVERIFY(design != QColor(0, 128, 0));
        d.prepare(outcome, review, false);
        QCOMPARE(Message(d), message);
        QCOMPARE(Button(d, "btnFukushu")->isEnabled(), review);
        QCOMPARE(TabOrder(d), order);
        QCOMPARE(Background(d), green ? QColor(0, 128, 0) : design);
        // Enter goes to the first usable control of the tab order.
        QString focused;
        QCOMPARE(RunModal(d, [&] { focused = Name(d.focusWidget()); Button(d, "btnEnd")->click(); }), 2);
        QCOMPARE(focused, focus);
    }

    void perfectDoesNotCarryOver_data()
    {
        QTest::addColumn<RunEndDialog::Outcome>("later");
        QTest::newRow("review") << RunEndDialog::Outcome::Review;
        QTest::newRow("finished") << RunEndDialog::Outcome::Finished;
    }
    void perfectDoesNotCarryOver()
    {
        QFETCH(RunEndDialog::Outcome, later);
        RunEndDialog d;
        const QColor design = Background(d);
        d.prepare(RunEndDialog::Outcome::Perfect, false, false);
        QCOMPARE(RunModal(d, [&] { Button(d, "btnRetry")->click(); }), 1);
        d.prepare(later, true, false);
        QCOMPARE(Background(d), design);
        QCOMPARE(TabOrder(d), kDesignOrder);
        QString focused;
        QCOMPARE(RunModal(d, [&] { focused = Name(d.focusWidget()); Button(d, "btnFukushu")->click(); }), 4);
        QCOMPARE(focused, QStringLiteral("btnFukushu"));
    }

    void recordButtonOnlyOutsideTestMode()
    {
        RunEndDialog d;
        QList<bool> visible;
        for (bool testMode : {false, true, false}) {
            d.prepare(RunEndDialog::Outcome::Finished, true, testMode);
            RunModal(d, [&] { visible << Button(d, "btnShowRecord")->isVisible(); Button(d, "btnEnd")->click(); });
        }
        QCOMPARE(visible, (QList<bool>{true, false, true}));
    }

    void recordButtonKeepsDialogOpen()
    {
        RunEndDialog d;
        d.prepare(RunEndDialog::Outcome::Finished, true, false);
        int calls = 0;
        d.showRecords = [&] { ++calls; };
        bool openAfter = false;
        int resultAfter = -1;
        const int r = RunModal(d, [&] {
            Button(d, "btnShowRecord")->click();
            openAfter = d.isVisible();
            resultAfter = d.result();
            Button(d, "btnRetry")->click();
        });
        QCOMPARE(calls, 1);
        QVERIFY(openAfter);
        QCOMPARE(resultAfter, 0);
        QCOMPARE(r, 1);
    }

    void icons_data()
    {
        QTest::addColumn<QPixmap>("icon");
        QTest::addColumn<QColor>("typical");
        QTest::newRow("flowers") << FlowersIcon() << QColor(255, 130, 190);
        QTest::newRow("cat") << SmilingCatIcon() << QColor(255, 255, 255);
        QTest::newRow("monster") << MonsterIcon() << QColor(70, 180, 60);
    }
    void icons()
    {
        QFETCH(QPixmap, icon);
        QFETCH(QColor, typical);
        QCOMPARE(icon.size(), QSize(32, 32));
        const QImage img = icon.toImage().convertToFormat(QImage::Format_ARGB32);
        QSet<QRgb> colours;
        int opaque = 0, clear = 0, near = 0, dark = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.alpha() < 16) {
                    ++clear;
                    continue;
                }
                if (c.alpha() < 240)
                    continue;
                ++opaque;
                colours.insert(qRgb(c.red() & 0xE0, c.green() & 0xE0, c.blue() & 0xE0));
                if (qAbs(c.red() - typical.red()) + qAbs(c.green() - typical.green())
                        + qAbs(c.blue() - typical.blue()) < 90)
                    ++near;
                if (qGray(c.rgb()) < 110)
                    ++dark;
            }
        }
        QVERIFY2(colours.size() >= 4, qPrintable(QString::number(colours.size())));
        // A figure on a see-through ground, so the dialog colour shows around it.
        QVERIFY(opaque > 200);
        QVERIFY(clear > 50);
        QVERIFY2(near * 5 >= opaque, qPrintable(QStringLiteral("%1 of %2").arg(near).arg(opaque)));
        // Dark outlines or features keep it readable on the pale yellow.
        QVERIFY2(dark >= 20, qPrintable(QString::number(dark)));
    }
};

QTEST_MAIN(TestVerdicts)
#include "tst_verdicts.moc"
