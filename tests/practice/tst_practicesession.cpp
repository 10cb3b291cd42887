#include "practice/PracticeSession.h"
#include "support/Records.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
using Session = PracticeSession;

// A red exercise stored with its standard-form text, as a unit file holds it.
Parabola Exercise(int vx, int vy, int px, int py)
{
    Parabola e = MakeParabola(vx, vy, px, py);
    e.Color = 0xFF0000;
    e.Formula = StandardFormPlain(e);
    return e;
}

const QList<Parabola> kThree{Exercise(0, 0, 1, 1), Exercise(1, 2, 3, -6), Exercise(-2, -3, -1, -2)};

void Load(Session &s, const QList<Parabola> &exercises, bool testMode = false)
{
    ParabolaList list{};
    for (qsizetype i = 0; i < exercises.size(); ++i)
        list[std::size_t(i)] = exercises[i];
    s.setSource(list, int(exercises.size()), QStringLiteral("単元"), testMode);
}

// Plays the pupil, one letter per step, on the current exercise:
//  v vertex click on its vertex    a second click on its passing point
//  x second click at the vertex's height (a horizontal line: wrong)
//  m mouse to another lattice point   l mouse off the plane   c 訂正
//  R right click away from the vertex  h ヒント   t one second
//  n 次の問題  s 中止 (right)   C 訂正する  S 正解を表示する  X 中止 (wrong)
//  r もう一度やる  f 間違った所を復習  e 終了
void Play(Session &s, const QString &script)
{
    for (const QChar step : script) {
        const Parabola &e = s.runList()[std::size_t(s.position())];
        const QPoint vertex(e.VertexX, e.VertexY);
        const QPoint away = vertex + QPoint(2, 3);
        switch (step.unicode()) {
        case 'v':
            s.click(vertex);
            break;
        case 'a':
            s.click(QPoint(e.PointX, e.PointY));
            break;
        case 'x':
            s.click(vertex + QPoint(1, 0));
            break;
        case 'm':
            s.move(away);
            break;
        case 'l':
            s.leftPlane();
            break;
        case 'c':
            s.cancelVertex();
            break;
        case 'R':
            s.rightClick(away);
            break;
        case 'h':
            s.hint();
            break;
        case 't':
            s.tick();
            break;
        case 'n':
            s.rightVerdict(Session::RightChoice::Next);
            break;
        case 's':
            s.rightVerdict(Session::RightChoice::Stop);
            break;
        case 'C':
            s.wrongVerdict(Session::WrongChoice::Correct);
            break;
        case 'S':
            s.wrongVerdict(Session::WrongChoice::ShowAnswer);
            break;
        case 'X':
            s.wrongVerdict(Session::WrongChoice::Stop);
            break;
        case 'r':
            s.runEndVerdict(Session::RunEndChoice::Repeat);
            break;
        case 'f':
            s.runEndVerdict(Session::RunEndChoice::Review);
            break;
        case 'e':
            s.runEndVerdict(Session::RunEndChoice::Stop);
            break;
        case ' ':
            break;
        default:
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

// A still curve as "(vertex)(point) colour width".
QString Describe(const Parabola &p)
{
    return QStringLiteral("(%1,%2)(%3,%4) %5 w%6")
        .arg(p.VertexX)
        .arg(p.VertexY)
        .arg(p.PointX)
        .arg(p.PointY)
        .arg(p.Color, 6, 16, QLatin1Char('0'))
        .arg(p.LineWidth);
}

QStringList StillCurves(const Session &s)
{
    QStringList out;
    for (const Parabola &p : s.stillCurves())
        out << Describe(p);
    return out;
}

QList<int> SourcesOfRun(const Session &s)
{
    QList<int> out;
    for (int k = 0; k < s.count(); ++k)
        out << s.sourceIndex(k);
    return out;
}
} // namespace

class TestPracticeSession : public QObject {
    Q_OBJECT
private slots:
    void grading_data()
    {
        QTest::addColumn<bool>("general");
        QTest::addColumn<QPoint>("vertex");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("right");
        // y = 1/2(x-1)^2-1, stored in standard form.
        QTest::newRow("the stored passing point") << false << QPoint(1, -1) << QPoint(3, 1) << true;
        QTest::newRow("the point left of the vertex") << false << QPoint(1, -1) << QPoint(-1, 1) << true;
        QTest::newRow("a far lattice point of the curve") << false << QPoint(1, -1) << QPoint(5, 7) << true;
        QTest::newRow("vertex height is a horizontal line")
            << false << QPoint(1, -1) << QPoint(4, -1) << false;
        QTest::newRow("a steeper curve") << false << QPoint(1, -1) << QPoint(2, 0) << false;
        QTest::newRow("wrong vertex, parallel curve") << false << QPoint(0, -1) << QPoint(2, 1) << false;
        QTest::newRow("general form, right curve") << true << QPoint(1, -1) << QPoint(3, 1) << true;
        QTest::newRow("general form, another curve") << true << QPoint(1, -1) << QPoint(2, 0) << false;
    }
    void grading()
    {
        QFETCH(bool, general);
        QFETCH(QPoint, vertex);
        QFETCH(QPoint, point);
        QFETCH(bool, right);
        Session s;
        Load(s, {Exercise(1, -1, 3, 1), Exercise(5, 5, 6, 6)});
        const FormulaForm form = general ? FormulaForm::General : FormulaForm::Standard;
        s.setFormulaForm([form] { return form; });
        QSignalSpy rights(&s, &Session::judgedRight), wrongs(&s, &Session::judgedWrong);
        s.start(false);
        s.click(vertex);
        QCOMPARE(s.stage(), Session::Stage::SecondPoint);
        s.click(point);
        QCOMPARE(s.stage(), right ? Session::Stage::RightVerdict : Session::Stage::WrongVerdict);
        QCOMPARE(rights.size(), right ? 1 : 0);
        QCOMPARE(wrongs.size(), right ? 0 : 1);
        // The answer's text is in the form the main window shows.
        const QString text = (right ? rights : wrongs).first().first().toString();
        QCOMPARE(text, StandardFormText(MakeParabola(vertex.x(), vertex.y(), point.x(), point.y()), form));
        QCOMPARE(s.mistake(0), !right);
        // Clicks while a verdict is awaited are no answers.
        s.click(vertex);
        s.click(point);
        QCOMPARE(rights.size() + wrongs.size(), 1);
    }

    void diagnosis_data()
    {
        QTest::addColumn<QPoint>("exerciseVertex");
        QTest::addColumn<QPoint>("exercisePoint");
        QTest::addColumn<QList<int>>("exerciseDomain"); // mode, low, high, lower, upper; empty: whole
        QTest::addColumn<QPoint>("vertex");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QList<int>>("answerDomain"); // empty: the exercise's
        QTest::addColumn<bool>("hints");
        QTest::addColumn<QString>("line");
        const QPoint up(2, -3), upPoint(4, -1);    // y = 1/2(x-2)^2-3
        const QPoint down(-1, 4), downPoint(0, 2); // y = -2(x+1)^2+4
        const QList<int> whole;
        const QList<int> segment{1, 0, 4, 1, 1};
        const QString xSign = QStringLiteral("頂点のｘ座標の符号が逆です");
        const QString width = QStringLiteral("開き具合が違います");
        const QString inverse = QStringLiteral("aとその逆数をまちがえています");
        QTest::newRow("right answer") << up << upPoint << whole << up << upPoint << whole << true << "";
        QTest::newRow("right answer through another point")
            << up << upPoint << whole << up << QPoint(0, -1) << whole << true << "";
        QTest::newRow("x with the wrong sign")
            << up << upPoint << whole << QPoint(-2, -3) << QPoint(0, -1) << whole << true << xSign;
        QTest::newRow("x wrong") << up << upPoint << whole << QPoint(1, -3) << QPoint(3, -1) << whole << true
                                 << "頂点のｘ座標が違います";
        QTest::newRow("y with the wrong sign") << up << upPoint << whole << QPoint(2, 3) << QPoint(4, 5)
                                               << whole << true << "頂点のｙ座標の符号が逆です";
        QTest::newRow("y wrong") << up << upPoint << whole << QPoint(2, -2) << QPoint(4, 0) << whole << true
                                 << "頂点のｙ座標が違います";
        QTest::newRow("x is told before y")
            << up << upPoint << whole << QPoint(-2, 3) << QPoint(0, 5) << whole << true << xSign;
        QTest::newRow("y is told before the opening")
            << up << upPoint << whole << QPoint(2, -2) << QPoint(4, -4) << whole << true
            << "頂点のｙ座標が違います";
        QTest::newRow("opens down instead of up")
            << up << upPoint << whole << up << QPoint(4, -5) << whole << true << "上に開くグラフです";
        QTest::newRow("a line at the vertex's height")
            << up << upPoint << whole << up << QPoint(4, -3) << whole << true << "上に開くグラフです";
        QTest::newRow("opens up instead of down")
            << down << downPoint << whole << down << QPoint(0, 6) << whole << true << "下に開くグラフです";
        QTest::newRow("the opening is told before the width")
            << down << downPoint << whole << down << QPoint(0, 5) << whole << true << "下に開くグラフです";
        QTest::newRow("2 for 1/2") << up << upPoint << whole << up << QPoint(3, -1) << whole << true
                                   << inverse;
        QTest::newRow("-1/2 for -2") << down << downPoint << whole << down << QPoint(1, 2) << whole << true
                                     << inverse;
        QTest::newRow("another width")
            << up << upPoint << whole << up << QPoint(3, 0) << whole << true << width;
        QTest::newRow("-1/4 for -2") << down << downPoint << whole << down << QPoint(1, 3) << whole << true
                                     << width;
        QTest::newRow("hints off") << up << upPoint << whole << QPoint(-2, -3) << QPoint(0, -1) << whole
                                   << false << xSign;
        QTest::newRow("hints off, right answer")
            << up << upPoint << whole << up << upPoint << whole << false << "";
        QTest::newRow("domain exercise, right answer")
            << up << upPoint << segment << up << upPoint << whole << true << "";
        QTest::newRow("domain exercise, width")
            << up << upPoint << segment << up << QPoint(3, 0) << whole << true << width;
        QTest::newRow("another domain end") << up << upPoint << segment << up << upPoint
                                            << QList<int>{1, -1, 4, 1, 1} << true << "変域の端が違います";
        QTest::newRow("an open end for a closed one")
            << up << upPoint << segment << up << upPoint << QList<int>{1, 0, 4, 1, 0} << true
            << "変域の端が違います";
        QTest::newRow("a half line for the segment")
            << up << upPoint << segment << up << upPoint << QList<int>{2, 0, 99, 1, 1} << true
            << "変域の端が違います";
        QTest::newRow("the width is told before the domain")
            << up << upPoint << segment << up << QPoint(3, 0) << QList<int>{1, -1, 4, 1, 1} << true << width;
    }
    void diagnosis()
    {
        QFETCH(QPoint, exerciseVertex);
        QFETCH(QPoint, exercisePoint);
        QFETCH(QList<int>, exerciseDomain);
        QFETCH(QPoint, vertex);
        QFETCH(QPoint, point);
        QFETCH(QList<int>, answerDomain);
        QFETCH(bool, hints);
        QFETCH(QString, line);
        const auto withDomain = [](Parabola p, const QList<int> &d) {
            if (d.isEmpty())
                return p;
            p.LineMode = d[0];
            p.DomainLow = d[1];
            p.DomainHigh = d[2];
            p.LowerIncluded = d[3];
            p.UpperIncluded = d[4];
            return p;
        };
        const Parabola e =
            withDomain(Exercise(exerciseVertex.x(), exerciseVertex.y(), exercisePoint.x(), exercisePoint.y()),
                       exerciseDomain);
        Parabola a = withDomain(e, answerDomain);
        a.VertexX = vertex.x();
        a.VertexY = vertex.y();
        a.PointX = point.x();
        a.PointY = point.y();
        QCOMPARE(Session::Diagnosis(a, e), line);
        // A session answer always takes the exercise's domain.
        if (!answerDomain.isEmpty())
            return;
        Session s;
        Load(s, {e, Exercise(5, 5, 6, 6)});
        QVERIFY(s.detailedHints());
        s.setDetailedHints(hints);
        QSignalSpy wrongs(&s, &Session::judgedWrong);
        s.start(false);
        s.click(vertex);
        s.click(point);
        QCOMPARE(wrongs.size(), line.isEmpty() ? 0 : 1);
        QCOMPARE(s.diagnosis(), hints ? line : QString());
        if (line.isEmpty())
            return;
        // The line lasts until the next verdict, which is right here.
        Play(s, "C");
        QCOMPARE(s.diagnosis(), hints ? line : QString());
        Play(s, "va");
        QCOMPARE(s.stage(), Session::Stage::RightVerdict);
        QCOMPARE(s.diagnosis(), QString());
    }

    void marks_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("wrongAttempts");
        QTest::newRow("right at once") << "vman"
                                       << "○" << 0;
        QTest::newRow("after the hint") << "hvman"
                                        << "△" << 0;
        QTest::newRow("hint pressed twice") << "hhvman"
                                            << "△" << 0;
        QTest::newRow("hint in the second stage") << "vhman"
                                                  << "△" << 0;
        QTest::newRow("after a wrong attempt") << "vmxC vman"
                                               << "×" << 1;
        QTest::newRow("hint, wrong, right") << "hvmxC vman"
                                            << "×" << 1;
        QTest::newRow("after 正解を表示する") << "vxS vman"
                                              << "×" << 1;
        QTest::newRow("shown, then wrong again") << "vxS vxC vman"
                                                 << "×" << 2;
        QTest::newRow("訂正 is no attempt") << "vc vman"
                                            << "○" << 0;
    }
    void marks()
    {
        QFETCH(QString, script);
        QFETCH(QString, mark);
        QFETCH(int, wrongAttempts);
        Session s;
        Load(s, {Exercise(1, 2, 3, -6), Exercise(0, 0, 1, 1)});
        QSignalSpy rights(&s, &Session::judgedRight);
        s.start(false);
        Play(s, script.chopped(1)); // up to the right answer's dialog
        QCOMPARE(s.wrongAttempts(), wrongAttempts);
        Play(s, QStringLiteral("n"));
        QCOMPARE(rights.size(), 1);
        QCOMPARE(rights.first().at(1).toString(), mark);
        QCOMPARE(s.marks(), mark);
        // The first try alone clears the entry's mistake flag.
        QCOMPARE(s.mistake(0), wrongAttempts > 0);
        QCOMPARE(s.firstTry(), wrongAttempts > 0 ? 0 : 1);
        QVERIFY(!s.hintUsed());
        QCOMPARE(s.position(), 1);
        QCOMPARE(s.wrongAttempts(), 0);
    }

    void answerShownLastsToTheNextRightVerdict()
    {
        Session s;
        Load(s, kThree);
        s.start(false);
        Play(s, "vxS");
        QVERIFY(s.answerShown());
        QCOMPARE(s.runList()[0].Color, 0); // black for the rest of the run
        QCOMPARE(s.runList()[0].LineWidth, 1);
        QCOMPARE(s.source()[0].Color, 0xFF0000);
        Play(s, "vxC");
        QVERIFY(s.answerShown());
        Play(s, "va");
        QVERIFY(s.answerShown());
        Play(s, "n");
        QVERIFY(!s.answerShown());
        Play(s, "vxS");
        s.start(false);
        QVERIFY(!s.answerShown());
        QCOMPARE(s.runList()[1].Color, 0xFF0000); // a new run copies the source again
    }

    void reviewRuns_data()
    {
        QTest::addColumn<QString>("normalRun");
        QTest::addColumn<QList<int>>("posed");
        QTest::addColumn<QString>("reviewRun");
        QTest::addColumn<QList<int>>("posedAgain");
        QTest::newRow("the middle one") << "van vxCvan van" << QList<int>{1} << "van" << QList<int>{};
        QTest::newRow("first and last")
            << "vxSvan van vxCvan" << QList<int>{0, 2} << "van van" << QList<int>{};
        QTest::newRow("wrong again in review")
            << "vxCvan vxCvan van" << QList<int>{0, 1} << "van vxCvan" << QList<int>{1};
        QTest::newRow("a hint is no mistake") << "hvan vxCvan van" << QList<int>{1} << "hvan" << QList<int>{};
    }
    void reviewRuns()
    {
        QFETCH(QString, normalRun);
        QFETCH(QList<int>, posed);
        QFETCH(QString, reviewRun);
        QFETCH(QList<int>, posedAgain);
        Session s;
        Load(s, kThree);
        s.start(false);
        Play(s, normalRun);
        QCOMPARE(s.stage(), Session::Stage::RunEnd);
        QSignalSpy starts(&s, &Session::runStarted), exercises(&s, &Session::exerciseChanged),
            finishes(&s, &Session::runFinished);
        Play(s, "f");
        QVERIFY(s.review());
        QCOMPARE(SourcesOfRun(s), posed);
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts.first().first().toInt(), int(posed.size()));
        Play(s, reviewRun);
        QCOMPARE(s.stage(), Session::Stage::RunEnd);
        // Numbered from 1, each with its source entry's formula.
        QCOMPARE(exercises.size(), posed.size());
        for (qsizetype k = 0; k < posed.size(); ++k) {
            QCOMPARE(exercises[k][0].toInt(), int(k + 1));
            QCOMPARE(exercises[k][1].toString(), kThree[posed[k]].Formula);
        }
        QCOMPARE(finishes.size(), 1);
        QCOMPARE(finishes.first().at(2).toBool(), false); // a review leaves no record line
        QCOMPARE(s.outcome(), Session::Outcome::Review);
        QCOMPARE(s.reviewEnabled(), !posedAgain.isEmpty());
        Play(s, "f");
        QCOMPARE(SourcesOfRun(s), posedAgain);
        // A normal run after a review: every exercise again, and recorded.
        s.start(false);
        QVERIFY(!s.review());
        QCOMPARE(s.count(), 3);
        QVERIFY(s.recordDue());
    }

    void endOfRun_data()
    {
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<QString>("run");
        QTest::addColumn<Session::Outcome>("outcome");
        QTest::addColumn<bool>("reviewEnabled");
        QTest::addColumn<bool>("recordDue");
        QTest::addColumn<QString>("marks");
        QTest::newRow("perfect") << false << "van van van" << Session::Outcome::Perfect << false << true
                                 << "○○○";
        QTest::newRow("perfect with a hint")
            << false << "van hvan van" << Session::Outcome::Perfect << false << true << "○△○";
        QTest::newRow("one mistake") << false << "van vxCvan van" << Session::Outcome::Finished << true
                                     << true << "○×○";
        QTest::newRow("test mode, perfect")
            << true << "van van van" << Session::Outcome::Perfect << false << false << "○○○";
        QTest::newRow("test mode, one mistake")
            << true << "vxSvan van van" << Session::Outcome::Finished << true << false << "×○○";
        QTest::newRow("stop on the last right answer")
            << false << "van van vas" << Session::Outcome::Perfect << false << true << "○○○";
    }
    void endOfRun()
    {
        QFETCH(bool, testMode);
        QFETCH(QString, run);
        QFETCH(Session::Outcome, outcome);
        QFETCH(bool, reviewEnabled);
        QFETCH(bool, recordDue);
        QFETCH(QString, marks);
        Session s;
        Load(s, kThree, testMode);
        QSignalSpy finishes(&s, &Session::runFinished);
        s.start(false);
        Play(s, run);
        QCOMPARE(s.stage(), Session::Stage::RunEnd);
        QCOMPARE(finishes.size(), 1);
        QCOMPARE(finishes.first().at(0).toString(), marks);
        QCOMPARE(finishes.first().at(2).toBool(), recordDue);
        QCOMPARE(s.recordDue(), recordDue);
        QCOMPARE(s.outcome(), outcome);
        QCOMPARE(s.reviewEnabled(), reviewEnabled);
    }

    void timing()
    {
        Session s;
        Load(s, kThree);
        QSignalSpy rights(&s, &Session::judgedRight), finishes(&s, &Session::runFinished);
        s.start(false);
        Play(s, QString("t").repeated(3) + "va");
        // Seconds under the dialog count for the next exercise.
        Play(s, QString("t").repeated(5) + "n");
        Play(s, QString("t").repeated(60) + "vx" + "tt" + "C" + "va" + "n");
        Play(s, QString("t").repeated(59) + "va" + "t" + "n");
        QCOMPARE(rights.size(), 3);
        QCOMPARE(rights[0][2].toInt(), 3);
        QCOMPARE(rights[1][2].toInt(), 67);
        QCOMPARE(rights[2][2].toInt(), 59);
        QCOMPARE(finishes.first().at(1).toInt(), 129);
        QCOMPARE(s.totalSeconds(), 129);
        QCOMPARE(s.seconds(), 1);
        s.start(false);
        QCOMPARE(s.seconds(), 0);
        QCOMPARE(s.totalSeconds(), 0);
    }

    void plane_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<Session::Stage>("stage");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<bool>("rubber");
        QTest::addColumn<QStringList>("still");
        QTest::addColumn<int>("arrows");
        using St = Session::Stage;
        const QString wrong = QStringLiteral("(0,0)(1,0) ff0000 w1");
        const QString right = QStringLiteral("(0,0)(1,1) ff0000 w1");
        const QString shown = QStringLiteral("(0,0)(1,1) 000000 w2");
        QTest::newRow("vertex click") << "v" << St::SecondPoint << true << false << QStringList{} << 0;
        QTest::newRow("leaving the plane keeps an untouched marker")
            << "vl" << St::SecondPoint << true << false << QStringList{} << 0;
        QTest::newRow("mouse moved on") << "vm" << St::SecondPoint << false << true << QStringList{} << 0;
        QTest::newRow("訂正 at once") << "vc" << St::Vertex << false << false << QStringList{} << 0;
        QTest::newRow("訂正 after a move brings no marker back")
            << "vmc" << St::Vertex << false << false << QStringList{} << 0;
        QTest::newRow("訂正 then a move") << "vcm" << St::Vertex << false << false << QStringList{} << 0;
        QTest::newRow("right click over the rubber curve")
            << "vmR" << St::Vertex << false << false << QStringList{} << 0;
        QTest::newRow("right click without a rubber curve answers")
            << "vlR" << St::WrongVerdict << true << false << QStringList{"(0,0)(2,3) ff0000 w1"} << 0;
        QTest::newRow("mouse off the plane")
            << "vml" << St::SecondPoint << false << false << QStringList{} << 0;
        QTest::newRow("mouse back on the plane")
            << "vmlm" << St::SecondPoint << false << true << QStringList{} << 0;
        QTest::newRow("right answer")
            << "vma" << St::RightVerdict << false << false << QStringList{right} << 0;
        QTest::newRow("wrong answer stays under the dialog")
            << "vmx" << St::WrongVerdict << false << false << QStringList{wrong} << 0;
        QTest::newRow("訂正する removes it") << "vmxC" << St::Vertex << false << false << QStringList{} << 0;
        QTest::newRow("正解を表示する keeps it and adds the graph")
            << "vmxS" << St::Vertex << false << false << QStringList{wrong, shown} << 0;
        QTest::newRow("the right answer lies over the shown graph")
            << "vmxS vma" << St::RightVerdict << false << false << QStringList{wrong, shown, right} << 0;
        QTest::newRow("stop in the wrong-answer dialog")
            << "vmxX" << St::Vertex << false << false << QStringList{wrong} << 0;
        QTest::newRow("hint") << "h" << St::Vertex << false << false << QStringList{} << 1;
        QTest::newRow("hint again at the same point")
            << "hh" << St::Vertex << false << false << QStringList{} << 0;
        QTest::newRow("hints at vertex and passing point")
            << "hvh" << St::SecondPoint << true << false << QStringList{} << 2;
        QTest::newRow("arrows and answers stay for the next exercise")
            << "hvman" << St::Vertex << false << false << QStringList{right} << 1;
        QTest::newRow("a new run clears the plane")
            << "hvman van van r" << St::Vertex << false << false << QStringList{} << 0;
    }
    void plane()
    {
        QFETCH(QString, script);
        QFETCH(Session::Stage, stage);
        QFETCH(bool, marker);
        QFETCH(bool, rubber);
        QFETCH(QStringList, still);
        QFETCH(int, arrows);
        Session s;
        Load(s, {Exercise(0, 0, 1, 1), Exercise(0, 0, 2, 1), Exercise(0, 0, 3, 1)});
        s.start(false);
        Play(s, script);
        QCOMPARE(s.stage(), stage);
        QCOMPARE(s.overlay().vertexMarker.has_value(), marker);
        if (marker) {
            QCOMPARE(*s.overlay().vertexMarker, QPoint(0, 0));
            QCOMPARE(s.overlay().markerColor, 0xFF0000);
        }
        QCOMPARE(s.rubberCurve(), rubber);
        if (rubber) {
            // Through the point under the mouse, drawn without its domain.
            QCOMPARE(Describe(*s.overlay().rubberCurve), QStringLiteral("(0,0)(2,3) ff0000 w1"));
        }
        QCOMPARE(StillCurves(s), still);
        QCOMPARE(s.overlay().hintArrows.size(), arrows);
    }

    void planeChangesAreReported()
    {
        Session s;
        Load(s, kThree);
        QSignalSpy changes(&s, &Session::changed);
        auto kinds = [&] {
            QList<Session::PlaneChange> out;
            for (const auto &c : std::as_const(changes))
                out << c.first().value<Session::PlaneChange>();
            changes.clear();
            return out;
        };
        using C = Session::PlaneChange;
        s.start(false);
        QCOMPARE(kinds(), QList<C>{C::Still});
        Play(s, "vmm");
        QCOMPARE(kinds(), (QList<C>{C::Overlay, C::Overlay, C::Overlay}));
        Play(s, "x");
        QCOMPARE(kinds(), QList<C>{C::Still});
        Play(s, "C");
        QCOMPARE(kinds(), QList<C>{C::Still});
        s.move(QPoint(0, 0)); // no vertex, no marker: nothing to repaint
        QCOMPARE(kinds(), QList<C>{});
        QSignalSpy hints(&s, &Session::hintShown);
        Play(s, "vh");
        QCOMPARE(kinds(), (QList<C>{C::Overlay, C::Overlay}));
        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints.first().first().toPoint(), QPoint(1, 1)); // the passing point in the second stage
    }

    void closeRequests_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("closes");
        QTest::addColumn<Session::Stage>("stage");
        QTest::addColumn<int>("position");
        using St = Session::Stage;
        QTest::newRow("次の問題") << "van" << 0 << St::Vertex << 1;
        QTest::newRow("中止 after a right answer still advances") << "vas" << 1 << St::Vertex << 1;
        QTest::newRow("中止 on the last right answer ends the run") << "van van vas" << 1 << St::RunEnd << 2;
        QTest::newRow("訂正する") << "vxC" << 0 << St::Vertex << 0;
        QTest::newRow("正解を表示する") << "vxS" << 0 << St::Vertex << 0;
        QTest::newRow("中止 after a wrong answer") << "vxX" << 1 << St::Vertex << 0;
        QTest::newRow("もう一度やる") << "van van van r" << 0 << St::Vertex << 0;
        QTest::newRow("間違った所を復習") << "vxCvan van van f" << 0 << St::Vertex << 0;
        QTest::newRow("終了") << "van van van e" << 1 << St::Idle << 2;
    }
    void closeRequests()
    {
        QFETCH(QString, script);
        QFETCH(int, closes);
        QFETCH(Session::Stage, stage);
        QFETCH(int, position);
        Session s;
        Load(s, kThree);
        QSignalSpy closing(&s, &Session::closeRequested);
        s.start(false);
        Play(s, script);
        QCOMPARE(closing.size(), closes);
        QCOMPARE(s.stage(), stage);
        QCOMPARE(s.position(), position);
    }

    void startingARun()
    {
        Session s;
        QCOMPARE(PracticeSession::Statement(12), QStringLiteral("(12)次の関数のグラフをかきなさい"));
        Load(s, kThree);
        QSignalSpy starts(&s, &Session::runStarted), exercises(&s, &Session::exerciseChanged);
        s.start(false);
        QCOMPARE(starts.first().first().toInt(), 3);
        QCOMPARE(exercises.first().at(0).toInt(), 1);
        QCOMPARE(exercises.first().at(1).toString(), kThree[0].Formula);
        Play(s, "van");
        QCOMPARE(exercises.last().at(0).toInt(), 2);
        QCOMPARE(exercises.last().at(1).toString(), kThree[1].Formula);
        QCOMPARE(s.unitTitle(), QStringLiteral("単元"));

        // Nothing to pose: no exercise, and input does nothing.
        Load(s, {});
        s.start(false);
        QCOMPARE(s.count(), 0);
        QCOMPARE(s.stage(), Session::Stage::Idle);
        s.click(QPoint(0, 0));
        s.hint();
        s.move(QPoint(1, 1));
        QCOMPARE(s.stage(), Session::Stage::Idle);
        QVERIFY(s.overlay().hintArrows.isEmpty());
        QVERIFY(!s.overlay().vertexMarker);
    }
};

QTEST_GUILESS_MAIN(TestPracticeSession)
#include "tst_practicesession.moc"
