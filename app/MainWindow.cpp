#include "app/MainWindow.h"

#include "about/AboutDialog.h"
#include "app/AppDir.h"
#include "app/AppInfo.h"
#include "app/DataFolder.h"
#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/HelpWindow.h"
#include "files/TitleText.h"
#include "plane/FormulaImage.h"
#include "plane/Plotting.h"
#include "plane/Utils.h"
#include "settings/LineKindDialog.h"
#include "settings/PlaneSettingsDialog.h"
#include "ui/Cursors.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"
#include "ui/Prompt.h"

#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include <QKeyEvent>
#include <QShortcut>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>

namespace {

// A tool-bar button takes face, hint, check and enabled state from its
// command, so it can never disagree with the menu item of that command.
QToolButton *SpeedButton(QWidget *parent, const char *name, QAction *command, int x, int width)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setDefaultAction(command);
    b->setGeometry(x, 2, width, 34);
    b->setAutoRaise(false);
    return b;
}

QLineEdit *ReadOnlyEdit(QWidget *parent, const char *name, const QString &text, int x, int width)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setGeometry(x, 8, width, 22);
    return e;
}

QCheckBox *Switch(QWidget *parent, const char *name, const QString &caption, bool on, int x, int y)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setChecked(on);
    c->setGeometry(x, y, 108, 20);
    return c;
}

// A check box that shows a checkable action: either one sets the action,
// and only the action's toggled signal runs the switch's handler.
void BindSwitch(QCheckBox *box, QAction *switchAction)
{
    box->setChecked(switchAction->isChecked());
    box->setEnabled(switchAction->isEnabled());
    QObject::connect(box, &QCheckBox::toggled, switchAction, &QAction::setChecked);
    QObject::connect(switchAction, &QAction::toggled, box, &QCheckBox::setChecked);
    QObject::connect(switchAction, &QAction::enabledChanged, box, &QWidget::setEnabled);
}

ImageView *PanelImage(QGroupBox *group, const char *name, int height)
{
    auto *v = new ImageView(group);
    v->setObjectName(QLatin1String(name));
    v->place(6, 18, group->width() - 12, height);
    return v;
}

// The glyphs of the two form buttons: a chosen and a not-chosen look.
QPixmap ChoiceGlyph(bool chosen, QColor color)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.5));
    p.setBrush(chosen ? QBrush(color) : QBrush(Qt::NoBrush));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return pm;
}

QPixmap LockGlyph(bool locked)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = locked ? QColor(0xB0, 0x20, 0x20) : QColor(0x20, 0x80, 0x20);
    p.setPen(QPen(Qt::black, 2));
    // The shackle: closed over the body, or swung open to the right.
    if (locked)
        p.drawArc(QRectF(5, 2, 10, 12), 0, 180 * 16);
    else
        p.drawArc(QRectF(9, 0, 10, 12), 0, 180 * 16);
    p.drawLine(QPointF(5, 8), QPointF(5, 10));
    if (locked)
        p.drawLine(QPointF(15, 8), QPointF(15, 10));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(body);
    p.drawRect(QRectF(3, 9, 14, 10));
    return pm;
}

}  // namespace

MainWindow::MainWindow(const QSize &screen, const QString &currentDir, ViewSettings &view, AppFolder &folder,
                       QWidget *parent)
    : QMainWindow(parent), m_view(view), m_folder(folder)
{
    setObjectName(QStringLiteral("frmMain"));
    ViewSettings &st = m_view;
    DrawingSettings &draw = st.Draw;

    // Start values first: the widgets built next read them.
    m_state.UnitFileName = AppInfo::DefaultUnitFile;
    draw.LineWidth = 1;
    draw.LowerIncluded = true;
    draw.UpperIncluded = true;
    m_captionPrefix = AppInfo::CaptionPrefix;

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    createActions();
    createToolBar(central);
    createPanels(central);
    createSettingsGroup(central);
    createMenus();
    createPopup();
    connectHandlers();
    // As the first showing leaves them, unlocked: changing them then would
    // lay the visible menu bar out again once per menu.
    enableCommands(true);
    connect(&m_doc, &UnitDocument::changed, this, &MainWindow::documentChanged);
    connect(&m_doc, &UnitDocument::namesChanged, this, &MainWindow::showCaptions);
    setupHelpContexts();

    m_layout = ComputeMainWindowLayout(screen.width(), screen.height());
    applyCreationLayout();
    describeControls();
    st.PlaneDefaultSize = m_layout.planeDefaultSize;

    m_folder.dir = AppDirFrom(currentDir);
    draw.NextLineMode = LineMode::Whole;
    draw.FixedColor = Colors::White;
    draw.LineWidth = 1;

    formulaList->setCursor(CursorOf(CursorNo::Finger));
    valueTableView->setCursor(CursorOf(CursorNo::Cross));
    plane->setCursor(CursorOf(CursorNo::Pencil));
    // A folder we cannot write is kept like a CD-ROM: practice works and
    // no record is written.
    m_folder.onCdRom = IsOnCdRom(m_folder.dir) || !IsWritableFolder(m_folder.dir);
}

MainWindow::~MainWindow() = default;

UnitTitleDialog *MainWindow::unitTitleDialog()
{
    if (!m_unitTitleDialog) {
        m_unitTitleDialog = new UnitTitleDialog(m_folder, this);
        m_unitTitleDialog->mainGeometry = [this] { return geometry(); };
        m_unitTitleDialog->currentTitle = [this] { return m_doc.title(); };
    }
    return m_unitTitleDialog;
}

