#pragma once
// The keyboard's point on a plane: arrow keys move it one lattice point,
// Shift+arrows five, never off the plane shown; Enter or Space clicks at it
// and Esc cancels. A mouse move puts it on the lattice point under the
// mouse, so mouse and keys mix. Plain logic: the owner paints it and acts
// on what key() returns.

#include <QPoint>
#include <Qt>

class LatticeCursor {
public:
    enum class Action { None, Moved, Click, Cancel };
    static constexpr int BigStep = 5;

    // The lattice points of the plane shown, left to right and bottom to
    // top (y grows upward); an empty range keeps the point where it is.
    void setBounds(int left, int right, int bottom, int top);
    QPoint position() const { return m_pos; }
    // The mouse is over this lattice point.
    void setPosition(QPoint lattice) { m_pos = clamped(lattice); }

    // What a key pressed on the plane does; a held Enter or Space repeats
    // no click.
    Action key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false);

private:
    QPoint clamped(QPoint p) const;

    QPoint m_pos;
    int m_left = 0, m_right = -1, m_bottom = 0, m_top = -1;
};
