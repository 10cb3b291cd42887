#include "app/HelpWindow.h"
#include "plane/Fonts.h"
#include "support/Children.h"
#include "support/TestSettings.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>
#include <optional>

namespace {
QString ResourceText()
{
    QFile f(QStringLiteral(":/help/Marend.hlp"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// The block that carries the anchor, if any.
std::optional<QTextBlock> AnchorBlock(const QTextDocument &doc, const QString &name)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name))
                return b;
    return std::nullopt;
}

bool HasAnchor(const QTextBlock &b)
{
    for (auto it = b.begin(); !it.atEnd(); ++it)
        if (!it.fragment().charFormat().anchorNames().isEmpty())
            return true;
    return false;
}

// Top of the anchor's block relative to the top of the browser's viewport.
qreal AnchorTopOnScreen(QTextBrowser *b, const QString &name)
{
    const auto block = AnchorBlock(*b->document(), name);
    if (!block)
        return -1;
    return b->document()->documentLayout()->blockBoundingRect(*block).top() - b->verticalScrollBar()->value();
}

QStringList Anchors(const QTextDocument &doc)
{
    QStringList names;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            names << it.fragment().charFormat().anchorNames();
    return names;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Sets the application folder for one test and puts it back afterwards.
struct AppDirAs {
    QString previous = TestFolder().dir;
    explicit AppDirAs(const QString &dir) { TestFolder().dir = dir; }
    ~AppDirAs() { TestFolder().dir = previous; }
};
} // namespace

class TestHelp : public QObject {
    Q_OBJECT

    QTemporaryDir m_noHelp; // an application folder without a help file

private slots:
    void initTestCase()
    {
        RegisterFontSubstitutions();
        QVERIFY(m_noHelp.isValid());
    }

    void everyContextHasItsSection_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("heading");
        QTest::newRow("main window") << 100 << "使い方";
        QTest::newRow("formula list") << 104 << "式の一覧";
        QTest::newRow("file menu") << 214 << "ファイル";
        QTest::newRow("correction, clear all") << 216 << "訂正と全部消去";
        QTest::newRow("line kind, line colour") << 218 << "線の種類と線の色";
        QTest::newRow("test, practice") << 220 << "練習とテスト";
        QTest::newRow("unit content, records") << 222 << "単元の内容と練習の記録";
        QTest::newRow("contents") << 224 << "目次";
        QTest::newRow("one point") << 230 << "ワンポイント";
        QTest::newRow("open dialog") << 1213 << "開く";
    }
    void everyContextHasItsSection()
    {
        QFETCH(int, context);
        QFETCH(QString, heading);
        QTextDocument doc;
        doc.setHtml(ResourceText());
        const auto block = AnchorBlock(doc, HelpAnchor(context));
        QVERIFY2(block, qPrintable(HelpAnchor(context)));
        QVERIFY2(block->text().contains(heading), qPrintable(block->text()));
        // Real text follows, up to the next section, not an empty stub.
        QString body;
        for (QTextBlock b = block->next(); b.isValid() && !HasAnchor(b); b = b.next())
            body += b.text();
        QVERIFY2(body.size() >= 150, qPrintable(body));
    }

