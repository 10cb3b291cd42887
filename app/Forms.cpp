#include "app/Forms.h"

#include "about/Version.h"
#include "app/MainWindow.h"
#include "app/MathForm.h"
#include "app/Help.h"
#include "app/MoveMoji.h"
#include "output/Print.h"
#include "plane/ProgramState.h"
#include "practice/Ayamari.h"
#include "practice/Kiroku.h"
#include "practice/Owari.h"
#include "practice/Renshu.h"
#include "practice/Seikai.h"
#include "settings/SetCood.h"
#include "settings/Settei.h"
#include "units/NewWork.h"
#include "units/Tangen.h"
#include "units/TangenOpen.h"

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
    f.frmMain = Created(new TfrmMain(screen, currentDir));
    QWidget *owner = f.frmMain;
    f.DataModule1 = Created(new TDataModule1(f.frmMain));
    f.frmSettei = Created(new TfrmSettei(owner));
    f.frmMath = Created(new TfrmMath(owner));
    f.frmNewWork = Created(new TfrmNewWork(owner));
    f.frmVersion = Created(new TfrmVersion(owner));
    f.frmRenshu = Created(new TfrmRenshu(owner));
    f.frmSeikai = Created(new TfrmSeikai(owner));
    f.frmAyamari = Created(new TfrmAyamari(owner));
    f.frmTangen = Created(new TfrmTangen(owner));
    f.frmOwari = Created(new TfrmOwari(owner));
    f.frmKiroku = Created(new TfrmKiroku(owner));
    f.frmPrint = Created(new TfrmPrint(owner));
    f.frmTangenOpen = Created(new TfrmTangenOpen(owner));
    f.frmSetCood = Created(new TfrmSetCood(store, st.MainPlane, owner));
    f.frmMoveMoji = Created(new TfrmMoveMoji(owner));
    f.frmSetCood2 = Created(new TfrmSetCood2(store, st.PracticePlane, owner));
    f.frmMain->attach(f.frmNewWork, f.frmTangen, f.frmSetCood, f.frmSettei, f.frmTangenOpen, f.frmVersion);
    f.frmMain->attachPractice(f.frmRenshu, f.frmKiroku);
    f.helpWindow = new THelpWindow(owner);
    f.frmMain->attachOutput(f.frmPrint, f.helpWindow);
    f.frmRenshu->attach(f.frmSeikai, f.frmAyamari, f.frmOwari);
    f.frmRenshu->currentForm = [main = f.frmMain] { return main->CurrentForm(); };
    f.frmRenshu->onClosed = [main = f.frmMain] { main->DispAllLine(); };
    f.frmOwari->showRecords = [kiroku = f.frmKiroku] { kiroku->exec(); };
}

void DestroyForms()
{
    // Every other form is a child of the main window.
    delete forms().frmMain;
    forms() = Forms{};
}