UnitContentsWindow *MainWindow::unitContentsWindow()
{
    if (!m_unitContents) {
        m_unitContents = new UnitContentsWindow(this);
        m_unitContents->setDocument(&m_doc);
    }
    return m_unitContents;
}

void MainWindow::createToolBar(QWidget *central)
{
    toolPanel = new QFrame(central);
    toolPanel->setObjectName(QStringLiteral("pnlMain"));
    toolPanel->setFrameShape(QFrame::Panel);
    toolPanel->setFrameShadow(QFrame::Plain);
    toolPanel->setLineWidth(1);

    int x = 4;
    auto next = [&x](int width) {
        const int at = x;
        x += width + 1;
        return at;
    };
    openByTitleButton = SpeedButton(toolPanel, "spdOpenFile", action("mnuTangenOpen"), next(44), 44);
    saveButton = SpeedButton(toolPanel, "spdOverWrite", action("mnuOverWrite"), next(44), 44);
    testButton = SpeedButton(toolPanel, "spdTest", action("mnuTest"), next(44), 44);
    practiceButton = SpeedButton(toolPanel, "spdRenshu", action("mnuRenshu"), next(44), 44);
    recordsButton = SpeedButton(toolPanel, "spdKiroku", action("mnuShowRecord"), next(44), 44);
    deleteButton = SpeedButton(toolPanel, "spdTeisei", action("mnuTetsei"), next(44), 44);
    deleteAllButton = SpeedButton(toolPanel, "spdShoukyo", action("mnuShoukyo"), next(44), 44);
    x += 6;
    wholeCurveButton = SpeedButton(toolPanel, "spdAll", action("actAll"), next(36), 36);
    segmentButton = SpeedButton(toolPanel, "spdCenter", action("actCenter"), next(36), 36);
    rightHalfLineButton = SpeedButton(toolPanel, "spdRight", action("actRight"), next(36), 36);
    leftHalfLineButton = SpeedButton(toolPanel, "spdLeft", action("actLeft"), next(36), 36);
    x += 4;
    lineModeField = ReadOnlyEdit(toolPanel, "edtLineMode", QStringLiteral("全域"), next(40), 40);
    endKindsField = ReadOnlyEdit(toolPanel, "edtHeniki", QStringLiteral("≦　≦"), next(56), 56);
    endKindsButton = SpeedButton(toolPanel, "spdSample", action("actSample"), next(40), 40);
    lineSample = new ImageView(toolPanel);
    lineSample->setObjectName(QStringLiteral("imgSample"));
    lineSample->place(next(40), 7, 40, 24);
    x += 4;
    pointField = ReadOnlyEdit(toolPanel, "edtCood", QStringLiteral("  ( x, y )"), next(84), 84);
    pointField->setFont(Fonts::PixelFace(Fonts::FixedGothic, 13));
    x += 4;
    fixedColorButton = SpeedButton(toolPanel, "spdLineColor", action("mnuSetColor"), next(48), 48);
    lockButton = SpeedButton(toolPanel, "btnLocked", action("actLocked"), next(34), 34);
    lockButton->setIconSize(QSize(20, 20));
    x += 4;
    selectAllButton = SpeedButton(toolPanel, "btnSelectAll", action("mnuSelectAll"), next(60), 60);
    deselectAllButton = SpeedButton(toolPanel, "BitBtn1", action("mnuCancel"), next(60), 60);

    lockedGlyph = LockGlyph(true);
    unlockedGlyph = LockGlyph(false);
}

void MainWindow::createPanels(QWidget *central)
{
    plane = new PlaneView(central);
    plane->paintOverlay = [this](Canvas &frame) { paintPlaneOverlay(frame); };
    plane->setObjectName(QStringLiteral("imgCood"));

    formulaList = new FormulaList(
        &m_doc, m_view.Draw, [this] { return formulaSwitch->isChecked(); }, central);
    formulaList->setObjectName(QStringLiteral("lstShiki"));
    formulaList->setFont(Fonts::PixelFace(Fonts::FixedGothic, 16));

    valueTableView = new ImageView(central);
    valueTableView->setObjectName(QStringLiteral("drgTable"));
    m_table = ValueTable(valueTableView);

    auto group = [central](const char *name, const QString &caption) {
        auto *g = new QGroupBox(caption, central);
        g->setObjectName(QLatin1String(name));
        return g;
    };
    formulaGroup = group("grpShiki", QStringLiteral("２次関数の式"));
    domainGroup = group("grpHenikiX", QStringLiteral("Ｘの変域"));
    rangeGroup = group("grpHenikiY", QStringLiteral("Ｙの変域"));
    axisGroup = group("grpJiku", QStringLiteral("軸の式"));
    vertexGroup = group("grpChouten", QStringLiteral("頂点の座標"));
}

