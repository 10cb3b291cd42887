#include "app/Forms.h"

#include "about/AboutDialog.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/MathForm.h"
#include "app/MoveMoji.h"
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

#include <QMetaObject>

Forms &forms()
{
    static Forms f;
    return f;
}

namespace {
template <typename T>
T *Created(T *w)
{
    forms().creationOrder.append(QLatin1String(w->metaObject()->className()));
    return w;
}
}  // namespace

void CreateForms(const QSize &screen, const QString &currentDir, const SettingsStore &store)
{
    Forms &f = forms();
    f = Forms{};
    ProgramState &st = Program();
    f.frmMain = Created(new MainWindow(screen, currentDir));
    QWidget *owner = f.frmMain;
    f.DataModule1 = Created(new TDataModule1(f.frmMain));
    f.frmSettei = Created(new LineKindDialog(owner));
    f.frmMath = Created(new TfrmMath(owner));
    f.frmNewWork = Created(new UnitTitleDialog(owner));
    f.frmVersion = Created(new AboutDialog(owner));
    f.frmRenshu = Created(new PracticeWindow(owner));
    f.frmSeikai = Created(new RightAnswerDialog(owner));
    f.frmAyamari = Created(new WrongAnswerDialog(owner));
    f.frmTangen = Created(new UnitContentsWindow(owner));
    f.frmOwari = Created(new RunEndDialog(owner));
    f.frmKiroku = Created(new RecordsWindow(owner));
    f.frmPrint = Created(new PrintDialog(owner));
    f.frmTangenOpen = Created(new UnitCatalogDialog(owner));
    f.frmSetCood = Created(new PlaneSettingsDialog(store, st.MainPlane, owner));
    f.frmMoveMoji = Created(new TfrmMoveMoji(owner));
    f.frmSetCood2 = Created(new TfrmSetCood2(store, st.PracticePlane, owner));
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
