#pragma once
// The practice window: shows a PracticeSession. It forwards mouse, button
// and timer events to the session, runs the verdict dialogs the session
// waits for and hands their choices back, and shows the statement, the
// formula and answer pictures, the marks list and the practice plane: the
// still picture (grid and the curves that stay) redrawn only when the
// session says so, with the transient marks painted over it.

#include "model/FormulaText.h"
#include "practice/PracticeSession.h"

#include "files/AppFolder.h"
#include "model/PracticeSource.h"
#include "plane/ViewSettings.h"
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <functional>

class Canvas;
class ImageView;
class PlaneView;
struct PlotContext;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class WrongAnswerDialog;
class RunEndDialog;
class RightAnswerDialog;

class PracticeWindow : public QDialog {
    Q_OBJECT
public:
    PracticeWindow(const ViewSettings &view, const AppFolder &folder, QWidget *parent = nullptr);

    // What the next showing poses.
    void setSource(const PracticeSource &source) { m_source = source; }
    const PracticeSource &source() const { return m_source; }

    // The verdict dialogs, created on first need below the marks list with
    // this window's owner as theirs.
    RightAnswerDialog *rightAnswerDialog();
    WrongAnswerDialog *wrongAnswerDialog();
    RunEndDialog *runEndDialog();
    // The record window, modal: the end-of-run dialog's "記録を見る".
    std::function<void()> showRecords;
    // From the main window: its display form.
    std::function<FormulaForm()> currentForm;
    // From the main window: whether "くわしいヒント" is on (on when unset).
    std::function<bool()> detailedHints;
    // Shows a verdict dialog modally and returns its result; tests replace it.
    std::function<int(QDialog *)> runModal = [](QDialog *d) { return d->exec(); };

    PracticeSession &session() { return m_session; }

    void prepareToShow();
    void planeMouseDown(Qt::MouseButton button, QPoint pixel);
    void planeMouseMove(QPoint pixel);
    // A key on the focused plane; false when it is not the plane's.
    bool planeKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false);
    void windowMouseMove();
    void correctClicked();
    void hintClicked();
    void endClicked();
    void secondElapsed();

    // The hidden pictures: a red tick on black and a green arrow on black.
    static QImage TickPicture();
    static QImage ArrowPicture();

    QTimer secondTimer;

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectSession();
    // Runs the verdict dialogs the session waits for, one after another.
    void settleVerdicts();
    // Runs a click or key of the pupil, then the verdicts it leads to, and
    // a stop chosen in them.
    void answer(const std::function<void()> &input);
    void showPlanePoint(QPoint lattice);
    // The answer and its verdict ("正解", "誤答"; none before an answer) as
    // accessible text, with the statement, on the answer picture and the plane.
    void describeAnswer(const QString &answerText, const QString &verdict);
    void boundKeyCursor();
    void runStarted(int count);
    void exerciseChanged(int number, const QString &formula);
    void judgedRight(const QString &answerText, const QString &mark, int seconds);
    void judgedWrong(const QString &answerText);
    void runFinished(const QString &marks, int totalSeconds, bool recordDue);
    void planeChanged(PracticeSession::PlaneChange change);
    void redrawStill();
    void paintOverlay(Canvas &frame);
    QPoint lattice(QPoint pixel) const;
    PlotContext plotContext() const;
    template <typename Dialog> Dialog *verdictDialog(Dialog *&dialog);

    // The verdict dialogs open below the record list.
    static constexpr int RecordListBottom = 449;
    // The diagnosis line sits under the wrong-answer dialog (105 pixels high).
    static constexpr int DiagnosisTop = RecordListBottom + 32 + 105 + 14;

    PlaneView *plane = nullptr;
    QLabel *messageLabel = nullptr;
    QLabel *diagnosisLabel = nullptr; // what a wrong answer gets wrong
    ImageView *formulaImage = nullptr;
    ImageView *answerImage = nullptr;
    QListWidget *recordList = nullptr;
    QLineEdit *pointField = nullptr;
    QPushButton *correctButton = nullptr, *endButton = nullptr, *hintButton = nullptr;

    const ViewSettings &m_view;
    const AppFolder &m_folder;
    PracticeSource m_source;
    PracticeSession m_session;
    QImage m_grid; // the empty plane of the run
    RightAnswerDialog *m_rightAnswer = nullptr;
    WrongAnswerDialog *m_wrongAnswer = nullptr;
    RunEndDialog *m_runEnd = nullptr;
    QImage m_tick, m_arrow;
    bool m_closeRequested = false;
    bool m_inPress = false;
};
