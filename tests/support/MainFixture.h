#pragma once
// A fresh set of the program's windows for one test: forms created in a
// temporary folder with a temporary settings store and a scripted prompt,
// the main window shown. Records can be put straight into the working list.

#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "files/UnitLines.h"
#include "model/FormulaText.h"
#include "plane/Fonts.h"
#include "settings/SettingsStore.h"
#include "support/Children.h"
#include "support/Records.h"
#include "support/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <memory>

class MainFixture {
public:
    MainFixture()
    {
        RegisterFontSubstitutions();
        CreateForms(QSize(1024, 768), dir.path(), SettingsStore(dir.filePath(QStringLiteral("store.ini"))));
        main()->show();
        if (!QTest::qWaitForWindowExposed(main()))
            qWarning("main window not exposed");
        prompt.clear();
    }
    ~MainFixture() { DestroyForms(); }

    MainWindow *main() const { return forms().mainWindow; }

    // Appends a record as a stored parabola, one undo step as drawing it is.
    void add(Parabola rec)
    {
        rec.Formula = StandardFormPlain(rec, main()->currentForm());
        UnitDocument &doc = main()->document();
        UnitSnapshot s = doc.snapshot();
        s.append(rec, StandardFormText(rec, main()->currentForm()));
        doc.commit(QStringLiteral("add"), s);
    }
    void select(std::initializer_list<int> items) { main()->document().setSelectedRows(QList<int>(items)); }

    static Parabola redParabola(int vx, int vy, int px, int py, int mode = 0, int lo = -99, int hi = 99,
                                bool lower = true, bool upper = true)
    {
        Parabola r = MakeParabola(vx, vy, px, py, mode, lo, hi, lower, upper);
        r.Color = 0xFF0000;
        return r;
    }

    ScriptedPrompt prompt;
    QTemporaryDir dir;
};
