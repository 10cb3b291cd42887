#include "units/UnitFolder.h"

#include "plane/ProgramState.h"

#include <QDir>

QString DataFolder()
{
    return Program().AppDir + QStringLiteral("DATA/");
}

QStringList UnitFilesIn(const QString &folder, bool withPrx)
{
    QStringList masks{QStringLiteral("*.prb"), QStringLiteral("*.PRB"), QStringLiteral("*.Prb")};
    if (withPrx)
        masks << QStringLiteral("*.prx") << QStringLiteral("*.PRX") << QStringLiteral("*.Prx");
    QDir dir(folder);
    QStringList files = dir.entryList(masks, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    files.removeDuplicates();
    return files;
}
