#include "document/UnitDocument.h"
#include "files/Cp932.h"
#include "files/TitleText.h"
#include "files/UnitFile.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "plane/Fonts.h"
#include "support/Children.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A title of about 4 MB in the file (two bytes a character), as a
// hand-made unit file can hold.
QString HugeTitle()
{
    return QStringLiteral("長い単元名").repeated(400 * 1024);
}
}  // namespace

class TestUnitDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;

private slots:
    void initTestCase() { RegisterFontSubstitutions(); }
    void init()
    {
        m_prompt.clear();
        TestSettings() = ViewSettings{};
        TestFolder() = AppFolder{};
        TestFolder().dir = m_dir.path() + QLatin1Char('/');
        QDir(m_dir.path()).mkpath(QStringLiteral("DATA"));
    }

    // A title is one line of the unit file: control characters never get
    // into the title field, pasted or set.
    void titleFieldLeavesOutControls_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("pasted line feed") << QStringLiteral("改行\n入り") << QStringLiteral("改行入り");
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("ab");
        QTest::newRow("tab") << QStringLiteral("二次\t関数") << QStringLiteral("二次関数");
        QTest::newRow("NUL") << QString::fromUtf16(u"前\0後", 3) << QStringLiteral("前後");
        QTest::newRow("C1 control") << QStringLiteral("x\u0085y") << QStringLiteral("xy");
        QTest::newRow("line separator") << QStringLiteral("x\u2028y") << QStringLiteral("xy");
        QTest::newRow("visible text stays") << QStringLiteral(" 単元 その１ ") << QStringLiteral(" 単元 その１ ");
    }
    void titleFieldLeavesOutControls()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        UnitTitleDialog w(TestFolder());
        QLineEdit *field = Child<QLineEdit>(&w, "edtTangen");
        field->setText(QStringLiteral("[]"));
        field->setCursorPosition(1);
        QGuiApplication::clipboard()->setText(text);
        field->paste();
        QCOMPARE(field->text(), QLatin1Char('[') + title + QLatin1Char(']'));
        QCOMPARE(field->cursorPosition(), 1 + title.size());  // right after the pasted text
        field->setText(text);
        QTEST(field->text(), "title");
    }

    // The unit file is CP932: a title it cannot hold is refused when OK is
    // pressed, naming the character, and the dialog stays open.
    void titleOutsideCp932IsRefused_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("emoji") << QStringLiteral("放物線😀") << QStringLiteral("単元名の「😀」（U+1F600）はファイルに保存できない文字です");
        QTest::newRow("accented letter") << QStringLiteral("café") << QStringLiteral("単元名の「é」（U+00E9）はファイルに保存できない文字です");
        QTest::newRow("hangul") << QStringLiteral("한글") << QStringLiteral("単元名の「한」（U+D55C）はファイルに保存できない文字です");
        QTest::newRow("CP932 extensions are fine") << QStringLiteral("髙橋の①") << QString();
        QTest::newRow("half-width kana are fine") << QStringLiteral("ｷｬﾝｾﾙ") << QString();
    }
    void titleOutsideCp932IsRefused()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        UnitTitleDialog w(TestFolder());
        w.show();
        Child<QLineEdit>(&w, "edtTangen")->setText(title);
        w.okClicked();
        QCOMPARE(m_prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(w.result(), message.isEmpty() ? 1 : 0);
        QCOMPARE(w.isVisible(), !message.isEmpty());
        QCOMPARE(EncodeCp932(title).has_value(), message.isEmpty());
        QVERIFY(QDir(m_dir.filePath(QStringLiteral("DATA"))).isEmpty());
    }

    // The unit window keeps the title an overwrite writes: whole, without
    // control characters; its label shows it cut when it is long, and a NUL
    // does not end it.
    void unitWindowTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("NUL from a file") << QString::fromUtf16(u"前\0後", 3) << QStringLiteral("前後") << QStringLiteral("前後");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("ab") << QStringLiteral("ab");
        const QString hundred = QStringLiteral("あ").repeated(100);
        QTest::newRow("100 characters are shown whole") << hundred << hundred << hundred;
        QTest::newRow("101 are cut") << hundred + QStringLiteral("い") << hundred + QStringLiteral("い")
                                     << hundred + QStringLiteral("…");
        QTest::newRow("4 MB") << HugeTitle() << HugeTitle() << HugeTitle().left(100) + QStringLiteral("…");
    }
    void unitWindowTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, kept);
        QFETCH(QString, shown);
        UnitContentsWindow w;
        UnitDocument doc;
        UnitContents unit;
        unit.lines = QStringList{title, QStringLiteral("255,16")};
        doc.load(unit, QStringLiteral("u.prb"));
        w.setDocument(&doc);
        QCOMPARE(doc.title(), kept);
        QCOMPARE(Child<QLabel>(&w, "lblTangen")->text(), shown);
        w.show();
        QCOMPARE(Child<QPlainTextEdit>(&w, "memFile")->toPlainText(), shown + QStringLiteral("\n255,16"));
    }

    // The catalogue lists a 4 MB title cut, so it shows at once; the chosen
    // unit keeps its whole title for the practice record.
    void catalogueShowsLongTitlesCut()
    {
        const QString dir = m_dir.filePath(QStringLiteral("DATA/"));
        QVERIFY(WriteCp932Lines(dir + QStringLiteral("a.prb"), {HugeTitle(), QStringLiteral("255,16"),
                                                             QStringLiteral("y = x^2"), QStringLiteral("0,0"),
                                                             QStringLiteral("1,1"), QStringLiteral("-99,99")}));
        QVERIFY(WriteCp932Lines(dir + QStringLiteral("b.prb"), {QString::fromUtf16(u"前\0後", 3)}));
        UnitCatalogDialog w(TestSettings(), TestFolder());
        w.show();
        QListWidget *titles = Child<QListWidget>(&w, "lstTitle");
        QCOMPARE(titles->count(), 2);
        QCOMPARE(titles->item(0)->text(), HugeTitle().left(100) + QStringLiteral("…"));
        QCOMPARE(titles->item(1)->text(), QStringLiteral("前後"));
        titles->setCurrentRow(0);
        QCOMPARE(Child<QListWidget>(&w, "lstShiki")->count(), 1);
        w.okClicked();
        QCOMPARE(w.result(), 1);
        QCOMPARE(w.chosenUnit().unitTitle, HugeTitle());
        QCOMPARE(m_prompt.texts(), QStringList());
    }
};

QTEST_MAIN(TestUnitDialogs)
#include "tst_unitdialogs.moc"
