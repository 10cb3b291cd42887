#include "app/Forms.h"

#include "about/AboutDialog.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "output/PrintDialog.h"
#include "plane/ProgramState.h"
#include "practice/PracticeWindow.h"
#include "practice/RecordsWindow.h"
#include "practice/RightAnswerDialog.h"
#include "practice/RunEndDialog.h"
#include "practice/WrongAnswerDialog.h"
#include "settings/LineKindDialog.h"
#include "settings/PlaneSettingsDialog.h"

Forms &forms()
{
    static Forms f;
    return f;
}

void CreateForms(const QSize &screen, const QString &currentDir, const SettingsStore &store)
{
    Forms &f = forms();
    f = Forms{};
    ProgramState &st = Program();
    f.frmMain = new MainWindow(screen, currentDir);
    QWidget *owner = f.frmMain;
    f.frmSettei = new LineKindDialog(owner);
    f.frmNewWork = new UnitTitleDialog(owner);
    f.frmVersion = new AboutDialog(owner);
    f.frmRenshu = new PracticeWindow(owner);
    f.frmSeikai = new RightAnswerDialog(owner);
    f.frmAyamari = new WrongAnswerDialog(owner);
    f.frmTangen = new UnitContentsWindow(owner);
    f.frmOwari = new RunEndDialog(owner);
    f.frmKiroku = new RecordsWindow(owner);
    f.frmPrint = new PrintDialog(owner);
    f.frmTangenOpen = new UnitCatalogDialog(owner);
    f.frmSetCood = new PlaneSettingsDialog(store, st.MainPlane, owner);
    LoadHeldPlaneSettings(store, st.PracticePlane);
    f.frmMain->attach(f.frmNewWork, f.frmTangen, f.frmSetCood, f.frmSettei, f.frmTangenOpen, f.frmVersion);
    f.frmMain->attachPractice(f.frmRenshu, f.frmKiroku);
    f.helpWindow = new HelpWindow(owner);
    f.frmMain->attachOutput(f.frmPrint, f.helpWindow);
    f.frmRenshu->attach(f.frmSeikai, f.frmAyamari, f.frmOwari);
    f.frmRenshu->currentForm = [main = f.frmMain] { return main->CurrentForm(); };
    f.frmRenshu->onClosed = [main = f.frmMain] { main->repaintAll(); };
    f.frmOwari->showRecords = [kiroku = f.frmKiroku] { kiroku->exec(); };
}

void DestroyForms()
{
    // Every other form is a child of the main window.
    delete forms().frmMain;
    forms() = Forms{};
}
