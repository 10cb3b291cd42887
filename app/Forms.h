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
    MainWindow *frmMain = nullptr;
    LineKindDialog *frmSettei = nullptr;
    UnitTitleDialog *frmNewWork = nullptr;
    AboutDialog *frmVersion = nullptr;
    PracticeWindow *frmRenshu = nullptr;
    RightAnswerDialog *frmSeikai = nullptr;
    WrongAnswerDialog *frmAyamari = nullptr;
    UnitContentsWindow *frmTangen = nullptr;
    RunEndDialog *frmOwari = nullptr;
    RecordsWindow *frmKiroku = nullptr;
    PrintDialog *frmPrint = nullptr;
    UnitCatalogDialog *frmTangenOpen = nullptr;
    PlaneSettingsDialog *frmSetCood = nullptr;
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
