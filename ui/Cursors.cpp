#include "ui/Cursors.h"

#include <QPixmap>
#include <array>
#include <map>

namespace {
struct CursorResource {
    int number;
    const char *name;
    int hotX, hotY;  // pixels
};

constexpr std::array<CursorResource, 7> kResources{{
    {1, "Arrow1CSR", 0, 0},
    {2, "FingerCSR", 10, 0},
    {3, "ScissorsCSR", 14, 13},
    {4, "CrossCSR", 15, 15},
    {5, "PencilCSR", 0, 31},
    {6, "Hasami_LCSR", 0, 15},
    {7, "Hasami_RCSR", 31, 15},
}};

std::map<int, QCursor> &Installed()
{
    static std::map<int, QCursor> cursors;
    return cursors;
}
}  // namespace

int InstallCursors()
{
    Q_INIT_RESOURCE(ui);
    int found = 0;
    for (const auto &r : kResources) {
        QPixmap pm(QStringLiteral(":/cursors/") + QLatin1String(r.name), "XPM");
        if (pm.isNull())
            continue;
        Installed()[r.number] = QCursor(pm, r.hotX, r.hotY);
        ++found;
    }
    return found;
}

QCursor CursorOf(int n)
{
    const auto it = Installed().find(n);
    return it == Installed().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

QString CursorResourceName(int n)
{
    for (const auto &r : kResources)
        if (r.number == n)
            return QLatin1String(r.name);
    return {};
}
