#pragma once
// The unit files of the data folder, listed by name, with their titles.

#include <QString>
#include <QStringList>

// AppDir + "DATA/".
QString DataFolder();
// File names (without folder) of the data folder matching the extensions
// ("prb", or "prb" and "prx"), in either letter case, sorted by name; only
// regular files (or links to them) are listed.
QStringList UnitFilesIn(const QString &folder, bool withPrx);
