#include "lessons/UnitFolder.h"

#include "files/UnitFile.h"
#include "ui/Prompt.h"

#include <QDir>
#include <QFileInfo>

QString DataFolder(const QString &appDir)
{
    return appDir + QStringLiteral("DATA/");
}

QStringList UnitFilesIn(const QString &folder, bool withPrx)
{
    QStringList masks{QStringLiteral("*.prb"), QStringLiteral("*.PRB"), QStringLiteral("*.Prb")};
    if (withPrx)
        masks << QStringLiteral("*.prx") << QStringLiteral("*.PRX") << QStringLiteral("*.Prx");
    QStringList files;
    // A link to a device or a FIFO holds no unit: only regular files, or
    // links to them, are listed.
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(masks, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name))
        if (info.isFile())
            files.append(info.fileName());
    files.removeDuplicates();
    return files;
}

bool SaveUnitFile(const QStringList &lines, const QString &title, const QString &path)
{
    ShowMessages({WritingUnitNotice(path)});
    return Shown(WriteUnitFile(lines, title, path));
}
