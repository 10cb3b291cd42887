#pragma once
// The main window's own state besides the unit document: the file name the
// save dialog proposes, the lock and the click states. A plain struct the
// window owns; the drawing switches live in the view settings.

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
    // The curve that follows the mouse: a new parabola after its vertex
    // click, or a stored one under a handle drag.
    enum class BandKind { None, NewCurve, HandleDrag };
    BandKind Band = BandKind::None;
    bool BandShown = false;        // the band curve is shown (the mouse has moved)
    bool MovingPassPoint = false;  // the band moves the passing point, else the vertex
    int HiddenIndex = -1;          // the entry a handle drag took off the still picture
    int HitIndex = -1;
    int HitHandle = 0;
    Parabola DrawingRecord;
    QPoint FixedPoint, CurrentPoint, PreviousPoint, DownPoint;  // lattice units
    bool MouseIsDown = false;
    Qt::MouseButton LastButton = Qt::NoButton;
};
