#pragma once
// The program's windows, reached through this one place. The main window,
// the title dialog and the unit window exist from the start, since they
// hold the open unit; every other window is created on first need, with
// the main window as its owner.

#include "files/AppFolder.h"
#include "plane/ViewSettings.h"
#include "settings/SettingsStore.h"

#include <QSize>
#include <QString>

class MainWindow;
class LineKindDialog;
class UnitTitleDialog;
class AboutDialog;
class PracticeWindow;
class UnitContentsWindow;
class RecordsWindow;
class QDialog;
class WorksheetDialog;
class UnitCatalogDialog;
class PlaneSettingsDialog;
class HelpWindow;
class PropertiesWindow;

class Forms {
public:
    MainWindow *mainWindow = nullptr;
    // Created and wired to the main window on the first call; nullptr
    // before CreateForms.
    UnitTitleDialog *unitTitleDialog();
    UnitContentsWindow *unitContentsWindow();
    LineKindDialog *lineKindDialog();
    AboutDialog *aboutDialog();
    PracticeWindow *practiceWindow();  // with its verdict dialogs
    RecordsWindow *recordsWindow();
    // Through the printing module; nullptr, said to the user, when it
    // cannot be loaded.
    QDialog *printDialog();
    WorksheetDialog *worksheetDialog();
    UnitCatalogDialog *unitCatalogDialog();
    PlaneSettingsDialog *planeSettingsDialog();
    HelpWindow *helpWindow();
    PropertiesWindow *propertiesWindow();

    // The values of this run, handed to every window at its creation.
    ViewSettings &settings() { return m_settings; }
    AppFolder &folder() { return m_folder; }

private:
    friend void CreateForms(const QSize &, const QString &, const SettingsStore &);
    SettingsStore m_store;  // for saving the plane settings
    ViewSettings m_settings;
    AppFolder m_folder;
    LineKindDialog *m_lineKind = nullptr;
    AboutDialog *m_about = nullptr;
    PracticeWindow *m_practice = nullptr;
    RecordsWindow *m_records = nullptr;
    QDialog *m_print = nullptr;
    WorksheetDialog *m_worksheet = nullptr;
    UnitCatalogDialog *m_catalog = nullptr;
    PlaneSettingsDialog *m_planeSettings = nullptr;
    HelpWindow *m_help = nullptr;
    PropertiesWindow *m_properties = nullptr;
};

// The windows of this run; empty before CreateForms.
Forms &forms();

// Creates the main window; every other window is made on its first need.
// The main window is laid out over a screen of the given size; the
// settings of both planes are loaded from store.
void CreateForms(const QSize &screen, const QString &currentDir, const SettingsStore &store);
// Deletes them again (the main window last), leaving forms() empty.
void DestroyForms();
