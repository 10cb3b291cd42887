#include "files/Convert.h"
#include "files/Cp932.h"
#include "files/Messages.h"
#include "files/SafeFile.h"
#include "support/NonRegularFiles.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

class TestTextIo : public QObject {
    Q_OBJECT
private slots:
    void decodesCp932_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("relation signs")
            << QByteArray("\x81\x85\x81\x83\x81\x86\x81\x84") << QStringLiteral("≦＜≧＞");
        QTest::newRow("title") << QByteArray("\x90\x56\x82\xb5\x82\xa2\x92\x50\x8c\xb3")
                               << QStringLiteral("新しい単元");
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
        QVERIFY(!DecodeCp932(QByteArray("\x82\x20", 2))); // lead byte without a valid trail
        QVERIFY(!DecodeCp932(QByteArray("abc\x81", 4)));  // cut in the middle of a character
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
        QCOMPARE(why, QStringLiteral("CP932（シフトJIS）で表せない文字があります"));
        QStringList back;
        QVERIFY(ReadCp932Lines(path, back));
        QCOMPARE(back, QStringList{QStringLiteral("old")});
        QVERIFY(!WriteCp932Lines(dir.path(), {QStringLiteral("x")}, &why)); // a folder
        QCOMPARE(why, QStringLiteral("同じ名前のフォルダーがあります"));
        QVERIFY(!WriteCp932Lines(dir.filePath(QStringLiteral("no/u.prb")), {QStringLiteral("x")}, &why));
        QCOMPARE(why, QStringLiteral("保存先のフォルダーが見つかりません"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("u.prb")});
    }

    // Only regular files are read, never past the limit and never waiting
    // on a FIFO; each refusal says why in Japanese.
    void readFailures_data()
    {
        QTest::addColumn<QString>("kind"); // what is at the path
        QTest::addColumn<FileRead::Status>("status");
        QTest::addColumn<QString>("why");
        const auto failed = FileRead::Status::Failed;
        const auto special = FileRead::Status::NotRegular;
        QTest::newRow("missing") << "missing" << FileRead::Status::Missing << "ファイルが見つかりません";
        QTest::newRow("not CP932") << "bad bytes" << failed
                                   << "CP932（シフトJIS）として読めないバイトがあります";
        QTest::newRow("folder named x.prb") << "folder" << special << "ファイルではなくフォルダーです";
        QTest::newRow("FIFO named y.prb") << "fifo" << special << "通常のファイルではありません";
        QTest::newRow("symlink to /dev/zero") << "devzero" << special << "通常のファイルではありません";
        QTest::newRow("larger than the limit")
            << "large" << FileRead::Status::TooLarge << "ファイルが大きすぎます";
        // A file whose size says 0 is still read no further than the limit.
        QTest::newRow("size not known before")
            << "proc" << FileRead::Status::TooLarge << "ファイルが大きすぎます";
    }
    void readFailures()
    {
        QFETCH(QString, kind);
        QFETCH(FileRead::Status, status);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("y.prb"));
        QFile f(path);
        if (kind == QLatin1String("bad bytes") || kind == QLatin1String("large")) {
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(kind == QLatin1String("large") ? QByteArray(65, 'a') : QByteArray("t\r\n\x82\x20\r\n"));
            f.close();
        } else if (kind == QLatin1String("proc")) {
            QVERIFY(QFile::link(QStringLiteral("/proc/self/status"), path));
        } else if (kind != QLatin1String("missing")) {
            QVERIFY(MakeNonRegularFile(kind, path));
        }
        QStringList lines;
        QString told;
        FileRead::Status got = FileRead::Status::Ok;
        QVERIFY(!ReadCp932Lines(path, lines, &told, 64, &got));
        QCOMPARE(got, status);
        QCOMPARE(told, why);
        const FileRead first = ReadFirstLine(path, 64);
        QCOMPARE(first.ok(), kind == QLatin1String("bad bytes") || kind == QLatin1String("large") ||
                                 kind == QLatin1String("proc"));
        QVERIFY(first.bytes.size() <= 64);
    }

    void fileErrorsAreJapanese_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<FileOp>("op");
        QTest::addColumn<QString>("text");
        QTest::newRow("no such file") << ENOENT << FileOp::Read << "ファイルが見つかりません";
        QTest::newRow("no such folder") << ENOENT << FileOp::Write << "保存先のフォルダーが見つかりません";
        QTest::newRow("may not read") << EACCES << FileOp::Read << "ファイルを読む権限がありません";
        QTest::newRow("may not write") << EACCES << FileOp::Write << "ファイルを書き込む権限がありません";
        QTest::newRow("disk full") << ENOSPC << FileOp::Write << "ディスクの空きが足りません";
        QTest::newRow("quota") << EDQUOT << FileOp::Write << "ディスクの空きが足りません";
        QTest::newRow("size limit") << EFBIG << FileOp::Write << "ファイルが大きすぎて書き込めません";
        QTest::newRow("read-only disk") << EROFS << FileOp::Write << "書き込みのできないディスクです";
        QTest::newRow("folder in the way") << EISDIR << FileOp::Write << "同じ名前のフォルダーがあります";
        QTest::newRow("disk broken") << EIO << FileOp::Read << "ディスクの読み書きに失敗しました";
        QTest::newRow("unknown number")
            << 9999 << FileOp::Write << "ファイルに書き込めませんでした（エラー番号 9999）";
    }
    void fileErrorsAreJapanese()
    {
        QFETCH(int, error);
        QFETCH(FileOp, op);
        QTEST(FileErrorText(error, op), "text");
    }

    // No system error number and no kind of Qt file error is shown in
    // English ("Unknown error", "No such file or directory").
    void everyFileErrorIsExplained()
    {
        for (FileOp op : {FileOp::Read, FileOp::Write}) {
            for (int error = 1; error < 200; ++error) {
                const QString text = FileErrorText(error, op);
                QVERIFY2(!text.isEmpty() && LettersBeyond({text}, {}).isEmpty(), qPrintable(text));
            }
            for (int kind = QFileDevice::NoError; kind <= QFileDevice::CopyError; ++kind) {
                const QString text = FileErrorText(0, op, QFileDevice::FileError(kind));
                QVERIFY2(!text.isEmpty() && LettersBeyond({text}, {}).isEmpty(), qPrintable(text));
            }
        }
        for (const QString &text :
             {NotRegularFileText(), TooLargeFileText(), NotCp932BytesText(), NotCp932CharsText()})
            QCOMPARE(LettersBeyond({text}, {}), QString());
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
