#pragma once
// The main window: tool bar, plane, formula list, value table, formula
// panels and the settings group. It owns the unit being edited and repaints
// everything through repaintAll; drawing itself is done by the plane layer.

#include "app/MainLayout.h"
#include "app/MainState.h"
#include "app/ValueTable.h"
#include "model/FormulaText.h"
#include "plane/ProgramState.h"

#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <QPixmap>
#include <QTimer>
#include <utility>

class FormulaList;
class ImageView;
class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QToolButton;
class UnitTitleDialog;
struct UnitContents;
class UnitContentsWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Creation lays the window out over a screen of the given size and
    // records the start folder.
    MainWindow(const QSize &screen, const QString &currentDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The windows this one reads and fills (created before it is shown);
    // the others it obtains from forms() when first needed.
    void attach(UnitTitleDialog *titleDialog, UnitContentsWindow *contents);

    MainState &state() { return m_state; }
    const MainWindowLayout &layout() const { return m_layout; }

    // Repaint and reset operations shared by every command.
    void repaintAll();
    void ResetWork(const QString &title, const QString &fileName, bool resetEnds);
    void ClearDisplay();
    void ClearPanels();
    void ShowUnitCaptions(const QString &title, const QString &fileName, int count);
    void WriteUnitLines(const Parabola &rec, int i);
    bool NeedsSaving() const;
    void CancelDrawing();
    // Forgets the entry a quick right click chose to be replaced.
    void CancelReplace();
    void EnableCommands(bool on);
    void SetPlaneCursor(int n);

    // New parabolas and the working list.
    Parabola NewParabolaRecord(QPoint vertex, QPoint passingPoint);
    bool StoreParabola(const Parabola &rec, int index);
    static QString LimitMessage();

    // The plane's click state machine and handle drag.
    void PlaneClick(int x, int y);
    std::pair<int, int> HitTest(QPoint point) const;
    void BeginHandleDrag();
    void FinishHandleDrag(int x, int y);
    void AbortDrag();
    QPoint LatticeAt(QPoint pixel) const;
    void ReshapeSelected(int op);

    // The formula list and the panels of the current parabola.
    int CurrentIndex() const;
    void SelectOnly(int i);
    bool IsSelected(int i) const;
    void ShowAxisVertex(const Parabola &rec);
    void ShowDomainAndRange(const Parabola &rec);
    void ShowCurrentFormula();
    // The formula panel: the record's formula while "２次関数の式" is on, else blank.
    void ShowFormula(const Parabola &rec);
    void FillValueTable(int i);
    void RecolorAll();
    void RedrawLineSample();
    FormulaForm CurrentForm() const;
    ValueTable &valueTable() { return m_table; }

    // Handlers
    void prepareToShow();
    void quitProgram();
    void setWholeCurveMode();
    void toggleLock();
    void showStandardForm();
    void showGeneralForm();
    void formulaFormSwitched();
    void panelColorSwitched();
    void formulaSwitched();
    void axisColorSwitched();
    void latticeDotsSwitched();
    void domainSwitched();
    void valueTableSwitched();
    void handlesSwitched();
    void dottedLinesSwitched();
    void handlesMenuToggled();
    void dottedLinesMenuToggled();
    void circleRadiusChanged();
    void toggleValueTableWidth();
    void formulaListMouseDown(QMouseEvent *e);
    void formulaListClick();
    void selectAllParabolas();
    void deselectAll();
    void changeSelectedColor();
    void SetSelectedWidth(int width);
    void chooseFixedColor();
    void deleteSelected();
    void showPlaneSettings();
    // Unit and file commands.
    int SaveWithDialog(bool askFirst);
    bool SaveAs();
    void newUnit();
    void openFile();
    // Opens a unit file as 開く does after its dialog, with the same messages.
    void OpenUnitFile(const QString &path);
    void openByTitle();
    void saveUnit();
    void deleteAll();
    void copyToClipboard();
    void pasteFromClipboard();
    void clearPastedBitmap();
    void showUnitContents();
    void showAbout();
    void startPractice();
    void startTest();
    void showPracticeRecords();
    void printPlane();
    void showHelp();
    void showOnePoint();
    // The help context of a widget or menu item (F1); 100 when none is set.
    int HelpContextOf(QObject *target) const;
    void ApplyUnit(const UnitContents &unit);
    QString DataFolderPath() const;
    // Shows a dialog modally and returns its result; tests replace it.
    std::function<int(QDialog *)> runModal = [](QDialog *d) { return d->exec(); };
    void showLineKind();
    void planeMouseDown(QMouseEvent *e);
    void planeMouseMove(QMouseEvent *e);
    void planeMouseUp(QMouseEvent *e);
    void planeDblClick();
    void windowMouseMove();
    void setSegmentMode();
    void setRightHalfLineMode();
    void setLeftHalfLineMode();
    void cycleEndKinds();
    void nextAutoColor();
    void SyncLineModeButtons();

    // Components; their object names are the ones tests and help contexts use.
    QFrame *toolPanel = nullptr;
    QToolButton *openByTitleButton = nullptr, *saveButton = nullptr, *testButton = nullptr,
                *practiceButton = nullptr, *recordsButton = nullptr, *deleteButton = nullptr,
                *deleteAllButton = nullptr;
    QToolButton *wholeCurveButton = nullptr, *segmentButton = nullptr, *rightHalfLineButton = nullptr,
                *leftHalfLineButton = nullptr;
    QButtonGroup *lineModeGroup = nullptr;
    QLineEdit *lineModeField = nullptr, *endKindsField = nullptr, *pointField = nullptr;
    QToolButton *endKindsButton = nullptr, *fixedColorButton = nullptr, *lockButton = nullptr;
    QToolButton *selectAllButton = nullptr, *deselectAllButton = nullptr;
    ImageView *lineSample = nullptr;

    ImageView *plane = nullptr;
    FormulaList *formulaList = nullptr;
    ImageView *valueTableView = nullptr;
    QGroupBox *formulaGroup = nullptr, *domainGroup = nullptr, *rangeGroup = nullptr, *axisGroup = nullptr,
              *vertexGroup = nullptr, *settingsGroup = nullptr;
    ImageView *formulaImage = nullptr, *domainImage = nullptr, *rangeImage = nullptr, *axisImage = nullptr,
              *vertexImage = nullptr;

    QCheckBox *valueTableSwitch = nullptr, *formulaSwitch = nullptr, *domainSwitch = nullptr,
              *latticeDotsSwitch = nullptr, *axisColorSwitch = nullptr, *panelColorSwitch = nullptr,
              *handlesSwitch = nullptr, *dottedLinesSwitch = nullptr;
    QToolButton *moveLeftButton = nullptr, *moveUpButton = nullptr, *moveDownButton = nullptr,
                *moveRightButton = nullptr;
    QLabel *widthLabel = nullptr;
    QToolButton *widerButton = nullptr, *narrowerButton = nullptr;
    QPushButton *standardFormButton = nullptr, *generalFormButton = nullptr;

    // Hidden controls.
    QSpinBox *circleRadiusSpin = nullptr;
    QCheckBox *formulaFormSwitch = nullptr;
    QPixmap onGlyph, offGlyph, onGlyph2, offGlyph2, lockedGlyph, unlockedGlyph;

    // Menus.
    QMenu *fileMenu = nullptr, *editMenu = nullptr, *settingsMenu = nullptr, *runMenu = nullptr,
          *viewMenu = nullptr, *helpMenu = nullptr;
    QAction *handlesAction = nullptr, *dottedLinesAction = nullptr;
    QMenu *formulaPopup = nullptr;  // popup of the formula list
    QAction *action(const char *objectName) const;

    // Dialog settings of the main window.
    static constexpr const char *OpenFilter = "PRB+PRXファイル|*.PRB;*.PRX";
    static constexpr const char *SaveFilter = "PRBファイル|*.PRB|PRXファイル|*.PRX";
    static constexpr const char *SaveFileName = "Graph1.prb";

protected:
    void showEvent(QShowEvent *e) override;
    // Closing asks about unsaved work as New and Open do.
    void closeEvent(QCloseEvent *e) override;

private:
    void createToolBar(QWidget *central);
    void createPanels(QWidget *central);
    void createSettingsGroup(QWidget *central);
    void createMenus();
    void StoreDrawing();
    void SetLineMode(int mode);
    void ApplyLineModeLook();
    void pressHeld();
    void escapePressed();
    void keepReplaceOnlyIfShown();
    void setupHelpContexts();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void createPopup();
    void connectHandlers();
    void applyCreationLayout();

    MainState m_state;
    MainWindowLayout m_layout;
    ValueTable m_table{nullptr};
    QString m_captionPrefix;
    UnitTitleDialog *m_unitTitleDialog = nullptr;
    UnitContentsWindow *m_unitContents = nullptr;
    // Telling a click from a press: released within 300 ms is a click.
    QTimer m_pressTimer;
    bool m_pressPending = false;
    bool m_ignoreRelease = false;  // the release of a double click's second press
    int m_savedDragMode = 0;
    QPoint m_downPixel;
    bool m_shownOnce = false;
};
