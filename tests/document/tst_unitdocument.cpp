// The unit document on its own: what a file holds beyond its records is
// kept, and the history follows what the unit shows and whether it is saved.

#include "document/UnitDocument.h"
#include "files/Cp932.h"
#include "files/UnitFile.h"
#include "model/FormulaText.h"

#include <QAbstractItemModel>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

namespace {
Parabola Whole(int vx, int vy, int px, int py)
{
    Parabola rec;
    rec.VertexX = vx;
    rec.VertexY = vy;
    rec.PointX = px;
    rec.PointY = py;
    rec.Formula = StandardFormPlain(rec);
    return rec;
}
}  // namespace

class TestUnitDocument : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // 101 records: the 101st stays as lines of the file, behind every
    // record, also when one is added and taken back.
    void linesBeyondTheRecordsStayBehindThem()
    {
        QStringList lines{QStringLiteral("百一本")};
        for (int i = 0; i < 101; ++i)
            lines << QStringLiteral("255,+16") << QStringLiteral("式%1").arg(i) << QStringLiteral("%1,0").arg(i)
                  << QStringLiteral("%1,1").arg(i + 1) << QStringLiteral("-99,99");
        const QString file = m_dir.filePath(QStringLiteral("a.prb"));
        QVERIFY(WriteCp932Lines(file, lines));
        const auto read = ReadUnit(file, FormulaForm::Standard, IncludedEnds{});
        QVERIFY(read.messages.isEmpty());
        const auto &unit = read.value;
        QVERIFY(unit);
        UnitDocument doc;
        doc.load(*unit, file);
        QCOMPARE(doc.count(), 100);
        QCOMPARE(doc.fileLines(), lines);  // "+16" and the formula lines as they were
        QVERIFY(!doc.isModified());

        UnitSnapshot s = doc.snapshot();
        s.entries.removeAt(0);
        s.append(Whole(0, 0, 1, 1), QStringLiteral("y = x^2"));
        doc.commit(QStringLiteral("change"), s);
        const QStringList changed = doc.fileLines();
        QCOMPARE(changed.size(), lines.size());
        QCOMPARE(changed.mid(496, 5), (QStringList{"0,16", "y = x^2", "0,0", "1,1", "-99,99"}));
        QCOMPARE(changed.mid(501), lines.mid(501));
        doc.undoStack()->undo();
        QCOMPARE(doc.fileLines(), lines);
        QVERIFY(!doc.isModified());
    }

    // A new history (practice) does not make unsaved work look saved; a
    // selection alone is no step; a change of form reaches the history.
    void historyAndSavedState()
    {
        UnitDocument doc;
        doc.reset(QStringLiteral("t"), QStringLiteral("t.prb"));
        UnitSnapshot s = doc.snapshot();
        s.append(Whole(0, 0, 1, 1), QStringLiteral("y = x^2"));
        s.append(Whole(1, 0, 2, 2), QStringLiteral("y = 2(x-1)^2"));
        doc.commit(QStringLiteral("add"), s);
        QVERIFY(doc.isModified());

        s.selected = {1};
        doc.commit(QStringLiteral("select"), s);
        QCOMPARE(doc.undoStack()->count(), 1);
        QCOMPARE(doc.selectedRows(), QList<int>{1});

        doc.retext([](const Parabola &rec) { return GeneralFormText(rec); });
        QCOMPARE(doc.model()->index(1, 0).data().toString(), QStringLiteral("y = 2x^2-4x+2"));
        s = doc.snapshot();
        s.entries.removeAt(0);
        doc.commit(QStringLiteral("delete"), s);
        doc.undoStack()->undo();
        QCOMPARE(doc.entry(1).listText, QStringLiteral("y = 2x^2-4x+2"));
        QCOMPARE(doc.at(1).Formula, QStringLiteral("y = 2x^2-4x+2"));

        doc.startNewHistory();
        QVERIFY(!doc.undoStack()->canUndo());
        QVERIFY(doc.isModified());
        doc.markSaved(QStringLiteral("t"), QStringLiteral("t.prb"));
        QVERIFY(!doc.isModified());
        doc.startNewHistory();
        QVERIFY(!doc.isModified());
    }
};

QTEST_GUILESS_MAIN(TestUnitDocument)
#include "tst_unitdocument.moc"
