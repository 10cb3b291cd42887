#include "app/Forms.h"

#include "about/AboutDialog.h"
#include "app/FormulaList.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "output/PrintDialog.h"
#include "plane/ProgramState.h"
#include "practice/PracticeWindow.h"
#include "practice/RecordsWindow.h"
#include "settings/LineKindDialog.h"
#include "settings/PlaneSettingsDialog.h"
#include "ui/ImageView.h"

#include <QLabel>

Forms &forms()
{
    static Forms f;
    return f;
}

void CreateForms(const QSize &screen, const QString &currentDir, const SettingsStore &store)
{
    Forms &f = forms();
    f = Forms{};
    f.m_store = store;
    f.mainWindow = new MainWindow(screen, currentDir);
    // After the main window's layout, which sets the largest plane size;
    // the main plane is drawn from its settings at the first showing.
    ProgramState &st = Program();
    LoadHeldPlaneSettings(store, st.MainPlane);
    LoadHeldPlaneSettings(store, st.PracticePlane);
    f.unitTitleDialog = new UnitTitleDialog(f.mainWindow);
    f.unitContentsWindow = new UnitContentsWindow(f.mainWindow);
    f.mainWindow->attach(f.unitTitleDialog, f.unitContentsWindow);
}

void DestroyForms()
{
    // Every other form is a child of the main window.
    delete forms().mainWindow;
    forms() = Forms{};
}

LineKindDialog *Forms::lineKindDialog()
{
    if (!m_lineKind && mainWindow) {
        m_lineKind = new LineKindDialog(mainWindow);
        m_lineKind->onApplied = [main = mainWindow] {
            main->SyncLineModeButtons();
            main->repaintAll();
        };
        m_lineKind->onRedraw = [main = mainWindow] { main->repaintAll(); };
    }
    return m_lineKind;
}

AboutDialog *Forms::aboutDialog()
{
    if (!m_about && mainWindow)
        m_about = new AboutDialog(mainWindow);
    return m_about;
}

PracticeWindow *Forms::practiceWindow()
{
    if (!m_practice && mainWindow) {
        m_practice = new PracticeWindow(mainWindow);
        m_practice->currentForm = [main = mainWindow] { return main->CurrentForm(); };
        m_practice->onClosed = [main = mainWindow] { main->repaintAll(); };
        m_practice->showRecords = [this] { recordsWindow()->exec(); };
    }
    return m_practice;
}

RecordsWindow *Forms::recordsWindow()
{
    if (!m_records && mainWindow)
        m_records = new RecordsWindow(mainWindow);
    return m_records;
}

PrintDialog *Forms::printDialog()
{
    if (!m_print && mainWindow) {
        m_print = new PrintDialog(mainWindow);
        m_print->planeImage = [main = mainWindow]() -> const QImage & { return main->plane->canvas().image(); };
        m_print->unitFileName = [this] { return unitContentsWindow->fileNameLabel->text(); };
    }
    return m_print;
}

UnitCatalogDialog *Forms::unitCatalogDialog()
{
    if (!m_catalog && mainWindow) {
        MainWindow *main = mainWindow;
        m_catalog = new UnitCatalogDialog(main);
        m_catalog->mainSize = [main] { return main->size(); };
        m_catalog->mainPlaneSize = [main] { return main->plane->picture().bounds().size(); };
        m_catalog->redrawMain = [main] { main->repaintAll(); };
        m_catalog->locked = [main] { return main->state().Locked; };
        m_catalog->showRecords = [this, main] { main->runModal(recordsWindow()); };
    }
    return m_catalog;
}

PlaneSettingsDialog *Forms::planeSettingsDialog()
{
    if (!m_planeSettings && mainWindow) {
        m_planeSettings = new PlaneSettingsDialog(m_store, Program().MainPlane, mainWindow);
        m_planeSettings->onRedraw = [main = mainWindow] { main->repaintAll(); };
    }
    return m_planeSettings;
}

HelpWindow *Forms::helpWindow()
{
    if (!m_help && mainWindow)
        m_help = new HelpWindow(mainWindow);
    return m_help;
}
