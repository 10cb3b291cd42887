#pragma once
// The program's start folder and the kind of medium it lies on: where the
// data folder, the help file and the record file are looked up.

#include <QString>

struct AppFolder {
    QString dir;          // ends with a separator
    bool onCdRom = false; // also for a folder we cannot write: no record is written
};
