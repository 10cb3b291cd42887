#pragma once
// Worksheets as PDF files: the exercise pages with empty planes and the
// answer pages with the curves, drawn as vectors by the plane layer. The
// file is written whole or not at all.

#include "files/Messages.h"
#include "model/Parabola.h"
#include "output/WorksheetLayout.h"
#include "plane/ViewSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

// The unit a worksheet is made from.
struct WorksheetUnit {
    QString title;
    std::vector<Parabola> exercises;
};

// The pages as PDF bytes; empty for a unit without exercises. The planes
// are the main plane's settings, the size its picture has on screen.
QByteArray WorksheetPdf(const WorksheetUnit &unit, const WorksheetOptions &options, const ViewSettings &view,
                        const QDateTime &when);

// "ワークシートにする放物線がありません"
QString EmptyWorksheetText();
// Writes the worksheet to path through a temporary file; a unit without
// exercises or a file that cannot be written gives false and the messages,
// and leaves no file behind (an old file keeps its bytes).
Told<bool> WriteWorksheet(const QString &path, const WorksheetUnit &unit, const WorksheetOptions &options,
                          const ViewSettings &view, const QDateTime &when);
