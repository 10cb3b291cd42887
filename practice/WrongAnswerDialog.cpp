#include "practice/WrongAnswerDialog.h"

#include "plane/Fonts.h"
#include "practice/VerdictIcons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

WrongAnswerDialog::WrongAnswerDialog(QWidget *parent)
    : LazyDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAyamari"));
    setWindowTitle(QStringLiteral("誤答"));
    setFixedSize(312, 105);
}

void WrongAnswerDialog::buildControls()
{
    setFont(VerdictFont(12));

    monsterImage = new QLabel(this);
    monsterImage->setObjectName(QStringLiteral("Image1"));
    monsterImage->setGeometry(16, 16, 33, 33);
    monsterImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    monsterImage->setPixmap(MonsterIcon());

    messageField = new QLineEdit(this);
    messageField->setObjectName(QStringLiteral("edtMess"));
    messageField->setGeometry(64, 16, 193, 24);
    messageField->setFont(VerdictFont(16));
    messageField->setReadOnly(true);

    giveUpButton = VerdictButton(this, "btnGiveup", QStringLiteral("正解を表示する"), QRect(24, 56, 89, 33));
    correctButton = VerdictButton(this, "btnTeisei", QStringLiteral("訂正する"), QRect(128, 56, 97, 33));
    cancelButton = VerdictButton(this, "btnCancel", QStringLiteral("中止"), QRect(240, 56, 57, 33));

    connect(giveUpButton, &QPushButton::clicked, this, [this] { giveUpClicked(); });
    connect(correctButton, &QPushButton::clicked, this, [this] { correctClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
}

void WrongAnswerDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        prepareToShow();
}

void WrongAnswerDialog::prepareToShow()
{
    BuildControls();
    correctButton->setFocus();
    // Once the correct graph is on the plane, showing it again would only
    // erase it (not-xor), so the button stays off for this exercise.
    const bool shown = answerShown && answerShown();
    giveUpButton->setEnabled(!shown);
    messageField->setText(shown ? QStringLiteral("正解を表示しています") : QStringLiteral("誤りです。訂正してください"));
}

void WrongAnswerDialog::correctClicked()
{
    if (removeWrongAnswer)
        removeWrongAnswer();
    done(1);
}

void WrongAnswerDialog::giveUpClicked()
{
    if (showCorrectGraph)
        showCorrectGraph();
    done(1);
}

void WrongAnswerDialog::cancelClicked()
{
    done(2);
}

void WrongAnswerDialog::reject()
{
    done(2);
}
