#pragma once
// What the drawing input needs from the window that owns it: the working
// list, records for new parabolas, storing, messages, the selection and the
// plane's cursor. Nothing here draws.

#include "model/Parabola.h"

#include <QPoint>
#include <QString>

// The two square handles of a parabola.
enum class CurveHandle { None, Vertex, PassingPoint };

// An entry of the working list and which of its handles lies on a point.
struct HandleHit {
    int index = -1;
    CurveHandle handle = CurveHandle::None;
    friend bool operator==(const HandleHit &, const HandleHit &) = default;
};

// The plane cursors the drawing input asks for.
enum class PlaneCursor {
    Pencil,        // at rest
    Finger,        // a handle is dragged
    ScissorsRight, // waiting for a domain start
    ScissorsLeft,  // waiting for a domain end
};

class DrawingHost {
public:
    virtual ~DrawingHost() = default;

    virtual int entryCount() const = 0;
    virtual int entryLimit() const = 0;
    virtual Parabola entry(int index) const = 0;
    // The first entry with a handle on the lattice point, vertex before
    // passing point; none when no handle lies there.
    virtual HandleHit hitTest(QPoint lattice) const = 0;
    // A record for a parabola started at the vertex, in the current line
    // mode, width, end style and colour; its passing point is (0, 0).
    virtual Parabola newRecord(QPoint vertex) = 0;
    // Stores a finished record (the host sets its formula text): replaces
    // entry replaceIndex, or appends when it is negative. False when the
    // record was refused; the host has told the user why.
    virtual bool store(const Parabola &rec, int replaceIndex) = 0;
    virtual void message(const QString &text) = 0;
    // A quick right click on a handle: that entry alone is selected.
    virtual void selectForReplacing(int index) = 0;
    // The curve under a drag that stored nothing ends selected as well.
    virtual void addToSelection(int index) = 0;
    // Esc with a replace waiting and no drawing under way.
    virtual void clearSelection() = 0;
    virtual void setCursor(PlaneCursor cursor) = 0;
    // What DrawingInput::overlay() returns has changed.
    virtual void overlayChanged() = 0;
};
