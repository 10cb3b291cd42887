#include "files/Cp932.h"
#include "files/ProfileFile.h"
#include "files/Records.h"
#include "practice/RecordsWindow.h"
#include "support/Children.h"
#include "support/FullDisk.h"
#include "support/NonRegularFiles.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSettings.h"
#include "support/Unprivileged.h"
#include "ui/Prompt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>
#include <vector>

namespace {
// CP932 bytes of a text; the tests only use encodable texts.
QByteArray C(const QString &text)
{
    return EncodeCp932(text).value_or(QByteArray("<unencodable>"));
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QDateTime kFixed(QDate(2003, 4, 5), QTime(9, 7, 30));
}  // namespace

class TestRecords : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompt m_prompt;

    QString recordPath() const { return RecordFilePath(TestFolder().dir); }
    // As the practice window records a run: the messages are shown.
    static bool recordRun(const QString &title, const QString &marks, int seconds)
    {
        return Shown(AppendRunRecord(title, marks, seconds, {TestFolder().dir, TestFolder().onCdRom}));
    }
    void writeUnit(const QString &name, const QByteArray &firstLine)
    {
        QDir().mkpath(TestFolder().dir + QStringLiteral("DATA"));
        WriteBytes(TestFolder().dir + QStringLiteral("DATA/") + name, firstLine + "\r\n0\r\n");
    }
    static QListWidget *titles(const RecordsWindow &w) { return Child<QListWidget>(&w, "lstTitle"); }
    static QString detail(const RecordsWindow &w) { return Child<QPlainTextEdit>(&w, "memDetail")->toPlainText(); }
    static QStringList listTexts(const RecordsWindow &w)
    {
        QStringList t;
        for (int i = 0; i < titles(w)->count(); ++i)
            t << titles(w)->item(i)->text();
        return t;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        TestFolder().dir = m_dir->path() + QLatin1Char('/');
        TestFolder().onCdRom = false;
        SetRecordClock([] { return kFixed; });
        m_prompt.clear();
        m_prompt.answers.clear();
    }
    void cleanup()
    {
        SetRecordClock({});
        TestFolder().onCdRom = false;
    }

    void profileReading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");  // "<none>": the fallback
        QTest::addColumn<int>("count");

