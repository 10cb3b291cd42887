#include "input/LatticeCursor.h"

#include <algorithm>

void LatticeCursor::setBounds(int left, int right, int bottom, int top)
{
    m_left = left;
    m_right = right;
    m_bottom = bottom;
    m_top = top;
    m_pos = clamped(m_pos);
}

QPoint LatticeCursor::clamped(QPoint p) const
{
    if (m_left > m_right || m_bottom > m_top)
        return p;
    return QPoint(std::clamp(p.x(), m_left, m_right), std::clamp(p.y(), m_bottom, m_top));
}

LatticeCursor::Action LatticeCursor::key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    const int step = modifiers & Qt::ShiftModifier ? BigStep : 1;
    QPoint by;
    switch (key) {
    case Qt::Key_Left:
        by = QPoint(-step, 0);
        break;
    case Qt::Key_Right:
        by = QPoint(step, 0);
        break;
    case Qt::Key_Up:
        by = QPoint(0, step);
        break;
    case Qt::Key_Down:
        by = QPoint(0, -step);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return autoRepeat ? Action::None : Action::Click;
    case Qt::Key_Escape:
        return Action::Cancel;
    default:
        return Action::None;
    }
    m_pos = clamped(m_pos + by);
    return Action::Moved;
}
