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
    f.mainWindow = new MainWindow(screen, currentDir);
    QWidget *owner = f.mainWindow;
    f.lineKindDialog = new LineKindDialog(owner);
    f.unitTitleDialog = new UnitTitleDialog(owner);
    f.aboutDialog = new AboutDialog(owner);
    f.practiceWindow = new PracticeWindow(owner);
    f.rightAnswerDialog = new RightAnswerDialog(owner);
    f.wrongAnswerDialog = new WrongAnswerDialog(owner);
    f.unitContentsWindow = new UnitContentsWindow(owner);
    f.runEndDialog = new RunEndDialog(owner);
    f.recordsWindow = new RecordsWindow(owner);
    f.printDialog = new PrintDialog(owner);
    f.unitCatalogDialog = new UnitCatalogDialog(owner);
    f.planeSettingsDialog = new PlaneSettingsDialog(store, st.MainPlane, owner);
    LoadHeldPlaneSettings(store, st.PracticePlane);
    f.mainWindow->attach(f.unitTitleDialog, f.unitContentsWindow, f.planeSettingsDialog, f.lineKindDialog,
                         f.unitCatalogDialog, f.aboutDialog);
    f.mainWindow->attachPractice(f.practiceWindow, f.recordsWindow);
    f.helpWindow = new HelpWindow(owner);
    f.mainWindow->attachOutput(f.printDialog, f.helpWindow);
    f.practiceWindow->attach(f.rightAnswerDialog, f.wrongAnswerDialog, f.runEndDialog);
    f.practiceWindow->currentForm = [main = f.mainWindow] { return main->currentForm(); };
    f.practiceWindow->onClosed = [main = f.mainWindow] { main->repaintAll(); };
    f.runEndDialog->showRecords = [records = f.recordsWindow] { records->exec(); };
}

void DestroyForms()
{
    // Every other form is a child of the main window.
    delete forms().mainWindow;
    forms() = Forms{};
}
