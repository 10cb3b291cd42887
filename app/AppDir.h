#pragma once
// The start folder of the program and what kind of medium it lies on.

#include <QString>

// The folder with exactly one trailing separator.
QString AppDirFrom(const QString &currentDir);
// True when the folder lies on a CD-ROM file system (iso9660 or udf).
bool IsOnCdRom(const QString &folder);
