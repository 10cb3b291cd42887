#include "lessons/UnitTitleDialog.h"

#include "files/TitleText.h"
#include "files/UnitFile.h"
#include "lessons/UnitFolder.h"
#include "ui/Accessible.h"
#include "ui/Prompt.h"

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

UnitTitleDialog::UnitTitleDialog(const AppFolder &folder, QWidget *parent) : QDialog(parent), m_folder(folder)
{
    setObjectName(QStringLiteral("frmNewWork"));
    setWindowTitle(QStringLiteral("新規入力"));
    setFixedSize(505, 400);

    auto *label1 = new QLabel(QStringLiteral("単元名を入力してください"), this);
    label1->move(56, 32);
    titleField = new QLineEdit(DefaultTitle, this);
    titleField->setObjectName(QStringLiteral("edtTangen"));
    titleField->setGeometry(56, 56, 209, 20);
    titleField->setValidator(new TitleValidator(titleField));

    auto *label2 = new QLabel(QStringLiteral("登録済みの単元名"), this);
    label2->move(304, 32);
    titleList = new QListWidget(this);
    titleList->setObjectName(QStringLiteral("lstTitle"));
    titleList->setGeometry(288, 56, 177, 289);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("btnOK"));
    okButton->setGeometry(72, 104, 81, 33);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancel"));
    cancelButton->setGeometry(192, 104, 73, 33);

    connect(titleList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        titleListClicked(titleList->row(item));
    });
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
    static constexpr ControlText texts[] = {
        {"edtTangen", "単元名", "新しい単元の名前を入力します"},
        {"lstTitle", "登録済みの単元名", "すでにある単元の名前の一覧です"},
        {"btnOK", "OK", "この単元名で決めます"},
        {"btnCancel", "キャンセル", "単元名を決めずに閉じます"},
    };
    DescribeControls(this, texts);
}

void UnitTitleDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        prepareToShow();
}

void UnitTitleDialog::prepareToShow()
{
    if (mainGeometry) {
        const QRect m = mainGeometry();
        move(m.left() + (m.width() - width()) / 2, m.top() + (m.height() - height()) / 2);
    }
    titleList->clear();
    const QString folder = DataFolder(m_folder.dir);
    for (const QString &file : UnitFilesIn(folder, false))
        titleList->addItem(ReadUnitTitle(folder + file));
    if (currentTitle)
        titleField->setText(currentTitle());
    titleField->setFocus();
}

void UnitTitleDialog::titleListClicked(int row)
{
    if (row >= 0 && row < titleList->count())
        titleField->setText(titleList->item(row)->text());
}

QString UnitTitleDialog::title() const
{
    return titleField->text();
}

void UnitTitleDialog::okClicked()
{
    const QString title = titleField->text();
    if (title.isEmpty()) {
        prompt().message(QStringLiteral("単元名を入力してください"));
        return;
    }
    // The unit file is CP932: a title it cannot hold is refused here, before
    // anything is written.
    if (const auto bad = FirstOutsideCp932(title)) {
        const QString code = QString::number(bad->toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
        prompt().message(QStringLiteral("単元名の「%1」（U+%2）はファイルに保存できない文字です").arg(*bad, code));
        titleField->setFocus();
        return;
    }
    for (int i = 0; i < titleList->count(); ++i) {
        if (titleList->item(i)->text() != title)
            continue;
        if (prompt().askYesNo(QStringLiteral("同じ単元名がありますが、いいですか？")) != Answer::Yes) {
            titleField->setFocus();
            return;
        }
        break;
    }
    done(1);
}

void UnitTitleDialog::cancelClicked()
{
    done(2);
}
