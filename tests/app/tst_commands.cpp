#include "files/Cp932.h"
#include "files/UnitFile.h"
#include "lessons/SampleUnits.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "support/Children.h"
#include "support/MainFixture.h"
#include "support/Pixels.h"
#include "support/VectorFiles.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

class TestCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<MainFixture> f;
    MainWindow *m = nullptr;
    QStringList m_modal;  // object names of the dialogs shown, in order
    std::deque<std::function<int(QDialog *)>> m_answers;

    QString data() const { return f->dir.path() + QStringLiteral("/DATA/"); }
    void addOne() { f->add(MainFixture::redParabola(0, 0, 1, 1));  }
    static QByteArray Bytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The unit dialog answered with OK after choosing line `row`
    // (1: 02_heikou.prb of the sample units).
    static std::function<int(QDialog *)> unitChosen(int row)
    {
        return [row](QDialog *d) {
            auto *w = static_cast<UnitCatalogDialog *>(d);
            w->prepareToShow();
            Child<QListWidget>(w, "lstTitle")->setCurrentRow(row);
            w->okClicked();
            return w->result();
        };
    }
    // The new-unit dialog answered with OK after typing a title.
    std::function<int(QDialog *)> newWorkOk(const QString &title)
    {
        return [title](QDialog *d) {
            auto *w = static_cast<UnitTitleDialog *>(d);
            w->prepareToShow();
            Child<QLineEdit>(w, "edtTangen")->setText(title);
            w->okClicked();
            return w->result();
        };
    }

