#pragma once
// Conversion between the program's Unicode texts and the CP932
// (Windows-31J) bytes of unit and record files. Used only at the file
// boundary; invalid bytes are reported, never turned into garbage.

#include "files/SafeFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

std::optional<QString> DecodeCp932(const QByteArray &bytes);
std::optional<QByteArray> EncodeCp932(const QString &text);

// Lines of a text; CR LF and bare LF both end a line, and a final line end
// does not start another line.
QStringList SplitTextLines(const QString &text);
// The lines, each followed by CR LF.
QString JoinCrlf(const QStringList &lines);

// Longest text file read when the caller names no limit (bytes).
constexpr qsizetype kMaxTextFileBytes = 4 * 1024 * 1024;

// Reads a whole CP932 regular file of at most maxBytes into lines. On
// failure returns false, puts the reason in Japanese into *why and what
// went wrong into *status (Failed for bytes that are not CP932).
bool ReadCp932Lines(const QString &path, QStringList &lines, QString *why = nullptr,
                    qsizetype maxBytes = kMaxTextFileBytes, FileRead::Status *status = nullptr);
bool ReadCp932Text(const QString &path, QString &text, QString *why = nullptr,
                   qsizetype maxBytes = kMaxTextFileBytes, FileRead::Status *status = nullptr);
// Writes the lines with CR LF through WriteFileSafely, so a failed write
// leaves the previous file untouched; *why gets the reason in Japanese.
bool WriteCp932Lines(const QString &path, const QStringList &lines, QString *why = nullptr);
bool WriteCp932Text(const QString &path, const QString &text, QString *why = nullptr);