void MainWindow::createSettingsGroup(QWidget *central)
{
    settingsGroup = new QGroupBox(central);
    settingsGroup->setObjectName(QStringLiteral("grpSettei"));
    QWidget *g = settingsGroup;
    valueTableSwitch = Switch(g, "chkDataTable", QStringLiteral("関数の表"), true, 8, 12);
    formulaSwitch = Switch(g, "chkShiki", QStringLiteral("２次関数の式"), true, 8, 32);
    domainSwitch = Switch(g, "chkDispHeniki", QStringLiteral("変域表示"), true, 8, 52);
    latticeDotsSwitch = Switch(g, "chkMaruX", QStringLiteral("格子点の丸"), false, 8, 72);
    axisColorSwitch = Switch(g, "chkJikuColor", QStringLiteral("軸の色"), true, 120, 12);
    panelColorSwitch = Switch(g, "chkRanColor", QStringLiteral("定数欄の色"), true, 120, 32);
    handlesSwitch = Switch(g, "chkHandle", QStringLiteral("ﾊﾝﾄﾞﾙ"), true, 120, 52);
    dottedLinesSwitch = Switch(g, "chkTensen", QStringLiteral("点線"), true, 120, 72);

    auto arrow = [g](const char *name, const QString &face, int x, int y) {
        auto *b = new QToolButton(g);
        b->setObjectName(QLatin1String(name));
        b->setText(face);
        b->setGeometry(x, y, 28, 24);
        return b;
    };
    moveUpButton = arrow("btnUp", QStringLiteral("↑"), 268, 12);
    moveLeftButton = arrow("btnLeft", QStringLiteral("←"), 238, 38);
    moveRightButton = arrow("btnRight", QStringLiteral("→"), 298, 38);
    moveDownButton = arrow("btnDown", QStringLiteral("↓"), 268, 64);

    widthLabel = new QLabel(QStringLiteral("開き具合"), g);
    widthLabel->setObjectName(QStringLiteral("lblKatamuki"));
    widthLabel->setGeometry(344, 14, 64, 18);
    widerButton = arrow("btnKatamukiUp", QStringLiteral("広く"), 344, 38);
    widerButton->setGeometry(344, 38, 44, 24);
    widerButton->setToolTip(QStringLiteral("グラフの開きを大きくします"));
    narrowerButton = arrow("btnKatamukiDw", QStringLiteral("狭く"), 344, 64);
    narrowerButton->setGeometry(344, 64, 44, 24);
    narrowerButton->setToolTip(QStringLiteral("グラフの開きを小さくします"));

    standardFormButton = new QPushButton(QStringLiteral("標準形"), g);
    standardFormButton->setObjectName(QStringLiteral("btnHyoujun"));
    standardFormButton->setGeometry(420, 16, 96, 30);
    generalFormButton = new QPushButton(QStringLiteral("一般形"), g);
    generalFormButton->setObjectName(QStringLiteral("btnIppan"));
    generalFormButton->setGeometry(420, 54, 96, 30);
    onGlyph = ChoiceGlyph(true, QColor(0, 0x80, 0x80));
    offGlyph = ChoiceGlyph(false, QColor(0x60, 0x60, 0x60));

    circleRadiusSpin = new QSpinBox(g);
    circleRadiusSpin->setObjectName(QStringLiteral("spnMaruRad"));
    circleRadiusSpin->setRange(0, 8);
    circleRadiusSpin->setValue(5);
    circleRadiusSpin->hide();
    formulaFormSwitch = new QCheckBox(QStringLiteral("式の表示形式"), g);
    formulaFormSwitch->setObjectName(QStringLiteral("chkKeishiki"));
    formulaFormSwitch->setChecked(true);
    formulaFormSwitch->hide();
}

