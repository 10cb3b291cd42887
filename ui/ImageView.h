#pragma once
// A widget that only shows a Picture and passes mouse events on. All
// drawing happens on the picture's canvas; the view repaints when the
// canvas changes and follows the picture's position and size.

#include "plane/Picture.h"

#include <QWidget>
#include <functional>
#include <optional>

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget *parent = nullptr);
    ~ImageView() override;

    Picture &picture() { return m_picture; }
    const Picture &picture() const { return m_picture; }
    Canvas &canvas() { return m_picture.canvas(); }

    // Runs a change of the picture that the caller repaints itself, only
    // where it changed: the change asks for no repaint of the whole view.
    void changeQuietly(const std::function<void()> &change);

    // Places the widget and the picture together (parent coordinates).
    void place(int left, int top, int width, int height);

    std::function<void(QMouseEvent *)> onMouseDown;
    std::function<void(QMouseEvent *)> onMouseMove;
    std::function<void(QMouseEvent *)> onMouseUp;
    std::function<void(QMouseEvent *)> onDoubleClick;
    std::function<void()> onClick;

protected:
    // The picture painted on screen (a plane adds its overlay).
    virtual const QImage &shownImage() { return m_picture.canvas().image(); }
    // The one colour of the picture on screen while its bitmap is not made.
    virtual std::optional<Color> shownBlankColor() const { return m_picture.canvas().blankColor(); }
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void followPicture();

    Picture m_picture;
    bool m_pressedInside = false;
    bool m_quietChange = false;
};
