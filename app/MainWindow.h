#pragma once
// The main window: tool bar, plane, formula list, value table, formula
// panels and the settings group. It owns the unit document and repaints
// everything through repaintAll when the document changes; drawing itself is
// done by the plane layer.

#include "app/MainLayout.h"
#include "app/MainState.h"
#include "app/ValueTable.h"
#include "document/UnitDocument.h"
#include "files/AppFolder.h"
#include "input/DrawingInput.h"
#include "model/FormulaText.h"
#include "model/LineMode.h"
#include "model/PracticeSource.h"
#include "plane/ViewSettings.h"
#include "ui/Prompt.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>

class FormulaList;
class ImageView;
class PlaneView;
struct PlotContext;
class Canvas;
class Picture;
class QAction;
class QActionGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
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

// What the arrow and opening buttons do to the selected parabolas.
enum class Reshape { Wider, Narrower, Up, Down, Right, Left };

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Creation lays the window out over a screen of the given size and
    // records the start folder.
    MainWindow(const QSize &screen, const QString &currentDir, ViewSettings &view, AppFolder &folder,
               QWidget *parent = nullptr);
    ~MainWindow() override;

signals:
    // A panel switch or the panel colours changed.
    void panelsSwitched();

public:
    // The windows this one reads and fills, made on their first need like
    // the others, which it obtains from forms().
    UnitTitleDialog *unitTitleDialog();
    UnitContentsWindow *unitContentsWindow();

    MainState &state() { return m_state; }
    // The plane's click state machine; the plane forwards its events to it.
    DrawingInput &input() { return m_input; }
    UnitDocument &document() { return m_doc; }
    const MainWindowLayout &layout() const { return m_layout; }

    // Repaint and reset operations shared by every command.
    void repaintAll();
    // The panels show the formulas and the ranges: a teacher who hides them
    // hides everything that gives the answer away.
    bool answersShown() const;
    // Forgets the cached curves, so the next repaint draws every curve again.
    void dropCachedCurves()
    {
        m_curveKey.reset();
        m_curveLayer = QImage();
    }
    void resetWork(const QString &title, const QString &fileName, bool resetEnds);
    void clearDisplay();
    void clearPanels();
    bool needsSaving() const;
    void cancelDrawing();
    // Forgets the entry a quick right click chose to be replaced.
    void cancelReplace();
    // The one place that enables commands: the lock greys every menu but
    // Help and the commands that save or start a practice.
    void enableCommands(bool on);
    void setPlaneCursor(int n);

    // New parabolas and the working list.
    Parabola newParabolaRecord(QPoint vertex, QPoint passingPoint);
    bool storeParabola(const Parabola &rec, int index);
    static QString limitMessage();

    QPoint latticeAt(QPoint pixel) const;
    void reshapeSelected(Reshape op);

    // The formula list and the panels of the current parabola.
    int currentIndex() const;
    void selectOnly(int i);
    bool isSelected(int i) const;
    void showAxisVertex(const Parabola &rec);
    void showDomainAndRange(const Parabola &rec);
    void showCurrentFormula();
    // The formula panel: the record's formula while "２次関数の式" is on, else blank.
    void showFormula(const Parabola &rec);
    void fillValueTable(int i);
    void recolorAll();
    void redrawLineSample();
    FormulaForm currentForm() const;
    ValueTable &valueTable() { return m_table; }

    // Handlers
    void prepareToShow();
    void quitProgram();
    void setWholeCurveMode();
    void toggleLock();
    // The standard/general form buttons: panels, list and caption in one form.
    void showFormulaForm(FormulaForm form);
    void formulaFormSwitched();
    void panelColorSwitched();
    void formulaSwitched();
    void domainSwitched();
    void valueTableSwitched();
    // A switch of how the plane is drawn: axis colour, lattice dots,
    // handles, dotted lines.
    void planeSwitched(bool DrawingSettings::*flag, bool on);
    void circleRadiusChanged();
    void toggleValueTableWidth();
    void formulaListMouseDown(QMouseEvent *e);
    void formulaListClick();
    void selectAllParabolas();
    void deselectAll();
    void changeSelectedColor();
    void setSelectedWidth(int width);
    void chooseFixedColor();
    void deleteSelected();
    void showPlaneSettings();
    // Unit and file commands.
    Answer saveWithDialog(bool askFirst);
    bool saveAs();
    void newUnit();
    void openFile();
    // Opens a unit file as 開く does after its dialog, with the same messages.
    void openUnitFile(const QString &path);
    void openByTitle();
    void saveUnit();
    void deleteAll();
    void copyToClipboard();
    void pasteFromClipboard();
    void clearPastedBitmap();
    void showUnitContents();
    void showAbout();
    // The modeless properties window of the current parabola.
    void showProperties();
    void startPractice();
    void startTest();
    void showPracticeRecords();
    void printPlane();
    // A PDF worksheet of the open unit, or of a unit chosen in the unit dialog.
    void makeWorksheet();
    // Saves the plane as on screen as SVG, PDF or PNG, by the chosen file type.
    void exportPlane();
    void showHelp();
    void showOnePoint();
    // The help context of a widget or menu item (F1); 100 when none is set.
    int helpContextOf(QObject *target) const;
    void applyUnit(const UnitContents &unit, const QString &path);
    // Undo (back) or redo one change of the unit.
    void stepHistory(bool back);
    QString dataFolderPath() const;
    // Shows a dialog modally and returns its result; tests replace it.
    std::function<int(QDialog *)> runModal = [](QDialog *d) { return d->exec(); };
    void showLineKind();
    void planeMouseDown(QMouseEvent *e);
    void planeMouseMove(QMouseEvent *e);
    void planeMouseUp(QMouseEvent *e);
    void planeDblClick();
    // A key on the focused plane: the lattice cursor moves or clicks; false
    // when the key is not the plane's.
    bool planeKeyPress(QKeyEvent *e);
    void windowMouseMove();
    void setSegmentMode();
    void setRightHalfLineMode();
    void setLeftHalfLineMode();
    void cycleEndKinds();
    void nextAutoColor();
    void syncLineModeButtons();

    // A command by object name: a menu item's name (mnuTetsei), or for a
    // command only on the tool bar its button's name with "act" for the
    // prefix (actLocked, actAll, actCenter, actRight, actLeft, actSample).
    QAction *action(const char *objectName) const;
    // What other windows read of the main plane: its picture and its size.
    const QImage &planeImage() const;
    QSize planeSize() const;
    // Pixels of one grid unit across the plane.
    int planeUnit() const;
    // The plane as it is on screen (grid, pasted bitmap, curves, selection
    // marks) drawn afresh onto the picture, whose canvas may have a target.
    void drawPlaneOnto(Picture &picture) const;

    // Dialog settings of the main window.
    static constexpr const char *OpenFilter = "PRB+PRXファイル|*.PRB;*.PRX";
    static constexpr const char *SaveFilter = "PRBファイル|*.PRB|PRXファイル|*.PRX";
    static constexpr const char *SaveFileName = "Graph1.prb";

