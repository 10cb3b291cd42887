#pragma once
// A placed picture: a canvas plus the position and size of the control that
// shows it. The control's size and the bitmap's size are separate: a fresh
// bitmap takes the control's size only when it is cleared.

#include "plane/Canvas.h"

#include <QRect>
#include <functional>

class Picture {
public:
    Picture() = default;
    Picture(int left, int top, int width, int height) : m_bounds(left, top, width, height) {}

    Canvas &canvas() { return m_canvas; }
    const Canvas &canvas() const { return m_canvas; }

    int left() const { return m_bounds.x(); }
    int top() const { return m_bounds.y(); }
    int width() const { return m_bounds.width(); }
    int height() const { return m_bounds.height(); }
    QRect bounds() const { return m_bounds; }

    void setBounds(const QRect &r)
    {
        if (r == m_bounds)
            return;
        m_bounds = r;
        if (m_moved)
            m_moved();
    }
    void setLeft(int v) { setBounds(QRect(v, top(), width(), height())); }
    void setTop(int v) { setBounds(QRect(left(), v, width(), height())); }
    void setSize(int w, int h) { setBounds(QRect(left(), top(), w, h)); }

    // Called when the control moves or changes its size.
    void setGeometryHook(std::function<void()> hook) { m_moved = std::move(hook); }

private:
    Canvas m_canvas;
    QRect m_bounds;
    std::function<void()> m_moved;
};
