#pragma once
// The file types the plane is exported to, as the save dialog offers them.

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
