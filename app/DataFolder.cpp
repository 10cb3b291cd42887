#include "app/DataFolder.h"

#include "app/AppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

QString ChooseDataFolder(const QString &startFolder, const QString &perUserFolder,
                         const QString &samplesFolder)
{
    if (QFileInfo(QDir(startFolder).filePath(QStringLiteral("DATA"))).isDir())
        return AppDirFrom(startFolder);
    const QDir user(perUserFolder);
    const QString units = user.filePath(QStringLiteral("DATA"));
    // The samples are copied only when DATA/ is first made: units the user
    // deleted later do not come back.
    if (!QFileInfo::exists(units) && QDir().mkpath(units)) {
        const QDir samples(samplesFolder);
        const QStringList names =
            samples.entryList({QStringLiteral("*.prb"), QStringLiteral("*.prx")}, QDir::Files, QDir::Name);
        for (const QString &name : names) {
            // The user's copies are the user's to change, whatever the
            // installed ones allow.
            const QString copy = QDir(units).filePath(name);
            if (QFile::copy(samples.filePath(name), copy))
                QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::ReadOther);
        }
    }
    return AppDirFrom(QDir::cleanPath(user.absolutePath()));
}

QString InstalledSamplesFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/quorvel/DATA"));
}

bool IsWritableFolder(const QString &folder)
{
    // access() also answers for read-only mounts, where the mode bits
    // still say writable.
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}
