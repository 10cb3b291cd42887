#pragma once
// Where units and records live. A start folder that holds DATA/ is the data
// folder, so the program can run from a folder or a CD-ROM as it is;
// otherwise the data folder is the user's own, which gets the installed
// sample units the first time it is made.

#include <QString>

// The folder with one trailing separator. perUserFolder is used only when
// startFolder has no DATA/; samplesFolder holds the installed sample units
// (it may be missing, then the user's DATA/ starts empty).
QString ChooseDataFolder(const QString &startFolder, const QString &perUserFolder,
                         const QString &samplesFolder);

// The installed sample units beside a program in <prefix>/bin:
// <prefix>/share/quorvel/DATA.
QString InstalledSamplesFolder(const QString &programFolder);

// True when the program may write its records into the folder.
bool IsWritableFolder(const QString &folder);
