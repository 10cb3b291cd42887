#include "settings/LineKindDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

using LineKind = LineKindDialog::LineKind;

constexpr char SegmentCaption[] = "線分の変域";
constexpr char HalfLineCaption[] = "半直線の変域";

// One radio group. Its buttons are named prefix + value, the first one
// standing for `first`, so that the button of a value is found by name.
struct Group {
    const char *name;
    const char *caption;
    const char *prefix;
    int first;
    std::array<const char *, 4> buttons;  // captions top to bottom; nullptr ends
    int LineKind::*field;
};

// In the order the showing checks them: the mode first, so that the end
// groups are already enabled to match when their buttons are checked.
constexpr Group Groups[] = {
    {"gbxKind", "変域", "rbtLMode", 0, {"全域", "中央", "右側", "左側"}, &LineKind::Mode},
    {"gbxWidth", "太さ", "rbtLWidth", 1, {"1ﾄﾞｯﾄ", "2ﾄﾞｯﾄ", "3ﾄﾞｯﾄ"}, &LineKind::Width},
    {"gbxHeniki1", SegmentCaption, "rbtSenHeniki", 0,
     {"≦　≦", "≦　＜", "＜　≦", "＜　＜"}, &LineKind::SegmentEnds},
    {"gbxHeniki2", HalfLineCaption, "rbtHanHeniki", 0, {"≦", "＜"}, &LineKind::HalfLineEnds},
};

QString ButtonName(const Group &g, int value)
{
    return QLatin1String(g.prefix) + QString::number(value);
}

// A disabled end group also loses its caption, so that only the groups
// that matter for the chosen mode are labelled. Without a caption the box
// would lift its contents; the layout's top margin takes up the difference
// so that the buttons stay where they stand.
void ShowGroup(QGroupBox *g, bool enabled, const char *caption)
{
    const int top = g->contentsRect().top();
    g->setEnabled(enabled);
    g->setTitle(enabled ? QString::fromUtf8(caption) : QString());
    QLayout *l = g->layout();
    QMargins m = l->contentsMargins();
    m.setTop(m.top() + top - g->contentsRect().top());
    l->setContentsMargins(m);
}

}  // namespace

LineKindDialog::LineKindDialog(DrawingSettings &draw, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_draw(draw)
{
    setObjectName(QStringLiteral("frmSettei"));
    setWindowTitle(QStringLiteral("線の種類"));
    buildForm();
}

void LineKindDialog::buildForm()
{
    auto *root = new QVBoxLayout(this);
    auto *groups = new QHBoxLayout;
    for (const Group &g : Groups) {
        auto *box = new QGroupBox(QString::fromUtf8(g.caption), this);
        box->setObjectName(QLatin1String(g.name));
        auto *column = new QVBoxLayout(box);
        int value = g.first;
        for (const char *caption : g.buttons) {
            if (!caption)
                break;
            auto *b = new QRadioButton(QString::fromUtf8(caption), box);
            b->setObjectName(ButtonName(g, value));
            // clicked, not toggled: the showing checks the buttons itself and
            // runs the action once, even for a button already checked.
            connect(b, &QRadioButton::clicked, this,
                    [this, field = g.field, value] { choose(field, value); });
            column->addWidget(b);
            ++value;
        }
        column->addStretch();
        groups->addWidget(box, 0, Qt::AlignTop);
    }
    segmentEndsGroup = findChild<QGroupBox *>(QStringLiteral("gbxHeniki1"));
    halfLineEndsGroup = findChild<QGroupBox *>(QStringLiteral("gbxHeniki2"));
    root->addLayout(groups);

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    QPushButton *okButton = button("btnOK", QStringLiteral("OK"));
    QPushButton *cancelButton = button("btnCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    QPushButton *testButton = button("btnTest", QStringLiteral("テスト"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
    connect(testButton, &QPushButton::clicked, this, [this] { testClicked(); });
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    for (QPushButton *b : {okButton, cancelButton, testButton})
        bottom->addWidget(b);
    bottom->addStretch();
    root->addLayout(bottom);

    // Sized with every caption shown, wide enough for the caption and as high
    // as the highest group; the groups keep that size when an end group
    // loses its caption, so nothing shifts.
    ensurePolished();
    const QList<QGroupBox *> boxes = findChildren<QGroupBox *>();
    int height = 0;
    for (const QGroupBox *box : boxes)
        height = std::max(height, box->sizeHint().height());
    for (QGroupBox *box : boxes)
        box->setFixedSize(std::max(box->sizeHint().width(), box->minimumSizeHint().width()), height);
    setFixedSize(sizeHint());
}

void LineKindDialog::showEvent(QShowEvent *event)
{
    // Restoring from minimised is not a new showing.
    if (!event->spontaneous())
        prepareToShow();
    QDialog::showEvent(event);
}

void LineKindDialog::prepareToShow()
{
    if (QScreen *s = screen())
        move(s->geometry().topLeft());
    const DrawingSettings &d = m_draw;
    m_working = {ToInt(d.NextLineMode), d.LineWidth, d.SegmentEnds, d.HalfLineEnds};
    for (const Group &g : Groups) {
        const int value = m_working.*g.field;
        // The button may be in a disabled group: check it directly rather
        // than by a click, which a disabled button ignores.
        if (auto *b = findChild<QRadioButton *>(ButtonName(g, value))) {
            b->setChecked(true);
            choose(g.field, value);
        }
    }
}

void LineKindDialog::choose(int LineKind::*field, int value)
{
    m_working.*field = value;
    if (field == &LineKind::Mode)
        enableEndGroups();
}

void LineKindDialog::enableEndGroups()
{
    const int mode = m_working.Mode;
    ShowGroup(segmentEndsGroup, mode == 1, SegmentCaption);
    ShowGroup(halfLineEndsGroup, mode == 2 || mode == 3, HalfLineCaption);
}

void LineKindDialog::okClicked()
{
    DrawingSettings &d = m_draw;
    d.NextLineMode = LineModeFromInt(m_working.Mode).value_or(LineMode::Whole);
    d.LineWidth = m_working.Width;
    // The whole curve has no ends; whatever the end groups still show is not
    // carried over.
    const bool whole = m_working.Mode == 0;
    d.SegmentEnds = whole ? 0 : m_working.SegmentEnds;
    d.HalfLineEnds = whole ? 0 : m_working.HalfLineEnds;
    if (onApplied)
        onApplied();
    accept();
}

// Escape and the title bar's close run reject() as well; the copies are
// simply not applied, and the next showing takes fresh ones.
void LineKindDialog::cancelClicked()
{
    reject();
}

void LineKindDialog::testClicked()
{
    if (onRedraw)
        onRedraw();
}
