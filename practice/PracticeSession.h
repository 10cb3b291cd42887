#pragma once
// One showing of practice as plain logic: the exercises of a source list
// posed in order, two-click answers graded by their formula text, hints,
// marks, timing, review runs and test mode. It knows no widgets: it is
// driven by lattice points, button presses, verdicts and one-second ticks,
// tells what happened by signals, and describes the practice plane as data
// (the curves that stay, and the transient marks over them).

#include "input/LatticeCursor.h"
#include "model/FormulaText.h"
#include "model/Parabola.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class PracticeSession : public QObject {
    Q_OBJECT
public:
    // Waiting for the vertex click, for the second click, or for the pupil's
    // choice in a verdict; Idle before the first run and after a stop at a
    // run's end.
    enum class Stage { Idle, Vertex, SecondPoint, RightVerdict, WrongVerdict, RunEnd };
    Q_ENUM(Stage)
    enum class RightChoice { Next, Stop };
    // Both retries answer again; they differ in what they leave on the plane.
    enum class WrongChoice { Correct, ShowAnswer, Stop };
    enum class RunEndChoice { Repeat, Review, Stop };
    enum class Outcome { Perfect, Review, Finished };
    Q_ENUM(Outcome)
    // Overlay: only the transient marks changed; Still: the curves that stay
    // changed too.
    enum class PlaneChange { Overlay, Still };
    Q_ENUM(PlaneChange)

    // What is painted over the still curves.
    struct Overlay {
        std::optional<Parabola> rubberCurve; // drawn without its domain
        std::optional<QPoint> vertexMarker;  // lattice point
        int markerColor = 0;
        QList<QPoint> hintArrows; // lattice points the arrow tips touch
    };

    explicit PracticeSession(QObject *parent = nullptr);

    // The source list with its count, the unit title, and whether this is
    // test mode; taken over before a run starts.
    void setSource(const ParabolaList &parabolas, int count, const QString &unitTitle, bool testMode);
    // The form answers are written in; standard form when unset.
    void setFormulaForm(std::function<FormulaForm()> form) { m_form = std::move(form); }

    // Input
    void start(bool review);
    void click(QPoint lattice);      // an answer click
    void rightClick(QPoint lattice); // drops the vertex over a rubber curve, else answers
    void move(QPoint lattice);
    // A key on the plane: the cursor moves as the mouse does, Enter or
    // Space answers at it, Esc drops a placed vertex. False when the key is
    // not the plane's (Esc with no vertex placed).
    bool key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    // The keyboard's point: the owner bounds it to the plane shown.
    LatticeCursor &cursor() { return m_cursor; }
    const LatticeCursor &cursor() const { return m_cursor; }
    void leftPlane();
    void cancelVertex();
    void hint();
    void tick();
    void rightVerdict(RightChoice choice);
    void wrongVerdict(WrongChoice choice);
    void runEndVerdict(RunEndChoice choice);

    // "(n)次の関数のグラフをかきなさい"
    static QString Statement(int number);
    // Whether an answer's text matches the exercise: its stored formula
    // text, or the text built now in the given form.
    static bool IsRight(const QString &answerText, const Parabola &exercise, FormulaForm form);
    // One short line on what a wrong answer gets wrong, the first difference
    // in this order: the vertex's x, its y, the direction of opening, the
    // width, the domain ends. Empty when none of them differs.
    static QString Diagnosis(const Parabola &answer, const Parabola &exercise);
    // "くわしいヒント": whether a wrong answer gets its diagnosis line.
    void setDetailedHints(bool on) { m_detailedHints = on; }
    bool detailedHints() const { return m_detailedHints; }

    // The plane
    const QList<Parabola> &stillCurves() const { return m_still; }
    const Overlay &overlay() const { return m_overlay; }
    bool rubberCurve() const { return m_overlay.rubberCurve.has_value(); }

    // The state of the run
    const ParabolaList &source() const { return m_source; }
    int sourceCount() const { return m_sourceCount; }
    const QString &unitTitle() const { return m_unitTitle; }
    bool testMode() const { return m_testMode; }
    const ParabolaList &runList() const { return m_runList; }
    int sourceIndex(int position) const { return m_sourceIndex[std::size_t(position)]; }
    bool mistake(int sourceEntry) const { return m_mistakes[std::size_t(sourceEntry)]; }
    int position() const { return m_position; }
    int count() const { return m_count; }
    Stage stage() const { return m_stage; }
    int wrongAttempts() const { return m_wrongAttempts; }
    int firstTry() const { return m_firstTry; }
    bool hintUsed() const { return m_hint; }
    bool answerShown() const { return m_answerShown; }
    bool review() const { return m_review; }
    int seconds() const { return m_seconds; }
    int totalSeconds() const { return m_totalSeconds; }
    const QString &marks() const { return m_marks; }
    const Parabola &answer() const { return m_answer; }
    const Parabola &savedAnswer() const { return m_savedAnswer; }
    // The diagnosis of the last wrong answer; cleared by a right answer, a
    // new exercise or run, and never set with the detailed hints off.
    const QString &diagnosis() const { return m_diagnosis; }
    // At a run's end: how it went, whether reviewing is offered, and whether
    // the run leaves a record line.
    Outcome outcome() const;
    bool reviewEnabled() const { return m_firstTry != m_count; }
    bool recordDue() const { return !m_testMode && !m_review; }

signals:
    void runStarted(int count);
    void exerciseChanged(int number, const QString &formula);
    void judgedRight(const QString &answerText, const QString &mark, int seconds);
    void judgedWrong(const QString &answerText);
    void hintShown(QPoint lattice);
    void runFinished(const QString &marks, int totalSeconds, bool recordDue);
    void closeRequested();
    void changed(PracticeSession::PlaneChange change);

private:
    bool answering() const { return m_stage == Stage::Vertex || m_stage == Stage::SecondPoint; }
    const Parabola &exercise() const { return m_runList[std::size_t(m_position)]; }
    const Parabola &sourceEntry() const
    {
        return m_source[std::size_t(m_sourceIndex[std::size_t(m_position)])];
    }
    bool &mistakeFlag() { return m_mistakes[std::size_t(m_sourceIndex[std::size_t(m_position)])]; }
    FormulaForm form() const { return m_form ? m_form() : FormulaForm::Standard; }
    void judge(QPoint lattice);
    void nextExercise();

    ParabolaList m_source{};
    int m_sourceCount = 0;
    QString m_unitTitle;
    bool m_testMode = false;
    std::function<FormulaForm()> m_form;

    ParabolaList m_runList{};                        // copies of the posed entries
    std::array<int, kParabolaSlots> m_sourceIndex{}; // source entry of each run position
    std::array<bool, kParabolaSlots> m_mistakes{};   // per source entry
    int m_position = 0;
    int m_count = 0;
    Stage m_stage = Stage::Idle;
    int m_wrongAttempts = 0;
    int m_firstTry = 0; // exercises right without a wrong attempt
    bool m_hint = false;
    bool m_answerShown = false;
    bool m_review = false;
    int m_seconds = 0; // of the current exercise
    int m_totalSeconds = 0;
    QString m_marks;
    Parabola m_answer;
    Parabola m_savedAnswer; // the last judged answer
    bool m_detailedHints = true;
    QString m_diagnosis;
    QPoint m_lastPoint;     // the lattice point the mouse was last over
    LatticeCursor m_cursor;

    QList<Parabola> m_still; // drawn in order, each over the ones before
    Overlay m_overlay;
};
