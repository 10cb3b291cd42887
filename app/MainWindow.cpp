#include "app/MainWindow.h"

#include "about/AboutDialog.h"
#include "app/AppDir.h"
#include "app/AppInfo.h"
#include "app/DataFolder.h"
#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/HelpWindow.h"
#include "output/PrintDialog.h"
#include "plane/FormulaImage.h"
#include "plane/Plotting.h"
#include "plane/TitleText.h"
#include "plane/Utils.h"
#include "settings/LineKindDialog.h"
#include "settings/PlaneSettingsDialog.h"
#include "ui/Cursors.h"
#include "ui/ImageView.h"

#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include <QKeyEvent>
#include <QShortcut>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
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

namespace {

QToolButton *SpeedButton(QWidget *parent, const char *name, const QString &face, const QString &hint,
                         int x, int width)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(face);
    b->setToolTip(hint);
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

MainWindow::MainWindow(const QSize &screen, const QString &currentDir, QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    ProgramState &st = Program();
    DrawingSettings &draw = st.Draw;

    // FormCreate, in its fixed order.
    m_state.UnitFileName = AppInfo::DefaultUnitFile;
    draw.LineWidth = 1;
    draw.LowerIncluded = true;
    draw.UpperIncluded = true;
    InstallCursors();
    m_captionPrefix = AppInfo::CaptionPrefix;

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    createToolBar(central);
    createPanels(central);
    createSettingsGroup(central);
    createMenus();
    createPopup();
    connectHandlers();
    setupHelpContexts();

    m_layout = ComputeMainWindowLayout(screen.width(), screen.height());
    applyCreationLayout();
    st.PlaneDefaultSize = m_layout.planeDefaultSize;

    st.AppDir = AppDirFrom(currentDir);
    draw.LineMode = 0;
    draw.FixedColor = Colors::White;
    draw.LineWidth = 1;
    m_state.PreviousPoint = QPoint(0, 0);

    formulaList->setCursor(CursorOf(CursorNo::Finger));
    valueTableView->setCursor(CursorOf(CursorNo::Cross));
    plane->setCursor(CursorOf(CursorNo::Pencil));
    // A folder we cannot write is kept like a CD-ROM: practice works and
    // no record is written.
    st.OnCdRom = IsOnCdRom(st.AppDir) || !IsWritableFolder(st.AppDir);
}

MainWindow::~MainWindow() = default;

void MainWindow::attach(UnitTitleDialog *titleDialog, UnitContentsWindow *contents)
{
    if (titleDialog) {
        titleDialog->mainGeometry = [this] { return geometry(); };
        titleDialog->currentTitle = [this] {
            return m_unitContents ? m_unitContents->title() : m_state.UnitTitle;
        };
    }
    m_unitTitleDialog = titleDialog;
    m_unitContents = contents;
    if (m_unitContents)
        m_unitContents->setMirror(&m_state.MirrorText);
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
    openByTitleButton = SpeedButton(toolPanel, "spdOpenFile", QStringLiteral("単元名\nで開く"),
                              QStringLiteral("単元名で開く"), next(44), 44);
    saveButton = SpeedButton(toolPanel, "spdOverWrite", QStringLiteral("上書き\n保存"),
                               QStringLiteral("上書き保存"), next(44), 44);
    testButton =
        SpeedButton(toolPanel, "spdTest", QStringLiteral("テスト"), QStringLiteral("テスト"), next(44), 44);
    practiceButton =
        SpeedButton(toolPanel, "spdRenshu", QStringLiteral("練習"), QStringLiteral("練習"), next(44), 44);
    recordsButton = SpeedButton(toolPanel, "spdKiroku", QStringLiteral("記録の\n表示"),
                            QStringLiteral("記録の表示"), next(44), 44);
    deleteButton =
        SpeedButton(toolPanel, "spdTeisei", QStringLiteral("訂正"), QStringLiteral("訂正"), next(44), 44);
    deleteAllButton = SpeedButton(toolPanel, "spdShoukyo", QStringLiteral("全部\n消去"),
                             QStringLiteral("全部消去"), next(44), 44);
    x += 6;
    wholeCurveButton =
        SpeedButton(toolPanel, "spdAll", QStringLiteral("全域"), QStringLiteral("全域"), next(36), 36);
    segmentButton =
        SpeedButton(toolPanel, "spdCenter", QStringLiteral("中央"), QStringLiteral("中央"), next(36), 36);
    rightHalfLineButton =
        SpeedButton(toolPanel, "spdRight", QStringLiteral("右側"), QStringLiteral("右側"), next(36), 36);
    leftHalfLineButton =
        SpeedButton(toolPanel, "spdLeft", QStringLiteral("左側"), QStringLiteral("左側"), next(36), 36);
    lineModeGroup = new QButtonGroup(this);
    lineModeGroup->setExclusive(true);
    for (QToolButton *b : {wholeCurveButton, segmentButton, rightHalfLineButton, leftHalfLineButton}) {
        b->setCheckable(true);
        lineModeGroup->addButton(b);
    }
    x += 4;
    lineModeField = ReadOnlyEdit(toolPanel, "edtLineMode", QStringLiteral("全域"), next(40), 40);
    endKindsField = ReadOnlyEdit(toolPanel, "edtHeniki", QStringLiteral("≦　≦"), next(56), 56);
    endKindsButton =
        SpeedButton(toolPanel, "spdSample", QStringLiteral("変域"), QStringLiteral("変域"), next(40), 40);
    lineSample = new ImageView(toolPanel);
    lineSample->setObjectName(QStringLiteral("imgSample"));
    lineSample->place(next(40), 7, 40, 24);
    x += 4;
    pointField = ReadOnlyEdit(toolPanel, "edtCood", QStringLiteral("  ( x, y )"), next(84), 84);
    QFont fixed(Fonts::FixedGothic);
    fixed.setPixelSize(13);
    pointField->setFont(fixed);
    x += 4;
    fixedColorButton = SpeedButton(toolPanel, "spdLineColor", QStringLiteral("固定ｶﾗｰ\nの設定"),
                               QStringLiteral("固定ｶﾗｰの設定"), next(48), 48);
    lockButton = SpeedButton(toolPanel, "btnLocked", QString(), QStringLiteral("使える機能を制限します"),
                            next(34), 34);
    lockButton->setIconSize(QSize(20, 20));
    x += 4;
    selectAllButton = SpeedButton(toolPanel, "btnSelectAll", QStringLiteral("全部選択"),
                               QStringLiteral("全部選択"), next(60), 60);
    deselectAllButton = SpeedButton(toolPanel, "BitBtn1", QStringLiteral("選択解除"),
                                    QStringLiteral("選択解除"), next(60), 60);

    for (QToolButton *b : {saveButton, testButton, practiceButton, recordsButton})
        b->setEnabled(false);

    lockedGlyph = LockGlyph(true);
    unlockedGlyph = LockGlyph(false);
}

void MainWindow::createPanels(QWidget *central)
{
    plane = new ImageView(central);
    plane->setObjectName(QStringLiteral("imgCood"));

    formulaList = new FormulaList(&m_state.Parabolas, [this] { return formulaSwitch->isChecked(); }, central);
    formulaList->setObjectName(QStringLiteral("lstShiki"));
    QFont listFont(Fonts::FixedGothic);
    listFont.setPixelSize(16);
    formulaList->setFont(listFont);

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
    onGlyph2 = onGlyph;
    offGlyph2 = offGlyph;

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

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    auto menu = [bar](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu *m, const char *name, const QString &caption) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    fileMenu = menu("mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    item(fileMenu, "mnuNewFile", QStringLiteral("新規作成(&N)"));
    item(fileMenu, "mnuTangenOpen", QStringLiteral("単元名で開く(&T)"));
    item(fileMenu, "mnuOpenFile", QStringLiteral("開く(&O)"));
    item(fileMenu, "mnuOverWrite", QStringLiteral("上書き保存(&S)"));
    item(fileMenu, "mnuSave", QStringLiteral("名前を付けて保存(&A)"));
    fileMenu->addSeparator();
    item(fileMenu, "mnuPrint", QStringLiteral("印刷(&P)"));
    fileMenu->addSeparator();
    item(fileMenu, "mnuClipBoard", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"));
    item(fileMenu, "mnuPaste", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"));
    fileMenu->addSeparator();
    QAction *quit = item(fileMenu, "mnuLine2", QStringLiteral("終了(&X)"));
    connect(quit, &QAction::triggered, this, [this] { quitProgram(); });

    editMenu = menu("mnuEdit", QStringLiteral("編集(&E)"));
    item(editMenu, "mnuTetsei", QStringLiteral("訂正(&C)"));
    item(editMenu, "mnuShoukyo", QStringLiteral("全部消去(&A)"));
    item(editMenu, "mnuClearBitMap", QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟのｸﾘｱ(&B)"));
    editMenu->addSeparator();
    item(editMenu, "mnuSelectAll", QStringLiteral("すべて選択(&S)"));
    item(editMenu, "mnuCancel", QStringLiteral("選択解除(&U)"));

    settingsMenu = menu("mnuSettings", QStringLiteral("設定(&S)"));
    item(settingsMenu, "mnuSetSenshu", QStringLiteral("線の種類(&K)"));
    item(settingsMenu, "mnuSetColor", QStringLiteral("線の色(&C)"));
    item(settingsMenu, "mnuSetCood", QStringLiteral("座標の設定(&S)"));

    runMenu = menu("mnuRun", QStringLiteral("実行(&R)"));
    item(runMenu, "mnuTest", QStringLiteral("ﾃｽﾄ(&T)"));
    item(runMenu, "mnuRenshu", QStringLiteral("練習(&E)"));

    viewMenu = menu("mnuView", QStringLiteral("表示(&V)"));
    item(viewMenu, "mnuShowTangen", QStringLiteral("単元の内容(&U)"));
    item(viewMenu, "mnuShowRecord", QStringLiteral("練習の記録(&R)"));
    viewMenu->addSeparator();
    handlesAction = item(viewMenu, "mnuHandle", QStringLiteral("四角ﾊﾝﾄﾞﾙ(&H)"));
    handlesAction->setCheckable(true);
    handlesAction->setChecked(true);
    dottedLinesAction = item(viewMenu, "mnuTensen", QStringLiteral("点線(&P)"));
    dottedLinesAction->setCheckable(true);
    dottedLinesAction->setChecked(true);
    viewMenu->addSeparator();
    item(viewMenu, "mnuRedisplay", QStringLiteral("再表示(&D)"));  // does nothing, as always

    helpMenu = menu("mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    item(helpMenu, "mnuShowHelp", QStringLiteral("使い方(&U)"));
    item(helpMenu, "mnuOnePoint", QStringLiteral("ワンポイント(&P)"));
    helpMenu->addSeparator();
    item(helpMenu, "mnuShowAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
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
    item(formulaPopup, "pumDelete", QStringLiteral("削除"), [this] { deleteSelected(); });
    item(formulaPopup, "mnuChangeColor", QStringLiteral("色を変える"), [this] { changeSelectedColor(); });
    QMenu *width = formulaPopup->addMenu(QStringLiteral("線の太さを変える"));
    width->setObjectName(QStringLiteral("pumWidth"));
    item(width, "W1", QStringLiteral("1"), [this] { SetSelectedWidth(1); });
    item(width, "W2", QStringLiteral("2"), [this] { SetSelectedWidth(2); });
    item(width, "W3", QStringLiteral("3"), [this] { SetSelectedWidth(3); });
    item(formulaPopup, "pumSelectAll", QStringLiteral("すべて選択"), [this] { selectAllParabolas(); });
    item(formulaPopup, "pumCancel", QStringLiteral("選択解除"), [this] { deselectAll(); });
}

void MainWindow::connectHandlers()
{
    auto onAction = [this](const char *name, auto handler) {
        connect(action(name), &QAction::triggered, this, handler);
    };
    auto onClick = [this](QAbstractButton *b, auto handler) { connect(b, &QAbstractButton::clicked, this, handler); };

    onClick(lockButton, [this] { toggleLock(); });
    onClick(wholeCurveButton, [this] { setWholeCurveMode(); });
    onClick(standardFormButton, [this] { showStandardForm(); });
    onClick(generalFormButton, [this] { showGeneralForm(); });
    onClick(panelColorSwitch, [this] { panelColorSwitched(); });
    onClick(formulaSwitch, [this] { formulaSwitched(); });
    onClick(domainSwitch, [this] { domainSwitched(); });
    onClick(valueTableSwitch, [this] { valueTableSwitched(); });
    onClick(axisColorSwitch, [this] { axisColorSwitched(); });
    onClick(latticeDotsSwitch, [this] { latticeDotsSwitched(); });
    // The two view switches and their menu items show the same state.
    connect(handlesSwitch, &QCheckBox::toggled, this, [this] { handlesSwitched(); });
    connect(dottedLinesSwitch, &QCheckBox::toggled, this, [this] { dottedLinesSwitched(); });
    connect(formulaFormSwitch, &QCheckBox::toggled, this, [this] { formulaFormSwitched(); });
    connect(circleRadiusSpin, &QSpinBox::valueChanged, this, [this] { circleRadiusChanged(); });
    onAction("mnuHandle", [this] { handlesMenuToggled(); });
    onAction("mnuTensen", [this] { dottedLinesMenuToggled(); });
    onClick(selectAllButton, [this] { selectAllParabolas(); });
    onClick(deselectAllButton, [this] { deselectAll(); });
    onAction("mnuSelectAll", [this] { selectAllParabolas(); });
    onAction("mnuCancel", [this] { deselectAll(); });
    onClick(fixedColorButton, [this] { chooseFixedColor(); });
    onAction("mnuSetColor", [this] { chooseFixedColor(); });
    onClick(deleteButton, [this] { deleteSelected(); });
    onAction("mnuTetsei", [this] { deleteSelected(); });
    onAction("mnuSetCood", [this] { showPlaneSettings(); });
    onAction("mnuNewFile", [this] { newUnit(); });
    onAction("mnuOpenFile", [this] { openFile(); });
    onAction("mnuTangenOpen", [this] { openByTitle(); });
    onClick(openByTitleButton, [this] { openByTitle(); });
    onAction("mnuOverWrite", [this] { saveUnit(); });
    onClick(saveButton, [this] { saveUnit(); });
    onAction("mnuSave", [this] { SaveAs(); });
    onAction("mnuShoukyo", [this] { deleteAll(); });
    onClick(deleteAllButton, [this] { deleteAll(); });
    onAction("mnuClipBoard", [this] { copyToClipboard(); });
    onAction("mnuPaste", [this] { pasteFromClipboard(); });
    onAction("mnuClearBitMap", [this] { clearPastedBitmap(); });
    onAction("mnuShowTangen", [this] { showUnitContents(); });
    onAction("mnuShowAbout", [this] { showAbout(); });
    onAction("mnuRenshu", [this] { startPractice(); });
    onAction("mnuPrint", [this] { printPlane(); });
    onAction("mnuShowHelp", [this] { showHelp(); });
    onAction("mnuOnePoint", [this] { showOnePoint(); });
    onClick(practiceButton, [this] { startPractice(); });
    onAction("mnuTest", [this] { startTest(); });
    onClick(testButton, [this] { startTest(); });
    onAction("mnuShowRecord", [this] { showPracticeRecords(); });
    onClick(recordsButton, [this] { showPracticeRecords(); });
    onAction("mnuSetSenshu", [this] { showLineKind(); });
    onClick(segmentButton, [this] { setSegmentMode(); });
    onClick(rightHalfLineButton, [this] { setRightHalfLineMode(); });
    onClick(leftHalfLineButton, [this] { setLeftHalfLineMode(); });
    onClick(endKindsButton, [this] { cycleEndKinds(); });
    lineSample->onClick = [this] { nextAutoColor(); };
    onClick(widerButton, [this] { ReshapeSelected(0); });
    onClick(narrowerButton, [this] { ReshapeSelected(1); });
    onClick(moveUpButton, [this] { ReshapeSelected(2); });
    onClick(moveDownButton, [this] { ReshapeSelected(3); });
    onClick(moveRightButton, [this] { ReshapeSelected(4); });
    onClick(moveLeftButton, [this] { ReshapeSelected(5); });
    plane->onMouseDown = [this](QMouseEvent *e) { planeMouseDown(e); };
    plane->onMouseMove = [this](QMouseEvent *e) { planeMouseMove(e); };
    plane->onMouseUp = [this](QMouseEvent *e) { planeMouseUp(e); };
    plane->onDoubleClick = [this](QMouseEvent *) { planeDblClick(); };
    m_pressTimer.setSingleShot(true);
    m_pressTimer.setInterval(300);
    connect(&m_pressTimer, &QTimer::timeout, this, [this] { pressHeld(); });
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

    MainLayout &shared = Program().Layout;
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
    ProgramState &st = Program();
    DrawingSettings &draw = st.Draw;
    draw.FormulaRowHeight = 20;
    draw.PanelTextColor = Colors::White;
    draw.PanelBackColor = Colors::Teal;
    valueTableView->setVisible(valueTableSwitch->isChecked());
    draw.BitmapPasted = false;
    st.Geometry.ScaleX = 16;
    st.Geometry.ScaleY = 16;
    ResetWork(m_unitTitleDialog ? m_unitTitleDialog->titleField->text() : QString(), m_state.UnitFileName,
              true);
    CancelDrawing();
    setWholeCurveMode();
    valueTableSwitched();
    m_state.Locked = true;
    toggleLock();
    showStandardForm();
    panelColorSwitched();
    m_state.Untitled = true;
}

void MainWindow::ResetWork(const QString &title, const QString &fileName, bool resetEnds)
{
    DrawingSettings &draw = Program().Draw;
    if (resetEnds) {
        draw.SegmentEnds = 0;
        draw.HalfLineEnds = 0;
    }
    draw.CircleRadius = circleRadiusSpin->value();
    draw.Dotted = dottedLinesSwitch->isChecked();
    draw.Handles = handlesSwitch->isChecked();
    draw.ColorCounter = 0;
    RedrawLineSample();
    m_state.ClickState = 0;
    m_state.ParabolaCount = 0;
    CancelReplace();
    Program().ChosenUnit = -1;
    draw.DragMode = 0;
    ClearDisplay();
    formulaList->clear();
    ShowUnitCaptions(title, fileName, 0);
    m_state.MirrorText.clear();
    // The title field of the new-unit dialog, not the title argument.
    m_state.MirrorText.append(m_unitTitleDialog ? m_unitTitleDialog->titleField->text() : title);
    m_state.MarkSaved();
    plane->canvas().setPenMode(PenMode::NotXor);
}

void MainWindow::ClearDisplay()
{
    Guarded([this] { DrawPlane(plane->picture(), Program()); });
    ClearPanels();
}

void MainWindow::ClearPanels()
{
    const DrawingSettings &draw = Program().Draw;
    for (ImageView *v : {domainImage, rangeImage, formulaImage, axisImage, vertexImage})
        ClearImage(v->picture(), draw.PanelBackColor, draw);
    m_table.ClearValueTable();
}

void MainWindow::ShowUnitCaptions(const QString &title, const QString &fileName, int count)
{
    if (m_unitContents) {
        m_unitContents->setTitle(title);
        m_unitContents->fileNameLabel->setText(fileName);
        m_unitContents->countLabel->setText(QString::number(count));
    }
    // A long title or one with a NUL from a file is shown cut, never ended.
    setWindowTitle(m_captionPrefix + QStringLiteral(" - ") + ShownTitle(title) + QStringLiteral("  ") + fileName);
}

void MainWindow::WriteUnitLines(const Parabola &rec, int i)
{
    const QStringList lines = UnitLinesOf(rec);
    for (int k = 0; k < lines.size(); ++k) {
        const qsizetype at = qsizetype(5) * i + 1 + k;
        if (at < m_state.MirrorText.size())
            m_state.MirrorText[at] = lines[k];
    }
}

bool MainWindow::NeedsSaving() const
{
    return m_state.ParabolaCount != 0 && !m_state.Saved();
}

void MainWindow::CancelDrawing()
{
    SetPlaneCursor(CursorNo::Pencil);
    CancelReplace();
    m_state.ClickState = 0;
}

void MainWindow::CancelReplace()
{
    m_state.HitIndex = -1;
    m_state.HitHandle = -1;
}

void MainWindow::SetPlaneCursor(int n)
{
    plane->setCursor(CursorOf(n));
}

void MainWindow::repaintAll()
{
    m_state.ClickState = 0;
    ProgramState &st = Program();
    // A repaint ends the drawing in progress; a rubber band left running
    // would draw every curve in its drag form from now on.
    st.Draw.DragMode = 0;
    Canvas &canvas = plane->canvas();
    canvas.setPenMode(PenMode::Copy);
    Guarded([&] {
        DrawPlane(plane->picture(), st);
        int last = -1;
        for (int i = 0; i < m_state.ParabolaCount; ++i) {
            const bool selected = IsSelected(i);
            const Parabola &rec = m_state.Parabolas[std::size_t(i)];
            DrawParabola(plane->canvas(), rec, selected, st);
            if (selected) {
                DrawLatticeDots(plane->canvas(), rec, st);
                last = i;
            }
        }
        if (last >= 0) {
            const Parabola &rec = m_state.Parabolas[std::size_t(last)];
            ShowFormula(rec);
            ShowAxisVertex(rec);
            FillValueTable(last);
        }
    });
    plane->canvas().setPenMode(PenMode::NotXor);
    // The unit window's count follows every change of the list.
    if (m_unitContents)
        m_unitContents->countLabel->setText(QString::number(m_state.ParabolaCount));
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
            help->ShowHelp(HelpContextOf(QApplication::focusWidget()));
    });
    for (QMenu *m : findChildren<QMenu *>())
        m->installEventFilter(this);
}

int MainWindow::HelpContextOf(QObject *target) const
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
    SyncLineModeButtons();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            const int context = menu->activeAction() ? HelpContextOf(menu->activeAction()) : HelpContext::MainWindow;
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
    lockButton->setIcon(QIcon(m_state.Locked ? lockedGlyph : unlockedGlyph));
    EnableCommands(!m_state.Locked);
}

void MainWindow::EnableCommands(bool on)
{
    for (QMenu *m : {fileMenu, editMenu, settingsMenu, runMenu, viewMenu})
        m->menuAction()->setEnabled(on);
    for (QToolButton *b : {saveButton, testButton, practiceButton, recordsButton})
        b->setEnabled(on);
}

void MainWindow::showStandardForm()
{
    if (!formulaSwitch->isChecked())
        return;
    standardFormButton->setIcon(QIcon(onGlyph));
    generalFormButton->setIcon(QIcon(offGlyph2));
    // Setting the box runs formulaFormSwitched only when it changes; the
    // texts follow the form either way.
    const QSignalBlocker quiet(formulaFormSwitch);
    formulaFormSwitch->setChecked(true);
    formulaFormSwitched();
    formulaGroup->setTitle(QStringLiteral("グラフの式（標準形）"));
}

void MainWindow::showGeneralForm()
{
    if (!formulaSwitch->isChecked())
        return;
    standardFormButton->setIcon(QIcon(offGlyph));
    generalFormButton->setIcon(QIcon(onGlyph2));
    const QSignalBlocker quiet(formulaFormSwitch);
    formulaFormSwitch->setChecked(false);
    formulaFormSwitched();
    formulaGroup->setTitle(QStringLiteral("グラフの式（一般形）"));
}

void MainWindow::panelColorSwitched()
{
    DrawingSettings &draw = Program().Draw;
    if (panelColorSwitch->isChecked()) {
        draw.PanelBackColor = Colors::Teal;
        draw.PanelTextColor = Colors::White;
    } else {
        draw.PanelBackColor = Colors::White;
        draw.PanelTextColor = Colors::Black;
    }
    ClearPanels();
    ShowCurrentFormula();
}
