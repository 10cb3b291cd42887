#pragma once
// The practice record file: one line per finished normal run, in the
// section named by the unit title, under the keys "1", "2", ...

#include "files/Messages.h"

#include <QDateTime>
#include <QString>
#include <functional>

// Where the record file lives: the program's folder (ending with a
// separator), and whether that folder is on a CD-ROM.
struct RecordPlace {
    QString appDir;
    bool onCdRom = false;
};

// appDir + "Record.ini".
QString RecordFilePath(const QString &appDir);

// The clock the run lines are stamped with; tests install a fixed one.
// An empty function restores the local current time.
void SetRecordClock(std::function<QDateTime()> clock);
QDateTime RecordClockNow();

// "03分25秒"; minutes above 99 are written in full ("100分00秒"). A
// negative count reads as 0.
QString MinutesSecondsText(int seconds);
// "2003年04月05日 09:07 ○○×△ 03分25秒"
QString RecordValue(const QDateTime &when, const QString &marks, int totalSeconds);

// Appends the run line of a finished run under the next key of the unit's
// section, under the record file's lock so a run another program records
// at the same time is neither lost nor numbered twice. Writes nothing when
// the program runs from a CD-ROM; test mode and review runs are the
// caller's to leave out. Gives whether a line was written, with the
// messages about problems with the file.
Told<bool> AppendRunRecord(const QString &unitTitle, const QString &marks, int totalSeconds,
                           const RecordPlace &place);
