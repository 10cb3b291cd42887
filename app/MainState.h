#pragma once
// The main window's own state besides the unit document: the file name the
// save dialog proposes and the lock. A plain struct the window owns; the
// drawing switches live in the view settings, the click states in the
// drawing input.

#include <QString>

struct MainState {
    // The file name the save dialog proposes; 新規作成 leaves it as it was.
    QString UnitFileName = QStringLiteral("Parabola.prb");
    bool Untitled = true;
    bool Locked = false;
};
