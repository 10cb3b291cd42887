#pragma once
// The practice window: poses the parabolas of the practice source list as
// exercises, grades each two-click answer by its formula text, gives hints,
// times the run and records finished runs. The plane is drawn once per run;
// all feedback on it is drawn in not-xor mode and removed by drawing again.

#include "model/FormulaText.h"
#include "model/Parabola.h"

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <array>
#include <functional>

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

// The state of one showing of the practice window.
struct PracticeState {
    ParabolaList RunList{};                          // copies of the posed entries
    std::array<int, kParabolaSlots> SourceIndex{};  // source entry of each run position
    std::array<bool, kParabolaSlots> Mistakes{};    // per source entry
    int Position = 0;
    int Count = 0;
    int Stage = 0;          // 0 waiting for the vertex, 1 for the second click
    int WrongAttempts = 0;
    int FirstTry = 0;       // exercises right without a wrong attempt
    bool Hint = false;
    bool AnswerShown = false;
    bool Review = false;
    int Seconds = 0;        // of the current exercise
    int TotalSeconds = 0;
    QString Marks;
    Parabola Answer;
    Parabola SavedAnswer;  // the last judged answer, for the wrong-answer dialog
    bool RubberCurve = false;
    bool VertexMarker = false;
    QPoint LastPoint;       // lattice units
};

class PracticeWindow : public QDialog {
    Q_OBJECT
public:
    explicit PracticeWindow(QWidget *parent = nullptr);

    // The verdict dialogs, created on first need below the marks list with
    // this window's owner as theirs.
    RightAnswerDialog *rightAnswerDialog();
    WrongAnswerDialog *wrongAnswerDialog();
    RunEndDialog *runEndDialog();
    // The record window, modal: the end-of-run dialog's "記録を見る".
    std::function<void()> showRecords;
    // From the main window: its display form.
    std::function<FormulaForm()> currentForm;
    // Shows a verdict dialog modally and returns its result; tests replace it.
    std::function<int(QDialog *)> runModal = [](QDialog *d) { return d->exec(); };

    PracticeState &state() { return m_s; }

    void prepareToShow();
    void Init(bool review);
    void planeMouseDown(Qt::MouseButton button, QPoint pixel);
    void planeMouseMove(QPoint pixel);
    void windowMouseMove();
    void correctClicked();
    void hintClicked();
    void endClicked();
    void secondElapsed();

    // The hidden pictures: a red tick on black and a green arrow on black.
    static QImage TickPicture();
    static QImage ArrowPicture();
    static QString Statement(int number);

    QTimer secondTimer;

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    const Parabola &source() const;
    FormulaForm form() const;
    void answerClick(QPoint lattice);
    void rightAnswer();
    void wrongAnswer();
    void endRun();
    void nextExercise();
    QPoint lattice(QPoint pixel) const;
    PlotContext plotContext() const;
    template <typename Dialog> Dialog *verdictDialog(Dialog *&dialog);

    // The verdict dialogs open below the record list.
    static constexpr int RecordListBottom = 449;

    PlaneView *plane = nullptr;
    QLabel *messageLabel = nullptr;
    ImageView *formulaImage = nullptr;
    ImageView *answerImage = nullptr;
    QListWidget *recordList = nullptr;
    QLineEdit *pointField = nullptr;
    QPushButton *correctButton = nullptr, *endButton = nullptr, *hintButton = nullptr;

    PracticeState m_s;
    RightAnswerDialog *m_rightAnswer = nullptr;
    WrongAnswerDialog *m_wrongAnswer = nullptr;
    RunEndDialog *m_runEnd = nullptr;
    QImage m_tick, m_arrow;
    bool m_closeRequested = false;
    bool m_inPress = false;
};
