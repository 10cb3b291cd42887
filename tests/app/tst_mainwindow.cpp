#include "about/AboutDialog.h"
#include "app/AppDir.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/HelpWindow.h"
#include "app/MainLayout.h"
#include "app/MainWindow.h"
#include "app/PropertiesWindow.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "plane/Fonts.h"
#include "practice/PracticeWindow.h"
#include "practice/RecordsWindow.h"
#include "practice/RightAnswerDialog.h"
#include "practice/RunEndDialog.h"
#include "practice/WrongAnswerDialog.h"
#include "settings/LineKindDialog.h"
#include "settings/PlaneSettingsDialog.h"
#include "settings/SettingsStore.h"
#include "support/Children.h"
#include "support/Records.h"
#include "support/ScriptedPrompt.h"
#include "ui/Cursors.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <functional>
#include <map>

// Counts the paint events of a widget while it lives.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget *w, int &count) : m_widget(w), m_count(count) { w->installEventFilter(this); }
    ~PaintCounter() override { m_widget->removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    QWidget *m_widget;
    int &m_count;
};

class TestMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedPrompt> m_prompt;

    MainWindow *main() { return forms().mainWindow; }

private slots:
    void initTestCase() { RegisterFontSubstitutions(); }

    void init()
    {
        m_prompt = std::make_unique<ScriptedPrompt>();
        CreateForms(QSize(1024, 768), m_dir.path(), SettingsStore(m_dir.filePath(QStringLiteral("store.ini"))));
        main()->show();
        QVERIFY(QTest::qWaitForWindowExposed(main()));
    }
    void cleanup()
    {
        DestroyForms();
        m_prompt.reset();
        QFile::remove(m_dir.filePath(QStringLiteral("store.ini")));
    }

    void layoutFigures_data()
    {
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<int>("windowHeight");
        QTest::addColumn<int>("defaultSize");
        QTest::addColumn<int>("planeSide");
        QTest::newRow("768") << 768 << 740 << 544 << 576;
        QTest::newRow("600") << 600 << 572 << 384 << 416;
        QTest::newRow("1024") << 1024 << 996 << 800 << 832;
        QTest::newRow("800 (one below a step)") << 800 << 772 << 576 << 608;
    }
    void layoutFigures()
    {
        QFETCH(int, screenHeight);
        const MainWindowLayout l = ComputeMainWindowLayout(1024, screenHeight);
        QTEST(l.window.height(), "windowHeight");
        QCOMPARE(l.window.width(), 1024);
        QTEST(l.planeDefaultSize, "defaultSize");
        QTEST(l.plane.height(), "planeSide");
        QCOMPARE(l.plane.width(), l.plane.height());
        QCOMPARE(l.plane.top(), 42);
        // The value table sits where the list began; the list moved down by its height.
        QCOMPARE(l.valueTableView.top(), 42);
        QCOMPARE(l.valueTableView.height(), 65);
        QCOMPARE(l.formulaList.top(), 42 + 65);
        QCOMPARE(l.valueTableView.left(), l.formulaList.left() + 2);
        QCOMPARE(l.formulaGroup.top(), l.formulaList.bottom() + 1 + 5);
        QCOMPARE(l.rangeGroup.top(), l.domainGroup.top());
        QCOMPARE(l.vertexGroup.top(), l.axisGroup.top());
        QCOMPARE(l.settingsGroup.top(), l.vertexGroup.top());
        QCOMPARE(l.settingsGroup.left(), l.plane.left() + 24);
        QCOMPARE(l.settingsGroup.width(), l.plane.width() - 32);
    }

    void appDirEndsWithOneSeparator_data()
    {
        QTest::addColumn<QString>("cwd");
        QTest::addColumn<QString>("appDir");
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("drive root") << "C:\\" << "C:\\";
        QTest::newRow("folder") << "/home/pupil" << "/home/pupil/";
        QTest::newRow("japanese folder") << "/home/数学" << "/home/数学/";
    }
    void appDirEndsWithOneSeparator()
    {
        QFETCH(QString, cwd);
        QTEST(AppDirFrom(cwd), "appDir");
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("unitFile");
        QTest::addColumn<QString>("textHas");
        using A = CommandLine::Action;
        const QString usage = QStringLiteral("Usage: quorvel [options] [FILE]");
        QTest::newRow("nothing") << QStringList{"quorvel"} << int(A::Run) << "" << "";
        QTest::newRow("a unit") << QStringList{"quorvel", "単元.prb"} << int(A::Run) << "単元.prb" << "";
        QTest::newRow("--version") << QStringList{"quorvel", "--version"} << int(A::PrintVersion) << ""
                                   << "quorvel " + AboutDialog::VersionNumber() + "\n";
        QTest::newRow("-v beside a unit") << QStringList{"quorvel", "-v", "a.prb"} << int(A::PrintVersion) << ""
                                          << "quorvel ";
        QTest::newRow("--help") << QStringList{"quorvel", "--help"} << int(A::PrintHelp) << "" << usage;
        QTest::newRow("unknown long option")
            << QStringList{"quorvel", "--bogus"} << int(A::Refuse) << "" << "知らないオプションです: --bogus";
        QTest::newRow("unknown short option")
            << QStringList{"quorvel", "-x", "a.prb"} << int(A::Refuse) << "" << "知らないオプションです: -x";
        QTest::newRow("two units") << QStringList{"quorvel", "a.prb", "b.prb"} << int(A::Refuse) << "" << usage;
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, textHas);
        const CommandLine c = ParseCommandLine(args);
        QCOMPARE(int(c.action), action);
        QTEST(c.unitFile, "unitFile");
        QVERIFY2(c.text.contains(textHas), qPrintable(c.text));
        QCOMPARE(c.exitCode(), c.action == CommandLine::Action::Refuse ? 2 : 0);
        if (c.action == CommandLine::Action::Refuse)
            QVERIFY(c.text.contains(QStringLiteral("Usage: quorvel")));
        // The about box shows the same version.
        if (c.action == CommandLine::Action::PrintVersion)
            QVERIFY(AboutDialog::VersionText().endsWith(AboutDialog::VersionNumber()));
    }

    void dataFolderIsTheStartFolderOrTheUsersOwn()
    {
        QTemporaryDir tmp;
        const QString start = tmp.filePath(QStringLiteral("start")), user = tmp.filePath(QStringLiteral("user"));
        const QString samples = tmp.filePath(QStringLiteral("share/DATA"));
        QVERIFY(QDir().mkpath(start) && QDir().mkpath(samples));
        for (const char *name : {"01_a.prb", "02_b.prx", "notes.txt"}) {
            QFile f(samples + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("t\r\n") == 3);
            f.setPermissions(QFile::ReadOwner);  // installed copies may be read-only
        }
        // No DATA/ in the start folder: the user's folder, seeded with the units only.
        QCOMPARE(ChooseDataFolder(start, user, samples), user + QLatin1Char('/'));
        const QStringList seeded = QDir(user + QStringLiteral("/DATA")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(seeded, (QStringList{"01_a.prb", "02_b.prx"}));
        QVERIFY(QFileInfo(user + QStringLiteral("/DATA/01_a.prb")).permissions() & QFile::WriteOwner);
        // A sample the user deleted does not come back.
        QVERIFY(QFile::remove(user + QStringLiteral("/DATA/01_a.prb")));
        ChooseDataFolder(start, user, samples);
        QVERIFY(!QFile::exists(user + QStringLiteral("/DATA/01_a.prb")));
        // A start folder that holds DATA/ wins and the user's folder is not touched.
        QVERIFY(QDir().mkpath(start + QStringLiteral("/DATA")));
        QCOMPARE(ChooseDataFolder(start, tmp.filePath(QStringLiteral("other")), samples), start + QLatin1Char('/'));
        QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("other"))));
        QVERIFY(IsWritableFolder(start));
        QVERIFY(!IsWritableFolder(tmp.filePath(QStringLiteral("missing"))));
    }

    void unitNamedOnTheCommandLineIsOpened()
    {
        const QString file = QStringLiteral(QUORVEL_SOURCE_DIR "/DATA/01_ax2.prb");
        main()->openUnitFile(file);
        QVERIFY(m_prompt->texts().isEmpty());
        QVERIFY2(main()->windowTitle().endsWith(QStringLiteral(" - y=ax^2のグラフ  ") + file),
                 qPrintable(main()->windowTitle()));
        QCOMPARE(Child<FormulaList>(main(), "lstShiki")->count(), main()->document().count());
        QVERIFY(Child<FormulaList>(main(), "lstShiki")->count() > 0);

        const QString missing = m_dir.filePath(QStringLiteral("ない.prb"));
        main()->openUnitFile(missing);
        QCOMPARE(m_prompt->texts(), QStringList{QStringLiteral("ファイル ") + missing + QStringLiteral(" が開けません")});
        QVERIFY(main()->windowTitle().endsWith(file));  // the open unit stays
    }

    void notOnCdRom()
    {
        QVERIFY(!IsOnCdRom(m_dir.path()));
        QVERIFY(!forms().folder().onCdRom);
        QCOMPARE(forms().folder().dir, m_dir.path() + QLatin1Char('/'));
    }

    // The window of an object name, through forms(): created if it is one
    // made on first need.
    static QWidget *Window(const QString &name)
    {
        Forms &f = forms();
        const std::map<QString, std::function<QWidget *()>> windows{
            {"frmNewWork", [&] { return f.unitTitleDialog(); }},
            {"frmTangen", [&] { return f.unitContentsWindow(); }},
            {"frmSettei", [&] { return f.lineKindDialog(); }},
            {"frmVersion", [&] { return f.aboutDialog(); }},
            {"frmRenshu", [&] { return f.practiceWindow(); }},
            {"frmSeikai", [&] { return f.practiceWindow()->rightAnswerDialog(); }},
            {"frmAyamari", [&] { return f.practiceWindow()->wrongAnswerDialog(); }},
            {"frmOwari", [&] { return f.practiceWindow()->runEndDialog(); }},
            {"frmKiroku", [&] { return f.recordsWindow(); }},
            {"frmPrint", [&] { return f.printDialog(); }},
            {"frmTangenOpen", [&] { return f.unitCatalogDialog(); }},
            {"frmSetCood", [&] { return f.planeSettingsDialog(); }},
            {"frmHelp", [&] { return f.helpWindow(); }},
            {"frmProperties", [&] { return f.propertiesWindow(); }},
        };
        const auto it = windows.find(name);
        return it == windows.end() ? nullptr : it->second();
    }

    // No window but the main one exists at start: each is made on its first
    // need, once, owned by the main window.
    void windowsAreCreatedOnFirstNeed_data()
    {
        QTest::addColumn<QString>("objectName");
        for (const char *name :
             {"frmNewWork", "frmTangen", "frmSettei", "frmVersion", "frmRenshu", "frmSeikai", "frmAyamari",
              "frmOwari", "frmKiroku", "frmPrint", "frmTangenOpen", "frmSetCood", "frmHelp", "frmProperties"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void windowsAreCreatedOnFirstNeed()
    {
        QFETCH(QString, objectName);
        QCOMPARE(main()->findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly).size(), 0);
        QVERIFY(!main()->findChild<QWidget *>(objectName));
        QWidget *w = Window(objectName);
        QVERIFY(w);
        QCOMPARE(w->objectName(), objectName);
        QCOMPARE(w->parentWidget(), main());
        QVERIFY(w->isHidden());
        QCOMPARE(Window(objectName), w);
        QCOMPARE(main()->findChildren<QWidget *>(objectName), QList<QWidget *>{w});
    }

    // A widget the user meets: not a part Qt made inside another control
    // (those are named "qt_..."), not a bare container, not hidden for good.
    static bool IsControl(QWidget *w)
    {
        for (QWidget *p = w; p && !p->isWindow(); p = p->parentWidget())
            if (p->objectName().startsWith(QLatin1String("qt_")))
                return false;
        const QByteArray kind = w->metaObject()->className();
        return kind != "QWidget" && kind != "QFrame" && w->isVisibleTo(w->window());
    }

    // A screen reader has a name to say for every control: its own text,
    // or the name it was given.
    // The two windows a pupil works in also say what each control reached
    // by Tab does, and a button showing only a picture has a tool tip.
    void everyControlHasAnAccessibleName_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<bool>("described");
        QTest::newRow("frmMain") << "frmMain" << true;
        QTest::newRow("frmRenshu") << "frmRenshu" << true;
        for (const char *name :
             {"frmNewWork", "frmTangen", "frmSettei", "frmVersion", "frmSeikai", "frmAyamari", "frmOwari",
              "frmKiroku", "frmPrint", "frmTangenOpen", "frmSetCood", "frmHelp"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
    void everyControlHasAnAccessibleName()
    {
        QFETCH(QString, objectName);
        QFETCH(bool, described);
        QWidget *window = objectName == QLatin1String("frmMain") ? main() : Window(objectName);
        QVERIFY(window);
        QStringList unnamed, undescribed, untipped;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->window() != window || !IsControl(w))
                continue;
            const QString id =
                w->objectName() + QLatin1Char(' ') + QLatin1String(w->metaObject()->className());
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << id;
            if (described && (w->focusPolicy() & Qt::TabFocus) &&
                (!a || a->text(QAccessible::Description).isEmpty()))
                undescribed << id;
            auto *button = qobject_cast<QAbstractButton *>(w);
            if (button && button->text().isEmpty() && button->toolTip().isEmpty())
                untipped << id;
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        QVERIFY2(undescribed.isEmpty(), qPrintable(undescribed.join(QStringLiteral(", "))));
        QVERIFY2(untipped.isEmpty(), qPrintable(untipped.join(QStringLiteral(", "))));
    }

    // Tab from the first control visits the tool bar, the formula list, the
    // plane, then the switches and buttons below the plane, and comes round.
    void tabVisitsToolBarListPlaneAndPanels()
    {
        main()->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), main());
        QWidget *first = Child<QWidget>(main(), "spdOpenFile");
        first->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < 100 && (visited.isEmpty() || QApplication::focusWidget() != first); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(
            visited,
            (QStringList{"spdOpenFile",   "spdOverWrite",  "spdTest",      "spdRenshu",    "spdKiroku",
                         "spdTeisei",     "spdShoukyo",    "spdAll",       "spdCenter",    "spdRight",
                         "spdLeft",       "spdSample",     "spdLineColor", "btnLocked",    "btnSelectAll",
                         "BitBtn1",       "lstShiki",      "imgCood",      "chkDataTable", "chkShiki",
                         "chkDispHeniki", "chkMaruX",      "chkJikuColor", "chkRanColor",  "chkHandle",
                         "chkTensen",     "btnUp",         "btnLeft",      "btnRight",     "btnDown",
                         "btnKatamukiUp", "btnKatamukiDw", "btnHyoujun",   "btnIppan"}));
    }

    // The plane tells a screen reader the selected parabola's formula, unless
    // the formulas are switched off.
    void planeDescribesTheSelectedFormula()
    {
        auto *plane = Child<PlaneView>(main(), "imgCood");
        QVERIFY(!plane->accessibleDescription().contains(QStringLiteral("y =")));
        Parabola rec = MakeParabola(1, 2, 2, 3, 1, -1, 3);
        rec.Formula = StandardFormPlain(rec, main()->currentForm());
        UnitSnapshot s = main()->document().snapshot();
        s.append(rec, StandardFormText(rec, main()->currentForm()));
        main()->document().commit(QStringLiteral("add"), s);
        main()->selectOnly(0);
        main()->repaintAll();
        QVERIFY2(plane->accessibleDescription().startsWith(
                     QStringLiteral("選択している放物線：y = (x-1)^2+2 (-1≦x≦3)")),
                 qPrintable(plane->accessibleDescription()));
        Child<QCheckBox>(main(), "chkShiki")->click();
        QVERIFY(!plane->accessibleDescription().contains(QStringLiteral("y =")));
        Child<QCheckBox>(main(), "chkShiki")->click();
        main()->deselectAll();
        QVERIFY(!plane->accessibleDescription().contains(QStringLiteral("y =")));
    }

    // Both planes start from the stored values, read and clamped once: a text
    // that is not an integer is told once and its default takes its place.
    void bothPlanesStartFromTheStore()
    {
        DestroyForms();
        const QString path = m_dir.filePath(QStringLiteral("store.ini"));
        {
            const SettingsStore store(path);
            store.WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("256"));
            store.WriteTextSetting(QStringLiteral("EndY"), QStringLiteral("x"));
            store.WriteTextSetting(QStringLiteral("ScaleX"), QStringLiteral("40"));
        }
        m_prompt->clear();
        CreateForms(QSize(1024, 768), m_dir.path(), SettingsStore(path));
        QCOMPARE(m_prompt->texts(), QStringList{QStringLiteral("'x' は整数ではありません")});
        QCOMPARE(forms().settings().MainPlane.SizeX, QStringLiteral("256"));
        QCOMPARE(forms().settings().MainPlane.EndY, QStringLiteral("99"));
        QCOMPARE(forms().settings().MainPlane.ScaleX, 32);
        QCOMPARE(forms().settings().PracticePlane, forms().settings().MainPlane);
    }

    void windowCaptions_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("caption");
        QTest::newRow("line kind") << "frmSettei" << "線の種類";
        QTest::newRow("new unit") << "frmNewWork" << "新規入力";
        QTest::newRow("about") << "frmVersion" << "バージョン情報";
        QTest::newRow("practice") << "frmRenshu" << "練習";
        QTest::newRow("correct") << "frmSeikai" << "正解";
        QTest::newRow("wrong") << "frmAyamari" << "誤答";
        QTest::newRow("unit content") << "frmTangen" << "単元の内容";
        QTest::newRow("end of practice") << "frmOwari" << "練習終わり";
        QTest::newRow("records") << "frmKiroku" << "実行記録";
        QTest::newRow("print") << "frmPrint" << "グラフの印刷";
        QTest::newRow("open by unit") << "frmTangenOpen" << "単元で開く";
        QTest::newRow("plane settings") << "frmSetCood" << "座標面の設定";
        QTest::newRow("properties") << "frmProperties"
                                    << "グラフの性質";
    }
    void windowCaptions()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, caption);
        QWidget *w = Window(objectName);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), caption);
    }

    void showResetsToAnEmptyUnit()
    {
        QCOMPARE(main()->windowTitle(), QStringLiteral("Quorvel 放物線学習ツール - 新しい単元  Parabola.prb"));
        QCOMPARE(main()->document().fileLines(), QStringList{QStringLiteral("新しい単元")});
        QCOMPARE(main()->document().count(), 0);
        QVERIFY(!main()->document().isModified());
        QVERIFY(main()->state().Untitled);
        QVERIFY(!main()->state().Locked);
        const UnitContentsWindow *unit = forms().unitContentsWindow();
        QCOMPARE(Child<QLabel>(unit, "lblTangen")->text(), QStringLiteral("新しい単元"));
        QCOMPARE(Child<QLabel>(unit, "lblFileName")->text(), QStringLiteral("Parabola.prb"));
        QCOMPARE(Child<QLabel>(unit, "lblNline")->text(), QStringLiteral("0"));
        QCOMPARE(Child<QGroupBox>(main(), "grpShiki")->title(), QStringLiteral("グラフの式（標準形）"));
        QVERIFY(Child<QCheckBox>(main(), "chkKeishiki")->isChecked());
        QCOMPARE(Child<QLineEdit>(main(), "edtLineMode")->text(), QStringLiteral("全域"));
        QVERIFY(Child<QToolButton>(main(), "spdAll")->isChecked());
        QCOMPARE(Child<QLineEdit>(main(), "edtCood")->text(), QStringLiteral("  ( x, y )"));
        QVERIFY(m_prompt->shown.isEmpty());
    }

    // A title from a file shows in the captions cut and without control
    // characters (a NUL would end the caption); the overwrite keeps it whole.
    void captionsShowTitlesCut()
    {
        const QString longTitle = QStringLiteral("単").repeated(5000);
        main()->document().setNames(QString::fromUtf16(u"前\0後", 3), QStringLiteral("u.prb"));
        QCOMPARE(main()->windowTitle(), QStringLiteral("Quorvel 放物線学習ツール - 前後  u.prb"));
        main()->document().setNames(longTitle, QStringLiteral("u.prb"));
        QCOMPARE(main()->windowTitle(),
                 QStringLiteral("Quorvel 放物線学習ツール - ") + longTitle.left(100) + QStringLiteral("…  u.prb"));
        QCOMPARE(main()->document().title(), longTitle);
    }

    void lockableCommandsFollowTheLock()
    {
        auto lockables = [this] {
            return QList<QWidget *>{
                Child<QToolButton>(main(), "spdOverWrite"), Child<QToolButton>(main(), "spdTest"),
                Child<QToolButton>(main(), "spdRenshu"), Child<QToolButton>(main(), "spdKiroku")};
        };
        auto menus = [this] {
            return QList<QMenu *>{Child<QMenu>(main(), "mnuFile"), Child<QMenu>(main(), "mnuEdit"),
                                  Child<QMenu>(main(), "mnuSettings"), Child<QMenu>(main(), "mnuRun"),
                                  Child<QMenu>(main(), "mnuView")};
        };
        for (QWidget *w : lockables())
            QVERIFY(w->isEnabled());
        QVERIFY(!Child<QAction>(main(), "mnuUndo")->isEnabled()); // nothing to undo yet
        main()->toggleLock();
        QVERIFY(main()->state().Locked);
        for (QWidget *w : lockables())
            QVERIFY(!w->isEnabled());
        // A change made under the lock cannot be undone there, not even by its keys.
        Parabola rec = main()->newParabolaRecord(QPoint(0, 0), QPoint(1, 1));
        rec.Formula = StandardFormPlain(rec, main()->currentForm());
        QVERIFY(main()->storeParabola(rec, -1));
        QVERIFY(!Child<QAction>(main(), "mnuUndo")->isEnabled());
        QTest::keyClick(main(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(main()->document().count(), 1);
        for (QMenu *m : menus())
            QVERIFY(!m->menuAction()->isEnabled());
        QVERIFY(Child<QMenu>(main(), "mnuHelp")->menuAction()->isEnabled());
        QVERIFY(Child<QToolButton>(main(), "spdTeisei")->isEnabled());
        main()->toggleLock();
        for (QMenu *m : menus())
            QVERIFY(m->menuAction()->isEnabled());
        QVERIFY(Child<QAction>(main(), "mnuUndo")->isEnabled() &&
                !Child<QAction>(main(), "mnuRedo")->isEnabled());
        QTest::keyClick(main(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(main()->document().count(), 0);
        QVERIFY(Child<QAction>(main(), "mnuRedo")->isEnabled());
        QTest::keyClick(main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(main()->document().count(), 1);
    }

    // Each tool-bar button shows its command's action with the button's own
    // face and hint, and the lock greys the button and its menu item together.
    void toolBarButtonsShowTheirCommand_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("lockable");
        QTest::newRow("単元名で開く") << "spdOpenFile" << "mnuTangenOpen" << "単元名\nで開く"
                                      << "単元名で開く" << false;
        QTest::newRow("上書き保存") << "spdOverWrite" << "mnuOverWrite" << "上書き\n保存" << "上書き保存"
                                    << true;
        QTest::newRow("テスト") << "spdTest" << "mnuTest" << "テスト" << "テスト" << true;
        QTest::newRow("練習") << "spdRenshu" << "mnuRenshu" << "練習" << "練習" << true;
        QTest::newRow("記録の表示") << "spdKiroku" << "mnuShowRecord" << "記録の\n表示" << "記録の表示"
                                    << true;
        QTest::newRow("訂正") << "spdTeisei" << "mnuTetsei" << "訂正" << "訂正" << false;
        QTest::newRow("全部消去") << "spdShoukyo" << "mnuShoukyo" << "全部\n消去" << "全部消去" << false;
        QTest::newRow("全域") << "spdAll" << "actAll" << "全域" << "全域" << false;
        QTest::newRow("中央") << "spdCenter" << "actCenter" << "中央" << "中央" << false;
        QTest::newRow("右側") << "spdRight" << "actRight" << "右側" << "右側" << false;
        QTest::newRow("左側") << "spdLeft" << "actLeft" << "左側" << "左側" << false;
        QTest::newRow("変域") << "spdSample" << "actSample" << "変域" << "変域" << false;
        QTest::newRow("固定ｶﾗｰの設定") << "spdLineColor" << "mnuSetColor" << "固定ｶﾗｰ\nの設定"
                                       << "固定ｶﾗｰの設定" << false;
        QTest::newRow("lock") << "btnLocked" << "actLocked" << "" << "使える機能を制限します" << false;
        QTest::newRow("全部選択") << "btnSelectAll" << "mnuSelectAll" << "全部選択" << "全部選択" << false;
        QTest::newRow("選択解除") << "BitBtn1" << "mnuCancel" << "選択解除" << "選択解除" << false;
    }
    void toolBarButtonsShowTheirCommand()
    {
        QFETCH(QString, button);
        QFETCH(QString, command);
        QFETCH(bool, lockable);
        auto *b = Child<QFrame>(main(), "pnlMain")->findChild<QToolButton *>(button);
        QAction *a = main()->action(command.toLatin1().constData());
        QVERIFY(b);
        QVERIFY(a);
        QCOMPARE(b->defaultAction(), a);
        QTEST(b->text(), "face");
        QTEST(b->toolTip(), "hint");
        QCOMPARE(b->isCheckable(), a->isCheckable());
        for (bool locked : {true, false}) {
            main()->toggleLock();
            QCOMPARE(main()->state().Locked, locked);
            QCOMPARE(a->isEnabled(), !(locked && lockable));
            QCOMPARE(b->isEnabled(), a->isEnabled());
            QCOMPARE(b->icon().cacheKey(), a->icon().cacheKey());
        }
    }

    void planeIsDrawnFromTheSettings()
    {
        const Picture &picture = Child<ImageView>(main(), "imgCood")->picture();
        QCOMPARE(picture.bounds(), QRect(430, 42, 544, 544));
        QCOMPARE(Child<ImageView>(main(), "imgCood")->geometry(), picture.bounds());
        QCOMPARE(picture.canvas().pixel(272, 100), Colors::Gray);  // the y axis
        QVERIFY(Child<PlaneView>(main(), "imgCood")->hasGeometry());
        QCOMPARE(forms().settings().PlaneDefaultSize, 544);
    }

    void panelsAreTeal()
    {
        for (ImageView *v : {Child<ImageView>(main(), "imgShiki"), Child<ImageView>(main(), "imgHenikiX"),
                             Child<ImageView>(main(), "imgHenikiY"), Child<ImageView>(main(), "imgJiku"),
                             Child<ImageView>(main(), "imgChouten")}) {
            QVERIFY(v->canvas().width() > 0);
            QCOMPARE(v->canvas().pixel(1, 1), Colors::Teal);
            // A blank panel is painted as its colour and holds no bitmap,
            // and what is drawn on it next is painted again.
            QCOMPARE(v->grab().toImage().pixel(1, 1), ToPixel(Colors::Teal));
            QCOMPARE(v->canvas().blankColor(), std::optional<Color>(Colors::Teal));
            int paints = 0;
            PaintCounter counter(v, paints);
            v->canvas().setBrushColor(Colors::Red);
            v->canvas().fillRect(QRect(0, 0, 4, 4));
            QTRY_VERIFY(paints > 0);
        }
        Child<QCheckBox>(main(), "chkRanColor")->click();
        QCOMPARE(Child<ImageView>(main(), "imgShiki")->canvas().pixel(1, 1), Colors::White);
        QCOMPARE(forms().settings().Draw.PanelTextColor, Colors::Black);
    }

    void repaintEndsAClickSequence()
    {
        DrawingInput &in = main()->input();
        main()->setSegmentMode();
        for (const QPoint p : {QPoint(0, 0), QPoint(1, 1)}) {
            in.press(Qt::LeftButton, p, 0);
            in.release(Qt::LeftButton, p, 1);
        }
        QCOMPARE(in.state(), InputState::WaitingForDomainStart);
        main()->repaintAll();
        QCOMPARE(in.state(), InputState::Idle);
    }

    void conversionErrorReachesTheUser()
    {
        m_prompt->clear();
        forms().settings().MainPlane.StartX = QStringLiteral("1x");
        main()->repaintAll();
        QCOMPARE(m_prompt->texts(), QStringList{QStringLiteral("'1x' は整数ではありません")});
        QVERIFY(!Child<PlaneView>(main(), "imgCood")->hasGeometry()); // it takes no click
    }

    void unitLinesAndSavingState()
    {
        UnitDocument &doc = main()->document();
        Parabola rec;
        rec.Color = 0xFF0000;
        rec.LineWidth = 1;
        rec.LineMode = 3;
        rec.UpperIncluded = 0;
        rec.Formula = QStringLiteral("y = x^2");
        rec.VertexX = -1;
        rec.VertexY = 2;
        rec.PointX = 0;
        rec.PointY = 3;
        rec.DomainHigh = 4;
        UnitSnapshot s = doc.snapshot();
        s.append(rec, rec.Formula);
        doc.commit(QStringLiteral("add"), s);
        QCOMPARE(doc.fileLines(), (QStringList{QStringLiteral("新しい単元"), "16711680,275", "y = x^2", "-1,2", "0,3", "-99,4"}));
        doc.undoStack()->setClean();
        QVERIFY(!main()->needsSaving());
        rec.Color = 0x00FF00;
        s.put(0, rec, rec.Formula);
        doc.commit(QStringLiteral("colour"), s);
        QVERIFY(main()->needsSaving());
        doc.commit(QStringLiteral("clear"), UnitSnapshot{});
        QVERIFY(!main()->needsSaving());  // an empty unit has nothing to save
    }

    void cancelDrawingResetsTheClickState()
    {
        DrawingInput &in = main()->input();
        UnitSnapshot one;
        Parabola rec;
        rec.PointX = rec.PointY = 1;
        one.append(rec, QStringLiteral("y = x^2"));
        main()->document().commit(QStringLiteral("add"), one);
        // A quick right click on the passing point chooses the entry to be
        // replaced; then a segment is drawn up to its second bound.
        in.press(Qt::RightButton, QPoint(1, 1), 0);
        in.release(Qt::RightButton, QPoint(1, 1), 1);
        main()->setSegmentMode();
        for (const QPoint p : {QPoint(3, 0), QPoint(4, 1), QPoint(5, 0)}) {
            in.press(Qt::LeftButton, p, 0);
            in.release(Qt::LeftButton, p, 1);
        }
        QCOMPARE(in.state(), InputState::WaitingForDomainEnd);
        QCOMPARE(in.replaceTarget(), (HandleHit{0, CurveHandle::PassingPoint}));
        main()->cancelDrawing();
        QCOMPARE(in.state(), InputState::Idle);
        QCOMPARE(in.replaceTarget(), HandleHit{});
        QCOMPARE(Child<ImageView>(main(), "imgCood")->cursor().pixmap().cacheKey(),
                 CursorOf(CursorNo::Pencil).pixmap().cacheKey());
    }

    void sevenCursorsAreInstalled()
    {
        QCOMPARE(InstallCursors(), 7);
        for (int n = 1; n <= 7; ++n) {
            QVERIFY(!CursorResourceName(n).isEmpty());
            QVERIFY(!CursorOf(n).pixmap().isNull());
        }
    }

    void menuTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        const QList<QPair<const char *, const char *>> items{{"mnuNewFile", "新規作成(&N)"},
                                                             {"mnuTangenOpen", "単元名で開く(&T)"},
                                                             {"mnuOpenFile", "開く(&O)"},
                                                             {"mnuOverWrite", "上書き保存(&S)"},
                                                             {"mnuSave", "名前を付けて保存(&A)"},
                                                             {"mnuPrint", "印刷(&P)"},
                                                             {"mnuExport", "図の書き出し(&E)..."},
                                                             {"mnuClipBoard", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"},
                                                             {"mnuPaste", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"},
                                                             {"mnuLine2", "終了(&X)"},
                                                             {"mnuTetsei", "訂正(&C)"},
                                                             {"mnuShoukyo", "全部消去(&A)"},
                                                             {"mnuClearBitMap", "ﾋﾞｯﾄﾏｯﾌﾟのｸﾘｱ(&B)"},
                                                             {"mnuSelectAll", "すべて選択(&S)"},
                                                             {"mnuCancel", "選択解除(&U)"},
                                                             {"mnuSetSenshu", "線の種類(&K)"},
                                                             {"mnuSetColor", "線の色(&C)"},
                                                             {"mnuSetCood", "座標の設定(&S)"},
                                                             {"mnuTest", "ﾃｽﾄ(&T)"},
                                                             {"mnuRenshu", "練習(&E)"},
                                                             {"mnuShowTangen", "単元の内容(&U)"},
                                                             {"mnuShowRecord", "練習の記録(&R)"},
                                                             {"mnuProperties", "グラフの性質(&P)"},
                                                             {"mnuDetailHint", "くわしいヒント"},
                                                             {"mnuHandle", "四角ﾊﾝﾄﾞﾙ(&H)"},
                                                             {"mnuTensen", "点線(&P)"},
                                                             {"mnuRedisplay", "再表示(&D)"},
                                                             {"mnuShowHelp", "使い方(&U)"},
                                                             {"mnuOnePoint", "ワンポイント(&P)"},
                                                             {"mnuShowAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)"}};
        for (const auto &[name, text] : items)
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(text);
    }
    void menuTexts()
    {
        QFETCH(QString, name);
        QAction *a = main()->action(name.toLatin1().constData());
        QVERIFY(a);
        QTEST(a->text(), "text");
    }

    void quitClosesTheMainWindow()
    {
        main()->quitProgram();
        QVERIFY(!main()->isVisible());
        QVERIFY(m_prompt->shown.isEmpty());  // no question about unsaved data
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
