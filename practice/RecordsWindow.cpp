#include "practice/RecordsWindow.h"

#include "files/ProfileFile.h"
#include "files/Records.h"
#include "files/TitleText.h"
#include "files/UnitFile.h"
#include "lessons/UnitFolder.h"
#include "plane/Fonts.h"
#include "ui/Accessible.h"
#include "ui/Prompt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPushButton>
#include <functional>

namespace {
// A list whose keyboard moves count as clicks, so arrow keys show a unit's
// runs; a click or a focus change alone does not refill the memo twice.
class TitleList final : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void(int)> moved;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        const int before = currentRow();
        QListWidget::keyPressEvent(e);
        if (currentRow() != before && currentRow() >= 0 && moved)
            moved(currentRow());
    }
};
}  // namespace

namespace {
// The glyph of "戻る", drawn here: looking the style's icon up in the icon
// theme cost more start-up time than the whole window.
QIcon ReturnGlyph()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x80, 0x20));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(3.5, 8), QPointF(8.5, 3.5), QPointF(8.5, 6), QPointF(12.5, 6),
                             QPointF(12.5, 10), QPointF(8.5, 10), QPointF(8.5, 12.5)}));
    return QIcon(pm);
}
}  // namespace

RecordsWindow::RecordsWindow(const AppFolder &folder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint), m_folder(folder)
{
    setObjectName(QStringLiteral("frmKiroku"));
    setWindowTitle(QStringLiteral("実行記録"));
    setFixedSize(640, 480);
    setFont(Fonts::PixelFace(Fonts::Gothic, 12));

    promptLabel = new QLabel(QStringLiteral("単元をクリックして下さい"), this);
    promptLabel->setObjectName(QStringLiteral("Label1"));
    promptLabel->move(32, 8);
    promptLabel->adjustSize();

    auto *list = new TitleList(this);
    titleList = list;
    titleList->setObjectName(QStringLiteral("lstTitle"));
    titleList->setGeometry(16, 32, 225, 345);
    titleList->setFont(Fonts::PixelFace(Fonts::FixedGothic, 15));
    titleList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->moved = [this](int row) { titleListClicked(row); };
    connect(titleList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { titleListClicked(titleList->row(item)); });

    detailView = new QPlainTextEdit(this);
    detailView->setObjectName(QStringLiteral("memDetail"));
    detailView->setGeometry(256, 32, 361, 377);
    detailView->setFont(Fonts::PixelFace(Fonts::FixedGothic, 13));
    detailView->setReadOnly(true);
    detailView->setLineWrapMode(QPlainTextEdit::NoWrap);
    detailView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    detailView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    returnButton = new QPushButton(ReturnGlyph(), QStringLiteral("戻る"), this);
    returnButton->setObjectName(QStringLiteral("btnReturn"));
    returnButton->setGeometry(24, 400, 81, 41);
    connect(returnButton, &QPushButton::clicked, this, [this] { returnClicked(); });
    static constexpr ControlText texts[] = {
        {"lstTitle", "単元名の一覧", "クリックすると、その単元の練習の記録が右に出ます"},
        {"memDetail", "練習の記録", "選んだ単元の練習の日時、採点、かかった時間です"},
        {"btnReturn", "戻る", "この画面を閉じます"},
    };
    DescribeControls(this, texts);

    eraseButton = new QPushButton(QStringLiteral("記録消去"), this);
    eraseButton->setObjectName(QStringLiteral("btnErase"));
    eraseButton->setGeometry(136, 400, 81, 41);
    connect(eraseButton, &QPushButton::clicked, this, [this] { eraseClicked(); });
}

void RecordsWindow::showEvent(QShowEvent *e)
{
    prepareToShow();
    QDialog::showEvent(e);
}

void RecordsWindow::prepareToShow()
{
    // At the main window's top-left corner, wherever it has been moved to.
    if (QWidget *owner = parentWidget())
        move(owner->window()->frameGeometry().topLeft());
    detailView->clear();
    FillLists(true);
    if (m_folder.onCdRom && !m_toldNoRecords) {
        m_toldNoRecords = true;
        prompt().message(QStringLiteral("データフォルダに書き込めないため、練習の記録は保存されません"));
    }
}

void RecordsWindow::FillLists(bool tell)
{
    const ProfileFile records = ProfileFile::load(RecordFilePath(m_folder.dir));
    if (tell && !records.canWrite())
        prompt().message(records.problemText() + QStringLiteral("\n記録は表示できません。"), MessageKind::Error);
    m_reserve.clear();
    titleList->clear();
    const QString folder = DataFolder(m_folder.dir);
    for (const QString &file : UnitFilesIn(folder, false)) {
        const QString title = ReadUnitTitle(folder + file);
        m_reserve.append(title);
        titleList->addItem(QString::number(records.keyCount(title)) + QStringLiteral("回 ") +
                           ShownTitle(title));
    }
}

void RecordsWindow::titleListClicked(int row)
{
    if (row < 0 || row >= m_reserve.size())
        return;
    const QString &title = m_reserve[row];
    const ProfileFile records = ProfileFile::load(RecordFilePath(m_folder.dir));
    const int count = records.keyCount(title);
    detailView->clear();
    if (count == 0) {
        detailView->appendPlainText(QStringLiteral("練習の記録はありません"));
        return;
    }
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(records.value(title, QString::number(i), QStringLiteral("?")));
    detailView->setPlainText(lines.join(QLatin1Char('\n')));
}

void RecordsWindow::eraseClicked()
{
    QList<int> rows;
    for (int i = 0; i < titleList->count(); ++i)
        if (titleList->item(i)->isSelected())
            rows.append(i);
    if (rows.isEmpty()) {
        prompt().message(QStringLiteral("消去する単元を選んでください"));
        return;
    }
    if (prompt().askYesNo(QStringLiteral("記録を消してもいいですか？")) != Answer::Yes)
        return;
    // Under the record file's lock, so a run recorded meanwhile is kept.
    ShowMessages(ProfileFile::update(RecordFilePath(m_folder.dir), [&](ProfileFile &records) {
                     int erased = 0;
                     for (int row : rows) {
                         if (titleList->item(row)->text().startsWith(QLatin1Char('0')) ||
                             row >= m_reserve.size())
                             continue;
                         erased += records.eraseSection(m_reserve[row]);
                     }
                     return erased > 0;
                 }).messages);
    detailView->clear();
    FillLists(false);
}

void RecordsWindow::returnClicked()
{
    detailView->clear();
    done(1);
}
