#pragma once
// The unit files of the data folder, listed by name, with their titles,
// and the writing of a unit file as the windows do it.

#include <QString>
#include <QStringList>

// appDir + "DATA/".
QString DataFolder(const QString &appDir);
// File names (without folder) of the data folder matching the extensions
// ("prb", or "prb" and "prx"), in either letter case, sorted by name; only
// regular files (or links to them) are listed.
QStringList UnitFilesIn(const QString &folder, bool withPrx);

// Writes a unit file after showing its path; a failure is shown and gives
// false.
bool SaveUnitFile(const QStringList &lines, const QString &title, const QString &path);
