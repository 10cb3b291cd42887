#pragma once
// The main window's own state: the working list, the unit's names, the
// mirror of the unit file and the click states. A plain struct the window
// owns; drawing switches shared with other windows live in Program().Draw.

#include "model/Parabola.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <Qt>
#include <algorithm>

struct MainState {
    ParabolaList Parabolas{};
    int ParabolaCount = 0;
    QString UnitTitle;
    QString UnitFileName = QStringLiteral("Parabola.prb");
    // Lines of the open unit file: line 0 the title, then five per entry.
    QStringList MirrorText;
    // The parabola lines of MirrorText (line 1 on) as last saved, opened or
    // reset. Every change to a stored parabola rewrites its lines, so
    // comparing them is the one test of unsaved work.
    QStringList SavedLines;
    bool Saved() const
    {
        return MirrorText.size() == SavedLines.size() + 1 &&
               std::equal(SavedLines.cbegin(), SavedLines.cend(), MirrorText.cbegin() + 1);
    }
    void MarkSaved() { SavedLines = MirrorText.mid(1); }
    bool Untitled = true;
    bool Locked = false;

    // Click state machine of the plane.
    int ClickState = 0;  // 0 idle .. 3 waiting for the segment end
    int HitIndex = -1;
    int HitHandle = 0;
    Parabola DrawingRecord;
    QPoint FixedPoint, CurrentPoint, PreviousPoint, DownPoint;  // lattice units
    bool MouseIsDown = false;
    Qt::MouseButton LastButton = Qt::NoButton;
};
