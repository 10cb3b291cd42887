#include "files/Cp932.h"
#include "files/Records.h"
#include "practice/PracticeWindow.h"
#include "practice/RightAnswerDialog.h"
#include "practice/RunEndDialog.h"
#include "practice/WrongAnswerDialog.h"
#include "support/Children.h"
#include "support/MainFixture.h"
#include "ui/PlaneView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// How the pupil answers one verdict dialog.
using Answerer = std::function<int(QDialog *)>;

class TestPracticeWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<MainFixture> f;
    PracticeWindow *r = nullptr;
    QStringList m_shown;  // dialogs in the order they were shown
    QStringList m_spoken; // what the plane told a screen reader as each was shown
    std::deque<Answerer> m_answers;
    QList<RunEndDialog::Outcome> m_outcomes;

    PlaneView *plane() const { return Child<PlaneView>(r, "imgCood"); }
    QString message() const { return Child<QLabel>(r, "lblMess")->text(); }

    static Parabola Exercise(int vx, int vy, int px, int py)
    {
        Parabola e = MainFixture::redParabola(vx, vy, px, py);
        e.Formula = StandardFormPlain(e);
        return e;
    }
    void setUnit(const QList<Parabola> &exercises, const QString &title = QStringLiteral("練習の単元"))
    {
        PracticeSource st = r->source();
        for (int i = 0; i < exercises.size(); ++i)
            st.parabolas[std::size_t(i)] = exercises[i];
        st.count = int(exercises.size());
        st.unitTitle = title;
        r->setSource(st);
    }
    // The plane as the pupil sees it: the still picture with the marks over it.
    QImage shown() const { return plane()->frame(); }
    void moveTo(int x, int y)
    {
        const QPoint p = plane()->pixelAt(QPoint(x, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(plane()->mapToGlobal(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plane(), &move);
    }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        moveTo(x, y);
        const QPoint p = plane()->pixelAt(QPoint(x, y));
        QTest::mousePress(plane(), b, {}, p);
        QTest::mouseRelease(plane(), b, {}, p);
    }
    void ticks(int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            r->secondElapsed();
    }
    void answer(QPoint vertex, QPoint point)
    {
        press(vertex.x(), vertex.y());
        press(point.x(), point.y());
    }
    // Arrow keys from the lattice cursor to a point, then Enter.
    void keyClickAt(QPoint to)
    {
        const auto steps = [this](int n, Qt::Key up, Qt::Key down) {
            for (; n >= 5 || n <= -5; n += n > 0 ? -5 : 5)
                QTest::keyClick(plane(), n > 0 ? up : down, Qt::ShiftModifier);
            for (; n != 0; n += n > 0 ? -1 : 1)
                QTest::keyClick(plane(), n > 0 ? up : down);
        };
        const QPoint from = r->session().cursor().position();
        steps(to.x() - from.x(), Qt::Key_Right, Qt::Key_Left);
        steps(to.y() - from.y(), Qt::Key_Up, Qt::Key_Down);
        QCOMPARE(Child<QLineEdit>(r, "edtCood")->text(), QString::asprintf(" (%3d,%3d)", to.x(), to.y()));
        QTest::keyClick(plane(), Qt::Key_Return);
    }
    void focusPlane()
    {
        r->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), r);
        plane()->setFocus(Qt::TabFocusReason);
        QVERIFY(plane()->hasFocus());
    }
    void answerByKeys(QPoint vertex, QPoint point)
    {
        focusPlane();
        keyClickAt(vertex);
        keyClickAt(point);
    }
    static Answerer Next()
    {
        return [](QDialog *d) {
            static_cast<RightAnswerDialog *>(d)->nextClicked();
            return d->result();
        };
    }
    static Answerer Correct()
    {
        return [](QDialog *d) {
            auto *w = static_cast<WrongAnswerDialog *>(d);
            w->prepareToShow();
            w->correctClicked();
            return d->result();
        };
    }
    Answerer GiveUp(QString *message)
    {
        return [message](QDialog *d) {
            auto *w = static_cast<WrongAnswerDialog *>(d);
            w->prepareToShow();
            *message = Child<QLineEdit>(w, "edtMess")->text();
            w->giveUpClicked();
            return d->result();
        };
    }
    Answerer End(int result)
    {
        return [this, result](QDialog *d) {
            auto *w = static_cast<RunEndDialog *>(d);
            w->prepareToShow();
            const QString text = Child<QLineEdit>(w, "edtMess")->text();
            m_outcomes << (text == QStringLiteral("★★全問正解です★★")
                               ? RunEndDialog::Outcome::Perfect
                           : text == QStringLiteral("　復習を終わりました")
                               ? RunEndDialog::Outcome::Review
                               : RunEndDialog::Outcome::Finished);
            m_reviewEnabled << Child<QPushButton>(w, "btnFukushu")->isEnabled();
            m_recordButton << !Child<QPushButton>(w, "btnShowRecord")->isHidden();
            return result;
        };
    }
    QList<bool> m_reviewEnabled, m_recordButton;

    QStringList records() const
    {
        QString text;
        if (!ReadCp932Text(RecordFilePath(forms().folder().dir), text))
            return {};
        return SplitTextLines(text);
    }
    QStringList listLines() const
    {
        QStringList lines;
        const QListWidget *list = Child<QListWidget>(r, "lstRecord");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

private slots:
    void init()
    {
        f = std::make_unique<MainFixture>();
        r = forms().practiceWindow();
        m_shown.clear();
        m_spoken.clear();
        m_answers.clear();
        m_outcomes.clear();
        m_reviewEnabled.clear();
        m_recordButton.clear();
        r->runModal = [this](QDialog *d) {
            m_shown << d->objectName();
            m_spoken << plane()->accessibleDescription();
            if (m_answers.empty())
                return 2;
            auto a = m_answers.front();
            m_answers.pop_front();
            return a(d);
        };
        SetRecordClock([] { return QDateTime(QDate(2003, 4, 5), QTime(9, 7)); });
    }
    void cleanup()
    {
        r->hide();
        SetRecordClock({});
        f.reset();
    }

    void aWholeRunWithEveryMark()
    {
        setUnit({Exercise(0, 0, 1, 1), Exercise(0, 0, 2, 1), Exercise(1, 2, 3, -6), Exercise(-2, -3, -1, -2)});
        r->show();
        QCOMPARE(r->windowTitle(), QStringLiteral("練習　練習の単元"));
        QCOMPARE(message(), QStringLiteral("(1)次の関数のグラフをかきなさい"));
        QCOMPARE(listLines(), (QStringList{"(1)", "(2)", "(3)", "(4)"}));
        const QImage empty = shown();

        // 1: right at once; the second click anywhere on the curve.
        m_answers = {Next()};
        ticks(3);
        answer({0, 0}, {-1, 1});
        QCOMPARE(listLines()[0], QStringLiteral("(1)○ 00分03秒"));
        QVERIFY(shown() != empty); // the right answer stays drawn

        // 2: after a hint.
        QCOMPARE(message(), QStringLiteral("(2)次の関数のグラフをかきなさい"));
        const QImage beforeHint = shown();
        r->hintClicked();
        QVERIFY(shown() != beforeHint);
        QCOMPARE(plane()->canvas().image(), beforeHint); // the arrow lies over the still picture
        r->hintClicked();  // pressed again: the arrow goes
        QCOMPARE(shown(), beforeHint);
        r->hintClicked();
        m_answers = {Next()};
        ticks(65);
        answer({0, 0}, {2, 1});
        QCOMPARE(listLines()[1], QStringLiteral("(2)△ 01分05秒"));

        // 3: wrong first, corrected, then right.
        m_answers = {Correct(), Next()};
        const QImage beforeWrong = shown();
        answer({1, 1}, {2, 2});
        QCOMPARE(shown(), beforeWrong); // 訂正する took the wrong curve off
        QCOMPARE(r->session().wrongAttempts(), 1);
        answer({1, 2}, {2, 0});
        QVERIFY(listLines()[2].startsWith(QStringLiteral("(3)×")));

        // 4: wrong, the correct graph shown, wrong again, then right.
        QString first, second;
        m_answers = {GiveUp(&first), GiveUp(&second), Next(), End(2)};
        answer({0, 0}, {1, 1});
        answer({0, 0}, {1, 2});
        QCOMPARE(first, QStringLiteral("誤りです。訂正してください"));
        QCOMPARE(second, QStringLiteral("正解を表示しています"));
        QCOMPARE(r->session().runList()[3].Color, 0); // shown in black from now on
        ticks(129 - 3 - 65);                          // the run's total then is 129 seconds
        answer({-2, -3}, {-3, -2});
        QVERIFY(listLines()[3].startsWith(QStringLiteral("(4)×")));

        QCOMPARE(m_shown, (QStringList{"frmSeikai", "frmSeikai", "frmAyamari", "frmSeikai", "frmAyamari",
                                       "frmAyamari", "frmSeikai", "frmOwari"}));
        QCOMPARE(listLines().mid(4), (QStringList{"------------", "      02分09秒"}));
        QCOMPARE(r->session().marks(), QStringLiteral("○△××"));
        QCOMPARE(m_outcomes, QList<RunEndDialog::Outcome>{RunEndDialog::Outcome::Finished});
        QCOMPARE(m_reviewEnabled, QList<bool>{true});
        QCOMPARE(m_recordButton, QList<bool>{true});
        QCOMPARE(records(), (QStringList{"[練習の単元]", "1=2003年04月05日 09:07 ○△×× 02分09秒"}));
        QVERIFY(!r->isVisible());  // 終了 closed the window
    }

    void reviewRunPosesTheMistakesAndWritesNothing()
    {
        setUnit({Exercise(0, 0, 1, 1), Exercise(1, 1, 2, 2), Exercise(2, 0, 3, 3)});
        r->show();
        m_answers = {Next(), Correct(), Next(), Next(), End(4)};
        answer({0, 0}, {1, 1});
        answer({0, 0}, {1, 1});  // wrong
        answer({1, 1}, {2, 2});
        answer({2, 0}, {3, 3});
        QCOMPARE(records().size(), 2);
        QVERIFY(r->session().review());
        QCOMPARE(r->session().count(), 1);
        QCOMPARE(listLines(), QStringList{"(1)"});
        QCOMPARE(message(), QStringLiteral("(1)次の関数のグラフをかきなさい"));
        m_answers = {Next(), End(2)};
        answer({1, 1}, {0, 2});
        QCOMPARE(m_outcomes.last(), RunEndDialog::Outcome::Review);
        QCOMPARE(m_reviewEnabled.last(), false);
        QCOMPARE(records().size(), 2);  // the review added no line
    }

    void aPerfectRun()
    {
        setUnit({Exercise(0, 0, 1, 1), Exercise(3, 1, 4, 3)});
        r->show();
        m_answers = {Next(), Next(), End(1)};
        answer({0, 0}, {1, 1});
        answer({3, 1}, {2, 3});
        QCOMPARE(m_outcomes, QList<RunEndDialog::Outcome>{RunEndDialog::Outcome::Perfect});
        QCOMPARE(m_reviewEnabled, QList<bool>{false});
        QCOMPARE(records().value(1).section(QLatin1Char(' '), 2, 2), QStringLiteral("○○"));
        // もう一度やる: a fresh normal run.
        QVERIFY(r->isVisible());
        QCOMPARE(r->session().position(), 0);
        QCOMPARE(listLines(), (QStringList{"(1)", "(2)"}));
    }

    void gradingComparesTexts_data()
    {
        QTest::addColumn<bool>("general");
        QTest::addColumn<QPoint>("vertex");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("keys"); // answered with the keyboard only
        QTest::newRow("another point of the curve")
            << false << QPoint(1, -1) << QPoint(3, 1) << true << false;
        QTest::newRow("the point left of the vertex")
            << false << QPoint(1, -1) << QPoint(-1, 1) << true << false;
        QTest::newRow("general form, another curve")
            << true << QPoint(1, -1) << QPoint(2, 0) << false << false;
        QTest::newRow("general form, right curve") << true << QPoint(1, -1) << QPoint(3, 1) << true << false;
        QTest::newRow("vertex height is a line") << false << QPoint(1, -1) << QPoint(4, -1) << false << false;
        QTest::newRow("wrong vertex") << false << QPoint(0, -1) << QPoint(2, 1) << false << false;
        QTest::newRow("keys: another point of the curve")
            << false << QPoint(1, -1) << QPoint(3, 1) << true << true;
        QTest::newRow("keys: five at a time") << false << QPoint(1, -1) << QPoint(-3, 7) << true << true;
        QTest::newRow("keys: wrong vertex") << false << QPoint(0, -1) << QPoint(2, 1) << false << true;
    }
    void gradingComparesTexts()
    {
        QFETCH(bool, general);
        QFETCH(QPoint, vertex);
        QFETCH(QPoint, point);
        QFETCH(bool, right);
        QFETCH(bool, keys);
        if (general)
            f->main()->showFormulaForm(FormulaForm::General);
        setUnit({Exercise(1, -1, 3, 1), Exercise(5, 5, 6, 6)});  // y = 1/2(x-1)^2-1, stored in standard form
        r->show();
        m_answers = {right ? Next() : Correct()};
        if (keys)
            answerByKeys(vertex, point);
        else
            answer(vertex, point);
        QCOMPARE(m_shown, QStringList{right ? QStringLiteral("frmSeikai") : QStringLiteral("frmAyamari")});
        // The statement, the answer and its verdict, for a screen reader.
        const QString spoken = m_spoken.value(0);
        QVERIFY2(spoken.startsWith(QStringLiteral("(1)次の関数のグラフをかきなさい　y = ")),
                 qPrintable(spoken));
        QVERIFY2(spoken.contains(right ? QStringLiteral("　正解。") : QStringLiteral("　誤答。")),
                 qPrintable(spoken));
    }

    void diagnosisLineUnderTheVerdict_data()
    {
        QTest::addColumn<bool>("hints");
        QTest::newRow("くわしいヒント on") << true;
        QTest::newRow("くわしいヒント off") << false;
    }
    void diagnosisLineUnderTheVerdict()
    {
        QFETCH(bool, hints);
        QAction *hintsAction = f->main()->action("mnuDetailHint");
        QVERIFY(hintsAction->isCheckable());
        QVERIFY(hintsAction->isChecked()); // on by default
        hintsAction->setChecked(hints);
        setUnit({Exercise(2, -3, 3, -2), Exercise(5, 5, 6, 6)});
        r->show();
        const QLabel *line = Child<QLabel>(r, "lblDiagnosis");
        QString underDialog;
        bool below = false;
        m_answers = {[&](QDialog *d) {
                         underDialog = line->text();
                         below = line->mapToGlobal(QPoint(0, 0)).y() > d->geometry().bottom();
                         return Correct()(d);
                     },
                     Next()};
        answer({-2, -3}, {-1, -2});
        QVERIFY(below); // under the dialog, which keeps its own message
        QCOMPARE(underDialog, hints ? QStringLiteral("頂点のｘ座標の符号が逆です") : QString());
        QCOMPARE(line->text(), underDialog); // stays while the pupil tries again
        answer({2, -3}, {3, -2});
        QCOMPARE(line->text(), QString()); // a right answer clears it
        QCOMPARE(m_shown, (QStringList{"frmAyamari", "frmSeikai"}));
        // The switch is stored with the other settings and read at the next start.
        const SettingsStore store(f->dir.filePath(QStringLiteral("store.ini")));
        QCOMPARE(ReadDetailedHints(store), hints);
        r->hide();
        DestroyForms();
        CreateForms(QSize(1024, 768), f->dir.path(), store);
        QCOMPARE(forms().mainWindow->action("mnuDetailHint")->isChecked(), hints);
        r = forms().practiceWindow();
    }

    void cancelAndRightClickDropTheVertex()
    {
        setUnit({Exercise(0, 0, 1, 1)});
        r->show();
        const QImage empty = shown();
        press(2, 2);
        QCOMPARE(r->session().stage(), PracticeSession::Stage::SecondPoint);
        QVERIFY(shown() != empty); // the vertex marker
        moveTo(3, 4);              // takes the marker off
        r->correctClicked();
        QCOMPARE(r->session().stage(), PracticeSession::Stage::Vertex);
        QCOMPARE(shown(), empty); // 訂正 leaves no marker behind
        press(2, 2);
        moveTo(3, 4);
        QVERIFY(r->session().rubberCurve());
        QVERIFY(shown() != empty);
        QCOMPARE(plane()->canvas().image(), empty); // the rubber curve lies over the still picture
        press(3, 4, Qt::RightButton);
        QCOMPARE(r->session().stage(), PracticeSession::Stage::Vertex);
        QVERIFY(!r->session().rubberCurve());
        QCOMPARE(shown(), empty); // marker and rubber curve gone
        QVERIFY(m_shown.isEmpty());
        // Esc on the plane drops a placed vertex; with none it closes the window.
        focusPlane();
        QTest::keyClick(plane(), Qt::Key_Enter);
        QCOMPARE(r->session().stage(), PracticeSession::Stage::SecondPoint);
        QTest::keyClick(plane(), Qt::Key_Escape);
        QCOMPARE(r->session().stage(), PracticeSession::Stage::Vertex);
        QVERIFY(r->isVisible());
        QTest::keyClick(plane(), Qt::Key_Escape);
        QVERIFY(!r->isVisible());
    }

    void theShownGraphLiesCleanlyUnderTheRightAnswer()
    {
        setUnit({Exercise(0, 0, 1, 1), Exercise(3, 3, 4, 4)});
        r->show();
        const QImage empty = shown();
        QString message;
        m_answers = {GiveUp(&message), Next()};
        answer({0, 0}, {1, 2});
        answer({0, 0}, {-1, 1});
        QCOMPARE(m_shown, (QStringList{"frmAyamari", "frmSeikai"}));
        // Every pixel that changed shows the answers' own colour or the
        // shown graph's black, none a mix of the two.
        const QImage now = shown();
        int answerPixels = 0, blackPixels = 0;
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                if (now.pixel(x, y) == empty.pixel(x, y))
                    continue;
                const Color c = FromQColor(QColor(now.pixel(x, y)));
                answerPixels += c == Color(0xFF0000);
                blackPixels += c == Colors::Black;
                QVERIFY2(c == Color(0xFF0000) || c == Colors::Black, qPrintable(QString::number(c, 16)));
            }
        }
        QVERIFY(answerPixels > 0);
        QVERIFY(blackPixels > 0);
    }

    void stopInTheCorrectDialogEndsAfterThePress()
    {
        setUnit({Exercise(0, 0, 1, 1), Exercise(1, 1, 2, 2)});
        r->show();
        m_answers = {[](QDialog *d) {
            static_cast<RightAnswerDialog *>(d)->cancelClicked();
            return d->result();
        }};
        answer({0, 0}, {1, 1});
        QVERIFY(!r->isVisible());
        QCOMPARE(r->session().position(), 1); // the handling finished before the close
        QVERIFY(records().isEmpty());
    }

    void emptyUnitStartsNoRun()
    {
        setUnit({});
        r->show();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("練習する放物線がありません")});
        QTRY_VERIFY(!r->isVisible());
    }

    void eachPlaneKeepsItsOwnGeometry()
    {
        forms().settings().PracticePlane.ScaleX = forms().settings().PracticePlane.ScaleY = 8;
        setUnit({Exercise(0, 0, 1, 1)});
        const PlaneView *main = Child<PlaneView>(f->main(), "imgCood");
        const PlaneGeometry before = main->planeGeometry();
        r->show();
        QCOMPARE(plane()->planeGeometry().ScaleX, 8);
        QCOMPARE(main->planeGeometry(), before);
        r->endClicked();
        QCOMPARE(main->planeGeometry().ScaleX, 16);
    }

    void testModeRefusalsAndNoRecord()
    {
        MainWindow *m = f->main();
        m->runModal = [](QDialog *) { return 2; };
        m->startTest();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("テストするデータがありません")});
        for (int i = 0; i < 10; ++i)
            f->add(MainFixture::redParabola(i, 0, i + 1, 1));
        f->add(MainFixture::redParabola(0, 0, 1, 1, 1, -1, 1));
        f->prompt.clear();
        m->startTest();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("変域があるものはテストできません")});
        QVERIFY(!r->source().testMode);

        f->select({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        m->deleteSelected();  // only the first, a whole curve, stays
        bool shown = false;
        m->runModal = [&](QDialog *d) {
            shown = d == r;
            return 2;
        };
        m->startTest();
        QVERIFY(shown);
        QVERIFY(r->source().testMode);
        QCOMPARE(r->source().count, 1);

        PracticeSource titled = r->source();
        titled.unitTitle = QStringLiteral("テスト");
        r->setSource(titled);
        r->show();
        m_answers = {Next(), End(2)};
        answer({0, 0}, {1, 1});
        QCOMPARE(m_recordButton, QList<bool>{false});
        QVERIFY(records().isEmpty());
    }

    void timerCountsSeconds()
    {
        setUnit({Exercise(0, 0, 1, 1)});
        r->show();
        QVERIFY(r->secondTimer.isActive());
        QCOMPARE(r->secondTimer.interval(), 1000);
        r->secondElapsed();
        r->secondElapsed();
        QCOMPARE(r->session().seconds(), 2);
    }
};

QTEST_MAIN(TestPracticeWindow)
#include "tst_practicewindow.moc"
