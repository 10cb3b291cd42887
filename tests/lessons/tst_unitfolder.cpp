#include "files/Cp932.h"
#include "files/UnitFile.h"
#include "lessons/SampleUnits.h"
#include "lessons/UnitFolder.h"
#include "support/NonRegularFiles.h"
#include "support/ScriptedPrompt.h"

#include "support/TestSettings.h"
#include <QDir>
#include <QTemporaryDir>

#include <QtTest>

namespace {
QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestUnitFolder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init() { m_prompt.clear(); }

    // The catalogue lists only unit files: a link to a device, a FIFO or a
    // folder with a unit's name is left out, and its title reads as "？".
    void catalogueListsOnlyFiles()
    {
        QTemporaryDir folder;
        const QString dir = folder.path() + QLatin1Char('/');
        QVERIFY(WriteCp932Lines(dir + QStringLiteral("a.prb"), {QStringLiteral("単元Ａ")}));
        QVERIFY(QFile::link(dir + QStringLiteral("a.prb"), dir + QStringLiteral("b.prb")));
        QVERIFY(MakeNonRegularFile(QStringLiteral("folder"), dir + QStringLiteral("x.prb")));
        QVERIFY(MakeNonRegularFile(QStringLiteral("fifo"), dir + QStringLiteral("y.prb")));
        QVERIFY(MakeNonRegularFile(QStringLiteral("devzero"), dir + QStringLiteral("z.prb")));
        QVERIFY(MakeNonRegularFile(QStringLiteral("devzero"), dir + QStringLiteral("z.prx")));
        QCOMPARE(UnitFilesIn(dir, true), (QStringList{QStringLiteral("a.prb"), QStringLiteral("b.prb")}));
        QCOMPARE(ReadUnitTitle(dir + QStringLiteral("b.prb")), QStringLiteral("単元Ａ"));
        for (const char *name : {"x.prb", "y.prb", "z.prb"})
            QCOMPARE(ReadUnitTitle(dir + QLatin1String(name)), QStringLiteral("？"));
        QVERIFY(m_prompt.shown.isEmpty());
    }

    void sampleUnitsAreWrittenByTheTestSettings()
    {
        const QString data = QStringLiteral(QUORVEL_SOURCE_DIR "/DATA/");
        const QList<SampleUnit> units = SampleUnits();
        QVERIFY(units.size() >= 4);
        QVERIFY(WriteSampleUnits(m_dir.path() + QLatin1Char('/')));
        QCOMPARE(m_prompt.texts().size(), units.size()); // each path, shown before it is written
        for (const SampleUnit &u : units) {
            QCOMPARE(Bytes(data + u.fileName), Bytes(path(u.fileName))); // DATA/ is up to date
            const auto unit = ReadUnit(data + u.fileName, FormulaForm::Standard, IncludedEnds{}).value;
            QVERIFY(unit);
            QCOMPARE(unit->count(), u.records.size());
            QCOMPARE(ReadUnitTitle(data + u.fileName), u.title);
            for (const Parabola &r : unit->records) {
                QVERIFY(r.PointX != r.VertexX && r.PointY != r.VertexY);
                QVERIFY(r.DomainLow < r.DomainHigh);
            }
        }
    }

    // The window's save shows the path before writing, then why it failed.
    void savingShowsThePathThenTheFailure_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("after"); // shown after the path
        QTest::newRow("written") << QStringLiteral("単元") << QStringList{};
        QTest::newRow("line break in the title") << QStringLiteral("改行\n入り")
                                                 << QStringList{QStringLiteral("の保存に失敗しました"),
                                                                QStringLiteral("単元名に改行が入っています")};
    }
    void savingShowsThePathThenTheFailure()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, after);
        const QString file = path(QStringLiteral("saved.prb"));
        QCOMPARE(SaveUnitFile({title}, title, file), after.isEmpty());
        QStringList expected{file};
        if (!after.isEmpty())
            expected << file + after[0] << after[1];
        QCOMPARE(m_prompt.texts(), expected);
        QCOMPARE(m_prompt.shown[0].messageKind, MessageKind::Information);
        for (qsizetype i = 1; i < m_prompt.shown.size(); ++i)
            QCOMPARE(m_prompt.shown[i].messageKind, MessageKind::Error);
    }
};

QTEST_APPLESS_MAIN(TestUnitFolder)
#include "tst_unitfolder.moc"
