#pragma once
// The end-of-run dialog "練習終わり": repeat (1), stop (2), review the
// mistakes (4), or look at the records.

#include "practice/PracticeSession.h"
#include "practice/VerdictDialog.h"

#include <functional>

class QLineEdit;
class QPushButton;

class RunEndDialog : public VerdictDialog {
    Q_OBJECT
public:
    explicit RunEndDialog(QWidget *parent = nullptr);

    using Outcome = PracticeSession::Outcome;
    // Sets message, review button, colour and tab order for a run's end.
    void prepare(Outcome outcome, bool reviewEnabled, bool testMode);

    std::function<void()> showRecords;  // the record window, modal

    void prepareToShow() override;
    void endClicked();     // result 2
    void retryClicked();   // result 1
    void reviewClicked();  // result 4
    void showRecordsClicked();

private:
    QLineEdit *messageField = nullptr;
    QPushButton *showRecordsButton = nullptr, *reviewButton = nullptr, *retryButton = nullptr,
                *endButton = nullptr;

    void applyTabOrder(const QList<QWidget *> &order);

    bool m_testMode = false;
    QList<QWidget *> m_tabOrder;
};