void MainWindow::createActions()
{
    // A command's menu item shows its caption; its tool-bar button, if any,
    // shows the face (the icon text) and the hint.
    auto command = [this](const char *name, const QString &caption, const QString &face = QString(),
                          const QString &hint = QString()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        if (!face.isEmpty())
            a->setIconText(face);
        if (!hint.isEmpty())
            a->setToolTip(hint);
        return a;
    };
    // A command only on the tool bar has its face for the caption.
    auto tool = [&command](const char *name, const QString &face, const QString &hint) {
        return command(name, face, QString(), hint);
    };
    command("mnuNewFile", QStringLiteral("新規作成(&N)"));
    command("mnuTangenOpen", QStringLiteral("単元名で開く(&T)"), QStringLiteral("単元名\nで開く"),
            QStringLiteral("単元名で開く"));
    command("mnuOpenFile", QStringLiteral("開く(&O)"));
    command("mnuOverWrite", QStringLiteral("上書き保存(&S)"), QStringLiteral("上書き\n保存"),
            QStringLiteral("上書き保存"));
    command("mnuSave", QStringLiteral("名前を付けて保存(&A)"));
    command("mnuPrint", QStringLiteral("印刷(&P)"));
    command("mnuExport", QStringLiteral("図の書き出し(&E)..."));
    command("mnuWorksheet", QStringLiteral("ワークシートの作成(&W)..."));
    command("mnuClipBoard", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"));
    command("mnuPaste", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"));
    command("mnuLine2", QStringLiteral("終了(&X)"));

    undoAction = command("mnuUndo", QStringLiteral("元に戻す(&U)"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = command("mnuRedo", QStringLiteral("やり直し(&R)"));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    command("mnuTetsei", QStringLiteral("訂正(&C)"), QStringLiteral("訂正"), QStringLiteral("訂正"));
    command("mnuShoukyo", QStringLiteral("全部消去(&A)"), QStringLiteral("全部\n消去"),
            QStringLiteral("全部消去"));
    command("mnuClearBitMap", QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟのｸﾘｱ(&B)"));
    command("mnuSelectAll", QStringLiteral("すべて選択(&S)"), QStringLiteral("全部選択"),
            QStringLiteral("全部選択"));
    command("mnuCancel", QStringLiteral("選択解除(&U)"), QStringLiteral("選択解除"),
            QStringLiteral("選択解除"));

    command("mnuSetSenshu", QStringLiteral("線の種類(&K)"));
    command("mnuSetColor", QStringLiteral("線の色(&C)"), QStringLiteral("固定ｶﾗｰ\nの設定"),
            QStringLiteral("固定ｶﾗｰの設定"));
    command("mnuSetCood", QStringLiteral("座標の設定(&S)"));
    // A wrong answer in practice is told what differs while this is on.
    QAction *hints = command("mnuDetailHint", QStringLiteral("くわしいヒント"));
    hints->setCheckable(true);
    hints->setChecked(true);

    command("mnuTest", QStringLiteral("ﾃｽﾄ(&T)"), QStringLiteral("テスト"), QStringLiteral("テスト"));
    command("mnuRenshu", QStringLiteral("練習(&E)"), QStringLiteral("練習"), QStringLiteral("練習"));

    command("mnuShowTangen", QStringLiteral("単元の内容(&U)"));
    command("mnuShowRecord", QStringLiteral("練習の記録(&R)"), QStringLiteral("記録の\n表示"),
            QStringLiteral("記録の表示"));
    command("mnuProperties", QStringLiteral("グラフの性質(&P)"));
    handlesAction = command("mnuHandle", QStringLiteral("四角ﾊﾝﾄﾞﾙ(&H)"));
    dottedLinesAction = command("mnuTensen", QStringLiteral("点線(&P)"));
    for (QAction *a : {handlesAction, dottedLinesAction}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    command("mnuRedisplay", QStringLiteral("再表示(&D)"));  // does nothing, as always

    command("mnuShowHelp", QStringLiteral("使い方(&U)"));
    command("mnuOnePoint", QStringLiteral("ワンポイント(&P)"));
    command("mnuShowAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));

    // The line modes: exactly one is chosen at any time.
    lineModeGroup = new QActionGroup(this);
    lineModeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction *a : {tool("actAll", QStringLiteral("全域"), QStringLiteral("全域")),
                       tool("actCenter", QStringLiteral("中央"), QStringLiteral("中央")),
                       tool("actRight", QStringLiteral("右側"), QStringLiteral("右側")),
                       tool("actLeft", QStringLiteral("左側"), QStringLiteral("左側"))}) {
        a->setCheckable(true);
        lineModeGroup->addAction(a);
    }
    tool("actSample", QStringLiteral("変域"), QStringLiteral("変域"));
    tool("actLocked", QString(), QStringLiteral("使える機能を制限します"));
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    // A menu lists its commands in order; a null name is a separator.
    auto menu = [this, bar](const char *name, const QString &caption,
                            std::initializer_list<const char *> items) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        for (const char *item : items) {
            if (item)
                m->addAction(action(item));
            else
                m->addSeparator();
        }
        return m;
    };
    fileMenu =
        menu("mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"),
             {"mnuNewFile", "mnuTangenOpen", "mnuOpenFile", "mnuOverWrite", "mnuSave", nullptr, "mnuPrint",
              "mnuExport", "mnuWorksheet", nullptr, "mnuClipBoard", "mnuPaste", nullptr, "mnuLine2"});
    editMenu = menu("mnuEdit", QStringLiteral("編集(&E)"),
                    {"mnuUndo", "mnuRedo", nullptr, "mnuTetsei", "mnuShoukyo", "mnuClearBitMap", nullptr, "mnuSelectAll", "mnuCancel"});
    settingsMenu = menu("mnuSettings", QStringLiteral("設定(&S)"),
                        {"mnuSetSenshu", "mnuSetColor", "mnuSetCood", nullptr, "mnuDetailHint"});
    runMenu = menu("mnuRun", QStringLiteral("実行(&R)"), {"mnuTest", "mnuRenshu"});
    viewMenu = menu("mnuView", QStringLiteral("表示(&V)"),
                    {"mnuShowTangen", "mnuShowRecord", "mnuProperties", nullptr, "mnuHandle", "mnuTensen",
                     nullptr, "mnuRedisplay"});
    helpMenu =
        menu("mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"), {"mnuShowHelp", "mnuOnePoint", nullptr, "mnuShowAbout"});
}


void MainWindow::createPopup()
{
    formulaPopup = new QMenu(this);
    formulaPopup->setObjectName(QStringLiteral("pumShiki"));
    auto item = [this](QMenu *m, const char *name, const QString &caption, auto handler) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
    };
    // Items with their own captions for commands of the menus run those
    // commands, so each command is wired once.
    auto run = [this](const char *command) { return [this, command] { action(command)->trigger(); }; };
    item(formulaPopup, "pumDelete", QStringLiteral("削除"), run("mnuTetsei"));
    item(formulaPopup, "mnuChangeColor", QStringLiteral("色を変える"), [this] { changeSelectedColor(); });
    QMenu *width = formulaPopup->addMenu(QStringLiteral("線の太さを変える"));
    width->setObjectName(QStringLiteral("pumWidth"));
    item(width, "W1", QStringLiteral("1"), [this] { setSelectedWidth(1); });
    item(width, "W2", QStringLiteral("2"), [this] { setSelectedWidth(2); });
    item(width, "W3", QStringLiteral("3"), [this] { setSelectedWidth(3); });
    item(formulaPopup, "pumSelectAll", QStringLiteral("すべて選択"), run("mnuSelectAll"));
    item(formulaPopup, "pumCancel", QStringLiteral("選択解除"), run("mnuCancel"));
}

void MainWindow::connectHandlers()
{
    auto onAction = [this](const char *name, auto handler) {
        connect(action(name), &QAction::triggered, this, handler);
    };
    auto onClick = [this](QAbstractButton *b, auto handler) { connect(b, &QAbstractButton::clicked, this, handler); };

    onAction("actLocked", [this] { toggleLock(); });
    onAction("mnuUndo", [this] { stepHistory(true); });
    onAction("mnuRedo", [this] { stepHistory(false); });
    QUndoStack *stack = m_doc.undoStack();
    auto follow = [this] { enableCommands(!m_state.Locked); };
    connect(stack, &QUndoStack::canUndoChanged, this, follow);
    connect(stack, &QUndoStack::canRedoChanged, this, follow);
    onAction("actAll", [this] { setWholeCurveMode(); });
    onAction("actCenter", [this] { setSegmentMode(); });
    onAction("actRight", [this] { setRightHalfLineMode(); });
    onAction("actLeft", [this] { setLeftHalfLineMode(); });
    onAction("actSample", [this] { cycleEndKinds(); });
    onClick(standardFormButton, [this] { showFormulaForm(FormulaForm::Standard); });
    onClick(generalFormButton, [this] { showFormulaForm(FormulaForm::General); });
    onClick(panelColorSwitch, [this] { panelColorSwitched(); });
    onClick(formulaSwitch, [this] { formulaSwitched(); });
    onClick(domainSwitch, [this] { domainSwitched(); });
    onClick(valueTableSwitch, [this] { valueTableSwitched(); });
    onClick(axisColorSwitch, [this](bool on) { planeSwitched(&DrawingSettings::AxisColor, on); });
    onClick(latticeDotsSwitch, [this](bool on) { planeSwitched(&DrawingSettings::LatticeDots, on); });
    BindSwitch(handlesSwitch, handlesAction);
    BindSwitch(dottedLinesSwitch, dottedLinesAction);
    connect(handlesAction, &QAction::toggled, this,
            [this](bool on) { planeSwitched(&DrawingSettings::Handles, on); });
    connect(dottedLinesAction, &QAction::toggled, this,
            [this](bool on) { planeSwitched(&DrawingSettings::Dotted, on); });
    connect(formulaFormSwitch, &QCheckBox::toggled, this, [this] { formulaFormSwitched(); });
    connect(circleRadiusSpin, &QSpinBox::valueChanged, this, [this] { circleRadiusChanged(); });
    onAction("mnuSelectAll", [this] { selectAllParabolas(); });
    onAction("mnuCancel", [this] { deselectAll(); });
    onAction("mnuSetColor", [this] { chooseFixedColor(); });
    onAction("mnuTetsei", [this] { deleteSelected(); });
    onAction("mnuSetCood", [this] { showPlaneSettings(); });
    onAction("mnuNewFile", [this] { newUnit(); });
    onAction("mnuOpenFile", [this] { openFile(); });
    onAction("mnuTangenOpen", [this] { openByTitle(); });
    onAction("mnuOverWrite", [this] { saveUnit(); });
    onAction("mnuSave", [this] { saveAs(); });
    onAction("mnuLine2", [this] { quitProgram(); });
    onAction("mnuShoukyo", [this] { deleteAll(); });
    onAction("mnuClipBoard", [this] { copyToClipboard(); });
    onAction("mnuPaste", [this] { pasteFromClipboard(); });
    onAction("mnuClearBitMap", [this] { clearPastedBitmap(); });
    onAction("mnuShowTangen", [this] { showUnitContents(); });
    onAction("mnuShowAbout", [this] { showAbout(); });
    onAction("mnuProperties", [this] { showProperties(); });
    onAction("mnuRenshu", [this] { startPractice(); });
    onAction("mnuPrint", [this] { printPlane(); });
    onAction("mnuExport", [this] { exportPlane(); });
    onAction("mnuWorksheet", [this] { makeWorksheet(); });
    onAction("mnuShowHelp", [this] { showHelp(); });
    onAction("mnuOnePoint", [this] { showOnePoint(); });
    onAction("mnuTest", [this] { startTest(); });
    onAction("mnuShowRecord", [this] { showPracticeRecords(); });
    onAction("mnuSetSenshu", [this] { showLineKind(); });
    lineSample->onClick = [this] { nextAutoColor(); };
    onClick(widerButton, [this] { reshapeSelected(Reshape::Wider); });
    onClick(narrowerButton, [this] { reshapeSelected(Reshape::Narrower); });
    onClick(moveUpButton, [this] { reshapeSelected(Reshape::Up); });
    onClick(moveDownButton, [this] { reshapeSelected(Reshape::Down); });
    onClick(moveRightButton, [this] { reshapeSelected(Reshape::Right); });
    onClick(moveLeftButton, [this] { reshapeSelected(Reshape::Left); });
    plane->onMouseDown = [this](QMouseEvent *e) { planeMouseDown(e); };
    plane->onMouseMove = [this](QMouseEvent *e) { planeMouseMove(e); };
    plane->onMouseUp = [this](QMouseEvent *e) { planeMouseUp(e); };
    plane->onDoubleClick = [this](QMouseEvent *) { planeDblClick(); };
    plane->setKeyHandler([this](QKeyEvent *e) { return planeKeyPress(e); });
    plane->onKeyCursorShown = [this] {
        boundKeyCursor();
        showPlanePoint(m_input.cursor().position());
        followKeyCursor();
    };
    m_clock.start();
    m_pressTimer.setSingleShot(true);
    m_pressTimer.setTimerType(Qt::PreciseTimer);
    m_pressTimer.setInterval(int(DrawingInput::ClickTime));
    connect(&m_pressTimer, &QTimer::timeout, this,
            [this] { m_input.held(m_pressAt + DrawingInput::ClickTime); });
    // Moves over the window's own background end a drawing in progress.
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    valueTableView->onClick = [this] { toggleValueTableWidth(); };
    formulaList->onMouseDown = [this](QMouseEvent *e) { formulaListMouseDown(e); };
    formulaList->onClick = [this] { formulaListClick(); };
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, [this] { escapePressed(); });
}

QAction *MainWindow::action(const char *objectName) const
{
    return findChild<QAction *>(QLatin1String(objectName));
}

const QImage &MainWindow::planeImage() const
{
    return plane->canvas().image();
}

QSize MainWindow::planeSize() const
{
    return plane->picture().bounds().size();
}

int MainWindow::planeUnit() const
{
    return plane->planeGeometry().ScaleX;
}

void MainWindow::drawPlaneOnto(Picture &picture) const
{
    Guarded([&] {
        const PlaneGeometry g = DrawPlane(picture, m_view, plane->planeGeometry());
        drawCurves(picture.canvas(), PlotContext{g, m_view.Draw, picture.width()}, true);
    });
}

void MainWindow::applyCreationLayout()
{
    const MainWindowLayout &l = m_layout;
    setGeometry(l.window);
    setMinimumSize(l.window.size());
    setMaximumSize(l.window.size());
    toolPanel->setGeometry(0, 0, l.window.width(), MainDesign::ToolPanelHeight);
    plane->place(l.plane.x(), l.plane.y(), l.plane.width(), l.plane.height());
    formulaList->setGeometry(l.formulaList);
    valueTableView->place(l.valueTableView.x(), l.valueTableView.y(), l.valueTableView.width(),
                          l.valueTableView.height());
    formulaGroup->setGeometry(l.formulaGroup);
    domainGroup->setGeometry(l.domainGroup);
    rangeGroup->setGeometry(l.rangeGroup);
    axisGroup->setGeometry(l.axisGroup);
    vertexGroup->setGeometry(l.vertexGroup);
    settingsGroup->setGeometry(l.settingsGroup);
    formulaImage = PanelImage(formulaGroup, "imgShiki", MainDesign::FormulaImageHeight);
    domainImage = PanelImage(domainGroup, "imgHenikiX", MainDesign::FormulaImageHeight);
    rangeImage = PanelImage(rangeGroup, "imgHenikiY", MainDesign::FormulaImageHeight);
    axisImage = PanelImage(axisGroup, "imgJiku", MainDesign::AxisGroupHeight - 22);
    vertexImage = PanelImage(vertexGroup, "imgChouten", MainDesign::AxisGroupHeight - 22);

    MainLayout &shared = m_view.Layout;
    shared.WindowWidth = l.window.width();
    shared.WindowHeight = l.window.height();
    shared.ToolPanelHeight = MainDesign::ToolPanelHeight;
    shared.SettingsGroupHeight = l.settingsGroup.height();
    shared.ListLeft = l.formulaList.left();
    shared.ListWidth = l.formulaList.width();
}

void MainWindow::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shownOnce) {
        m_shownOnce = true;
        prepareToShow();
    }
}