        QTest::newRow("section case") << QByteArray("[Unit]\r\n1=a\r\n") << "UNIT" << "1" << "a" << 1;
        QTest::newRow("key case") << QByteArray("[u]\r\nKey=v\r\n") << "u" << "kEY" << "v" << 1;
        QTest::newRow("first section wins")
            << QByteArray("[u]\r\n1=first\r\n[U]\r\n1=second\r\n2=b\r\n") << "u" << "1" << "first" << 1;
        QTest::newRow("later section ignored")
            << QByteArray("[u]\r\n1=first\r\n[U]\r\n2=b\r\n") << "u" << "2" << "<none>" << 1;
        QTest::newRow("first key wins") << QByteArray("[u]\r\n1=a\r\n1=b\r\n2=c\r\n") << "u" << "1" << "a" << 2;
        QTest::newRow("LF only") << QByteArray("[u]\n1=a\n2=b\n") << "u" << "2" << "b" << 2;
        QTest::newRow("mixed line ends") << QByteArray("[u]\n1=a\r\n2=b\n") << "u" << "1" << "a" << 2;
        QTest::newRow("CR only") << QByteArray("[u]\r1=a\r2=b\r") << "u" << "2" << "b" << 2;
        QTest::newRow("CR, LF and CR LF") << QByteArray("[u]\r1=a\n2=b\r\n3=c") << "u" << "3" << "c" << 3;
        QTest::newRow("no final line end") << QByteArray("[u]\r\n1=a") << "u" << "1" << "a" << 1;
        QTest::newRow("blanks trimmed") << QByteArray(" \t[ u ]  \r\n  1  =  a b \t\r\n") << "u" << "1" << "a b" << 1;
        QTest::newRow("ideographic space kept") << C("[　u]\r\n1=a\r\n") << "u" << "1" << "<none>" << 0;
        QTest::newRow("comment and noise not keys")
            << QByteArray("[u]\r\n;1=c\r\nnoise\r\n=x\r\n2=x\r\n") << "u" << "1" << "<none>" << 1;
        QTest::newRow("keys before any section") << QByteArray("1=a\r\n[u]\r\n") << "u" << "1" << "<none>" << 0;
        QTest::newRow("value with equals") << QByteArray("[u]\r\n1=a=b\r\n") << "u" << "1" << "a=b" << 1;
        QTest::newRow("empty value") << QByteArray("[u]\r\n1=\r\n") << "u" << "1" << "" << 1;
        QTest::newRow("text after header") << QByteArray("[u] x\r\n1=a\r\n") << "u" << "1" << "a" << 1;
        QTest::newRow("foreign ] in header") << QByteArray("[a]b]\r\n1=x\r\n") << "a]b" << "1" << "x" << 1;
        QTest::newRow("empty file") << QByteArray() << "u" << "1" << "<none>" << 0;
        // 0x5B, 0x5D and 0x5C as second bytes of Japanese characters.
        QTest::newRow("trail bytes in title")
            << C("[評価ー転ソ表]\r\n1=転\r\n2=ー\r\n") << "評価ー転ソ表" << "2" << "ー" << 2;
        QTest::newRow("trail ] is not the header end")
            << C("[転]\r\n1=a\r\n[云]\r\n1=b\r\n") << "云" << "1" << "b" << 1;
        QTest::newRow("full-width case") << C("[ＵＮＩＴ]\r\n1=a\r\n") << "ｕｎｉｔ" << "1" << "a" << 1;
    }
    void profileReading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QFETCH(int, count);
        const ProfileFile p = ProfileFile::parse(bytes);
        QCOMPARE(p.status(), ProfileFile::Status::Ok);
        QCOMPARE(p.value(section, key, QStringLiteral("<none>")), expected);
        QCOMPARE(p.keyCount(section), count);
        // A file read and saved unchanged keeps every byte.
        QCOMPARE(p.toBytes().value_or("<unencodable>"), bytes);
    }

    void trailBytesAreInside()
    {
        // Guards the rows above: these titles do hold the ASCII bytes.
        const QByteArray b = C(QStringLiteral("評価ー転ソ表"));
        QVERIFY(b.contains('[') && b.contains(']') && b.contains('\\'));
    }

    void profileWriting_data()
    {
        QTest::addColumn<QByteArray>("before");  // null: no file
        QTest::addColumn<QString>("op");         // "set" or "erase"
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("create file") << QByteArray() << "set" << "u" << "1" << QByteArray("[u]\r\n1=v\r\n");
        QTest::newRow("append section, others kept")
            << QByteArray("[a]\n1=x\n; note\nstray line\n") << "set" << "u" << "1"
            << QByteArray("[a]\n1=x\n; note\nstray line\n[u]\r\n1=v\r\n");
        QTest::newRow("after last entry, blank line kept")
            << QByteArray("[u]\r\n1=a\r\n\r\n[b]\r\n1=z\r\n") << "set" << "u" << "2"
            << QByteArray("[u]\r\n1=a\r\n2=v\r\n\r\n[b]\r\n1=z\r\n");
        QTest::newRow("replace keeps spelling and place")
            << QByteArray("[U]\r\nK = old\r\nz=1\r\n") << "set" << "u" << "k" << QByteArray("[U]\r\nK=v\r\nz=1\r\n");
        QTest::newRow("unterminated last line")
            << QByteArray("[a]\r\n1=x") << "set" << "u" << "1" << QByteArray("[a]\r\n1=x\r\n[u]\r\n1=v\r\n");
        QTest::newRow("duplicate: first written")
            << QByteArray("[u]\r\n1=a\r\n[u]\r\n1=b\r\n") << "set" << "u" << "2"
            << QByteArray("[u]\r\n1=a\r\n2=v\r\n[u]\r\n1=b\r\n");
        QTest::newRow("empty section gets entry")
            << QByteArray("[u]\r\n[b]\r\n") << "set" << "U" << "1" << QByteArray("[u]\r\n1=v\r\n[b]\r\n");
        // NEC and IBM codes of one character decode alike; re-encoding would
        // change them.
        QTest::newRow("other bytes not re-encoded")
            << QByteArray("[a]\r\n1=\xED\x40\x87\x90\xFA\x5C\r\n") << "set" << "u" << "1"
            << QByteArray("[a]\r\n1=\xED\x40\x87\x90\xFA\x5C\r\n[u]\r\n1=v\r\n");
        QTest::newRow("trail bytes around")
            << C("[評ソ]\r\n1=ー\r\n") << "set" << "転]" << "1" << C("[評ソ]\r\n1=ー\r\n[転］]\r\n1=v\r\n");
        QTest::newRow("= in key") << QByteArray() << "set" << "u" << "a=b" << C("[u]\r\na＝b=v\r\n");
        QTest::newRow("; leading a key")
            << QByteArray("[u]\r\n") << "set" << "u" << ";k" << C("[u]\r\n；k=v\r\n");
        QTest::newRow("erase every copy")
            << QByteArray("[a]\r\n1=x\r\n[u]\r\n1=a\r\n; c\r\n[b]\n1=y\n[U]\r\n2=b\r\n") << "erase" << "u" << ""
            << QByteArray("[a]\r\n1=x\r\n[b]\n1=y\n");
        QTest::newRow("erase last section")
            << QByteArray("[a]\r\n1=x\r\n[u]\r\n1=a") << "erase" << "U" << "" << QByteArray("[a]\r\n1=x\r\n");
        QTest::newRow("erase trail-byte title")
            << C("[転]\r\n1=a\r\n[ー]\r\n1=b\r\n") << "erase" << "転" << "" << C("[ー]\r\n1=b\r\n");
    }
    void profileWriting()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, op);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        if (!before.isNull())
            WriteBytes(recordPath(), before);
        ProfileFile p = ProfileFile::load(recordPath());
        QVERIFY(p.canWrite());
        if (op == QLatin1String("set")) {
            p.setValue(section, key, QStringLiteral("v"));
        } else {
            QVERIFY(p.eraseSection(section) > 0);
            QVERIFY(!p.hasSection(section));
        }
        const Told<bool> saved = p.save();
        QVERIFY(saved.value);
        QCOMPARE(Bytes(recordPath()), after);
        QVERIFY(saved.messages.isEmpty());
        const ProfileFile again = ProfileFile::load(recordPath());
        if (op == QLatin1String("set"))
            QCOMPARE(again.value(section, key), QStringLiteral("v"));
        else
            QCOMPARE(again.keyCount(section), 0);
    }

    void unrepresentableNames_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");  // the section as listed
        QTest::newRow("] in title") << "関数]1" << "1" << "関数］1";
        QTest::newRow("brackets in title") << "[基本]" << "1" << "[基本］";
        QTest::newRow("= in title") << "y=x^2" << "1" << "y=x^2";
        QTest::newRow("= in key") << "u" << "a=b" << "u";
        QTest::newRow("[ leading a key") << "u" << "[k]" << "u";
        QTest::newRow("line break in title") << "a\r\nb" << "1" << "a  b";
    }
    void unrepresentableNames()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        ProfileFile p = ProfileFile::load(recordPath());
        p.setValue(QStringLiteral("other"), QStringLiteral("1"), QStringLiteral("keep"));
        p.setValue(section, key, QStringLiteral("v"));
        QVERIFY(p.save().value);
        const ProfileFile again = ProfileFile::load(recordPath());
        QCOMPARE(again.sections(), (QStringList{QStringLiteral("other"), stored}));
        QCOMPARE(again.value(section, key), QStringLiteral("v"));
        QCOMPARE(again.keyCount(section), 1);
        QCOMPARE(again.value(QStringLiteral("other"), QStringLiteral("1")), QStringLiteral("keep"));
    }

    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("special");  // what stands there instead of a file
        QTest::addColumn<QString>("reason");   // part of the message
        const QString notCp932 = QStringLiteral("文字として読めないバイトがあります");
        const QString notFile = QStringLiteral("（通常のファイルではありません）");
        QTest::newRow("lone lead byte") << QByteArray("[u]\r\n1=a\x81\r\n[b]\r\n1=b\r\n") << "" << notCp932;
        QTest::newRow("undefined byte") << QByteArray("[u]\r\n1=\xA0\r\n") << "" << notCp932;
        QTest::newRow("lead byte at end") << QByteArray("[u]\r\n1=a\r\n\x82") << "" << notCp932;
        QTest::newRow("too large") << QByteArray("[u]\r\n1=a\r\n").append(QByteArray(kMaxProfileBytes, ';')) << ""
                                   << QStringLiteral("が大きすぎます（4 MB まで）");
        QTest::newRow("folder") << QByteArray() << "folder" << QStringLiteral("（ファイルではなくフォルダーです）");
        // Nothing hangs on a FIFO and nothing reads endless bytes.
        QTest::newRow("FIFO") << QByteArray() << "fifo" << notFile;
        QTest::newRow("symlink to /dev/zero") << QByteArray() << "devzero" << notFile;
    }
    void damagedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, special);
        QFETCH(QString, reason);
        if (special.isEmpty())
            WriteBytes(recordPath(), bytes);
        else
            QVERIFY(MakeNonRegularFile(special, recordPath()));

        const ProfileFile p = ProfileFile::load(recordPath());
        QVERIFY(!p.canWrite());
        QVERIFY(p.sections().isEmpty());
        QCOMPARE(p.keyCount(QStringLiteral("u")), 0);

        // The file layer hands the message back as an error and shows nothing.
        const Told<bool> recorded =
            AppendRunRecord(QStringLiteral("u"), QStringLiteral("○"), 5, {TestFolder().dir, false});
        QVERIFY(!recorded.value);
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(recorded.messages.size(), 1);
        QCOMPARE(recorded.messages[0].kind, MessageKind::Error);
        QVERIFY(!recordRun(QStringLiteral("u"), QStringLiteral("○"), 5));
        QCOMPARE(m_prompt.shown.size(), 1);
        QCOMPARE(m_prompt.shown[0].text, recorded.messages[0].text);
        QVERIFY(m_prompt.shown[0].text.startsWith(QStringLiteral("記録ファイル %1 ").arg(recordPath())));
        QVERIFY2(m_prompt.shown[0].text.contains(reason), qPrintable(m_prompt.shown[0].text));
        QVERIFY(m_prompt.shown[0].text.contains(QStringLiteral("そのまま")));
        // "MB" is the unit of the largest size.
        QCOMPARE(LettersBeyond(m_prompt.texts(), {recordPath(), QStringLiteral("MB")}), QString());
        if (special.isEmpty())
            QCOMPARE(Bytes(recordPath()), bytes);
        else
            QVERIFY(!QFileInfo(recordPath()).isFile() && QFileInfo::exists(recordPath()));
        QCOMPARE(QFileInfo(recordPath()).isDir(), special == QLatin1String("folder"));
        QCOMPARE(QFileInfo(recordPath()).isSymLink(), special == QLatin1String("devzero"));

        // The window lists the units with no runs and says why.
        writeUnit(QStringLiteral("a.prb"), "u");
        m_prompt.clear();
        RecordsWindow w(TestFolder());
        w.prepareToShow();
        QCOMPARE(listTexts(w), QStringList{QStringLiteral("0回 u")});
        QCOMPARE(m_prompt.shown.size(), 1);
        w.titleListClicked(0);
        QCOMPARE(detail(w), QStringLiteral("練習の記録はありません"));
    }

    // A pupil's account may not write in the program's folder: the run is
    // not recorded, the pupil is told, and the file keeps every byte.
    void readOnlyPlacesKeepTheRecords_data()
    {
        QTest::addColumn<bool>("folder");  // else the record file itself is read-only
        QTest::newRow("read-only folder") << true;
        QTest::newRow("read-only file") << false;
    }
    void readOnlyPlacesKeepTheRecords()
    {
        QUORVEL_WHERE_PERMISSIONS_BIND();
        QFETCH(bool, folder);
        QVERIFY(recordRun(QStringLiteral("単元"), QStringLiteral("○×"), 65));
        const QByteArray before = Bytes(recordPath());
        QVERIFY(!before.isEmpty());
        const QString locked = folder ? m_dir->path() : recordPath();
        const auto perms = QFile::permissions(locked);
        QVERIFY(QFile::setPermissions(locked, folder ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
        m_prompt.clear();
        const bool recorded = recordRun(QStringLiteral("単元"), QStringLiteral("○○"), 30);
        QFile::setPermissions(locked, perms);
        QVERIFY(!recorded);
        QCOMPARE(Bytes(recordPath()), before);
        QCOMPARE(m_prompt.shown.size(), 1);
        QVERIFY(m_prompt.shown[0].text.startsWith(QStringLiteral("記録ファイル ")));
        QVERIFY(m_prompt.shown[0].text.contains(QStringLiteral("に書き込めませんでした（ファイルを書き込む権限がありません）")));
        QCOMPARE(LettersBeyond(m_prompt.texts(), {recordPath()}), QString());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("Record.ini")});
    }

    // A run that cannot be written says why in Japanese, and the file keeps
    // its earlier runs and has no temporary file beside it.
    void failedAppendsKeepTheRecords_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral("記録ファイル %1 に書き込めませんでした（%2）。");
        QTest::newRow("file size limit") << "limit" << refused.arg(QStringLiteral("%1"), QStringLiteral("ファイルが大きすぎて書き込めません"));
        QTest::newRow("full tmpfs") << "full" << refused.arg(QStringLiteral("%1"), QStringLiteral("ディスクの空きが足りません"));
        QTest::newRow("lock held elsewhere")
            << "lock"
            << QStringLiteral("記録ファイル %1 がほかのプログラムで使用中です。\n"
                              "記録は書き込みませんでした。ファイルはそのまま残してあります。");
    }
    void failedAppendsKeepTheRecords()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QByteArray before = C(QStringLiteral("[単元]\r\n"));
        for (int k = 1; k <= 60; ++k)
            before += C(QStringLiteral("%1=2003年04月05日 09:07 ○○×△ 03分25秒\r\n").arg(k));
        if (fault == QLatin1String("limit"))
            QUORVEL_UNDER_FILE_SIZE_LIMIT(before.size() + 16);
        std::optional<fulldisk::SmallTmpfs> fs;
        if (fault == QLatin1String("full")) {
            fs.emplace(64);
            if (!fs->mounted())
                QSKIP(qPrintable(fs->why()));
            TestFolder().dir = fs->path();
        }
        WriteBytes(recordPath(), before);
        if (fs)
            QVERIFY(fs->fill());
        std::optional<QLockFile> held;
        if (fault == QLatin1String("lock")) {
            held.emplace(recordPath() + QStringLiteral(".lock"));
            QVERIFY(held->lock());
        }
        QElapsedTimer waited;
        waited.start();
        QVERIFY(!recordRun(QStringLiteral("単元"), QStringLiteral("○○"), 30));
        if (held) {
            QVERIFY(waited.elapsed() >= ProfileFile::kLockWaitMs);
            held.reset();
        }
        QCOMPARE(m_prompt.texts(), QStringList{message.arg(recordPath())});
        QCOMPARE(LettersBeyond(m_prompt.texts(), {recordPath()}), QString());
        QCOMPARE(Bytes(recordPath()), before);
        QCOMPARE(QDir(TestFolder().dir).entryList(QDir::Files), QStringList{QStringLiteral("Record.ini")});
        if (fault == QLatin1String("lock")) {
            // Once the lock is free the run goes under the next number.
            QVERIFY(recordRun(QStringLiteral("単元"), QStringLiteral("○○"), 30));
            QCOMPARE(ProfileFile::load(recordPath()).keyCount(QStringLiteral("単元")), 61);
        }
    }

    // Two programs recording runs into one file at the same time: every run
    // is on disk, numbered 1 to 400.
    void concurrentAppendsKeepEveryRun()
    {
        constexpr int kRuns = 200;
        const QString title = QStringLiteral("同時の単元");
        if (const QByteArray writer = qgetenv("QUORVEL_RECORD_WRITER"); !writer.isEmpty()) {
            // One of the two writers: folder and marks come from the parent.
            const qsizetype bar = writer.indexOf('|');
            TestFolder().dir = QString::fromUtf8(writer.left(bar));
            const QString marks = QString::fromUtf8(writer.mid(bar + 1));
            for (int i = 0; i < kRuns; ++i)
                QVERIFY(recordRun(title, marks, i));
            QVERIFY(m_prompt.shown.isEmpty());
            return;
        }
        const QStringList marks{QStringLiteral("○"), QStringLiteral("×")};
        std::vector<std::unique_ptr<QProcess>> writers;
        for (const QString &m : marks)
            writers.push_back(childrun::StartAgain(__func__, childrun::TestProgram(), {}, [&](QProcess &child) {
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(QStringLiteral("QUORVEL_RECORD_WRITER"), TestFolder().dir + QLatin1Char('|') + m);
                child.setProcessEnvironment(env);
            }));
        for (auto &w : writers) {
            const childrun::Outcome end = childrun::Finish(*w);
            QVERIFY2(end.where == childrun::Where::ChildPassed, qPrintable(end.detail));
        }
        const ProfileFile p = ProfileFile::load(recordPath());
        QStringList keys;
        for (int k = 1; k <= 2 * kRuns; ++k)
            keys << QString::number(k);
        QCOMPARE(p.keys(title), keys);
        QSet<QString> values;
        for (const QString &k : keys)
            values.insert(p.value(title, k));
        for (const QString &m : marks)
            for (int i = 0; i < kRuns; ++i)
                QVERIFY(values.contains(RecordValue(kFixed, m, i)));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("Record.ini")});
    }

    void keyNumbering_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("keys");  // after two appends
        QTest::newRow("first runs") << QByteArray() << QStringList{"1", "2"};
        QTest::newRow("after two") << QByteArray("[t]\r\n1=a\r\n2=b\r\n") << QStringList{"1", "2", "3", "4"};
        QTest::newRow("title in other case") << QByteArray("[T]\r\n1=a\r\n") << QStringList{"1", "2", "3"};
        QTest::newRow("CR-only line ends") << QByteArray("[t]\r1=a\r2=b\r") << QStringList{"1", "2", "3", "4"};
        // Keys 1 and 3: the count says 3 next, which is taken and stays.
        QTest::newRow("hand-edited gap") << QByteArray("[t]\r\n1=a\r\n3=c\r\n") << QStringList{"1", "3", "4", "5"};
    }
    void keyNumbering()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, keys);
        if (!before.isNull())
            WriteBytes(recordPath(), before);
        QVERIFY(recordRun(QStringLiteral("t"), QStringLiteral("○○×△"), 205));
        SetRecordClock([] { return QDateTime(QDate(2003, 4, 6), QTime(14, 5)); });
        QVERIFY(recordRun(QStringLiteral("t"), QStringLiteral("△"), 65));
        const ProfileFile p = ProfileFile::load(recordPath());
        QCOMPARE(p.keys(QStringLiteral("t")), keys);
        QCOMPARE(p.value(QStringLiteral("t"), keys[keys.size() - 2]),
                 QStringLiteral("2003年04月05日 09:07 ○○×△ 03分25秒"));
        QCOMPARE(p.value(QStringLiteral("t"), keys.last()), QStringLiteral("2003年04月06日 14:05 △ 01分05秒"));
        if (keys.contains(QStringLiteral("3")) && before.contains("3=c"))
            QCOMPARE(p.value(QStringLiteral("t"), QStringLiteral("3")), QStringLiteral("c"));
        QVERIFY(m_prompt.shown.isEmpty());
    }

    void recordValue_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << kFixed << "○○×△" << 205 << "2003年04月05日 09:07 ○○×△ 03分25秒";
        QTest::newRow("one digit everywhere") << QDateTime(QDate(2009, 1, 2), QTime(3, 4)) << "○" << 5
                                              << "2009年01月02日 03:04 ○ 00分05秒";
        QTest::newRow("two digits everywhere") << QDateTime(QDate(2012, 11, 25), QTime(23, 59, 59)) << "×" << 3599
                                               << "2012年11月25日 23:59 × 59分59秒";
        QTest::newRow("ten exactly") << QDateTime(QDate(2010, 10, 10), QTime(10, 10)) << "△" << 610
                                     << "2010年10月10日 10:10 △ 10分10秒";
        QTest::newRow("midnight, no time") << QDateTime(QDate(2004, 12, 31), QTime(0, 0)) << "○" << 0
                                           << "2004年12月31日 00:00 ○ 00分00秒";
        QTest::newRow("100 minutes") << kFixed << "○" << 6000 << "2003年04月05日 09:07 ○ 100分00秒";
        QTest::newRow("over 100 minutes") << kFixed << "○" << 6125 << "2003年04月05日 09:07 ○ 102分05秒";
        QTest::newRow("99 minutes") << kFixed << "○" << 5999 << "2003年04月05日 09:07 ○ 99分59秒";
    }
    void recordValue()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, marks);
        QFETCH(int, seconds);
        QFETCH(QString, expected);
        QCOMPARE(RecordValue(when, marks, seconds), expected);
        SetRecordClock([when] { return when; });
        QVERIFY(recordRun(QStringLiteral("単元"), marks, seconds));
        QCOMPARE(ProfileFile::load(recordPath()).value(QStringLiteral("単元"), QStringLiteral("1")), expected);
    }

    void cdRomWritesNothing()
    {
        TestFolder().onCdRom = true;
        QVERIFY(!recordRun(QStringLiteral("t"), QStringLiteral("○"), 5));
        QVERIFY(!QFile::exists(recordPath()));
        const QByteArray before("[t]\r\n1=a\r\n");
        WriteBytes(recordPath(), before);
        QVERIFY(!recordRun(QStringLiteral("t"), QStringLiteral("○"), 5));
        QCOMPARE(Bytes(recordPath()), before);
        QVERIFY(m_prompt.shown.isEmpty());
    }

    // A folder the program cannot write keeps no records; the window tells
    // so the first time only.
    void windowOnAReadOnlyDataFolderSaysSoOnce()
    {
        TestFolder().onCdRom = true;
        RecordsWindow w(TestFolder());
        w.prepareToShow();
        w.prepareToShow();
        TestFolder().onCdRom = false;
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("データフォルダに書き込めないため、練習の記録は保存されません")});
    }

    // The list shows a long title cut; its runs are still found by the whole title.
    void windowShowsLongTitlesCut()
    {
        const QString title = QString(150, QChar(u'長'));
        writeUnit(QStringLiteral("a.prb"), C(title));
        QVERIFY(recordRun(title, QStringLiteral("○"), 5));
        RecordsWindow w(TestFolder());
        w.prepareToShow();
        QCOMPARE(listTexts(w), QStringList{QStringLiteral("1回 ") + title.left(100) + QStringLiteral("…")});
        w.titleListClicked(0);
        QVERIFY(detail(w).endsWith(QStringLiteral("○ 00分05秒")));
    }

    void windowNeverPractised()
    {
        writeUnit(QStringLiteral("a.prb"), C(QStringLiteral("二次関数の基本")));
        writeUnit(QStringLiteral("b.prb"), "\x81\r");  // unreadable title
        writeUnit(QStringLiteral("c.prx"), "not listed");
        WriteBytes(recordPath(), C(QStringLiteral("[？]\r\n1=r1\r\n")));
        RecordsWindow w(TestFolder());
        w.prepareToShow();
        QCOMPARE(listTexts(w), (QStringList{QStringLiteral("0回 二次関数の基本"), QStringLiteral("1回 ？")}));
        QCOMPARE(w.reserveTitles(), (QStringList{QStringLiteral("二次関数の基本"), QStringLiteral("？")}));
        w.titleListClicked(0);
        QCOMPARE(detail(w), QStringLiteral("練習の記録はありません"));
        w.titleListClicked(1);
        QCOMPARE(detail(w), QStringLiteral("r1"));
        QVERIFY(m_prompt.shown.isEmpty());
    }

    void windowSharedTitleErase()
    {
        writeUnit(QStringLiteral("a.prb"), C(QStringLiteral("同じ題")));
        writeUnit(QStringLiteral("b.prb"), C(QStringLiteral("同じ題")));
        writeUnit(QStringLiteral("c.prb"), C(QStringLiteral("別の題")));
        writeUnit(QStringLiteral("d.prb"), C(QStringLiteral("空の題")));
        QVERIFY(recordRun(QStringLiteral("同じ題"), QStringLiteral("○"), 5));
        QVERIFY(recordRun(QStringLiteral("同じ題"), QStringLiteral("×"), 70));
        QVERIFY(recordRun(QStringLiteral("別の題"), QStringLiteral("△"), 9));
        // A section without keys: its line reads 0 and erasing skips it.
        ProfileFile p = ProfileFile::load(recordPath());
        QByteArray bytes = p.toBytes().value() + C(QStringLiteral("[空の題]\r\n; kept\r\n"));
        WriteBytes(recordPath(), bytes);

        RecordsWindow w(TestFolder());
        w.prepareToShow();
        QCOMPARE(listTexts(w), (QStringList{QStringLiteral("2回 同じ題"), QStringLiteral("2回 同じ題"),
                                            QStringLiteral("1回 別の題"), QStringLiteral("0回 空の題")}));
        const QString lines = QStringLiteral("2003年04月05日 09:07 ○ 00分05秒\n2003年04月05日 09:07 × 01分10秒");
        w.titleListClicked(0);
        QCOMPARE(detail(w), lines);
        w.titleListClicked(1);
        QCOMPARE(detail(w), lines);

        titles(w)->item(1)->setSelected(true);
        titles(w)->item(3)->setSelected(true);
        m_prompt.answers.push_back(Answer::Yes);
        w.eraseClicked();
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("記録を消してもいいですか？")});
        QCOMPARE(listTexts(w), (QStringList{QStringLiteral("0回 同じ題"), QStringLiteral("0回 同じ題"),
                                            QStringLiteral("1回 別の題"), QStringLiteral("0回 空の題")}));
        QVERIFY(detail(w).isEmpty());
        QCOMPARE(Bytes(recordPath()), C(QStringLiteral("[別の題]\r\n1=2003年04月05日 09:07 △ 00分09秒\r\n"
                                                       "[空の題]\r\n; kept\r\n")));
    }

    void windowEraseRefused_data()
    {
        QTest::addColumn<bool>("select");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("nothing selected") << false << QStringList{QStringLiteral("消去する単元を選んでください")};
        QTest::newRow("answer no") << true << QStringList{QStringLiteral("記録を消してもいいですか？")};
    }
    void windowEraseRefused()
    {
        QFETCH(bool, select);
        QFETCH(QStringList, shown);
        writeUnit(QStringLiteral("a.prb"), "t");
        QVERIFY(recordRun(QStringLiteral("t"), QStringLiteral("○"), 5));
        const QByteArray before = Bytes(recordPath());
        RecordsWindow w(TestFolder());
        w.prepareToShow();
        w.titleListClicked(0);
        if (select)
            titles(w)->item(0)->setSelected(true);
        m_prompt.answers.push_back(Answer::No);
        w.eraseClicked();
        QCOMPARE(m_prompt.texts(), shown);
        QCOMPARE(Bytes(recordPath()), before);
        QCOMPARE(listTexts(w), QStringList{QStringLiteral("1回 t")});
        QCOMPARE(detail(w), QStringLiteral("2003年04月05日 09:07 ○ 00分05秒"));
    }

    void windowMissingKeyAndReturn()
    {
        writeUnit(QStringLiteral("a.prb"), "t");
        WriteBytes(recordPath(), "[t]\r\n1=run one\r\n3=run three\r\n");
        RecordsWindow w(TestFolder());
        w.prepareToShow();
        QCOMPARE(listTexts(w), QStringList{QStringLiteral("2回 t")});
        w.titleListClicked(0);
        QCOMPARE(detail(w), QStringLiteral("run one\n?"));
        w.returnClicked();
        QCOMPARE(w.result(), 1);
        QVERIFY(detail(w).isEmpty());
        // A new showing starts from the files again.
        QVERIFY(recordRun(QStringLiteral("t"), QStringLiteral("○"), 1));
        w.prepareToShow();
        QCOMPARE(listTexts(w), QStringList{QStringLiteral("3回 t")});
    }

    void pythonReadsOurFile()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 not found");
        WriteBytes(recordPath(), "; written by hand\r\n[Foreign]\r\nx=1\r\n");
        const QStringList titles{QStringLiteral("二次関数の基本"), QStringLiteral("評価ー転ソ表"),
                                 QStringLiteral("[基本]その1"), QStringLiteral("y=x^2"), QStringLiteral("予]云[")};
        for (int i = 0; i < titles.size(); ++i)
            for (int run = 0; run <= i; ++run)
                QVERIFY(recordRun(titles[i], QStringLiteral("○×"), 60 * run + i));

        const QString script = QStringLiteral(
            "import configparser, json, sys\n"
            "text = open(sys.argv[1], 'rb').read().decode('cp932')\n"
            "cp = configparser.RawConfigParser()\n"
            "cp.read_string(text)\n"
            "print(json.dumps({s: dict(cp[s]) for s in cp.sections()}))\n");
        QProcess proc;
        proc.start(python, {QStringLiteral("-c"), script, recordPath()});
        QVERIFY(proc.waitForFinished(30000));
        QCOMPARE(proc.exitCode(), 0);
        const QJsonObject got = QJsonDocument::fromJson(proc.readAllStandardOutput()).object();

        QJsonObject expected{{QStringLiteral("Foreign"), QJsonObject{{QStringLiteral("x"), QStringLiteral("1")}}}};
        for (int i = 0; i < titles.size(); ++i) {
            QJsonObject runs;
            for (int run = 0; run <= i; ++run)
                runs.insert(QString::number(run + 1), RecordValue(kFixed, QStringLiteral("○×"), 60 * run + i));
            expected.insert(ProfileFile::storedSectionName(titles[i]), runs);
        }
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