private slots:
    void init()
    {
        f = std::make_unique<MainFixture>();
        m = f->main();
        QDir(f->dir.path()).mkdir(QStringLiteral("DATA"));
        m_modal.clear();
        m_answers.clear();
        m->runModal = [this](QDialog *d) {
            m_modal << d->objectName();
            if (m_answers.empty())
                return 2;
            auto answer = m_answers.front();
            m_answers.pop_front();
            return answer(d);
        };
    }
    void cleanup() { f.reset(); }

    void overwriteRightAfterStartSavesAs()
    {
        addOne();
        m_answers.push_back(newWorkOk(QStringLiteral("放物線その１")));
        f->prompt.fileNames.push_back(data() + QStringLiteral("first"));
        m->saveUnit();
        QCOMPARE(m_modal, QStringList{QStringLiteral("frmNewWork")});
        const QString file = data() + QStringLiteral("first.prb");
        QVERIFY(QFile::exists(file));
        QVERIFY(!m->document().isModified());
        QVERIFY(!m->state().Untitled);
        QCOMPARE(m->document().title(), QStringLiteral("放物線その１"));
        QCOMPARE(m->windowTitle(), QStringLiteral("Quorvel 放物線学習ツール - 放物線その１  ") + file);
        QStringList lines;
        QVERIFY(ReadCp932Lines(file, lines));
        QCOMPARE(lines, m->document().fileLines());
        QCOMPARE(lines.first(), QStringLiteral("放物線その１"));

        // From now on overwrite writes straight to the file, after showing its path.
        f->prompt.clear();
        f->add(MainFixture::redParabola(1, 1, 2, 3));
        m->saveUnit();
        QCOMPARE(m_modal.size(), 1);
        QCOMPARE(f->prompt.texts(), QStringList{file});
        QVERIFY(ReadCp932Lines(file, lines));
        QCOMPARE(lines.size(), 11);
    }

    void nothingToSave()
    {
        m->saveUnit();
        QVERIFY(!m->saveAs());
        QCOMPARE(f->prompt.texts(), (QStringList{QStringLiteral("保存するﾃﾞｰﾀがありません"),
                                                 QStringLiteral("保存するﾃﾞｰﾀがありません")}));
        QVERIFY(m_modal.isEmpty());
    }

    void newAsksAboutUnsavedWork_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("cancel keeps everything") << int(Answer::Cancel) << 1;
        QTest::newRow("no discards") << int(Answer::No) << 0;
    }
    void newAsksAboutUnsavedWork()
    {
        QFETCH(int, answer);
        addOne();
        m->state().Untitled = false;
        f->prompt.answers.push_back(Answer(answer));
        m->newUnit();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("現在のデータを保存しますか")});
        QTEST(m->document().count(), "countAfter");
        QVERIFY(m->state().Untitled);  // also after a cancel
    }

    // A unit opened and then moved has unsaved work: every command that
    // would drop it asks first, and cancel keeps the move.
    void movedUnitIsAskedAbout_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("undone");
        QTest::newRow("新規作成") << "mnuNewFile" << int(Answer::Cancel) << false;
        QTest::newRow("開く") << "mnuOpenFile" << int(Answer::Cancel) << false;
        QTest::newRow("単元名で開く") << "mnuTangenOpen" << int(Answer::Cancel) << false;
        QTest::newRow("終了, cancelled") << "mnuLine2" << int(Answer::Cancel) << false;
        QTest::newRow("終了, not saved") << "mnuLine2" << int(Answer::No) << false;
        QTest::newRow("新規作成 after undo") << "mnuNewFile" << int(Answer::Cancel) << true;
        QTest::newRow("開く after undo") << "mnuOpenFile" << int(Answer::Cancel) << true;
        QTest::newRow("終了 after undo") << "mnuLine2" << int(Answer::Cancel) << true;
    }
    void movedUnitIsAskedAbout()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(bool, undone);
        QVERIFY(WriteSampleUnits(data()));
        f->prompt.fileNames.push_back(data() + QStringLiteral("01_ax2.prb"));
        m->openFile();
        QVERIFY(!m->needsSaving());
        Child<QToolButton>(m, "btnSelectAll")->click();
        Child<QToolButton>(m, "btnLeft")->click();
        const Parabola moved = m->document().at(0);
        m_answers.push_back(unitChosen(1));
        f->prompt.clear();
        if (undone) {
            // Back at the unit as opened there is nothing to ask about.
            QTest::keyClick(m, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(!m->needsSaving());
            f->prompt.fileNames.push_back(std::nullopt);
            m->action(command.toLatin1().constData())->trigger();
            QVERIFY(!f->prompt.texts().contains(QStringLiteral("現在のデータを保存しますか")));
            return;
        }
        f->prompt.answers.push_back(Answer(answer));
        m->action(command.toLatin1().constData())->trigger();
        QCOMPARE(f->prompt.texts().value(0), QStringLiteral("現在のデータを保存しますか"));
        if (Answer(answer) == Answer::Cancel) {
            QCOMPARE(m->document().at(0).VertexX, moved.VertexX);
            QCOMPARE(m->document().count(), 6);
            QVERIFY(m->needsSaving());
        }
        QCOMPARE(m->isVisible(), Answer(answer) == Answer::Cancel || command != QLatin1String("mnuLine2"));
    }

    // Every change of the unit is one step: undo gives back the records,
    // the selection, the file text and the saved state exactly, redo the
    // change; a unit undone to as it was opened saves byte for byte.
    void everyChangeUndoesAndRedoes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new parabola") << "new";
        QTest::newRow("replacing parabola") << "replace";
        QTest::newRow("訂正") << "delete";
        QTest::newRow("全部消去") << "clear";
        QTest::newRow("arrow left") << "left";
        QTest::newRow("arrow up") << "up";
        QTest::newRow("広く") << "wider";
        QTest::newRow("狭く") << "narrower";
        QTest::newRow("colour") << "colour";
        QTest::newRow("line width") << "width";
        QTest::newRow("handle drag") << "drag";
        QTest::newRow("fixed colour") << "fixed";
    }
    void everyChangeUndoesAndRedoes()
    {
        QFETCH(QString, command);
        QVERIFY(WriteSampleUnits(data()));
        const QString file = data() + QStringLiteral("01_ax2.prb");
        const QByteArray opened = Bytes(file);
        f->prompt.fileNames.push_back(file);
        m->openFile();
        UnitDocument &doc = m->document();
        QCOMPARE(doc.count(), 6);
        f->select({1, 2});
        if (command == QLatin1String("narrower")) {
            m->reshapeSelected(Reshape::Wider);
            m->reshapeSelected(Reshape::Wider);
        }
        const UnitSnapshot before = doc.snapshot();
        const QStringList linesBefore = doc.fileLines();
        const bool modifiedBefore = doc.isModified();
        f->prompt.clear();
        if (command == QLatin1String("new")) {
            Parabola rec = m->newParabolaRecord(QPoint(2, 0), QPoint(3, 1));
            rec.Formula = StandardFormPlain(rec, m->currentForm());
            QVERIFY(m->storeParabola(rec, -1));
        } else if (command == QLatin1String("replace")) {
            Parabola rec = m->newParabolaRecord(QPoint(-2, 1), QPoint(-1, 3));
            rec.Formula = StandardFormPlain(rec, m->currentForm());
            QVERIFY(m->storeParabola(rec, 0));
        } else if (command == QLatin1String("delete")) {
            m->deleteSelected();
        } else if (command == QLatin1String("clear")) {
            f->prompt.answers.push_back(Answer::Yes);
            m->deleteAll();
        } else if (command == QLatin1String("left")) {
            Child<QToolButton>(m, "btnLeft")->click();
        } else if (command == QLatin1String("up")) {
            Child<QToolButton>(m, "btnUp")->click();
        } else if (command == QLatin1String("wider")) {
            Child<QToolButton>(m, "btnKatamukiUp")->click();
        } else if (command == QLatin1String("narrower")) {
            Child<QToolButton>(m, "btnKatamukiDw")->click();
        } else if (command == QLatin1String("colour")) {
            f->prompt.colors.push_back(std::optional<Color>(0x00FF00));
            m->changeSelectedColor();
        } else if (command == QLatin1String("width")) {
            m->setSelectedWidth(3);
        } else if (command == QLatin1String("drag")) {
            // The passing point held past the click time, then dropped.
            m->input().press(Qt::RightButton, QPoint(1, 1), 0);
            m->input().held(DrawingInput::ClickTime);
            m->input().release(Qt::RightButton, QPoint(2, 1), DrawingInput::ClickTime + 100);
        } else if (command == QLatin1String("fixed")) {
            f->prompt.colors.push_back(std::optional<Color>(0x0000FF));
            m->chooseFixedColor();
        }
        const UnitSnapshot after = doc.snapshot();
        const QStringList linesAfter = doc.fileLines();
        QVERIFY(after.entries != before.entries);
        QVERIFY(doc.isModified());
        QCOMPARE(doc.undoStack()->count() - doc.undoStack()->index(), 0);
        QVERIFY(Child<QAction>(m, "mnuUndo")->isEnabled());
        QVERIFY(!Child<QAction>(m, "mnuRedo")->isEnabled());

        Child<QAction>(m, "mnuUndo")->trigger();
        QVERIFY(doc.snapshot() == before);
        QCOMPARE(doc.fileLines(), linesBefore);
        QCOMPARE(doc.isModified(), modifiedBefore);
        QCOMPARE(Child<FormulaList>(m, "lstShiki")->count(), before.entries.size());
        QVERIFY(Child<QAction>(m, "mnuRedo")->isEnabled());

        Child<QAction>(m, "mnuRedo")->trigger();
        QVERIFY(doc.snapshot() == after);
        QCOMPARE(doc.fileLines(), linesAfter);
        QVERIFY(doc.isModified());

        // Undone to the unit as opened, it saves to the very bytes it came from.
        while (doc.undoStack()->canUndo())
            Child<QAction>(m, "mnuUndo")->trigger();
        QVERIFY(!doc.isModified());
        m->saveUnit();
        QCOMPARE(Bytes(file), opened);
    }

    void newWithNothingToSaveAsksNothing()
    {
        m->newUnit();
        QVERIFY(f->prompt.shown.isEmpty());
        QCOMPARE(m->windowTitle(), QStringLiteral("Quorvel 放物線学習ツール - 新しい単元  ") +
                                       forms().folder().dir + QStringLiteral("Parabola.prb"));
        QCOMPARE(m->state().UnitFileName, QStringLiteral("Parabola.prb"));  // only the caption shows the new name
    }

    void existingFileAsksBeforeOverwriting_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("yes") << int(Answer::Yes) << true;
        QTest::newRow("no") << int(Answer::No) << false;
        QTest::newRow("cancel") << int(Answer::Cancel) << false;
    }
    void existingFileAsksBeforeOverwriting()
    {
        QFETCH(int, answer);
        QFETCH(bool, written);
        const QString file = data() + QStringLiteral("old.prb");
        QVERIFY(WriteCp932Lines(file, {QStringLiteral("old unit")}));
        addOne();
        f->prompt.fileNames.push_back(file);
        f->prompt.answers.push_back(Answer(answer));
        QCOMPARE(int(m->saveWithDialog(false)), answer);
        QCOMPARE(f->prompt.shown.value(1).text, file + QStringLiteral("上書きしてもいいですか"));
        QStringList lines;
        QVERIFY(ReadCp932Lines(file, lines));
        QCOMPARE(lines.size() == 6, written);
        QCOMPARE(!m->document().isModified(), written);
        // A declined overwrite does not point the unit at that file.
        QCOMPARE(m->state().UnitFileName == file, written);
    }

    void failedSaveChangesNothingOnDisk()
    {
        const QString file = data() + QStringLiteral("keep.prb");
        QVERIFY(WriteCp932Lines(file, {QStringLiteral("keep me")}));
        const QByteArray before = Bytes(file);
        QDir(data()).mkdir(QStringLiteral("taken.prb"));
        addOne();
        f->prompt.fileNames.push_back(data() + QStringLiteral("taken.prb"));
        f->prompt.answers.push_back(Answer::Yes);  // overwrite the "file"
        QCOMPARE(m->saveWithDialog(false), Answer::Cancel);
        QVERIFY(f->prompt.texts().contains(data() + QStringLiteral("taken.prb") + QStringLiteral("の保存に失敗しました")));
        QVERIFY(m->document().isModified());
        QCOMPARE(Bytes(file), before);
        QCOMPARE(m->document().fileLines().first(), QStringLiteral("新しい単元"));
    }

    void openReadsTheUnit()
    {
        QVERIFY(WriteSampleUnits(data()));
        const QString file = data() + QStringLiteral("04_heniki.prb");
        f->prompt.fileNames.push_back(file);
        m->openFile();
        QCOMPARE(m->document().count(), 5);
        QCOMPARE(Child<FormulaList>(m, "lstShiki")->count(), 5);
        QCOMPARE(m->document().entry(0).listText, QStringLiteral("y = x^2 (-1≦x≦2)"));
        QVERIFY(!m->document().isModified());
        QVERIFY(!m->state().Untitled);
        QCOMPARE(m->windowTitle(), QStringLiteral("Quorvel 放物線学習ツール - 定義域と値域  ") + file);
        QCOMPARE(Child<QLabel>(forms().unitContentsWindow(), "lblNline")->text(), QStringLiteral("5"));
        QCOMPARE(m->document().fileLines().size(), 26);
    }

    void openOfABadFileLeavesTheUnitAsItWas()
    {
        addOne();
        m->document().undoStack()->setClean();
        const QString file = data() + QStringLiteral("bad.prb");
        QVERIFY(WriteCp932Lines(file, {QStringLiteral("t"), QStringLiteral("1,16")}));
        f->prompt.fileNames.push_back(file);
        const QStringList mirror = m->document().fileLines();
        m->openFile();
        QCOMPARE(f->prompt.texts().last(), QStringLiteral("データの構造が違います。"));
        QCOMPARE(m->document().count(), 1);
        QCOMPARE(m->document().fileLines(), mirror);
        QVERIFY(!m->state().Untitled);
    }

    // Opening a unit leaves nothing of the one before on the side panels or
    // in the table, whichever way it is opened.
    void openShowsNothingOfTheUnitBefore_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("開く") << "mnuOpenFile";
        QTest::newRow("単元名で開く") << "mnuTangenOpen";
    }
    void openShowsNothingOfTheUnitBefore()
    {
        QFETCH(QString, command);
        QVERIFY(WriteSampleUnits(data()));
        f->add(MainFixture::redParabola(1, 2, 3, 4, 1, -1, 3));
        f->select({0});
        m->repaintAll();
        QList<ImageView *> panels{Child<ImageView>(m, "imgShiki"), Child<ImageView>(m, "imgHenikiX"),
                                  Child<ImageView>(m, "imgHenikiY"), Child<ImageView>(m, "imgJiku"),
                                  Child<ImageView>(m, "imgChouten")};
        for (ImageView *v : panels)
            QVERIFY(Marked(v->canvas(), QRect(QPoint(0, 0), v->canvas().image().size()), Colors::Teal) > 0);
        f->prompt.answers.push_back(Answer::No);  // the parabola drawn is not saved
        f->prompt.fileNames.push_back(data() + QStringLiteral("02_heikou.prb"));
        m_answers.push_back(unitChosen(1));
        m->action(command.toLatin1().constData())->trigger();
        QCOMPARE(m->document().count(), 5);
        for (ImageView *v : panels)
            QCOMPARE(Marked(v->canvas(), QRect(QPoint(0, 0), v->canvas().image().size()), Colors::Teal), 0);
        const ValueTable &t = m->valueTable();
        for (int k = 1; k < t.columnCount(); ++k)
            for (int row = 0; row < 2; ++row)
                QCOMPARE(Marked(Child<ImageView>(m, "drgTable")->canvas(), t.cellRect(k, row), Colors::White),
                         0);
    }

    void openByUnitName()
    {
        QVERIFY(WriteSampleUnits(data()));
        m_answers.push_back(unitChosen(1));
        m->openByTitle();
        QCOMPARE(m_modal, QStringList{QStringLiteral("frmTangenOpen")});
        QCOMPARE(m->document().count(), 5);
        QCOMPARE(m->document().title(), QStringLiteral("グラフの平行移動"));
        QCOMPARE(m->state().UnitFileName, data() + QStringLiteral("02_heikou.prb"));
        QCOMPARE(forms().unitCatalogDialog()->chosenUnit().unitTitle, QStringLiteral("グラフの平行移動"));
        QVERIFY(!m->state().Untitled);
        // The preview has a geometry of its own.
        QCOMPARE(Child<PlaneView>(m, "imgCood")->planeGeometry().OriginX, 272);
    }

    void unitDialogLists_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("for editing") << true << QStringList{"a", "？", "c"};
        QTest::newRow("for practice") << false << QStringList{"a", "？"};
    }
    void unitDialogLists()
    {
        QFETCH(bool, editing);
        QVERIFY(WriteCp932Lines(data() + QStringLiteral("1.prb"), {QStringLiteral("a")}));
        QFile bad(data() + QStringLiteral("2.prb"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("\x82\x20");
        bad.close();
        QVERIFY(WriteCp932Lines(data() + QStringLiteral("3.prx"), {QStringLiteral("c")}));
        UnitCatalogDialog *w = forms().unitCatalogDialog();
        w->setForEditing(editing);
        w->prepareToShow();
        const QListWidget *list = Child<QListWidget>(w, "lstTitle");
        QStringList titles;
        for (int i = 0; i < list->count(); ++i)
            titles << list->item(i)->text();
        QTEST(titles, "titles");
        QCOMPARE(w->windowTitle(), editing ? QStringLiteral("単元名で開く") : QStringLiteral("練習する単元名を開く"));
        w->okClicked();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("単元を選択してください")});
        QCOMPARE(w->result(), 0);
    }

    // Each showing starts with no unit chosen: focus alone picks none, and
    // OK asks for one until the user clicks a title.
    void unitDialogStartsWithNothingChosen()
    {
        QVERIFY(WriteSampleUnits(data()));
        UnitCatalogDialog *w = forms().unitCatalogDialog();
        w->setForEditing(true);
        QListWidget *titles = Child<QListWidget>(w, "lstTitle");
        QPushButton *ok = Child<QPushButton>(w, "btnOK");
        for (int showing = 0; showing < 2; ++showing) {
            w->show();
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            titles->setFocus();
            QCoreApplication::processEvents();
            QCOMPARE(w->chosenFileName(), QString());
            QCOMPARE(w->chosenUnit().count, 0);
            QCOMPARE(Child<QListWidget>(w, "lstShiki")->count(), 0);
            f->prompt.clear();
            ok->click();
            QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("単元を選択してください")});
            QVERIFY(w->isVisible());
            QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                              titles->visualItemRect(titles->item(2)).center());
            QCOMPARE(Child<QLabel>(w, "lblFileName")->text(), QStringLiteral("03_ippan.prb"));
            QCOMPARE(w->chosenFileName(), QStringLiteral("03_ippan.prb"));
            ok->click();
            QCOMPARE(w->result(), 1);
            QCOMPARE(w->chosenUnit().unitTitle, titles->item(2)->text());
            QVERIFY(!w->isVisible());
        }
    }

    void unitDialogPreviewAndLock()
    {
        QVERIFY(WriteSampleUnits(data()));
        UnitCatalogDialog *w = forms().unitCatalogDialog();
        const QPushButton *records = Child<QPushButton>(w, "btnRecord");
        ImageView *plane = Child<ImageView>(w, "imgCood");
        m->toggleLock();
        w->prepareToShow();
        QVERIFY(!records->isEnabled());
        m->toggleLock();
        w->prepareToShow();
        QVERIFY(records->isEnabled());
        const QImage empty = plane->canvas().image();
        Child<QListWidget>(w, "lstTitle")->setCurrentRow(0);
        QCOMPARE(w->chosenFileName(), QStringLiteral("01_ax2.prb"));
        QCOMPARE(w->chosenUnit().count, 6);
        QCOMPARE(Child<QListWidget>(w, "lstShiki")->count(), 6);
        QVERIFY(plane->canvas().image() != empty);
        QCOMPARE(Child<PlaneView>(m, "imgCood")->planeGeometry().OriginX, 272);
    }

    void newUnitDialog()
    {
        QVERIFY(WriteSampleUnits(data()));
        f->prompt.clear();
        UnitTitleDialog *w = forms().unitTitleDialog();
        w->prepareToShow();
        QLineEdit *field = Child<QLineEdit>(w, "edtTangen");
        QCOMPARE(Child<QListWidget>(w, "lstTitle")->count(), 4);
        QCOMPARE(field->text(), QStringLiteral("新しい単元"));
        QCOMPARE(w->title(), QStringLiteral("新しい単元"));
        field->clear();
        w->okClicked();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("単元名を入力してください")});
        w->titleListClicked(2);
        QCOMPARE(field->text(), QStringLiteral("一般形の式とグラフ"));
        f->prompt.answers.push_back(Answer::No);
        w->okClicked();
        QCOMPARE(f->prompt.texts().last(), QStringLiteral("同じ単元名がありますが、いいですか？"));
        QCOMPARE(w->result(), 0);  // still open
        f->prompt.answers.push_back(Answer::Yes);
        w->okClicked();
        QCOMPARE(w->result(), 1);
    }

    void clearAll_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("yes") << int(Answer::Yes) << 0;
        QTest::newRow("no") << int(Answer::No) << 2;
    }
    void clearAll()
    {
        QFETCH(int, answer);
        addOne();
        addOne();
        f->prompt.answers.push_back(Answer(answer));
        m->deleteAll();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("全部削除してもいいですか？")});
        QTEST(m->document().count(), "countAfter");
        QCOMPARE(m->needsSaving(), Answer(answer) != Answer::Yes); // an emptied unit asks nothing
        QCOMPARE(m->windowTitle(), QStringLiteral("Quorvel 放物線学習ツール - 新しい単元  Parabola.prb"));
    }

    void clipboardCopyAndPaste()
    {
        addOne();
        m->repaintAll();
        m->copyToClipboard();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(544, 544));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 Child<ImageView>(m, "imgCood")->canvas().image());

        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(red);
        m->pasteFromClipboard();
        const Canvas &still = Child<ImageView>(m, "imgCood")->canvas();
        QCOMPARE(still.pixel(5, 5), Colors::Red);
        m->repaintAll();  // the pasted picture stays under the curves
        QCOMPARE(still.pixel(5, 5), Colors::Red);
        // A curve moved there and back leaves no copy on the pasted picture.
        f->select({0});
        m->repaintAll();
        const QImage pasted = still.image().copy();
        Child<QToolButton>(m, "btnRight")->click();
        QVERIFY(still.image() != pasted);
        Child<QToolButton>(m, "btnLeft")->click();
        QCOMPARE(still.image(), pasted);

        f->prompt.answers.push_back(Answer::No);
        m->clearPastedBitmap();
        QCOMPARE(still.pixel(5, 5), Colors::Red);
        f->prompt.answers.push_back(Answer::Yes);
        m->clearPastedBitmap();
        QCOMPARE(still.pixel(5, 5), Colors::White);
        QCOMPARE(f->prompt.texts().last(), QStringLiteral("ビットマップをクリアしてもいいですか"));
    }

    void pasteWithoutABitmapCoversNothing()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
        m->repaintAll();
        const QImage before = Child<ImageView>(m, "imgCood")->canvas().image().copy();
        m->pasteFromClipboard();
        QCOMPARE(Child<ImageView>(m, "imgCood")->canvas().image(), before);
        QCOMPARE(f->prompt.shown.size(), 1);
    }

    // The plane as on screen goes to the file type chosen in the dialog:
    // SVG and PDF as vector curves and text, PNG at 1, 2 or 4 times.
    void exportWritesTheChosenType_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");   // index in the dialog's filter, -1 untold
        QTest::addColumn<int>("pixels"); // PNG: times the plane's size
        QTest::newRow("SVG") << "plane.svg" << 0 << 0;
        QTest::newRow("PDF") << "plane.pdf" << 1 << 0;
        QTest::newRow("PNG 1x") << "plane.png" << 2 << 1;
        QTest::newRow("PNG 2x") << "plane.png" << 3 << 2;
        QTest::newRow("PNG 4x") << "plane.PNG" << 4 << 4;
        QTest::newRow("PNG by its suffix alone") << "plane.png" << -1 << 1;
        QTest::newRow("suffix over a type that does not fit") << "plane.svg" << 3 << 0;
    }
    void exportWritesTheChosenType()
    {
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(int, pixels);
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        const QString file = data() + name;
        f->prompt.fileNames.push_back(file);
        f->prompt.fileTypes.push_back(type);
        m->action("mnuExport")->trigger();
        // Only the save dialog, offering the unit's name as an SVG file.
        QCOMPARE(f->prompt.shown.size(), 1);
        QCOMPARE(f->prompt.shown[0].kind, QStringLiteral("save"));
        QCOMPARE(f->prompt.shown[0].text,
                 data() + QFileInfo(m->state().UnitFileName).completeBaseName() + QStringLiteral(".svg"));
        QCOMPARE(QDir(data()).entryList(QDir::Files), QStringList{name});
        const QImage screen = Child<ImageView>(m, "imgCood")->canvas().image();
        if (name.endsWith(QLatin1String(".svg"))) {
            QCOMPARE(SvgCurvePaths(Bytes(file)), QStringList{QStringLiteral("#0000ff")});
            QVERIFY(Bytes(file).contains("<text"));
        } else if (name.endsWith(QLatin1String(".pdf"))) {
            QCOMPARE(PdfPageCount(file), 1);
            QCOMPARE(PdfImageCount(file), 0);
            QVERIFY(PdfText(file).contains(QLatin1String("-10")));
        } else {
            const QImage png(file);
            QCOMPARE(png.size(), screen.size() * pixels);
            if (pixels == 1)
                QCOMPARE(png.convertToFormat(QImage::Format_RGB32), screen);
        }
    }

    void failedExportSaysWhyAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a folder of that name")
            << "taken.svg"
            << QStringList{QStringLiteral("%1taken.svgに図を書き出せませんでした"),
                           QStringLiteral("同じ名前のフォルダーがあります")};
        QTest::newRow("another suffix")
            << "plane.bmp"
            << QStringList{QStringLiteral(
                   "図は SVG・PDF・PNG のどれかのファイルに書き出します（拡張子 .svg・.pdf・.png）")};
    }
    void failedExportSaysWhyAndLeavesNoFile()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        QVERIFY(QDir(data()).mkdir(QStringLiteral("taken.svg")));
        f->prompt.fileNames.push_back(data() + name);
        f->prompt.answers.push_back(Answer::Yes); // overwrite the "file"
        m->exportPlane();
        QStringList told;
        for (const ScriptedPrompt::Shown &shown : f->prompt.shown)
            if (shown.kind == QLatin1String("message"))
                told << shown.text;
        for (QString &text : messages)
            text = text.arg(data());
        QCOMPARE(told, messages);
        QCOMPARE(QDir(data()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("taken.svg")});
    }

    void helpContexts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("context");
        QTest::newRow("new") << "mnuNewFile" << 214;
        QTest::newRow("print") << "mnuPrint" << 214;
        QTest::newRow("export") << "mnuExport" << 214;
        QTest::newRow("paste is not a file item") << "mnuPaste" << 100;
        QTest::newRow("correction") << "mnuTetsei" << 216;
        QTest::newRow("clear all") << "mnuShoukyo" << 216;
        QTest::newRow("line kind") << "mnuSetSenshu" << 218;
        QTest::newRow("line colour") << "mnuSetColor" << 218;
        QTest::newRow("test") << "mnuTest" << 220;
        QTest::newRow("practice") << "mnuRenshu" << 220;
        QTest::newRow("unit content") << "mnuShowTangen" << 222;
        QTest::newRow("records") << "mnuShowRecord" << 222;
        QTest::newRow("how to use") << "mnuShowHelp" << 100;
    }
    void helpContexts()
    {
        QFETCH(QString, item);
        QTEST(m->helpContextOf(m->action(item.toLatin1().constData())), "context");
        QCOMPARE(m->helpContextOf(Child<FormulaList>(m, "lstShiki")), 104);
        QCOMPARE(m->helpContextOf(Child<QCheckBox>(m, "chkShiki")), 100);
    }

    void unitContentWindowShowsTheMirror()
    {
        addOne();
        m_answers.push_back([](QDialog *d) {
            d->show();
            const int lines = Child<QPlainTextEdit>(d, "memFile")->document()->blockCount();
            d->hide();
            return lines;
        });
        m->showUnitContents();
        QCOMPARE(m_modal, QStringList{QStringLiteral("frmTangen")});
        const QPlainTextEdit *text = Child<QPlainTextEdit>(forms().unitContentsWindow(), "memFile");
        QCOMPARE(text->document()->blockCount(), 6);
        QCOMPARE(text->toPlainText().split(QLatin1Char('\n')),
                 m->document().fileLines());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