void MainWindow::prepareToShow()
{
    DrawingSettings &draw = m_view.Draw;
    draw.FormulaRowHeight = 20;
    draw.PanelTextColor = Colors::White;
    draw.PanelBackColor = Colors::Teal;
    valueTableView->setVisible(valueTableSwitch->isChecked());
    m_pastedBitmap = QImage();
    resetWork(UnitTitleDialog::DefaultTitle, m_state.UnitFileName, true);
    cancelDrawing();
    setWholeCurveMode();
    valueTableSwitched();
    m_state.Locked = true;
    toggleLock();
    showFormulaForm(FormulaForm::Standard);
    panelColorSwitched();
    m_state.Untitled = true;
}

void MainWindow::resetWork(const QString &title, const QString &fileName, bool resetEnds)
{
    // The document's reset draws the plane and clears the panels; clearing
    // them first as well would draw everything twice.
    resetDrawingState(resetEnds);
    plane->dropGeometry();
    m_doc.reset(title, fileName);
}

void MainWindow::resetDrawing(bool resetEnds)
{
    resetDrawingState(resetEnds);
    clearDisplay();
}

void MainWindow::resetDrawingState(bool resetEnds)
{
    DrawingSettings &draw = m_view.Draw;
    if (resetEnds) {
        draw.SegmentEnds = 0;
        draw.HalfLineEnds = 0;
    }
    draw.CircleRadius = circleRadiusSpin->value();
    draw.Dotted = dottedLinesSwitch->isChecked();
    draw.Handles = handlesSwitch->isChecked();
    draw.ColorCounter = 0;
    redrawLineSample();
    m_input.cancel();
    cancelReplace();
}

