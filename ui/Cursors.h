#pragma once
// The program's seven cursors, compiled-in pictures known by name, installed
// under the fixed numbers 1 to 7 that every window uses.

#include <QCursor>
#include <QString>

namespace CursorNo {
constexpr int Arrow = 1;     // plane after a double click
constexpr int Finger = 2;    // formula list; handle drag
constexpr int Scissors = 3;
constexpr int Cross = 4;     // value table
constexpr int Pencil = 5;    // plane at rest
constexpr int HasamiL = 6;   // waiting for a domain end
constexpr int HasamiR = 7;   // waiting for a domain start
}  // namespace CursorNo

// Loads the cursors; returns how many of the seven were found.
int InstallCursors();
// The cursor installed under n, loaded on its first need (the arrow for an
// unknown number).
QCursor CursorOf(int n);
// The resource name of cursor n, or an empty text.
QString CursorResourceName(int n);
