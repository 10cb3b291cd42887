#include "practice/RightAnswerDialog.h"

#include "plane/Canvas.h"
#include "practice/VerdictIcons.h"
#include "ui/Accessible.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr Color kPaleYellow = 0xC0FFFF;
}  // namespace

RightAnswerDialog::RightAnswerDialog(QWidget *parent)
    : VerdictDialog(parent, "frmSeikai", QStringLiteral("正解"), QSize(320, 132))
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(kPaleYellow));
    setPalette(pal);

    flowersImage = VerdictIconLabel(this, "Image1", FlowersIcon(), 8, 16);
    catImage = VerdictIconLabel(this, "Image2", SmilingCatIcon(), 272, 16);

    bannerField = new QLineEdit(QStringLiteral("★★正解です★★"), this);
    bannerField->setObjectName(QStringLiteral("Edit1"));
    bannerField->setGeometry(48, 16, 217, 35);
    bannerField->setFont(VerdictFont(27));
    bannerField->setReadOnly(true);
    // Only a banner: Enter and Tab belong to the buttons.
    bannerField->setFocusPolicy(Qt::NoFocus);

    nextButton = new QPushButton(QStringLiteral("次の問題"), this);
    nextButton->setObjectName(QStringLiteral("btnNext"));
    nextButton->setGeometry(80, 64, 105, 33);
    nextButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("中止"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancel"));
    cancelButton->setGeometry(216, 64, 49, 33);
    Describe(flowersImage, QStringLiteral("花の絵"), QStringLiteral("正解のしるしの絵です"));
    Describe(catImage, QStringLiteral("ねこの絵"), QStringLiteral("正解のしるしの絵です"));
    Describe(bannerField, QStringLiteral("判定"), QStringLiteral("答えが正解だったことを知らせます"));
    Describe(nextButton, QStringLiteral("次の問題"), QStringLiteral("次の問題に進みます"));
    Describe(cancelButton, QStringLiteral("中止"), QStringLiteral("練習をやめます"));

    connect(nextButton, &QPushButton::clicked, this, [this] { nextClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
}

void RightAnswerDialog::prepareToShow()
{
    // The pupil goes on with Enter, even after having tabbed to "中止" last time.
    nextButton->setFocus();
}

void RightAnswerDialog::nextClicked()
{
    done(1);
}
