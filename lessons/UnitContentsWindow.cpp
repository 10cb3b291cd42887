#include "lessons/UnitContentsWindow.h"

#include "document/UnitDocument.h"
#include "files/TitleText.h"
#include "ui/Accessible.h"
#include "plane/Fonts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
QLabel *ValueLabel(QWidget *parent, const char *name, int x, int y)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, 177, 17);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::white);
    l->setPalette(pal);
    return l;
}
}  // namespace

UnitContentsWindow::UnitContentsWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTangen"));
    setWindowTitle(QStringLiteral("単元の内容"));
    setFixedSize(465, 325);

    (new QLabel(QStringLiteral("単元名"), this))->move(24, 37);
    (new QLabel(QStringLiteral("ﾌｧｲﾙ名"), this))->move(24, 85);
    (new QLabel(QStringLiteral("ﾃﾞｰﾀ数"), this))->move(24, 133);
    (new QLabel(QStringLiteral("ファイルの内容"), this))->move(272, 16);
    titleLabel = ValueLabel(this, "lblTangen", 72, 32);
    fileNameLabel = ValueLabel(this, "lblFileName", 72, 80);
    countLabel = ValueLabel(this, "lblNline", 72, 128);

    unitTextView = new QPlainTextEdit(this);
    unitTextView->setObjectName(QStringLiteral("memFile"));
    unitTextView->setGeometry(264, 32, 185, 257);
    unitTextView->setReadOnly(true);
    unitTextView->setLineWrapMode(QPlainTextEdit::NoWrap);
    unitTextView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    returnButton = new QPushButton(QStringLiteral("戻る"), this);
    returnButton->setObjectName(QStringLiteral("btnReturn"));
    returnButton->setGeometry(128, 192, 73, 33);
    returnButton->setFont(Fonts::PixelFace(Fonts::Gothic, 16));
    connect(returnButton, &QPushButton::clicked, this, [this] { done(1); });
    static constexpr ControlText texts[] = {
        {"lblTangen", "単元名", "開いている単元の名前です"},
        {"lblFileName", "ファイル名", "開いている単元のファイル名です"},
        {"lblNline", "データ数", "単元の放物線の数です"},
        {"memFile", "ファイルの内容", "単元のファイルの中身です"},
        {"btnReturn", "戻る", "この画面を閉じます"},
    };
    DescribeControls(this, texts);
}

void UnitContentsWindow::setDocument(const UnitDocument *doc)
{
    m_doc = doc;
    connect(doc, &UnitDocument::namesChanged, this, &UnitContentsWindow::showNames);
    connect(doc, &UnitDocument::changed, this, &UnitContentsWindow::showCount);
    showNames();
    showCount();
}

void UnitContentsWindow::showNames()
{
    titleLabel->setText(ShownTitle(m_doc->title()));
    fileNameLabel->setText(m_doc->filePath());
}

void UnitContentsWindow::showCount()
{
    countLabel->setText(QString::number(m_doc->count()));
}

void UnitContentsWindow::refreshMemo()
{
    // Lines are cut as titles are, so a long one cannot stall the window.
    QStringList shown;
    if (m_doc)
        for (const QString &line : m_doc->fileLines())
            shown << ShownTitle(line);
    unitTextView->setPlainText(shown.join(QLatin1Char('\n')));
}

void UnitContentsWindow::showEvent(QShowEvent *e)
{
    refreshMemo();
    QDialog::showEvent(e);
}
