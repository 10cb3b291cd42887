#include "app/AppDir.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/vfs.h>
#endif

QString AppDirFrom(const QString &currentDir)
{
    // A drive or file-system root already ends in a separator.
    if (currentDir.endsWith(QLatin1Char('/')) || currentDir.endsWith(QLatin1Char('\\')))
        return currentDir;
    return currentDir + QLatin1Char('/');
}

bool IsOnCdRom(const QString &folder)
{
#ifdef Q_OS_LINUX
    struct statfs fs {};
    if (statfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return false;
    constexpr unsigned long kIso9660 = 0x9660;
    constexpr unsigned long kUdf = 0x15013346;
    const auto type = static_cast<unsigned long>(fs.f_type);
    return type == kIso9660 || type == kUdf;
#else
    Q_UNUSED(folder);
    return false;
#endif
}
