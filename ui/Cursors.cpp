#include "ui/Cursors.h"

#include <QPixmap>
#include <array>
#include <map>

// The pictures are compiled in: reading them as files would make Qt load
// every image format plugin to find the one for XPM.
#include "ui/cursors/Arrow1CSR.xpm"
#include "ui/cursors/CrossCSR.xpm"
#include "ui/cursors/FingerCSR.xpm"
#include "ui/cursors/Hasami_LCSR.xpm"
#include "ui/cursors/Hasami_RCSR.xpm"
#include "ui/cursors/PencilCSR.xpm"
#include "ui/cursors/ScissorsCSR.xpm"

namespace {
struct CursorResource {
    int number;
    const char *name;
    const char *const *xpm;
    int hotX, hotY;  // pixels
};

const std::array<CursorResource, 7> kResources{{
    {1, "Arrow1CSR", Arrow1CSR, 0, 0},
    {2, "FingerCSR", FingerCSR, 10, 0},
    {3, "ScissorsCSR", ScissorsCSR, 14, 13},
    {4, "CrossCSR", CrossCSR, 15, 15},
    {5, "PencilCSR", PencilCSR, 0, 31},
    {6, "Hasami_LCSR", Hasami_LCSR, 0, 15},
    {7, "Hasami_RCSR", Hasami_RCSR, 31, 15},
}};

std::map<int, QCursor> &Installed()
{
    static std::map<int, QCursor> cursors;
    return cursors;
}

// Reading a picture costs more than the window's first frame can spare for
// cursors it does not show yet: each is read on its first need.
const QCursor *Load(const CursorResource &r)
{
    auto it = Installed().find(r.number);
    if (it == Installed().end()) {
        const QPixmap pm(r.xpm);
        if (pm.isNull())
            return nullptr;
        it = Installed().emplace(r.number, QCursor(pm, r.hotX, r.hotY)).first;
    }
    return &it->second;
}
}  // namespace

int InstallCursors()
{
    int found = 0;
    for (const auto &r : kResources)
        found += Load(r) ? 1 : 0;
    return found;
}

QCursor CursorOf(int n)
{
    for (const auto &r : kResources)
        if (r.number == n)
            if (const QCursor *c = Load(r))
                return *c;
    return QCursor(Qt::ArrowCursor);
}

QString CursorResourceName(int n)
{
    for (const auto &r : kResources)
        if (r.number == n)
            return QLatin1String(r.name);
    return {};
}