    void anchorsAreUniqueAndLinksResolve()
    {
        QTextDocument doc;
        doc.setHtml(ResourceText());
        const QStringList anchors = Anchors(doc);
        QCOMPARE(QSet<QString>(anchors.begin(), anchors.end()).size(), anchors.size());
        int links = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                if (href.isEmpty())
                    continue;
                ++links;
                QVERIFY2(href.startsWith(QLatin1Char('#')), qPrintable(href));
                QVERIFY2(anchors.contains(href.mid(1)), qPrintable(href));
            }
        QVERIFY(links >= 10);
    }

    void showHelpScrollsToTheAnchor_data()
    {
        QTest::addColumn<int>("context");
        QTest::newRow("one point, near the end") << 230;
        QTest::newRow("practice, in the middle") << 220;
        QTest::newRow("open dialog") << 1213;
        QTest::newRow("formula list") << 104;
    }
    void showHelpScrollsToTheAnchor()
    {
        QFETCH(int, context);
        AppDirAs dir(m_noHelp.path() + QLatin1Char('/'));
        HelpWindow w(TestFolder());
        w.ShowHelp(context);
        QVERIFY(w.isVisible());
        QVERIFY(!w.isModal());
        QTextBrowser *b = Child<QTextBrowser>(&w, "txtHelp");
        QCOMPARE(b->source().fragment(), HelpAnchor(context));
        // The anchor's heading lies in the upper half of the visible page.
        QVERIFY(b->verticalScrollBar()->value() > 0);
        const qreal top = AnchorTopOnScreen(b, HelpAnchor(context));
        QVERIFY2(top >= 0 && top < b->viewport()->height() / 2, qPrintable(QString::number(top)));
    }

    void contentsAndBack()
    {
        AppDirAs dir(m_noHelp.path() + QLatin1Char('/'));
        HelpWindow w(TestFolder());
        QCOMPARE(w.windowTitle(), QStringLiteral("Quorvel 放物線／学習ツール - ヘルプ"));
        w.ShowHelp(HelpContext::OnePoint);
        w.ShowHelpContents();
        QCOMPARE(Child<QTextBrowser>(&w, "txtHelp")->source().fragment(), QStringLiteral("ctx224"));
        QVERIFY(Child<QTextBrowser>(&w, "txtHelp")->verticalScrollBar()->value() < 20);
        QVERIFY(AnchorTopOnScreen(Child<QTextBrowser>(&w, "txtHelp"), QStringLiteral("ctx224")) >= 0);
        auto *back = w.findChild<QPushButton *>(QStringLiteral("btnBack"));
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(Child<QTextBrowser>(&w, "txtHelp")->source().fragment(), QStringLiteral("ctx230"));
        QVERIFY(Child<QTextBrowser>(&w, "txtHelp")->verticalScrollBar()->value() > 0);
    }

    void fileInAppDirWins()
    {
        QTemporaryDir tmp;
        const QString appDir = tmp.path() + QLatin1Char('/');
        WriteFile(appDir + QStringLiteral("Marend.hlp"),
                  QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                                 "<h1><a name=\"ctx230\"></a>学校のワンポイント</h1><p>独自の説明</p>"
                                 "</body></html>")
                      .toUtf8());
        AppDirAs dir(appDir);
        QCOMPARE(HelpDocumentUrl(appDir), QUrl::fromLocalFile(appDir + QStringLiteral("Marend.hlp")));

        HelpWindow w(TestFolder());
        w.ShowHelp(HelpContext::OnePoint);
        QCOMPARE(Child<QTextBrowser>(&w, "txtHelp")->source().toLocalFile(),
                 QDir(tmp.path()).filePath(QStringLiteral("Marend.hlp")));
        QVERIFY(Child<QTextBrowser>(&w, "txtHelp")->toPlainText().contains(QStringLiteral("学校のワンポイント")));
        QVERIFY(!Child<QTextBrowser>(&w, "txtHelp")->toPlainText().contains(QStringLiteral("開き具合と a の大きさ")));

        // Removed while the program runs: the next showing takes the built-in copy.
        QVERIFY(QFile::remove(appDir + QStringLiteral("Marend.hlp")));
        w.ShowHelp(HelpContext::OnePoint);
        QCOMPARE(Child<QTextBrowser>(&w, "txtHelp")->source().scheme(), QStringLiteral("qrc"));
        QVERIFY(Child<QTextBrowser>(&w, "txtHelp")->toPlainText().contains(QStringLiteral("開き具合と a の大きさ")));
    }

    void missingFileFallsBackToResource_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no help file") << "none";
        QTest::newRow("a folder named Marend.hlp") << "folder";
        QTest::newRow("folder does not exist") << "missing";
    }
    void missingFileFallsBackToResource()
    {
        QFETCH(QString, setup);
        QTemporaryDir tmp;
        QString appDir = tmp.path() + QLatin1Char('/');
        if (setup == QLatin1String("folder"))
            QVERIFY(QDir(tmp.path()).mkdir(QStringLiteral("Marend.hlp")));
        else if (setup == QLatin1String("missing"))
            appDir = tmp.path() + QStringLiteral("/gone/");
        AppDirAs dir(appDir);
        QCOMPARE(HelpDocumentUrl(appDir), QUrl(QStringLiteral("qrc:/help/Marend.hlp")));
        HelpWindow w(TestFolder());
        w.ShowHelp(HelpContext::MainWindow);
        QVERIFY(Child<QTextBrowser>(&w, "txtHelp")->toPlainText().contains(QStringLiteral("放物線をかく")));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