void MainWindow::clearDisplay()
{
    // The still picture without the curves; the document's change draws them.
    plane->dropGeometry();
    Guarded([this] { plane->setPlaneGeometry(DrawPlane(plane->picture(), m_view, plane->planeGeometry())); });
    plane->overlayChanged();
    clearPanels();
}

void MainWindow::clearPanels()
{
    const DrawingSettings &draw = m_view.Draw;
    for (ImageView *v : {domainImage, rangeImage, formulaImage, axisImage, vertexImage})
        ClearImage(v->picture(), draw.PanelBackColor, draw);
    m_table.ClearValueTable();
    describePlane(nullptr);
}

void MainWindow::showCaptions()
{
    // A long title or one with a NUL from a file is shown cut, never ended.
    setWindowTitle(m_captionPrefix + QStringLiteral(" - ") + ShownTitle(m_doc.title()) + QStringLiteral("  ") +
                   m_doc.filePath());
}

void MainWindow::documentChanged()
{
    repaintAll();
    // The panels show a selected parabola or nothing.
    if (m_doc.selectedRows().isEmpty())
        clearPanels();
}

bool MainWindow::needsSaving() const
{
    return m_doc.count() != 0 && m_doc.isModified();
}

void MainWindow::cancelDrawing()
{
    setPlaneCursor(CursorNo::Pencil);
    cancelReplace();
    m_input.cancel();
}

