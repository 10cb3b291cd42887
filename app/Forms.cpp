#include "app/Forms.h"

#include "about/AboutDialog.h"
#include "app/FormulaList.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/PropertiesWindow.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "output/PrintingModule.h"
#include "output/WorksheetDialog.h"
#include "practice/PracticeWindow.h"
#include "practice/RecordsWindow.h"
#include "settings/LineKindDialog.h"
#include "settings/PlaneSettingsDialog.h"
#include "ui/ImageView.h"
#include "ui/Prompt.h"

#include <QDialog>

#include <QAction>
#include <QLabel>

namespace {
// The window made by `make` on its first need, owned by the main window;
// nothing before CreateForms.
template <typename Window, typename Make> Window *OnFirstNeed(Window *&window, MainWindow *main, Make make)
{
    if (!window && main)
        window = make(main);
    return window;
}

template <typename Window> Window *OnFirstNeed(Window *&window, MainWindow *main)
{
    return OnFirstNeed(window, main, [](MainWindow *owner) { return new Window(owner); });
}
}  // namespace

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
    f.mainWindow = new MainWindow(screen, currentDir, f.m_settings, f.m_folder);
    // After the main window's layout, which sets the largest plane size;
    // the main plane is drawn from its settings at the first showing.
    LoadHeldPlaneSettings(store, f.m_settings.MainPlane, f.m_settings.PlaneDefaultSize);
    LoadHeldPlaneSettings(store, f.m_settings.PracticePlane, f.m_settings.PlaneDefaultSize);
    QAction *hints = f.mainWindow->action("mnuDetailHint");
    Guarded([&] { hints->setChecked(ReadDetailedHints(store)); });
    QObject::connect(hints, &QAction::toggled, hints,
                     [store](bool on) { Guarded([&] { WriteDetailedHints(store, on); }); });
}

void DestroyForms()
{
    // Every other form is a child of the main window.
    delete forms().mainWindow;
    forms() = Forms{};
}

UnitTitleDialog *Forms::unitTitleDialog()
{
    return mainWindow ? mainWindow->unitTitleDialog() : nullptr;
}

UnitContentsWindow *Forms::unitContentsWindow()
{
    return mainWindow ? mainWindow->unitContentsWindow() : nullptr;
}

LineKindDialog *Forms::lineKindDialog()
{
    return OnFirstNeed(m_lineKind, mainWindow, [this](MainWindow *main) {
        auto *d = new LineKindDialog(m_settings.Draw, main);
        d->onApplied = [main] {
            main->syncLineModeButtons();
            main->repaintAll();
        };
        d->onRedraw = [main] { main->repaintAll(); };
        return d;
    });
}

AboutDialog *Forms::aboutDialog()
{
    return OnFirstNeed(m_about, mainWindow);
}

PracticeWindow *Forms::practiceWindow()
{
    return OnFirstNeed(m_practice, mainWindow, [this](MainWindow *main) {
        auto *w = new PracticeWindow(m_settings, m_folder, main);
        w->currentForm = [main] { return main->currentForm(); };
        w->detailedHints = [main] { return main->action("mnuDetailHint")->isChecked(); };
        w->showRecords = [this] { recordsWindow()->exec(); };
        return w;
    });
}

RecordsWindow *Forms::recordsWindow()
{
    return OnFirstNeed(m_records, mainWindow,
                       [this](MainWindow *main) { return new RecordsWindow(m_folder, main); });
}

QDialog *Forms::printDialog()
{
    return OnFirstNeed(m_print, mainWindow, [this](MainWindow *main) -> QDialog * {
        QString why;
        const PrintingModule *printing = Printing(&why);
        if (!printing) {
            prompt().message(why, MessageKind::Error);
            return nullptr;
        }
        PrintHooks hooks;
        hooks.planeSize = [main] { return main->planeSize(); };
        hooks.planeUnit = [main] { return main->planeUnit(); };
        hooks.drawPlane = [main](Picture &picture) { main->drawPlaneOnto(picture); };
        hooks.unitFileName = [main] { return main->document().filePath(); };
        return printing->makePrintDialog(m_settings.Draw, m_folder, main, hooks);
    });
}

WorksheetDialog *Forms::worksheetDialog()
{
    return OnFirstNeed(m_worksheet, mainWindow);
}

UnitCatalogDialog *Forms::unitCatalogDialog()
{
    return OnFirstNeed(m_catalog, mainWindow, [this](MainWindow *main) {
        auto *d = new UnitCatalogDialog(m_settings, m_folder, main);
        d->mainSize = [main] { return main->size(); };
        d->mainPlaneSize = [main] { return main->planeSize(); };
        d->locked = [main] { return main->state().Locked; };
        d->showRecords = [this, main] { main->runModal(recordsWindow()); };
        return d;
    });
}

PlaneSettingsDialog *Forms::planeSettingsDialog()
{
    return OnFirstNeed(m_planeSettings, mainWindow, [this](MainWindow *main) {
        auto *d = new PlaneSettingsDialog(m_store, m_settings.MainPlane, m_settings.PlaneDefaultSize, main);
        d->onRedraw = [main] { main->repaintAll(); };
        return d;
    });
}

HelpWindow *Forms::helpWindow()
{
    return OnFirstNeed(m_help, mainWindow,
                       [this](MainWindow *main) { return new HelpWindow(m_folder, main); });
}

PropertiesWindow *Forms::propertiesWindow()
{
    return OnFirstNeed(m_properties, mainWindow, [this](MainWindow *main) {
        auto *w = new PropertiesWindow(main->document(), m_settings.Draw, main);
        w->currentRow = [main] { return main->currentIndex(); };
        w->answersShown = [main] { return main->answersShown(); };
        QObject::connect(main, &MainWindow::panelsSwitched, w, &PropertiesWindow::refresh);
        return w;
    });
}
