#include "ui/QtTranslations.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>
#include <functional>

using DialogText = std::function<QString()>;
Q_DECLARE_METATYPE(DialogText)

namespace {
bool HasJapanese(const QString &text)
{
    for (const QChar ch : text)
        if (ch.unicode() >= 0x3040 && ch.unicode() <= 0x9FFF)  // kana and kanji
            return true;
    return false;
}
}  // namespace

class TestQtTranslations : public QObject {
    Q_OBJECT
    QTranslator *m_installed = nullptr;

private slots:
    void initTestCase()
    {
        m_installed = InstallQtTranslations(*qApp);
        QVERIFY2(m_installed, "qtbase_ja is missing: install qt6-translations-l10n");
    }

    void standardDialogsSpeakJapanese_data()
    {
        QTest::addColumn<DialogText>("text");
        QTest::newRow("colour dialog") << DialogText([] { return QColorDialog().windowTitle(); });
        QTest::newRow("open dialog") << DialogText([] {
            QFileDialog d;
            return d.labelText(QFileDialog::LookIn) + d.labelText(QFileDialog::FileType);
        });
        QTest::newRow("save dialog") << DialogText([] {
            QFileDialog d;
            d.setAcceptMode(QFileDialog::AcceptSave);
            return d.labelText(QFileDialog::Accept) + d.labelText(QFileDialog::FileName);
        });
        QTest::newRow("print dialog") << DialogText([] {
            QPrinter printer;
            return QPrintDialog(&printer).windowTitle();
        });
        QTest::newRow("message box cancel") << DialogText([] {
            QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
            return box.button(QMessageBox::Cancel)->text();
        });
    }
    void standardDialogsSpeakJapanese()
    {
        QFETCH(DialogText, text);
        const QString shown = text();
        QVERIFY2(HasJapanese(shown), qPrintable(shown));
    }

    void missingTranslationsAreQuiet()
    {
        QTemporaryDir empty;
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QCOMPARE(InstallQtTranslations(*qApp, empty.path()), nullptr);
    }

    void cleanupTestCase()
    {
        QCoreApplication::removeTranslator(m_installed);
        QColorDialog d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Select Color"));  // English again without it
    }
};

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
