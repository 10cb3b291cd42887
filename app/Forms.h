#pragma once
// The program's windows, created once at start and reached through this
// one place.

#include <QSize>
#include <QString>
#include <memory>

class SettingsStore;
class MainWindow;
class LineKindDialog;
class UnitTitleDialog;
class AboutDialog;
class PracticeWindow;
class RightAnswerDialog;
class WrongAnswerDialog;
class UnitContentsWindow;
class RunEndDialog;
class RecordsWindow;
class PrintDialog;
class UnitCatalogDialog;
class PlaneSettingsDialog;

struct Forms {
    MainWindow *mainWindow = nullptr;
    LineKindDialog *lineKindDialog = nullptr;
    UnitTitleDialog *unitTitleDialog = nullptr;
    AboutDialog *aboutDialog = nullptr;
    PracticeWindow *practiceWindow = nullptr;
    RightAnswerDialog *rightAnswerDialog = nullptr;
    WrongAnswerDialog *wrongAnswerDialog = nullptr;
    UnitContentsWindow *unitContentsWindow = nullptr;
    RunEndDialog *runEndDialog = nullptr;
    RecordsWindow *recordsWindow = nullptr;
    PrintDialog *printDialog = nullptr;
    UnitCatalogDialog *unitCatalogDialog = nullptr;
    PlaneSettingsDialog *planeSettingsDialog = nullptr;
    class HelpWindow *helpWindow = nullptr;  // our own help viewer
};

// The windows of this run; empty before CreateForms.
Forms &forms();

// Creates the windows and wires them to each other. The main window is laid
// out over a screen of the given size; the settings of both planes are
// loaded from store.
void CreateForms(const QSize &screen, const QString &currentDir, const SettingsStore &store);
// Deletes them again (the main window last), leaving forms() empty.
void DestroyForms();
