#pragma once
// The main window's own state besides the unit document: the file name the
// save dialog proposes, the lock and the click states. A plain struct the
// window owns; drawing switches shared with other windows live in
// Program().Draw.

#include "model/Parabola.h"

#include <QPoint>
#include <QString>
#include <Qt>

struct MainState {
    // The file name the save dialog proposes; 新規作成 leaves it as it was.
    QString UnitFileName = QStringLiteral("Parabola.prb");
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
