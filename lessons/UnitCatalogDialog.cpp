#include "lessons/UnitCatalogDialog.h"

#include "files/TitleText.h"
#include "files/UnitFile.h"
#include "lessons/UnitFolder.h"
#include "plane/Fonts.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "ui/Accessible.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"
#include "ui/Prompt.h"

#include <QGuiApplication>
#include <QShowEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

UnitCatalogDialog::UnitCatalogDialog(const ViewSettings &view, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_view(view), m_folder(folder)
{
    setObjectName(QStringLiteral("frmTangenOpen"));
    setWindowTitle(QStringLiteral("単元で開く"));

    promptLabel = new QLabel(QStringLiteral("単元を選んでください"), this);
    promptLabel->setObjectName(QStringLiteral("Label1"));
    promptLabel->setFont(Fonts::PixelFace(Fonts::FixedGothic, 16));
    promptLabel->setGeometry(8, 16, 200, 20);
    titleList = new QListWidget(this);
    titleList->setObjectName(QStringLiteral("lstTitle"));
    titleList->setGeometry(8, 40, 169, 321);
    formulaList = new QListWidget(this);
    formulaList->setObjectName(QStringLiteral("lstShiki"));
    formulaList->setGeometry(184, 40, 121, 321);
    formulaList->setSelectionMode(QAbstractItemView::NoSelection);
    auto *label2 = new QLabel(QStringLiteral("ファイル名"), this);
    label2->setGeometry(312, 16, 56, 17);
    fileNameLabel = new QLabel(this);
    fileNameLabel->setObjectName(QStringLiteral("lblFileName"));
    fileNameLabel->setGeometry(368, 16, 113, 17);
    fileNameLabel->setAutoFillBackground(true);
    QPalette pal = fileNameLabel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    fileNameLabel->setPalette(pal);
    fileNameLabel->setFont(Fonts::PixelFace(Fonts::Gothic, 16));
    plane = new PlaneView(this);
    plane->setObjectName(QStringLiteral("imgCood"));
    plane->place(329, 41, 320, 320);

    okButton = new QPushButton(QStringLiteral("ＯＫ"), this);
    okButton->setObjectName(QStringLiteral("btnOK"));
    okButton->setGeometry(24, 384, 73, 33);
    cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancel"));
    cancelButton->setGeometry(120, 384, 73, 33);
    recordsButton = new QPushButton(QStringLiteral("記録を見る"), this);
    recordsButton->setObjectName(QStringLiteral("btnRecord"));
    recordsButton->setGeometry(216, 384, 73, 33);
    static constexpr ControlText texts[] = {
        {"lstTitle", "単元名の一覧", "選ぶと、その単元の式とグラフが右に出ます"},
        {"lstShiki", "式の一覧", "選んだ単元の放物線の式です"},
        {"lblFileName", "ファイル名", "選んだ単元のファイル名です"},
        {"imgCood", "グラフの見本", "選んだ単元の放物線をかいた座標平面です"},
        {"btnOK", "ＯＫ", "選んだ単元を開きます"},
        {"btnCancel", "キャンセル", "単元を開かずに閉じます"},
        {"btnRecord", "記録を見る", "練習の記録を表示します"},
    };
    DescribeControls(this, texts);

    // A unit is chosen by selecting it (click or arrow key). Focus alone
    // makes a line current without selecting it, and chooses nothing.
    connect(titleList, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> chosen = titleList->selectedItems();
        if (!chosen.isEmpty())
            titleListClicked(titleList->row(chosen.first()));
    });
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
    connect(recordsButton, &QPushButton::clicked, this, [this] {
        if (showRecords)
            showRecords();
    });
}

void UnitCatalogDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        prepareToShow();
}

void UnitCatalogDialog::prepareToShow()
{
    recordsButton->setEnabled(!(locked && locked()));
    if (mainSize) {
        const QSize s = mainSize();
        setFixedSize(s);
    }
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().topLeft());
    const QSize planeSize = mainPlaneSize ? mainPlaneSize() : QSize(320, 320);
    plane->place(329, 41, planeSize.width(), planeSize.height());
    drawPreviewPlane();
    const bool editing = m_forEditing;
    setWindowTitle(editing ? QStringLiteral("単元名で開く") : QStringLiteral("練習する単元名を開く"));

    const QSignalBlocker quiet(titleList);
    titleList->clear();
    formulaList->clear();
    fileNameLabel->clear();
    m_chosen.count = 0;
    const QString folder = DataFolder(m_folder.dir);
    m_files = UnitFilesIn(folder, editing);
    for (const QString &file : m_files)
        addTitle(ReadUnitTitle(folder + file));
}

// The list shows a title cut for display; the item keeps it whole for the
// practice record.
void UnitCatalogDialog::addTitle(const QString &title)
{
    auto *item = new QListWidgetItem(ShownTitle(title), titleList);
    item->setData(Qt::UserRole, title);
}

void UnitCatalogDialog::titleListClicked(int row)
{
    if (row < 0 || row >= m_files.size())
        return;
    fileNameLabel->setText(m_files[row]);
    drawPreviewPlane();
    formulaList->clear();
    m_chosen.count = 0;
    const auto unit = Shown(ReadPracticeUnit(DataFolder(m_folder.dir) + m_files[row],
                                             {m_view.Draw.LowerIncluded, m_view.Draw.UpperIncluded}));
    if (unit) {
        for (int i = 0; i < unit->count(); ++i)
            m_chosen.parabolas[std::size_t(i)] = unit->records[std::size_t(i)];
        m_chosen.count = unit->count();
        for (const QString &text : unit->listTexts)
            formulaList->addItem(ShownTitle(text));
    }
    if (m_chosen.count > 0)
        repaintAll();
}

bool UnitCatalogDialog::drawPreviewPlane()
{
    plane->dropGeometry();
    return Guarded([&] {
        plane->setPlaneGeometry(DrawPracticePlane(plane->picture(), m_view, plane->planeGeometry()));
    });
}

void UnitCatalogDialog::repaintAll()
{
    // The preview's curves are drawn with the preview plane's own geometry,
    // so they fit its grid.
    if (!drawPreviewPlane())
        return;
    const PlotContext ctx = plane->plotContext(m_view.Draw);
    const int n = std::min<int>(int(formulaList->count()), m_chosen.count);
    for (int i = 0; i < n; ++i)
        DrawParabola(plane->canvas(), m_chosen.parabolas[std::size_t(i)], false, ctx);
}

QString UnitCatalogDialog::chosenFileName() const
{
    return fileNameLabel->text();
}

void UnitCatalogDialog::okClicked()
{
    if (fileNameLabel->text().isEmpty()) {
        prompt().message(QStringLiteral("単元を選択してください"));
        return;
    }
    const QList<QListWidgetItem *> chosen = titleList->selectedItems();
    m_chosen.unitTitle = chosen.isEmpty() ? QString() : chosen.first()->data(Qt::UserRole).toString();
    done(1);
}

void UnitCatalogDialog::cancelClicked()
{
    done(2);
}