void MainWindow::cancelReplace()
{
    m_input.forgetReplace();
}

void MainWindow::setPlaneCursor(int n)
{
    plane->setCursor(CursorOf(n));
}

PlotContext MainWindow::plotContext() const
{
    return plane->plotContext(m_view.Draw);
}

MainWindow::CurveLayerKey MainWindow::curveLayerKey() const
{
    const ViewSettings &st = m_view;
    CurveLayerKey key{
        {}, st.Draw, st.MainPlane, st.PlaneDefaultSize, st.Layout, m_stillHidden, m_pastedBitmap.cacheKey()};
    key.entries.reserve(m_doc.count());
    for (int i = 0; i < m_doc.count(); ++i)
        key.entries.append(m_doc.at(i));
    return key;
}

bool MainWindow::redrawPlane()
{
    ViewSettings &st = m_view;
    m_stillHidden = m_input.overlay().hiddenEntry;
    Canvas &canvas = plane->canvas();
    CurveLayerKey key = curveLayerKey();
    const bool sameCurves = m_curveKey && *m_curveKey == key && plane->hasGeometry();
    if (sameCurves && !m_curveLayer.isNull()) {
        // Only the selection changed: the grid and curves are as they were.
        // When nothing else has drawn since the last marks, those alone are
        // taken back from the curves, and only their boxes and the new
        // marks' are repainted.
        bool inPlace = false;
        QList<QRect> marks;
        plane->changeQuietly([&] {
            inPlace = canvas.generation() == m_marksGeneration && canvas.restore(m_curveLayer, m_markBoxes);
            if (inPlace)
                marks = drawMarksTracked(canvas);
        });
        if (inPlace) {
            plane->stillChangedIn(m_markBoxes + marks);
            m_markBoxes = std::move(marks);
            m_marksGeneration = canvas.generation();
            return true;
        }
        canvas.assign(m_curveLayer);
    } else {
        m_curveKey.reset();
        m_curveLayer = QImage();
        // Until the drawing has given a geometry the plane takes no click.
        plane->dropGeometry();
        const bool drawn = Guarded([&] {
            plane->setPlaneGeometry(DrawPlane(plane->picture(), st, plane->planeGeometry()));
            drawCurves(canvas, plotContext(), false);
        });
        if (!drawn)
            return false;
        // The curves are kept apart from the marks (a copy of the picture)
        // once a repaint finds them unchanged: the selection is changing,
        // not the unit.
        if (sameCurves)
            m_curveLayer = canvas.image();
        m_curveKey = std::move(key);
    }
    m_markBoxes = drawMarksTracked(canvas);
    m_marksGeneration = canvas.generation();
    return true;
}

QList<QRect> MainWindow::drawMarksTracked(Canvas &canvas) const
{
    canvas.setTracksDamage(true);
    drawSelectionMarks(canvas, plotContext());
    QList<QRect> boxes = canvas.takeDamage();
    canvas.setTracksDamage(false);
    return boxes;
}

void MainWindow::drawCurves(Canvas &canvas, const PlotContext &ctx, bool withMarks) const
{
    if (!m_pastedBitmap.isNull())
        canvas.stretchDraw(QRect(QPoint(0, 0), m_pastedBitmap.size()), m_pastedBitmap);
    for (int i = 0; i < m_doc.count(); ++i)
        if (i != m_stillHidden)
            DrawParabola(canvas, m_doc.at(i), false, ctx);
    if (withMarks)
        drawSelectionMarks(canvas, ctx);
}

void MainWindow::drawSelectionMarks(Canvas &canvas, const PlotContext &ctx) const
{
    // The marks of the selection lie over every curve.
    for (int i = 0; i < m_doc.count(); ++i)
        if (i != m_stillHidden && isSelected(i))
            DrawSelectionMarks(canvas, m_doc.at(i), ctx);
}

void MainWindow::repaintAll()
{
    // A repaint ends the drawing in progress.
    m_input.cancel();
    plane->overlayChanged();
    if (!redrawPlane())
        return;
    Guarded([&] {
        int last = -1;
        for (int i = 0; i < m_doc.count(); ++i)
            if (isSelected(i))
                last = i;
        if (last >= 0) {
            const Parabola &rec = m_doc.at(last);
            if (m_panelKey && *m_panelKey == panelKey(rec))
                return;
            showFormula(rec);
            showAxisVertex(rec);
            fillValueTable(last);
            m_panelKey = panelKey(rec);
        }
    });
}

