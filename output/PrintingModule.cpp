// The module's entry: the print dialog wired to the main window, and the
// export of the plane.

#include "output/PrintingModule.h"

#include "output/PlaneExport.h"
#include "output/PrintDialog.h"

namespace {
QDialog *MakePrintDialog(const DrawingSettings &draw, const AppFolder &folder, QWidget *parent,
                         const PrintHooks &hooks)
{
    auto *d = new PrintDialog(draw, folder, parent);
    d->planeSize = hooks.planeSize;
    d->planeUnit = hooks.planeUnit;
    d->drawPlane = hooks.drawPlane;
    d->unitFileName = hooks.unitFileName;
    return d;
}

const PrintingModule kModule{MakePrintDialog, ExportPlane};
} // namespace

extern "C" Q_DECL_EXPORT const PrintingModule *quorvel_printing_module()
{
    return &kModule;
}
