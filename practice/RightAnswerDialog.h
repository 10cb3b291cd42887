#pragma once
// The correct-answer dialog "正解": next exercise (1) or stop (2).

#include "practice/VerdictDialog.h"

class QLineEdit;
class QLabel;
class QPushButton;

class RightAnswerDialog : public VerdictDialog {
    Q_OBJECT
public:
    explicit RightAnswerDialog(QWidget *parent = nullptr);

    void prepareToShow() override;  // focus to "次の問題" on every show
    void nextClicked();             // result 1

private:
    QLabel *flowersImage = nullptr;  // flowers
    QLabel *catImage = nullptr;      // smiling cat
    QLineEdit *bannerField = nullptr;
    QPushButton *nextButton = nullptr;
    QPushButton *cancelButton = nullptr;
};
