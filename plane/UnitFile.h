#pragma once
// Unit files: a title line, then five lines per parabola, in CP932 with
// CR LF. The readers never change the caller's state unless the whole file
// was read; every problem is told to the user through the prompt.

#include "model/FormulaText.h"
#include "model/Parabola.h"
#include "plane/DrawingSettings.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What a reader found in a file.
struct UnitContents {
    QStringList lines;           // the whole file, line by line
    QStringList listTexts;       // one formula-list text per record
    std::vector<Parabola> records;  // at most 100
    int count() const { return int(records.size()); }
};

// The file-name rule: an empty name becomes "Parabola.prb", a name without
// "." gets ".prb", another extension than prb/prx is warned about.
QString NormalizeUnitFileName(const QString &name);
// The lines of a file, or nothing after "ファイル <name> が開けません"
// (with the reason in brackets for a file too large or not a regular file).
// Only regular files are read, never more than kMaxUnitFileBytes + 1 bytes.
std::optional<QStringList> LoadUnitText(const QString &path);

// Main window reader: the list texts are built anew in the given form.
std::optional<UnitContents> ReadUnit(const QString &path, FormulaForm form, const DrawingSettings &draw);
// Practice and preview reader: also takes the "<<ver4" layout; the list
// texts are the stored formula lines.
std::optional<UnitContents> ReadPracticeUnit(const QString &path, const DrawingSettings &draw);

struct PairLine {
    QString whole;
    int first = 0;
    int second = 0;
};
// The two integers of a "a,b" line; throws UserError for a bad number.
PairLine SplitPairLine(const QStringList &lines, int &index);

// Domain kind, width and end inclusion of a packed style number into the
// record. An end code above 3 keeps the current end settings.
void UnpackStyle(int style, Parabola &rec, const DrawingSettings &draw);

// Writes the lines with the title in line 0, after showing the path. On
// failure the previous file stays as it was, "<path>の保存に失敗しました" and
// the reason are shown, and false is returned; `lines` is not changed. A
// title or line holding a line break is refused before anything is written,
// so a saved unit has exactly one line per text.
bool WriteUnitFile(const QStringList &lines, const QString &title, const QString &path);

// The first line of a file as its unit title; "？" when it cannot be read.
QString ReadUnitTitle(const QString &path);

// Longest line and most lines a unit file may have; longer files are refused.
constexpr qsizetype kMaxUnitFileBytes = 4 * 1024 * 1024;
