#include "files/Cp932.h"
#include "files/UnitFile.h"
#include "files/UnitLines.h"
#include "model/FormulaText.h"
#include "support/FullDisk.h"
#include "support/NonRegularFiles.h"
#include "support/Records.h"
#include "support/Unprivileged.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace {
void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Parabola Rec(int vx, int vy, int px, int py, int mode = 0, int lo = -99, int hi = 99, bool l = true,
             bool u = true)
{
    Parabola r = MakeParabola(vx, vy, px, py, mode, lo, hi, l, u);
    r.LineWidth = 1 + (vx & 1);
    r.Color = 0x808000;
    r.Formula = StandardFormPlain(r);
    return r;
}

QStringList Texts(const Messages &messages)
{
    QStringList t;
    for (const Message &m : messages)
        t << m.text;
    return t;
}

QStringList Lines(const QString &title, const QList<Parabola> &recs)
{
    QStringList lines{title};
    for (const Parabola &r : recs)
        lines << UnitLinesOf(r);
    return lines;
}
} // namespace

class TestUnitFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    IncludedEnds m_ends;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("japanese title") << QStringLiteral("二次関数のグラフ（１）");
        QTest::newRow("title with a comma") << QStringLiteral("a,b と c");
        QTest::newRow("empty title") << QString();
    }
    void roundTrip()
    {
        QFETCH(QString, title);
        const QList<Parabola> recs{Rec(0, 0, 1, 1), Rec(-1, 0, 1, -2, 1, -1, 3, true, false),
                                   Rec(2, 1, 3, 0, 2, 1, 99, false, false), Rec(1, 2, 3, 4, 3, -99, 4)};
        const QString file = path(QStringLiteral("round.prb"));
        QCOMPARE(WritingUnitNotice(file), (Message{file, MessageKind::Information})); // shown first
        const Told<bool> written = WriteUnitFile(Lines(QStringLiteral("old"), recs), title, file);
        QVERIFY(written.value);
        QCOMPARE(Texts(written.messages), QStringList{});
        const auto read = ReadUnit(file, FormulaForm::Standard, m_ends);
        QCOMPARE(Texts(read.messages), QStringList{});
        const auto &unit = read.value;
        QVERIFY(unit);
        QCOMPARE(unit->count(), 4);
        QCOMPARE(unit->lines, Lines(title, recs));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(unit->records[std::size_t(i)], recs[i]);
            QCOMPARE(unit->listTexts[i], StandardFormText(recs[i]));
        }
        const auto practice = ReadPracticeUnit(file, m_ends).value;
        QVERIFY(practice);
        QCOMPARE(practice->listTexts[1], recs[1].Formula); // the stored line, not built anew
    }

    void listTextsFollowTheForm()
    {
        const QString file = path(QStringLiteral("form.prb"));
        QVERIFY(
            WriteUnitFile(Lines(QStringLiteral("t"), {Rec(1, 2, 3, 4)}), QStringLiteral("t"), file).value);
        const auto unit = ReadUnit(file, FormulaForm::General, m_ends).value;
        QVERIFY(unit);
        QCOMPARE(unit->listTexts, QStringList{QStringLiteral("y = 1/2x^2-x+5/2")});
        QCOMPARE(unit->records[0].Formula, QStringLiteral("y = 1/2(x-1)^2+2")); // as stored
    }

    void moreThanAHundredRecords()
    {
        QList<Parabola> recs;
        for (int i = 0; i < 101; ++i)
            recs << Rec(i % 7, 0, i % 7 + 1, 1 + i);
        const QString file = path(QStringLiteral("big.prb"));
        QVERIFY(WriteUnitFile(Lines(QStringLiteral("101"), recs), QStringLiteral("101"), file).value);
        for (bool practice : {false, true}) {
            const auto unit =
                (practice ? ReadPracticeUnit(file, m_ends) : ReadUnit(file, FormulaForm::Standard, m_ends))
                    .value;
            QVERIFY(unit);
            QCOMPARE(unit->count(), 100);
            QCOMPARE(unit->lines.size(), 506); // the rest is kept for the next save
        }
    }

    void packedStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<bool>("upper");
        QTest::newRow("0: an old file") << 0 << 0 << 1 << true << true;
        QTest::newRow("16: whole, width 1") << 16 << 0 << 1 << true << true;
        QTest::newRow("0x123") << 0x123 << 3 << 2 << true << false;
        QTest::newRow("0x231") << 0x231 << 1 << 3 << false << true;
        QTest::newRow("0x332") << 0x332 << 2 << 3 << false << false;
    }
    void packedStyles()
    {
        QFETCH(int, style);
        Parabola r;
        UnpackStyle(style, r, m_ends);
        QTEST(r.LineMode, "mode");
        QTEST(r.LineWidth, "width");
        QTEST(r.LowerIncluded != 0, "lower");
        QTEST(r.UpperIncluded != 0, "upper");
        if (style != 0)
            QCOMPARE(PackStyle(r), style);
        QCOMPARE(r.EndStyle, 0);
    }

    void unknownEndCodeTakesTheCurrentEnds()
    {
        Parabola r;
        UnpackStyle(0x411, r, IncludedEnds{false, true});
        QCOMPARE(r.LowerIncluded, 0);
        QCOMPARE(r.UpperIncluded, 1);
    }

    void version4Header()
    {
        const QString file = path(QStringLiteral("v4.prb"));
        QStringList lines = Lines(QStringLiteral("v4"), {Rec(0, 0, 1, 1), Rec(1, 1, 2, 3)});
        lines.insert(1, QStringLiteral("<<ver4"));
        lines.insert(2, QStringLiteral("header a"));
        lines.insert(3, QStringLiteral("header b"));
        QVERIFY(WriteCp932Lines(file, lines));
        const auto practice = ReadPracticeUnit(file, m_ends).value;
        QVERIFY(practice);
        QCOMPARE(practice->count(), 2);
        QCOMPARE(practice->records[1].VertexY, 1);
        const auto main = ReadUnit(file, FormulaForm::Standard, m_ends);
        QVERIFY(!main.value);
        QCOMPARE(main.messages, (Messages{{QStringLiteral("データの構造が違います。"), MessageKind::Plain}}));
    }

    void titleOnlyFileHasNoRecords()
    {
        const QString file = path(QStringLiteral("title.prb"));
        WriteBytes(file, "nothing yet\r\n");
        const auto unit = ReadUnit(file, FormulaForm::Standard, m_ends).value;
        QVERIFY(unit);
        QCOMPARE(unit->count(), 0);
    }

    void bareLineFeedsAreRead()
    {
        const QString file = path(QStringLiteral("lf.prb"));
        WriteBytes(file, "t\n255,16\ny = x^2\n0,0\n1,1\n-99,99\n");
        const auto unit = ReadUnit(file, FormulaForm::Standard, m_ends).value;
        QVERIFY(unit);
        QCOMPARE(unit->count(), 1);
        QCOMPARE(unit->records[0].Color, 255);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("special"); // what stands there instead of a file
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("error"); // shown as an error, else as a plain box
        const QString open = QStringLiteral("ファイル %1 が開けません");
        QTest::newRow("not CP932") << "bad.prb" << QByteArray("t\r\n\x82\x20\r\n") << "" << open << false;
        QTest::newRow("wrong line count") << "bad.prb" << QByteArray("t\r\n1,16\r\n") << ""
                                          << QStringLiteral("データの構造が違います。") << false;
        QTest::newRow("number not an integer")
            << "bad.prb" << QByteArray("t\r\nx,16\r\nf\r\n0,0\r\n1,1\r\n-99,99\r\n") << ""
            << QStringLiteral("'x' は整数ではありません") << true;
        QTest::newRow("pair without comma")
            << "bad.prb" << QByteArray("t\r\n255,16\r\nf\r\n00\r\n1,1\r\n-99,99\r\n") << ""
            << QStringLiteral("'' は整数ではありません") << true;
        QTest::newRow("over 32 bits")
            << "bad.prb" << QByteArray("t\r\n255,16\r\nf\r\n0,0\r\n1,99999999999\r\n-99,99\r\n") << ""
            << QStringLiteral("'99999999999' は整数ではありません") << true;
        QTest::newRow("larger than 4 MB") << "big.prb" << QByteArray(kMaxUnitFileBytes + 1, 'a') << ""
                                          << open + QStringLiteral("\r\n(ファイルが大きすぎます)") << false;
        // Nothing hangs on a FIFO and nothing reads endless bytes.
        QTest::newRow("symlink to /dev/zero")
            << "z.prb" << QByteArray() << "devzero"
            << open + QStringLiteral("\r\n(通常のファイルではありません)") << false;
        QTest::newRow("FIFO named y.prb")
            << "y.prb" << QByteArray() << "fifo"
            << open + QStringLiteral("\r\n(通常のファイルではありません)") << false;
        QTest::newRow("folder named x.prb")
            << "x.prb" << QByteArray() << "folder"
            << open + QStringLiteral("\r\n(ファイルではなくフォルダーです)") << false;
    }
    void refusedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, special);
        QFETCH(QString, message);
        QFETCH(bool, error);
        const QString file = path(name);
        QFile::remove(file);
        if (special.isEmpty())
            WriteBytes(file, bytes);
        else
            QVERIFY(MakeNonRegularFile(special, file));
        const auto cleanup = qScopeGuard([&] {
            if (!QFile::remove(file))
                QDir(file).removeRecursively();
        });
        const QString expected = message.contains(QLatin1String("%1")) ? message.arg(file) : message;
        const Messages told{{expected, error ? MessageKind::Error : MessageKind::Plain}};
        const auto main = ReadUnit(file, FormulaForm::Standard, m_ends); // ファイル→開く
        QVERIFY(!main.value);
        QCOMPARE(main.messages, told);
        if (message.startsWith(QStringLiteral("ファイル "))) {
            // The preview and practice reader refuses the same files.
            const auto practice = ReadPracticeUnit(file, m_ends);
            QVERIFY(!practice.value);
            QCOMPARE(practice.messages, told);
            QCOMPARE(LettersBeyond(Texts(practice.messages), {file}), QString());
        }
    }

    void missingFileCannotBeOpened()
    {
        const QString file = path(QStringLiteral("missing.prb"));
        const auto read = ReadPracticeUnit(file, m_ends);
        QVERIFY(!read.value);
        QCOMPARE(Texts(read.messages), QStringList{QStringLiteral("ファイル %1 が開けません").arg(file)});
        QCOMPARE(ReadUnitTitle(file), QStringLiteral("？"));
    }

    void extremeRecordsAreReadSafely()
    {
        // Coordinates far outside any plane and points sharing a row: read,
        // with texts that never crash.
        const QString file = path(QStringLiteral("far.prb"));
        WriteBytes(file, "far\r\n255,16\r\nf\r\n2147483647,-2147483648\r\n-2147483648,2147483647\r\n"
                         "-2147483648,2147483647\r\n255,16\r\ng\r\n3,1\r\n7,1\r\n-99,99\r\n");
        const auto unit = ReadUnit(file, FormulaForm::Standard, m_ends).value;
        QVERIFY(unit);
        QCOMPARE(unit->count(), 2);
        QCOMPARE(unit->listTexts[1], QStringLiteral("y = 1"));
        QVERIFY(!unit->listTexts[0].isEmpty());
    }

    void fileNameRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Parabola.prb"
                               << "ファイル名をParabola.prbにしました";
        QTest::newRow("no dot") << "unit"
                                << "unit.prb"
                                << "";
        QTest::newRow("upper case") << "unit.PRB"
                                    << "unit.PRB"
                                    << "";
        QTest::newRow("prx") << "unit.prx"
                             << "unit.prx"
                             << "";
        QTest::newRow("txt") << "unit.txt"
                             << "unit.txt"
                             << "txt拡張子はｐｒｂまたはｐｒｘを使ってください";
        QTest::newRow("two dots") << "a.b.prb"
                                  << "a.b.prb"
                                  << "b.prb拡張子はｐｒｂまたはｐｒｘを使ってください";
        QTest::newRow("dot in the folder only") << "/tmp/my.units/unit"
                                                << "/tmp/my.units/unit.prb"
                                                << "";
    }
    void fileNameRule()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        const Told<QString> normalized = NormalizeUnitFileName(name);
        QTEST(normalized.value, "result");
        QCOMPARE(normalized.messages,
                 message.isEmpty() ? Messages() : Messages({{message, MessageKind::Plain}}));
    }

    // A save that cannot be finished says why in Japanese, leaves the old
    // file with every byte and no temporary file beside it.
    void failedWritesKeepThePreviousFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason"); // the third message
        QTest::newRow("title not in CP932") << "title"
                                            << "CP932（シフトJIS）で表せない文字があります";
        QTest::newRow("folder in the way") << "folder"
                                           << "同じ名前のフォルダーがあります";
        QTest::newRow("file size limit") << "limit"
                                         << "ファイルが大きすぎて書き込めません";
        QTest::newRow("full tmpfs") << "full"
                                    << "ディスクの空きが足りません";
        // The first 4 KiB go in, the rest does not: a short write.
        QTest::newRow("tmpfs with 4 KiB free") << "4k free"
                                               << "ディスクの空きが足りません";
    }
    void failedWritesKeepThePreviousFile()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        if (fault == QLatin1String("limit"))
            QUORVEL_UNDER_FILE_SIZE_LIMIT(2048);
        QTemporaryDir here;
        QString dir = here.path() + QLatin1Char('/');
        std::optional<fulldisk::SmallTmpfs> fs;
        if (fault == QLatin1String("full") || fault == QLatin1String("4k free")) {
            fs.emplace(64);
            if (!fs->mounted())
                QSKIP(qPrintable(fs->why()));
            dir = fs->path();
        }
        const bool folder = fault == QLatin1String("folder");
        const QString file = dir + (folder ? QStringLiteral("folder.prb") : QStringLiteral("kept.prb"));
        if (folder)
            QVERIFY(QDir().mkdir(file));
        else
            QVERIFY(WriteUnitFile(Lines(QStringLiteral("元の単元"), {Rec(0, 0, 1, 1)}),
                                  QStringLiteral("元の単元"), file)
                        .value);
        const QByteArray before = Bytes(file);
        if (fs)
            QVERIFY(fs->fill(fault == QLatin1String("4k free") ? 1 : 0));
        QList<Parabola> recs;
        for (int i = 0; i < 100; ++i)
            recs << Rec(i % 7, 0, i % 7 + 1, 1 + i);
        const QString title =
            fault == QLatin1String("title") ? QString::fromUtf8("😀") : QStringLiteral("新しい単元");
        const QStringList lines = Lines(title, recs);
        QVERIFY(JoinCrlf(lines).size() > 4096);
        const Told<bool> written = WriteUnitFile(lines, title, file);
        QVERIFY(!written.value);
        QCOMPARE(written.messages,
                 (Messages{{file + QStringLiteral("の保存に失敗しました"), MessageKind::Error},
                           {reason, MessageKind::Error}}));
        QCOMPARE(LettersBeyond(Texts(written.messages), {file}), QString());
        QCOMPARE(QDir(dir).entryList(QDir::Files),
                 folder ? QStringList{} : QStringList{QStringLiteral("kept.prb")});
        if (folder) {
            QVERIFY(QFileInfo(file).isDir());
            return;
        }
        QCOMPARE(Bytes(file), before);
        const auto unit = ReadUnit(file, FormulaForm::Standard, m_ends).value;
        QVERIFY(unit);
        QCOMPARE(unit->count(), 1);
    }

    // A pupil's account may not write where the units are: the save fails
    // with its messages and the file keeps every byte.
    void readOnlyPlacesKeepThePreviousFile_data()
    {
        QTest::addColumn<bool>("folder"); // else the file itself is read-only
        QTest::newRow("read-only folder") << true;
        QTest::newRow("read-only file") << false;
    }
    void readOnlyPlacesKeepThePreviousFile()
    {
        QUORVEL_WHERE_PERMISSIONS_BIND();
        QFETCH(bool, folder);
        QDir(m_dir.path()).mkdir(QStringLiteral("ro"));
        const QString dir = path(QStringLiteral("ro"));
        const QString file = dir + QStringLiteral("/kept.prb");
        QVERIFY(WriteUnitFile(Lines(QStringLiteral("元の単元"), {Rec(0, 0, 1, 1)}),
                              QStringLiteral("元の単元"), file)
                    .value);
        const QByteArray before = Bytes(file);
        const QString locked = folder ? dir : file;
        const auto perms = QFile::permissions(locked);
        QVERIFY(
            QFile::setPermissions(locked, folder ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
        const Told<bool> saved = WriteUnitFile(Lines(QStringLiteral("新しい単元"), {Rec(1, 1, 2, 3)}),
                                               QStringLiteral("新しい単元"), file);
        QFile::setPermissions(locked, perms);
        QVERIFY(!saved.value);
        QCOMPARE(Bytes(file), before);
        QCOMPARE(Texts(saved.messages), (QStringList{file + QStringLiteral("の保存に失敗しました"),
                                                     QStringLiteral("ファイルを書き込む権限がありません")}));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("kept.prb")}); // no leftovers
    }

    // A text with a line break would add a line and shift every record
    // after it; the writer refuses it and the old file keeps every byte.
    void textsThatWouldAddALine_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("line"); // whose text gets "\r\n" inside, -1: none
        QTest::addColumn<QString>("reason");
        QTest::newRow("line feed in the title")
            << QStringLiteral("改行\n入り") << -1 << QStringLiteral("単元名に改行が入っています");
        QTest::newRow("carriage return in the title")
            << QStringLiteral("改行\r入り") << -1 << QStringLiteral("単元名に改行が入っています");
        QTest::newRow("formula line")
            << QStringLiteral("単元") << 7 << QStringLiteral("8行目に改行が入っています");
        QTest::newRow("a NUL adds no line") << QStringLiteral("NUL\0入り") << -1 << QString();
    }
    void textsThatWouldAddALine()
    {
        QFETCH(QString, title);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const QString file = path(QStringLiteral("lines.prb"));
        QVERIFY(
            WriteUnitFile(Lines(QStringLiteral("元"), {Rec(0, 0, 1, 1)}), QStringLiteral("元"), file).value);
        const QByteArray before = Bytes(file);
        QStringList lines = Lines(QStringLiteral("元"), {Rec(0, 0, 1, 1), Rec(1, 2, 3, 4)});
        if (line >= 0)
            lines[line].insert(2, QStringLiteral("\r\n"));
        const Told<bool> written = WriteUnitFile(lines, title, file);
        QCOMPARE(written.value, reason.isEmpty());
        if (written.value) {
            QCOMPARE(ReadUnitTitle(file), title);
            QCOMPARE(ReadUnit(file, FormulaForm::Standard, m_ends).value->lines.size(), 11);
            return;
        }
        QCOMPARE(written.messages,
                 (Messages{{file + QStringLiteral("の保存に失敗しました"), MessageKind::Error},
                           {reason, MessageKind::Error}}));
        QCOMPARE(Bytes(file), before);
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("lines*")}, QDir::Files),
                 QStringList{QStringLiteral("lines.prb")});
    }

    void unitTitles()
    {
        const QString file = path(QStringLiteral("titled.prb"));
        QVERIFY(WriteCp932Lines(file, {QStringLiteral("単元,その１"), QStringLiteral("x")}));
        QCOMPARE(ReadUnitTitle(file), QStringLiteral("単元,その１"));
        WriteBytes(path(QStringLiteral("badtitle.prb")), "\x82\x20\r\n");
        QCOMPARE(ReadUnitTitle(path(QStringLiteral("badtitle.prb"))), QStringLiteral("？"));
    }

    void pythonReadsWhatWeWrite()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
        const QString file = path(QStringLiteral("py.prb"));
        const QStringList lines =
            Lines(QStringLiteral("ｱｲｳ・二次関数～―＼"), {Rec(-1, 0, 1, -2, 1, -1, 3, true, false)});
        QVERIFY(WriteUnitFile(lines, lines[0], file).value);
        QProcess py;
        py.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys,json;d=open(sys.argv[1],'rb').read();"
                                 "assert d.endswith(b'\\r\\n');"
                                 "print(json.dumps(d.decode('cp932').split('\\r\\n')[:-1]))"),
                  file});
        QVERIFY(py.waitForFinished(20000));
        QCOMPARE(py.exitCode(), 0);
        const QByteArray out = py.readAllStandardOutput();
        const QJsonArray arr = QJsonDocument::fromJson(out).array();
        QStringList back;
        for (const QJsonValue &v : arr)
            back << v.toString();
        QCOMPARE(back, lines);
    }
};

QTEST_APPLESS_MAIN(TestUnitFile)
#include "tst_unitfile.moc"
