#pragma once
// Printing and the export of the plane live in a module of their own,
// loaded on their first use, so the print and SVG libraries cost nothing
// at start-up. The module takes everything else from the program.

#include "output/ExportTypes.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

struct AppFolder;
struct DrawingSettings;
class Picture;
class QDialog;
class QWidget;

// What the print dialog asks the main window: the size of its plane and
// the pixels of one grid unit across, the drawing of the plane onto a
// picture, and the unit window's file-name label.
struct PrintHooks {
    std::function<QSize()> planeSize;
    std::function<int()> planeUnit;
    std::function<void(Picture &)> drawPlane;
    std::function<QString()> unitFileName;
};

struct PrintingModule {
    QDialog *(*makePrintDialog)(const DrawingSettings &draw, const AppFolder &folder, QWidget *parent,
                                const PrintHooks &hooks);
    bool (*exportPlane)(const QString &path, ExportType type, QSize size, const PlaneDrawer &draw,
                        QString *why);
};

// The module's entry, a C name so the loader can find it.
#define QUORVEL_PRINTING_ENTRY "quorvel_printing_module"

// The module, loaded on the first call and kept; nullptr when it cannot be
// loaded, with the reason in Japanese in *why.
const PrintingModule *Printing(QString *why);
// The first of `paths` (without the .so) that loads as the module.
const PrintingModule *LoadPrinting(const QStringList &paths, QString *why);
