#include "output/WorksheetDialog.h"

#include "files/TitleText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace {
template <typename W> W *Named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QHBoxLayout *Row(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    for (QWidget *w : widgets)
        row->addWidget(w);
    row->addStretch();
    return row;
}
} // namespace

WorksheetDialog::WorksheetDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWorksheet"));
    setWindowTitle(QStringLiteral("ワークシートの作成"));
    openInViewer = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

    unitLabel = Named(new QLabel(this), "lblUnit");
    otherUnitButton = Named(new QPushButton(QStringLiteral("別の単元を選ぶ..."), this), "btnOtherUnit");
    connect(otherUnitButton, &QPushButton::clicked, this, [this] {
        if (chooseUnit)
            chooseUnit();
    });

    unitOrderButton = Named(new QRadioButton(QStringLiteral("単元の順"), this), "rbtUnitOrder");
    shuffledButton = Named(new QRadioButton(QStringLiteral("シャッフル"), this), "rbtShuffled");
    auto *order = new QButtonGroup(this);
    order->addButton(unitOrderButton);
    order->addButton(shuffledButton);
    unitOrderButton->setChecked(true);
    connect(shuffledButton, &QRadioButton::toggled, this, [this] { orderSwitched(); });
    seedSpin = Named(new QSpinBox(this), "spnSeed");
    seedSpin->setRange(1, Worksheet::LargestSeed);
    newSeedButton = Named(new QPushButton(QStringLiteral("別の番号"), this), "btnNewSeed");
    connect(newSeedButton, &QPushButton::clicked, this, [this] { newSeed(); });
    auto *seedNote = new QLabel(QStringLiteral("同じ番号で同じ順番のワークシートができます"), this);

    answerKeySwitch = Named(new QCheckBox(QStringLiteral("解答を付ける"), this), "chkAnswerKey");
    answerKeySwitch->setChecked(true);
    fourButton = Named(new QRadioButton(QStringLiteral("4問"), this), "rbtFour");
    sixButton = Named(new QRadioButton(QStringLiteral("6問"), this), "rbtSix");
    auto *perPage = new QButtonGroup(this);
    perPage->addButton(fourButton);
    perPage->addButton(sixButton);
    fourButton->setChecked(true);
    planeSizeSpin = Named(new QSpinBox(this), "spnPlaneSize");
    planeSizeSpin->setRange(Worksheet::SmallestPlanePercent, 100);
    planeSizeSpin->setSingleStep(10);
    planeSizeSpin->setSuffix(QStringLiteral(" %"));
    planeSizeSpin->setValue(100);
    openSwitch = Named(new QCheckBox(QStringLiteral("作成後にPDFビューアで開く"), this), "chkOpenViewer");

    auto *ok = Named(new QPushButton(QStringLiteral("作成"), this), "btnOK");
    auto *cancel = Named(new QPushButton(QStringLiteral("キャンセル"), this), "btnCancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("単元:"), Row({unitLabel, otherUnitButton}));
    form->addRow(QStringLiteral("問題の順番:"), Row({unitOrderButton, shuffledButton}));
    form->addRow(QStringLiteral("シャッフル番号:"), Row({seedSpin, newSeedButton}));
    form->addRow(QString(), seedNote);
    form->addRow(QStringLiteral("1ページの問題数:"), Row({fourButton, sixButton}));
    form->addRow(QStringLiteral("座標面の大きさ:"), Row({planeSizeSpin}));
    form->addRow(QString(), answerKeySwitch);
    form->addRow(QString(), openSwitch);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addLayout(buttons);

    newSeed();
    orderSwitched();
}

void WorksheetDialog::setUnitTitle(const QString &title)
{
    unitLabel->setText(ShownTitle(title));
}

WorksheetOptions WorksheetDialog::options() const
{
    WorksheetOptions o;
    o.shuffled = shuffledButton->isChecked();
    o.seed = std::uint32_t(seedSpin->value());
    o.answerKey = answerKeySwitch->isChecked();
    o.perPage = sixButton->isChecked() ? 6 : 4;
    o.planePercent = planeSizeSpin->value();
    o.openAfterwards = openSwitch->isChecked();
    return o;
}

void WorksheetDialog::setOptions(const WorksheetOptions &o)
{
    (o.shuffled ? shuffledButton : unitOrderButton)->setChecked(true);
    seedSpin->setValue(int(std::min<std::uint32_t>(o.seed, Worksheet::LargestSeed)));
    answerKeySwitch->setChecked(o.answerKey);
    (o.perPage == 6 ? sixButton : fourButton)->setChecked(true);
    planeSizeSpin->setValue(o.planePercent);
    openSwitch->setChecked(o.openAfterwards);
    orderSwitched();
}

void WorksheetDialog::newSeed()
{
    seedSpin->setValue(int(QRandomGenerator::global()->bounded(1, Worksheet::LargestSeed + 1)));
}

void WorksheetDialog::orderSwitched()
{
    // The number matters only for a mixed order.
    seedSpin->setEnabled(shuffledButton->isChecked());
    newSeedButton->setEnabled(shuffledButton->isChecked());
}