MainWindow::PanelKey MainWindow::panelKey(const Parabola &shown) const
{
    PanelKey key{shown,
                 m_view.Draw,
                 formulaSwitch->isChecked(),
                 domainSwitch->isChecked(),
                 valueTableSwitch->isChecked(),
                 m_table.columnCount(),
                 {},
                 {}};
    for (ImageView *v : {formulaImage, domainImage, rangeImage, axisImage, vertexImage, valueTableView}) {
        key.bounds.append(v->picture().bounds());
        key.generations.append(v->picture().canvas().generation());
    }
    return key;
}

void MainWindow::showPlaneSettings()
{
    // Modeless: the main window stays usable while the settings are tried.
    PlaneSettingsDialog *d = forms().planeSettingsDialog();
    if (!d)
        return;
    d->show();
    d->raise();
    d->activateWindow();
}

void MainWindow::setupHelpContexts()
{
    const char *const key = "helpContext";
    setProperty(key, HelpContext::MainWindow);
    formulaList->setProperty(key, HelpContext::FormulaList);
    for (QAction *a : fileMenu->actions())
        if (a->objectName() != QLatin1String("mnuPaste"))
            a->setProperty(key, HelpContext::FileMenu);
    for (const char *name : {"mnuTetsei", "mnuShoukyo"})
        action(name)->setProperty(key, HelpContext::Correction);
    for (const char *name : {"mnuSetSenshu", "mnuSetColor"})
        action(name)->setProperty(key, HelpContext::LineKind);
    for (const char *name : {"mnuTest", "mnuRenshu"})
        action(name)->setProperty(key, HelpContext::Practice);
    for (const char *name : {"mnuShowTangen", "mnuShowRecord"})
        action(name)->setProperty(key, HelpContext::UnitView);
    action("mnuShowHelp")->setProperty(key, HelpContext::MainWindow);
    // F1 opens the help at the context of the focused control, or of the
    // highlighted item while a menu is open.
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (HelpWindow *help = forms().helpWindow())
            help->ShowHelp(helpContextOf(QApplication::focusWidget()));
    });
    for (QMenu *m : findChildren<QMenu *>())
        m->installEventFilter(this);
}

int MainWindow::helpContextOf(QObject *target) const
{
    for (QObject *o = target; o; o = o->parent()) {
        const QVariant v = o->property("helpContext");
        if (v.isValid())
            return v.toInt();
    }
    return HelpContext::MainWindow;
}

void MainWindow::printPlane()
{
    if (QDialog *d = forms().printDialog())
        runModal(d);
}

void MainWindow::showHelp()
{
    if (HelpWindow *help = forms().helpWindow())
        help->ShowHelpContents();
}

void MainWindow::showOnePoint()
{
    if (HelpWindow *help = forms().helpWindow())
        help->ShowHelp(HelpContext::OnePoint);
}

void MainWindow::showAbout()
{
    if (QDialog *d = forms().aboutDialog())
        runModal(d);
}

void MainWindow::showLineKind()
{
    if (QDialog *d = forms().lineKindDialog()) {
        d->show();
        d->raise();
    }
    syncLineModeButtons();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            const int context = menu->activeAction() ? helpContextOf(menu->activeAction()) : HelpContext::MainWindow;
            menu->close();
            if (HelpWindow *help = forms().helpWindow())
                help->ShowHelp(context);
            return true;
        }
    }
    if (watched == centralWidget() && event->type() == QEvent::MouseMove)
        windowMouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::quitProgram()
{
    close();
}

void MainWindow::toggleLock()
{
    m_state.Locked = !m_state.Locked;
    action("actLocked")->setIcon(QIcon(m_state.Locked ? lockedGlyph : unlockedGlyph));
    enableCommands(!m_state.Locked);
}

void MainWindow::enableCommands(bool on)
{
    for (QMenu *m : {fileMenu, editMenu, settingsMenu, runMenu, viewMenu})
        m->menuAction()->setEnabled(on);
    for (const char *name : {"mnuOverWrite", "mnuTest", "mnuRenshu", "mnuShowRecord"})
        action(name)->setEnabled(on);
    // Undo and redo also need a step to take.
    const QUndoStack *stack = m_doc.undoStack();
    undoAction->setEnabled(on && stack->canUndo());
    redoAction->setEnabled(on && stack->canRedo());
}

void MainWindow::showFormulaForm(FormulaForm form)
{
    if (!formulaSwitch->isChecked())
        return;
    const bool standard = form == FormulaForm::Standard;
    standardFormButton->setIcon(QIcon(standard ? onGlyph : offGlyph));
    generalFormButton->setIcon(QIcon(standard ? offGlyph : onGlyph));
    // Setting the box runs formulaFormSwitched only when it changes; the
    // texts follow the form either way.
    const QSignalBlocker quiet(formulaFormSwitch);
    formulaFormSwitch->setChecked(standard);
    formulaFormSwitched();
    formulaGroup->setTitle(standard ? QStringLiteral("グラフの式（標準形）")
                                    : QStringLiteral("グラフの式（一般形）"));
}

void MainWindow::panelColorSwitched()
{
    DrawingSettings &draw = m_view.Draw;
    if (panelColorSwitch->isChecked()) {
        draw.PanelBackColor = Colors::Teal;
        draw.PanelTextColor = Colors::White;
    } else {
        draw.PanelBackColor = Colors::White;
        draw.PanelTextColor = Colors::Black;
    }
    clearPanels();
    showCurrentFormula();
    emit panelsSwitched();
}
