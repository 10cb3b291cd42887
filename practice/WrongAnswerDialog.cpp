#include "practice/WrongAnswerDialog.h"

#include "practice/VerdictIcons.h"
#include "ui/Accessible.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

WrongAnswerDialog::WrongAnswerDialog(QWidget *parent)
    : VerdictDialog(parent, "frmAyamari", QStringLiteral("誤答"), QSize(312, 105))
{
    monsterImage = VerdictIconLabel(this, "Image1", MonsterIcon(), 16, 16);
    messageField = VerdictMessageField(this, QRect(64, 16, 193, 24));

    giveUpButton = VerdictButton(this, "btnGiveup", QStringLiteral("正解を表示する"), QRect(24, 56, 89, 33));
    correctButton = VerdictButton(this, "btnTeisei", QStringLiteral("訂正する"), QRect(128, 56, 97, 33));
    cancelButton = VerdictButton(this, "btnCancel", QStringLiteral("中止"), QRect(240, 56, 57, 33));

    Describe(monsterImage, QStringLiteral("かいじゅうの絵"), QStringLiteral("誤答のしるしの絵です"));
    Describe(messageField, QStringLiteral("判定"), QStringLiteral("答えがまちがいだったことを知らせます"));
    Describe(giveUpButton, QStringLiteral("正解を表示する"),
             QStringLiteral("正しいグラフを黒い太い線でかきます"));
    Describe(correctButton, QStringLiteral("訂正する"), QStringLiteral("かいたグラフを消してやり直します"));
    Describe(cancelButton, QStringLiteral("中止"), QStringLiteral("練習をやめます"));

    connect(giveUpButton, &QPushButton::clicked, this, [this] { giveUpClicked(); });
    connect(correctButton, &QPushButton::clicked, this, [this] { correctClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
}

void WrongAnswerDialog::prepareToShow()
{
    correctButton->setFocus();
    // Once the correct graph is on the plane there is nothing more to show,
    // so the button stays off for this exercise.
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
