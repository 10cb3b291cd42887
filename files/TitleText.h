#pragma once
// Unit titles as they are typed and as windows show them. A title is one
// line of a unit file, so control characters (line breaks, tabs, NUL, any
// C0 or C1 control, line and paragraph separators) have no place in it;
// and a title read from a file may be of any length, while a window shows
// a short one.

#include <QString>
#include <optional>

// The text without its control characters; the visible text stays as it is.
QString WithoutControls(const QString &text);
// Whether a line of a unit file would come back as more than one line.
bool BreaksLine(const QString &line);

// Characters of a title that captions and lists show; the file keeps all.
constexpr qsizetype kShownTitleLength = 100;
// The title for a caption or a list: control characters left out (so a NUL
// does not end it), cut to kShownTitleLength characters with "…" after.
QString ShownTitle(const QString &title);

// The first character (a whole surrogate pair) that CP932 cannot hold.
std::optional<QString> FirstOutsideCp932(const QString &text);
