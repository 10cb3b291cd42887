#pragma once
// The program's windows, created once at start in their fixed order and
// reached through this one place.

#include <QObject>
#include <QSize>
#include <QString>
#include <memory>

class SettingsStore;
class TfrmMain;
class TfrmSettei;
class TfrmMath;
class TfrmNewWork;
class TfrmVersion;
class TfrmRenshu;
class TfrmSeikai;
class TfrmAyamari;
class TfrmTangen;
class TfrmOwari;
class TfrmKiroku;
class TfrmPrint;
class TfrmTangenOpen;
class TfrmSetCood;
class TfrmMoveMoji;
class TfrmSetCood2;

// The empty data module of the classic program, kept for the creation order.
class TDataModule1 : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

struct Forms {
    TfrmMain *frmMain = nullptr;
    TDataModule1 *DataModule1 = nullptr;
    TfrmSettei *frmSettei = nullptr;
    TfrmMath *frmMath = nullptr;
    TfrmNewWork *frmNewWork = nullptr;
    TfrmVersion *frmVersion = nullptr;
    TfrmRenshu *frmRenshu = nullptr;
    TfrmSeikai *frmSeikai = nullptr;
    TfrmAyamari *frmAyamari = nullptr;
    TfrmTangen *frmTangen = nullptr;
    TfrmOwari *frmOwari = nullptr;
    TfrmKiroku *frmKiroku = nullptr;
    TfrmPrint *frmPrint = nullptr;
    TfrmTangenOpen *frmTangenOpen = nullptr;
    TfrmSetCood *frmSetCood = nullptr;
    TfrmMoveMoji *frmMoveMoji = nullptr;
    TfrmSetCood2 *frmSetCood2 = nullptr;
    class THelpWindow *helpWindow = nullptr;  // our own help viewer

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
