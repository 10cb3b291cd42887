#pragma once
// The end-of-run dialog "練習終わり": repeat (1), stop (2), review the
// mistakes (4), or look at the records.

#include "ui/LazyDialog.h"
#include <functional>

class QLineEdit;
class QPushButton;

class RunEndDialog : public LazyDialog {
    Q_OBJECT
public:
    explicit RunEndDialog(QWidget *parent = nullptr);

    // Placement at creation: below the practice window's marks list.
    void placeBelow(int top, int left) { move(left, top); }

    enum class Outcome { Perfect, Review, Finished };
    // Sets message, review button, colour and tab order for a run's end.
    void prepare(Outcome outcome, bool reviewEnabled, bool testMode);

    std::function<void()> showRecords;  // the record window, modal

    void prepareToShow();
    void endClicked();       // result 2
    void retryClicked();     // result 1
    void reviewClicked();   // result 4
    void showRecordsClicked();

    QLineEdit *messageField = nullptr;
    QPushButton *showRecordsButton = nullptr, *reviewButton = nullptr, *retryButton = nullptr,
                *endButton = nullptr;

protected:
    void buildControls() override;
    void showEvent(QShowEvent *e) override;
    void reject() override;

private:
    void applyTabOrder(const QList<QWidget *> &order);

    bool m_testMode = false;
    QList<QWidget *> m_tabOrder;
};
