#include "plane/Convert.h"
#include "plane/Cp932.h"
#include "plane/Prompt.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTextIo : public QObject {
    Q_OBJECT
private slots:
    void decodesCp932_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("relation signs") << QByteArray("\x81\x85\x81\x83\x81\x86\x81\x84") << QStringLiteral("≦＜≧＞");
        QTest::newRow("title") << QByteArray("\x90\x56\x82\xb5\x82\xa2\x92\x50\x8c\xb3") << QStringLiteral("新しい単元");
        // 0x5C and 0x5B can be CP932 trail bytes; they must not split a character.
        QTest::newRow("trail bytes [ and \\") << QByteArray("\x81\x5b\x83\x5c") << QStringLiteral("ーソ");
        QTest::newRow("half-width katakana") << QByteArray("\xb7\xac\xdd\xbe\xd9") << QStringLiteral("ｷｬﾝｾﾙ");
        QTest::newRow("ascii") << QByteArray("16711680,16") << QStringLiteral("16711680,16");
    }
    void decodesCp932()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeCp932(bytes), std::optional<QString>(text));
        QCOMPARE(EncodeCp932(text), std::optional<QByteArray>(bytes));
    }

    void refusesWhatIsNotCp932()
    {
        QVERIFY(!DecodeCp932(QByteArray("\x82\x20", 2)));  // lead byte without a valid trail
        QVERIFY(!DecodeCp932(QByteArray("abc\x81", 4)));     // cut in the middle of a character
        QVERIFY(!EncodeCp932(QString::fromUtf8("😀")));
    }

    void splitsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("bare lf") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("no final end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << QStringLiteral("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("empty text") << QString() << QStringList{};
        QTest::newRow("lone cr stays in the line") << QStringLiteral("a\rb\n") << QStringList{"a\rb"};
    }
    void splitsLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitTextLines(text), lines);
    }

    void writesCrLfAndReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("u.prb"));
        const QStringList lines{QStringLiteral("放物線の単元"), QStringLiteral("y = -1/2(x+1)^2 (-1≦x＜3)")};
        QVERIFY(WriteCp932Lines(path, lines));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QVERIFY(raw.endsWith("\r\n"));
        QCOMPARE(raw.count("\r\n"), 2);
        QStringList back;
        QVERIFY(ReadCp932Lines(path, back));
        QCOMPARE(back, lines);
    }

    void failedWriteKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("u.prb"));
        QVERIFY(WriteCp932Lines(path, {QStringLiteral("old")}));
        QString why;
        QVERIFY(!WriteCp932Lines(path, {QString::fromUtf8("😀")}, &why));
        QVERIFY(!why.isEmpty());
        QStringList back;
        QVERIFY(ReadCp932Lines(path, back));
        QCOMPARE(back, QStringList{QStringLiteral("old")});
        QVERIFY(!WriteCp932Lines(dir.path(), {QStringLiteral("x")}, &why));  // a folder
    }

    void invalidFileIsReportedNotDecoded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.prb"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("title\r\n\x82\x20\r\n");
        f.close();
        QStringList lines;
        QString why;
        QVERIFY(!ReadCp932Lines(path, lines, &why));
        QVERIFY(!ReadCp932Lines(dir.filePath(QStringLiteral("missing.prb")), lines, &why));
    }

    void convertsIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "16" << true << 16;
        QTest::newRow("negative") << "-99" << true << -99;
        QTest::newRow("plus") << "+5" << true << 5;
        QTest::newRow("blanks around") << " 12 " << true << 12;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("hex") << "0x10" << false << 0;
        QTest::newRow("full-width digits") << "１６" << false << 0;
        QTest::newRow("blank only") << " " << false << 0;
    }
    void convertsIntegers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        try {
            QCOMPARE(StrToInt(text), value);
            QVERIFY(ok);
        } catch (const UserError &e) {
            QVERIFY(!ok);
            QCOMPARE(e.text(), QStringLiteral("'%1' は整数ではありません").arg(text));
        }
    }

    void emptySettingTextIsZero()
    {
        QCOMPARE(SettingInt(QString()), 0);
        QVERIFY_THROWS_EXCEPTION(UserError, SettingInt(QStringLiteral("x")));
    }
};

QTEST_APPLESS_MAIN(TestTextIo)
#include "tst_textio.moc"
