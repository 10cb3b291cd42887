#pragma once
// The plane saved as a file: SVG or PDF with vector lines and text, or PNG
// at one, two or four times its pixels. The plane itself is drawn by the
// caller onto the picture it is handed, whose canvas may have a target.

#include "output/ExportTypes.h"

#include <QByteArray>
#include <QSize>

// The whole file of the plane, `size` pixels, as `draw` draws it.
QByteArray ExportBytes(ExportType type, QSize size, const PlaneDrawer &draw);
// Writes the file whole or not at all; on failure *why gets the reason in
// Japanese.
bool ExportPlane(const QString &path, ExportType type, QSize size, const PlaneDrawer &draw, QString *why);
