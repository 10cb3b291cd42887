#pragma once
// The plane saved as a file: SVG or PDF with vector lines and text, or PNG
// at one, two or four times its pixels. The plane itself is drawn by the
// caller onto the picture it is handed, whose canvas may have a target.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class Picture;

struct ExportType {
    enum class Kind { Svg, Pdf, Png };
    Kind kind = Kind::Png;
    int pixels = 1; // PNG: image pixels per plane pixel
    friend bool operator==(const ExportType &, const ExportType &) = default;
};

using PlaneDrawer = std::function<void(Picture &)>;

// The file types of the save dialog, in the "name|*.a|name|*.b" form.
QString ExportFilter();
// The type of the chosen file: the dialog's type when its pattern fits the
// file's suffix, else the suffix's first type; nothing for another suffix.
std::optional<ExportType> ExportTypeFor(const QString &path, int filterIndex);
// The whole file of the plane, `size` pixels, as `draw` draws it.
QByteArray ExportBytes(ExportType type, QSize size, const PlaneDrawer &draw);
// Writes the file whole or not at all; on failure *why gets the reason in
// Japanese.
bool ExportPlane(const QString &path, ExportType type, QSize size, const PlaneDrawer &draw, QString *why);
