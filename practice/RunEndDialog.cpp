#include "practice/RunEndDialog.h"

#include "practice/VerdictIcons.h"

#include "plane/Canvas.h"
#include "plane/Fonts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {
constexpr Color kPerfectGreen = 0x008000;
}  // namespace

RunEndDialog::RunEndDialog(QWidget *parent)
    : LazyDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmOwari"));
    setWindowTitle(QStringLiteral("練習終わり"));
    setFixedSize(391, 132);
}

void RunEndDialog::buildControls()
{
    setFont(VerdictFont(12));

    // Created in the design tab order: setTabOrder (Qt 6.4) cannot move a
    // widget ahead of the first child created, which thus stays first.
    btnFukushu = VerdictButton(this, "btnFukushu", QStringLiteral("間違った所を復習"), QRect(24, 56, 105, 33));
    btnRetry = VerdictButton(this, "btnRetry", QStringLiteral("もう一度やる"), QRect(144, 56, 97, 33));
    btnEnd = VerdictButton(this, "btnEnd", QStringLiteral("終了"), QRect(256, 56, 113, 33));
    edtMess = new QLineEdit(QStringLiteral("　　　　練習を終わります"), this);
    edtMess->setObjectName(QStringLiteral("edtMess"));
    edtMess->setGeometry(24, 16, 217, 24);
    edtMess->setFont(VerdictFont(16));
    edtMess->setReadOnly(true);
    btnShowRecord = VerdictButton(this, "btnShowRecord", QStringLiteral("記録を見る"), QRect(256, 8, 113, 33));
    m_tabOrder = {btnFukushu, btnRetry, btnEnd, edtMess, btnShowRecord};

    connect(btnShowRecord, &QPushButton::clicked, this, [this] { btnShowRecordClick(); });
    connect(btnFukushu, &QPushButton::clicked, this, [this] { btnFukushuClick(); });
    connect(btnRetry, &QPushButton::clicked, this, [this] { btnRetryClick(); });
    connect(btnEnd, &QPushButton::clicked, this, [this] { btnEndClick(); });
}

void RunEndDialog::applyTabOrder(const QList<QWidget *> &order)
{
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    m_tabOrder = order;
}

void RunEndDialog::prepare(Outcome outcome, bool reviewEnabled, bool testMode)
{
    BuildControls();
    // Back to the design state first: a perfect run's green and tab order
    // must not stay for the runs after it.
    setPalette(QPalette());
    applyTabOrder({btnFukushu, btnRetry, btnEnd, edtMess, btnShowRecord});

    m_testMode = testMode;
    btnFukushu->setEnabled(reviewEnabled);
    switch (outcome) {
    case Outcome::Perfect: {
        edtMess->setText(QStringLiteral("★★全問正解です★★"));
        applyTabOrder({btnEnd, btnFukushu, btnRetry, edtMess, btnShowRecord});
        QPalette pal = palette();
        pal.setColor(QPalette::Window, ToQColor(kPerfectGreen));
        setPalette(pal);
        break;
    }
    case Outcome::Review:
        edtMess->setText(QStringLiteral("　復習を終わりました"));
        break;
    case Outcome::Finished:
        // btnFukushu already leads the design order.
        edtMess->setText(QStringLiteral("　　終了しました"));
        break;
    }
}

void RunEndDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void RunEndDialog::FormShow()
{
    BuildControls();
    btnShowRecord->setVisible(!m_testMode);
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

void RunEndDialog::btnEndClick()
{
    done(2);
}

void RunEndDialog::btnRetryClick()
{
    done(1);
}

void RunEndDialog::btnFukushuClick()
{
    done(4);
}

void RunEndDialog::btnShowRecordClick()
{
    if (showRecords)
        showRecords();
}

void RunEndDialog::reject()
{
    done(2);
}
