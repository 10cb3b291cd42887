#include "app/HelpWindow.h"

#include "app/AppInfo.h"
#include "ui/Accessible.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// Outside any namespace: the macro declares the resource's init function.
static void InitHelpResource()
{
    // The resource lives in a static library; nothing else would pull it in.
    Q_INIT_RESOURCE(help);
}

namespace {
const QString ResourceDocument = QStringLiteral("qrc:/help/Marend.hlp");
} // namespace

QString HelpAnchor(int context)
{
    return QStringLiteral("ctx") + QString::number(context);
}

QUrl HelpDocumentUrl(const QString &appDir)
{
    const QFileInfo local(appDir + AppInfo::HelpFile);
    if (!appDir.isEmpty() && local.isFile())
        return QUrl::fromLocalFile(local.absoluteFilePath());
    return QUrl(ResourceDocument);
}

HelpWindow::HelpWindow(const AppFolder &folder, QWidget *parent) : QDialog(parent), m_folder(folder)
{
    InitHelpResource();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(AppInfo::Title + QStringLiteral(" - ヘルプ"));
    setModal(false);
    resize(720, 600);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(false);
    Describe(m_browser, QStringLiteral("ヘルプ"), QStringLiteral("使い方の説明です"));

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *contentsButton = button("btnContents", QStringLiteral("目次"));
    QPushButton *backButton = button("btnBack", QStringLiteral("戻る"));
    QPushButton *forwardButton = button("btnForward", QStringLiteral("進む"));
    QPushButton *closeButton = button("btnClose", QStringLiteral("閉じる"));
    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(contentsButton, &QPushButton::clicked, this, [this] { ShowHelpContents(); });
    connect(backButton, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forwardButton, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, backButton, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forwardButton, &QPushButton::setEnabled);

    auto *bar = new QHBoxLayout;
    for (QPushButton *b : {contentsButton, backButton, forwardButton})
        bar->addWidget(b);
    bar->addStretch();
    bar->addWidget(closeButton);
    auto *root = new QVBoxLayout(this);
    root->addLayout(bar);
    root->addWidget(m_browser, 1);
}

void HelpWindow::ShowHelp(int context)
{
    // Shown first, so the browser has its real width when it scrolls.
    show();
    raise();
    activateWindow();
    QUrl url = HelpDocumentUrl(m_folder.dir);
    url.setFragment(HelpAnchor(context));
    m_browser->setSource(url, QTextDocument::HtmlResource);
}

void HelpWindow::ShowHelpContents()
{
    ShowHelp(HelpContext::Contents);
}
