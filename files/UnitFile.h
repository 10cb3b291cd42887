#pragma once
// Unit files: a title line, then five lines per parabola, in CP932 with
// CR LF. The readers never change the caller's state unless the whole file
// was read; every problem comes back as messages for the window to show.

#include "files/Messages.h"
#include "model/FormulaText.h"
#include "model/Parabola.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What a reader found in a file.
struct UnitContents {
    QStringList lines;             // the whole file, line by line
    QStringList listTexts;         // one formula-list text per record
    std::vector<Parabola> records; // at most 100
    int count() const { return int(records.size()); }
};

// The end inclusion in force for new parabolas; a record whose end code
// says nothing keeps it.
struct IncludedEnds {
    bool lower = true;
    bool upper = true;
};

// The file-name rule: an empty name becomes "Parabola.prb" (with a note), a
// name without "." gets ".prb", another extension than prb/prx is warned
// about.
Told<QString> NormalizeUnitFileName(const QString &name);
// The lines of a file, or nothing and "ファイル <name> が開けません" (with
// the reason in brackets for a file too large or not a regular file). Only
// regular files are read, never more than kMaxUnitFileBytes + 1 bytes.
Told<std::optional<QStringList>> LoadUnitText(const QString &path);

// Main window reader: the list texts are built anew in the given form.
Told<std::optional<UnitContents>> ReadUnit(const QString &path, FormulaForm form, IncludedEnds ends);
// Practice and preview reader: also takes the "<<ver4" layout; the list
// texts are the stored formula lines.
Told<std::optional<UnitContents>> ReadPracticeUnit(const QString &path, IncludedEnds ends);

struct PairLine {
    QString whole;
    int first = 0;
    int second = 0;
};
// The two integers of a "a,b" line; throws UserError for a bad number.
PairLine SplitPairLine(const QStringList &lines, int &index);

// Domain kind, width and end inclusion of a packed style number into the
// record. An end code above 3 keeps the current end inclusion.
void UnpackStyle(int style, Parabola &rec, IncludedEnds current);

// The note shown before a unit file is written: its path.
Message WritingUnitNotice(const QString &path);
// Writes the lines with the title in line 0 (show WritingUnitNotice first).
// On failure the previous file stays as it was, false comes back with
// "<path>の保存に失敗しました" and the reason; `lines` is not changed. A
// title or line holding a line break is refused before anything is written,
// so a saved unit has exactly one line per text.
Told<bool> WriteUnitFile(const QStringList &lines, const QString &title, const QString &path);

// The first line of a file as its unit title; "？" when it cannot be read.
QString ReadUnitTitle(const QString &path);

// Longest line and most lines a unit file may have; longer files are refused.
constexpr qsizetype kMaxUnitFileBytes = 4 * 1024 * 1024;
