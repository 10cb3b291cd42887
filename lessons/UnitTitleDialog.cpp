#include "lessons/UnitTitleDialog.h"

#include "lessons/UnitFolder.h"
#include "plane/Prompt.h"
#include "plane/TitleText.h"
#include "plane/UnitFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QValidator>

namespace {
// Keeps a typed or pasted title on one line: control characters are left
// out where they come in, the visible text and the cursor stay.
class TitleValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        const QString clean = WithoutControls(input);
        if (clean.size() != input.size()) {
            pos = int(WithoutControls(input.left(pos)).size());
            input = clean;
        }
        return Acceptable;
    }
};
}  // namespace

UnitTitleDialog::UnitTitleDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNewWork"));
    setWindowTitle(QStringLiteral("新規入力"));
    setFixedSize(505, 400);

    auto *label1 = new QLabel(QStringLiteral("単元名を入力してください"), this);
    label1->move(56, 32);
    edtTangen = new QLineEdit(QStringLiteral("新しい単元"), this);
    edtTangen->setObjectName(QStringLiteral("edtTangen"));
    edtTangen->setGeometry(56, 56, 209, 20);
    edtTangen->setValidator(new TitleValidator(edtTangen));

    auto *label2 = new QLabel(QStringLiteral("登録済みの単元名"), this);
    label2->move(304, 32);
    lstTitle = new QListWidget(this);
    lstTitle->setObjectName(QStringLiteral("lstTitle"));
    lstTitle->setGeometry(288, 56, 177, 289);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(72, 104, 81, 33);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(192, 104, 73, 33);

    connect(lstTitle, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        lstTitleClick(lstTitle->row(item));
    });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void UnitTitleDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void UnitTitleDialog::FormShow()
{
    if (mainGeometry) {
        const QRect m = mainGeometry();
        move(m.left() + (m.width() - width()) / 2, m.top() + (m.height() - height()) / 2);
    }
    lstTitle->clear();
    const QString folder = DataFolder();
    for (const QString &file : UnitFilesIn(folder, false))
        lstTitle->addItem(ReadUnitTitle(folder + file));
    if (currentTitle)
        edtTangen->setText(currentTitle());
    edtTangen->setFocus();
}

void UnitTitleDialog::lstTitleClick(int row)
{
    if (row >= 0 && row < lstTitle->count())
        edtTangen->setText(lstTitle->item(row)->text());
}

void UnitTitleDialog::btnOKClick()
{
    const QString title = edtTangen->text();
    if (title.isEmpty()) {
        prompt().message(QStringLiteral("単元名を入力してください"));
        return;
    }
    // The unit file is CP932: a title it cannot hold is refused here, before
    // anything is written.
    if (const auto bad = FirstOutsideCp932(title)) {
        const QString code = QString::number(bad->toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
        prompt().message(QStringLiteral("単元名の「%1」（U+%2）はファイルに保存できない文字です").arg(*bad, code));
        edtTangen->setFocus();
        return;
    }
    for (int i = 0; i < lstTitle->count(); ++i) {
        if (lstTitle->item(i)->text() != title)
            continue;
        if (prompt().askYesNo(QStringLiteral("同じ単元名がありますが、いいですか？")) != Answer::Yes) {
            edtTangen->setFocus();
            return;
        }
        break;
    }
    done(1);
}

void UnitTitleDialog::btnCancelClick()
{
    done(2);
}
