#include "output/ExportTypes.h"

#include <QFileInfo>
#include <QStringList>

namespace {
struct ExportChoice {
    const char *name;
    const char *suffix;
    ExportType type;
};

const ExportChoice kChoices[] = {
    {"SVG 画像（ベクター）", "svg", {ExportType::Kind::Svg, 1}},
    {"PDF 文書（ベクター）", "pdf", {ExportType::Kind::Pdf, 1}},
    {"PNG 画像（1倍）", "png", {ExportType::Kind::Png, 1}},
    {"PNG 画像（2倍）", "png", {ExportType::Kind::Png, 2}},
    {"PNG 画像（4倍）", "png", {ExportType::Kind::Png, 4}},
};
} // namespace

QString ExportFilter()
{
    QStringList parts;
    for (const ExportChoice &c : kChoices)
        parts << QString::fromUtf8(c.name) << QStringLiteral("*.") + QLatin1String(c.suffix);
    return parts.join(QLatin1Char('|'));
}

std::optional<ExportType> ExportTypeFor(const QString &path, int filterIndex)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (filterIndex >= 0 && filterIndex < int(std::size(kChoices)) &&
        suffix == QLatin1String(kChoices[filterIndex].suffix))
        return kChoices[filterIndex].type;
    for (const ExportChoice &c : kChoices)
        if (suffix == QLatin1String(c.suffix))
            return c.type;
    return std::nullopt;
}
