#pragma once
// The wrong-answer dialog "誤答": correct the answer (1), show the correct
// graph and answer again (1), or stop (2). It acts on the practice plane
// through the practice window's callbacks.

#include "practice/VerdictDialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class WrongAnswerDialog : public VerdictDialog {
    Q_OBJECT
public:
    explicit WrongAnswerDialog(QWidget *parent = nullptr);

    // From the practice window.
    std::function<bool()> answerShown;       // "正解を表示する" was used in this exercise
    std::function<void()> removeWrongAnswer; // "訂正する": takes the judged answer off the plane
    std::function<void()> showCorrectGraph;  // shows the exercise in black, width 2; sets the flag

    void prepareToShow() override;
    void correctClicked();  // result 1
    void giveUpClicked();   // result 1

private:
    QLabel *monsterImage = nullptr;  // monster face
    QLineEdit *messageField = nullptr;
    QPushButton *giveUpButton = nullptr;
    QPushButton *correctButton = nullptr;
    QPushButton *cancelButton = nullptr;
};
