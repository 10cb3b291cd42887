#pragma once
// The program's windows, created once at start in their fixed order and
// reached through this one place.

#include <QObject>
#include <QSize>
#include <QString>
#include <memory>

class SettingsStore;
class MainWindow;
class LineKindDialog;
class TfrmMath;
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
class TfrmMoveMoji;
class TfrmSetCood2;

// An empty object that holds its place in the windows' creation order.
class TDataModule1 : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

struct Forms {
    MainWindow *frmMain = nullptr;
    TDataModule1 *DataModule1 = nullptr;
    LineKindDialog *frmSettei = nullptr;
    TfrmMath *frmMath = nullptr;
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
    TfrmMoveMoji *frmMoveMoji = nullptr;
    TfrmSetCood2 *frmSetCood2 = nullptr;
    class HelpWindow *helpWindow = nullptr;  // our own help viewer

    // Class names in creation order (for checks and diagnostics).
    QStringList creationOrder;
};

// The windows of this run; empty before CreateForms.
Forms &forms();

// Creates the seventeen forms in their fixed order. The main window is laid
// out over a screen of the given size; the plane settings come from store.
void CreateForms(const QSize &screen, const QString &currentDir, const SettingsStore &store);
// Deletes them again (the main window last), leaving forms() empty.
void DestroyForms();
