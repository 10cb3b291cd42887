#pragma once
// The coordinate plane settings dialog "座標面の設定". It edits one holder
// of PlaneSettings, loaded from the store at start (LoadHeldPlaneSettings),
// which the plane drawing reads whenever it draws. The controls edit a
// working copy; the holder takes it when the test passes, and on OK and
// Cancel takes those of its values that pass their own check, so a refused
// value never reaches the plane. It is modeless: the test button redraws the
// main window while the dialog stays open.

#include "plane/PlaneSettings.h"
#include "settings/SettingsStore.h"
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class PlaneSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // What Cancel and a failed size test put back: the values at the moment
    // the dialog was shown. The scale fields and keepSwitch are not part of it.
    struct ShownValues {
        QString SizeX, SizeY, StartX, StartY, EndX, EndY;
        int ScaleNumberX = 5;
        int ScaleNumberY = 5;
        bool ShowAxisNames = true;
        bool ShowTickNumbers = true;
        int FontSize = 12;
        int Margin = 1;
        bool ShowCoordinates = true;

        friend bool operator==(const ShownValues &, const ShownValues &) = default;
    };

    // Edits `holder`, whose values the controls start from. The store is
    // kept (by value) for saving on OK.
    // `defaultSize` is the default plane size (pixels), also the largest
    // size the dialog takes; it is read when needed.
    PlaneSettingsDialog(const SettingsStore &store, PlaneSettings &holder, const int &defaultSize,
                        QWidget *parent = nullptr);

    // What the plane uses, and what the controls show.
    const PlaneSettings &settings() const { return m_settings; }
    const PlaneSettings &editing() const { return m_edit; }
    const ShownValues &shownValues() const { return m_shown; }
    bool settingsChanged() const { return m_settingsChanged; }
    // Upper bound of the size fields: the default plane size of this screen.
    int largestPlaneSize() const;

    // Called by a passing test to redraw the main window completely.
    std::function<void()> onRedraw;

    // Event handlers, public so that the window's owner and tests can run
    // them exactly as the buttons do.
    void prepareToShow();
    // The test: true when it passed and the redraw was requested.
    bool testClicked();
    void okClicked();
    void cancelClicked();
    // A preset button by object name ("BitBtn1", "btnMaxX", ..., "btnEndYno"):
    // writes its text into its field and tests, except the end buttons.
    void presetClicked(const QString &button);
    // axisNamesSwitch, ticksSwitch and coordinatesSwitch: a click runs the test.
    void switchClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildForm();
    void fillFromEditing();
    void connectFields();
    void scaleChanged(const QString &text, int &scale);
    bool runTest();
    void takeAcceptedValues();
    void recordShownValues();
    void restoreShownValues();
    void saveSettings() const;
    QLineEdit *fieldOfPreset(int field) const;

    SettingsStore m_store;
    PlaneSettings &m_settings;
    const int &m_defaultSize;
    PlaneSettings m_edit;
    ShownValues m_shown;
    bool m_settingsChanged = false;

    QLineEdit *sizeXField = nullptr;
    QLineEdit *sizeYField = nullptr;
    QLineEdit *scaleXField = nullptr;
    QLineEdit *scaleYField = nullptr;
    QLineEdit *startXField = nullptr;
    QLineEdit *startYField = nullptr;
    QLineEdit *endXField = nullptr;
    QLineEdit *endYField = nullptr;
    QSpinBox *tickNumbersXSpin = nullptr;
    QSpinBox *tickNumbersYSpin = nullptr;
    QSpinBox *fontSizeSpin = nullptr;
    QSpinBox *marginSpin = nullptr;
    QLabel *marginLabel = nullptr;
    QCheckBox *axisNamesSwitch = nullptr;
    QCheckBox *ticksSwitch = nullptr;
    QCheckBox *coordinatesSwitch = nullptr;
    QCheckBox *keepSwitch = nullptr;
    QPushButton *testButton = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
};

// Loads the stored values into `holder`: clamped to this screen's largest
// plane size, a problem shown in the error box. Both planes' settings are
// loaded this way at start.
void LoadHeldPlaneSettings(const SettingsStore &store, PlaneSettings &holder, int defaultSize);
