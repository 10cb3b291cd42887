// Controls and layout of the plane settings dialog.

#include "settings/PlaneSettingsDialog.h"
#include "settings/PlaneSettingsPresets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace setcood;

namespace {

// Text and spin fields share one width so that the columns line up.
int FieldWidth(const QWidget *w)
{
    return w->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 14;
}

QLineEdit *NewEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setFixedWidth(FieldWidth(e));
    return e;
}

QSpinBox *NewSpin(QWidget *parent, const char *name, SpinRange range, int value)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(range.min, range.max);
    s->setValue(value);
    s->setFixedWidth(FieldWidth(s));
    return s;
}

QCheckBox *NewCheck(QWidget *parent, const char *name, const QString &caption, bool on)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setChecked(on);
    return c;
}

// No button is a default: Enter in a field must not fire a preset.
QPushButton *NewButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLabel *NewLabel(QWidget *parent, const char *name, const QString &caption, QWidget *buddy)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

}  // namespace

void PlaneSettingsDialog::buildForm()
{
    auto *root = new QVBoxLayout(this);

    // One group per axis: label, field, preset buttons.
    auto axisGroup = [this](const char *name, const QString &title) {
        auto *g = new QGroupBox(title, this);
        g->setObjectName(QLatin1String(name));
        auto *grid = new QGridLayout(g);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        return std::pair{g, grid};
    };
    auto [xGroup, gridX] = axisGroup("grpX", QStringLiteral("横軸 (x)"));
    auto [yGroup, gridY] = axisGroup("grpY", QStringLiteral("縦軸 (y)"));

    sizeXField = NewEdit(xGroup, "edtSizeX");
    scaleXField = NewEdit(xGroup, "edtDX");
    startXField = NewEdit(xGroup, "edtStartX");
    endXField = NewEdit(xGroup, "edtEndX");
    tickNumbersXSpin = NewSpin(xGroup, "spnScaleNumberX", NumberingRange, 5);
    sizeYField = NewEdit(yGroup, "edtSizeY");
    scaleYField = NewEdit(yGroup, "edtDY");
    startYField = NewEdit(yGroup, "edtStartY");
    endYField = NewEdit(yGroup, "edtEndY");
    tickNumbersYSpin = NewSpin(yGroup, "spnScaleNumberY", NumberingRange, 5);

    struct Row {
        const char *label;
        QString caption;
        QWidget *field;
        int presets;  // a Field, or NoPresets
    };
    auto addRows = [this](QGroupBox *group, QGridLayout *grid, std::initializer_list<Row> rows) {
        int r = 0;
        for (const Row &row : rows) {
            grid->addWidget(NewLabel(group, row.label, row.caption, row.field), r, 0);
            grid->addWidget(row.field, r, 1);
            auto *buttons = new QHBoxLayout;
            buttons->setSpacing(2);
            for (const Preset &p : Presets) {
                if (p.field != row.presets)
                    continue;
                QPushButton *b = NewButton(group, p.button, QString::fromUtf8(p.caption));
                b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
                connect(b, &QPushButton::clicked, this,
                        [this, name = QString::fromLatin1(p.button)] { presetClicked(name); });
                buttons->addWidget(b);
            }
            buttons->addStretch();
            grid->addLayout(buttons, r, 2);
            ++r;
        }
    };
    addRows(xGroup, gridX,
            {{"lblSizeX", QStringLiteral("横の大きさ"), sizeXField, FSizeX},
             {"lblDX", QStringLiteral("目盛の間隔"), scaleXField, FDX},
             {"lblStartX", QStringLiteral("開始"), startXField, FStartX},
             {"lblEndX", QStringLiteral("終わり"), endXField, FEndX},
             {"lblScaleNumberX", QStringLiteral("目盛の数字"), tickNumbersXSpin, NoPresets}});
    addRows(yGroup, gridY,
            {{"lblSizeY", QStringLiteral("縦の大きさ"), sizeYField, FSizeY},
             {"lblDY", QStringLiteral("目盛の間隔"), scaleYField, FDY},
             {"lblStartY", QStringLiteral("開始"), startYField, FStartY},
             {"lblEndY", QStringLiteral("終わり"), endYField, FEndY},
             {"lblScaleNumberY", QStringLiteral("目盛の数字"), tickNumbersYSpin, NoPresets}});
    auto *axes = new QHBoxLayout;
    axes->addWidget(xGroup);
    axes->addWidget(yGroup);
    root->addLayout(axes);

    // Font size; the margin is kept and saved but not offered to the user.
    fontSizeSpin = NewSpin(this, "spnFontSize", FontSizeRange, 12);
    marginSpin = NewSpin(this, "spnYohaku", MarginRange, 1);
    marginLabel = NewLabel(this, "lblYohaku", QStringLiteral("余白"), marginSpin);
    marginSpin->hide();
    marginLabel->hide();
    auto *font = new QHBoxLayout;
    font->addWidget(NewLabel(this, "lblFontSize", QStringLiteral("文字の大きさ"), fontSizeSpin));
    font->addWidget(fontSizeSpin);
    font->addSpacing(16);
    font->addWidget(marginLabel);
    font->addWidget(marginSpin);
    font->addStretch();
    root->addLayout(font);

    axisNamesSwitch = NewCheck(this, "chkXY", QStringLiteral("X,Yを付ける"), true);
    ticksSwitch = NewCheck(this, "chkMemori", QStringLiteral("目盛を付ける"), true);
    coordinatesSwitch = NewCheck(this, "chkZahyou", QStringLiteral("座標を表示する"), true);
    auto *switches = new QHBoxLayout;
    for (QCheckBox *c : {axisNamesSwitch, ticksSwitch, coordinatesSwitch}) {
        switches->addWidget(c);
        // clicked, not toggled: putting back the shown values must not test.
        connect(c, &QCheckBox::clicked, this, [this] { switchClicked(); });
    }
    switches->addStretch();
    root->addLayout(switches);

    keepSwitch = NewCheck(this, "chkKeep", QStringLiteral("この設定を保存する"), false);
    testButton = NewButton(this, "btnTest", QStringLiteral("テスト(&T)"));
    okButton = NewButton(this, "btnOk", QStringLiteral("OK"));
    cancelButton = NewButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    connect(testButton, &QPushButton::clicked, this, [this] { testClicked(); });
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(keepSwitch);
    bottom->addStretch();
    bottom->addWidget(testButton);
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);
    root->addSpacing(6);
    root->addLayout(bottom);

    // Fixed before the window exists, so the size needs no later change.
    ensurePolished();
    setFixedSize(sizeHint());
}

QLineEdit *PlaneSettingsDialog::fieldOfPreset(int field) const
{
    switch (Field(field)) {
    case FSizeX: return sizeXField;
    case FSizeY: return sizeYField;
    case FDX: return scaleXField;
    case FDY: return scaleYField;
    case FStartX: return startXField;
    case FStartY: return startYField;
    case FEndX: return endXField;
    case FEndY: return endYField;
    }
    return nullptr;
}