protected:
    void showEvent(QShowEvent *e) override;
    // Closing asks about unsaved work as New and Open do.
    void closeEvent(QCloseEvent *e) override;

private:
    // Components; tests reach them by their object names, which help
    // contexts use too.
    // Each tool-bar button shows its command's action (defaultAction()).
    QFrame *toolPanel = nullptr;
    QToolButton *openByTitleButton = nullptr, *saveButton = nullptr, *testButton = nullptr,
                *practiceButton = nullptr, *recordsButton = nullptr, *deleteButton = nullptr,
                *deleteAllButton = nullptr;
    QToolButton *wholeCurveButton = nullptr, *segmentButton = nullptr, *rightHalfLineButton = nullptr,
                *leftHalfLineButton = nullptr;
    QActionGroup *lineModeGroup = nullptr;
    QLineEdit *lineModeField = nullptr, *endKindsField = nullptr, *pointField = nullptr;
    QToolButton *endKindsButton = nullptr, *fixedColorButton = nullptr, *lockButton = nullptr;
    QToolButton *selectAllButton = nullptr, *deselectAllButton = nullptr;
    ImageView *lineSample = nullptr;

    PlaneView *plane = nullptr;
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
    QPixmap onGlyph, offGlyph, lockedGlyph, unlockedGlyph;

    // Menus.
    QMenu *fileMenu = nullptr, *editMenu = nullptr, *settingsMenu = nullptr, *runMenu = nullptr,
          *viewMenu = nullptr, *helpMenu = nullptr;
    // The checkable actions of the two switches that also have menu items.
    QAction *handlesAction = nullptr, *dottedLinesAction = nullptr;
    QAction *undoAction = nullptr, *redoAction = nullptr;
    QMenu *formulaPopup = nullptr; // popup of the formula list
    void createActions();
    void createToolBar(QWidget *central);
    void createPanels(QWidget *central);
    void createSettingsGroup(QWidget *central);
    void createMenus();
    void setLineMode(LineMode mode);
    void applyLineModeLook();
    void escapePressed();
    void keepReplaceOnlyIfShown();
    void setupHelpContexts();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void createPopup();
    void showCaptions();
    void resetDrawing(bool resetEnds);
    void resetDrawingState(bool resetEnds);
    void documentChanged();
    // Draws the still picture of the plane: grid, pasted bitmap, stored
    // curves (without the one under a handle drag), handles and dots.
    bool redrawPlane(); // false after a drawing failure was told
    // The pasted bitmap and the curves (but the one being reshaped), and
    // the selection marks over them when asked.
    void drawCurves(Canvas &canvas, const PlotContext &ctx, bool withMarks) const;
    void drawSelectionMarks(Canvas &canvas, const PlotContext &ctx) const;
    // The same on the still picture, returning the boxes the marks drew.
    QList<QRect> drawMarksTracked(Canvas &canvas) const;
    void paintPlaneOverlay(Canvas &frame) const;
    PlotContext plotContext() const;
    // What the drawing input asks of the window.
    class InputHost final : public DrawingHost {
    public:
        explicit InputHost(MainWindow &w) : m_w(w) {}
        int entryCount() const override;
        int entryLimit() const override;
        Parabola entry(int index) const override;
        HandleHit hitTest(QPoint lattice) const override;
        Parabola newRecord(QPoint vertex) override;
        bool store(const Parabola &rec, int replaceIndex) override;
        void message(const QString &text) override;
        void selectForReplacing(int index) override;
        void addToSelection(int index) override;
        void clearSelection() override;
        void setCursor(PlaneCursor cursor) override;
        void overlayChanged() override;

    private:
        MainWindow &m_w;
    };
    void inputOverlayChanged();
    // The coordinate read-out shows a lattice point of the plane.
    void showPlanePoint(QPoint lattice);
    // The lattice cursor kept on the plane shown, and painted where it is.
    void boundKeyCursor();
    void followKeyCursor();
    void connectHandlers();
    void applyCreationLayout();
    // Accessible names and descriptions, and the Tab order.
    void describeControls();
    // The plane's description: the selected parabola's formula, if shown.
    void describePlane(const Parabola *selected);
    void runPractice(const PracticeSource &source);

    ViewSettings &m_view;
    AppFolder &m_folder;
    // The unit title last chosen in the unit dialog: the caption of a test.
    QString m_chosenUnitTitle;
    MainState m_state;
    UnitDocument m_doc;
    MainWindowLayout m_layout;
    ValueTable m_table{nullptr};
    QString m_captionPrefix;
    UnitTitleDialog *m_unitTitleDialog = nullptr;
    UnitContentsWindow *m_unitContents = nullptr;
    InputHost m_inputHost{*this};
    DrawingInput m_input{m_inputHost};
    // The entry the still picture was last drawn without.
    int m_stillHidden = -1;
    // Telling a click from a press: the timer fires the click time after a
    // press; event times are read from the clock.
    QTimer m_pressTimer;
    QElapsedTimer m_clock;
    qint64 m_pressAt = 0;
    // A bitmap pasted over the plane: the still picture shows it under the curves.
    QImage m_pastedBitmap;
    // The still picture without the selection's marks (kept from the second
    // repaint of the same curves on), and what the curves were drawn from: a
    // change of the selection alone draws no curve again.
    struct CurveLayerKey {
        QList<Parabola> entries;
        DrawingSettings draw;
        PlaneSettings plane;
        int defaultSize;
        MainLayout layout;
        int hiddenIndex;
        qint64 pasted;
        friend bool operator==(const CurveLayerKey &, const CurveLayerKey &) = default;
    };
    CurveLayerKey curveLayerKey() const;
    QImage m_curveLayer;
    // The boxes the selection marks drew on the still picture, and its
    // change count after them.
    QList<QRect> m_markBoxes;
    quint64 m_marksGeneration = 0;
    // What the side panels and the value table were last drawn from, with
    // each picture's change count after it: a repaint that would draw the
    // same again leaves them alone.
    struct PanelKey {
        Parabola shown;
        DrawingSettings draw;
        bool formulas, ranges, table;
        int tableColumns;
        QList<QRect> bounds;
        QList<quint64> generations;
        friend bool operator==(const PanelKey &, const PanelKey &) = default;
    };
    PanelKey panelKey(const Parabola &shown) const;
    std::optional<PanelKey> m_panelKey;
    std::optional<CurveLayerKey> m_curveKey;
    bool m_shownOnce = false;
};
