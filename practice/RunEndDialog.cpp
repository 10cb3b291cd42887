#include "practice/RunEndDialog.h"

#include "practice/VerdictIcons.h"
#include "ui/Accessible.h"

#include "plane/Canvas.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr Color kPerfectGreen = 0x008000;
}  // namespace

RunEndDialog::RunEndDialog(QWidget *parent)
    : VerdictDialog(parent, "frmOwari", QStringLiteral("練習終わり"), QSize(391, 132))
{
    // Created in the design tab order: setTabOrder (Qt 6.4) cannot move a
    // widget ahead of the first child created, which thus stays first.
    reviewButton =
        VerdictButton(this, "btnFukushu", QStringLiteral("間違った所を復習"), QRect(24, 56, 105, 33));
    retryButton = VerdictButton(this, "btnRetry", QStringLiteral("もう一度やる"), QRect(144, 56, 97, 33));
    endButton = VerdictButton(this, "btnEnd", QStringLiteral("終了"), QRect(256, 56, 113, 33));
    messageField = VerdictMessageField(this, QRect(24, 16, 217, 24), QStringLiteral("　　　　練習を終わります"));
    showRecordsButton =
        VerdictButton(this, "btnShowRecord", QStringLiteral("記録を見る"), QRect(256, 8, 113, 33));
    m_tabOrder = {reviewButton, retryButton, endButton, messageField, showRecordsButton};
    Describe(reviewButton, QStringLiteral("間違った所を復習"),
             QStringLiteral("まちがえた問題だけをもう一度練習します"));
    Describe(retryButton, QStringLiteral("もう一度やる"), QStringLiteral("最初から練習をやり直します"));
    Describe(endButton, QStringLiteral("終了"), QStringLiteral("練習を終わります"));
    Describe(messageField, QStringLiteral("練習の結果"),
             QStringLiteral("練習が終わったことと、その結果です"));
    Describe(showRecordsButton, QStringLiteral("記録を見る"), QStringLiteral("練習の記録を表示します"));

    connect(showRecordsButton, &QPushButton::clicked, this, [this] { showRecordsClicked(); });
    connect(reviewButton, &QPushButton::clicked, this, [this] { reviewClicked(); });
    connect(retryButton, &QPushButton::clicked, this, [this] { retryClicked(); });
    connect(endButton, &QPushButton::clicked, this, [this] { endClicked(); });
}

void RunEndDialog::applyTabOrder(const QList<QWidget *> &order)
{
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    m_tabOrder = order;
}

void RunEndDialog::prepare(Outcome outcome, bool reviewEnabled, bool testMode)
{
    // Back to the design state first: a perfect run's green and tab order
    // must not stay for the runs after it.
    setPalette(QPalette());
    applyTabOrder({reviewButton, retryButton, endButton, messageField, showRecordsButton});

    m_testMode = testMode;
    reviewButton->setEnabled(reviewEnabled);
    switch (outcome) {
    case Outcome::Perfect: {
        messageField->setText(QStringLiteral("★★全問正解です★★"));
        applyTabOrder({endButton, reviewButton, retryButton, messageField, showRecordsButton});
        QPalette pal = palette();
        pal.setColor(QPalette::Window, ToQColor(kPerfectGreen));
        setPalette(pal);
        break;
    }
    case Outcome::Review:
        messageField->setText(QStringLiteral("　復習を終わりました"));
        break;
    case Outcome::Finished:
        // reviewButton already leads the design order.
        messageField->setText(QStringLiteral("　　終了しました"));
        break;
    }
}

void RunEndDialog::prepareToShow()
{
    showRecordsButton->setVisible(!m_testMode);
    // The first usable control in tab order takes the focus, so Enter
    // chooses what the outcome suggests: stop after a perfect run, review
    // after mistakes.
    for (QWidget *w : std::as_const(m_tabOrder)) {
        if (w->isEnabled() && w->isVisibleTo(this)) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void RunEndDialog::endClicked()
{
    cancelClicked();
}

void RunEndDialog::retryClicked()
{
    done(1);
}

void RunEndDialog::reviewClicked()
{
    done(4);
}

void RunEndDialog::showRecordsClicked()
{
    if (showRecords)
        showRecords();
}
