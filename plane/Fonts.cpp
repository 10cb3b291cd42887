#include "plane/Fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <system_error>

#ifdef QUORVEL_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {
QMutex resolvedLock;
QHash<QString, QString> resolved;
}  // namespace

Fonts::ConfigurationLoader::ConfigurationLoader()
{
#ifdef QUORVEL_HAVE_FONTCONFIG
    // A thread that cannot start leaves the reading to the first lookup.
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
    }
#endif
}

void RegisterFontSubstitutions()
{
    QFont::insertSubstitutions(Fonts::Gothic, {QStringLiteral("IPAPGothic")});
    QFont::insertSubstitutions(Fonts::FixedGothic, {QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(Fonts::Serif, {QStringLiteral("URW Bookman"), QStringLiteral("URW Bookman L")});
    const QMutexLocker locker(&resolvedLock);
    resolved.clear();
}

QString Fonts::InstalledFamily(const QString &face)
{
    const QMutexLocker locker(&resolvedLock);
    if (const auto it = resolved.constFind(face); it != resolved.cend())
        return *it;
    // A family that several foundries make is listed as "family [foundry]".
    QStringList installed = QFontDatabase::families();
    for (QString &name : installed)
        name = name.section(QStringLiteral(" ["), 0, 0);
    const auto spelled = [&installed](const QString &name) {
        for (const QString &family : installed)
            if (family.compare(name, Qt::CaseInsensitive) == 0)
                return family;
        return QString();
    };
    QString family = spelled(face);
    for (const QString &substitute : QFont::substitutes(face)) {
        if (!family.isEmpty())
            break;
        family = spelled(substitute);
    }
    if (family.isEmpty())
        family = face;
    resolved.insert(face, family);
    return family;
}

QFont Fonts::PixelFace(const QString &face, int pixels, bool bold)
{
    QFont f(InstalledFamily(face));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
