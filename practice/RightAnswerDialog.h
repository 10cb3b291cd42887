#pragma once
// The correct-answer dialog "正解": next exercise (1) or stop (2).

#include "ui/LazyDialog.h"

class QLineEdit;
class QLabel;
class QPushButton;

class RightAnswerDialog : public LazyDialog {
    Q_OBJECT
public:
    explicit RightAnswerDialog(QWidget *parent = nullptr);

    // Placement at creation: below the practice window's marks list.
    void placeBelow(int top, int left) { move(left, top); }

    void prepareToShow();        // focus to "次の問題" on every show
    void nextClicked();    // result 1
    void cancelClicked();  // result 2

    QLabel *flowersImage = nullptr;  // flowers
    QLabel *catImage = nullptr;  // smiling cat
    QLineEdit *bannerField = nullptr;
    QPushButton *nextButton = nullptr;
    QPushButton *cancelButton = nullptr;

protected:
    void buildControls() override;
    void showEvent(QShowEvent *e) override;
    void reject() override;  // the close box and Escape: result 2
};
