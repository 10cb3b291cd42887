#pragma once
// Figures through the screen: a widget painted to the X server and the
// server made to finish it (a round trip), so what is timed is what the user
// waits for. Only on the xcb platform; elsewhere the figures are skipped.

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

// True when the application paints to an X server that can be synced.
bool ScreenAvailable();
// Waits until the X server has carried out every request sent so far.
void SyncScreen();
// How a change reaches the screen: its widget repainted whole, or only what
// the change asked the window to repaint (as the event loop would do next).
enum class ScreenPaint { Whole, AsAsked };

// Median in ms of `runs` single changes, each after an idle gap: `change`
// runs, then `widget` is painted at once and the server synced.
double MedianScreenMs(int runs, QWidget &widget, const std::function<void()> &change);
// The same for a change painted as `paint` says and, in turns with it, a
// widget repainted as it is: the two medians come from the same stretch of
// time, so their ratio does not drift with the machine's load. `samples`
// gets the second's timings.
double MedianScreenMsBeside(int runs, QWidget &widget, const std::function<void()> &change, ScreenPaint paint,
                            QWidget &other, std::vector<qint64> &samples);
// The median of timings in ns, in ms.
double MedianMs(std::vector<qint64> t);

// A window that only shows a picture: the floor of any repaint of a plane
// of that size.
class BlitWidget : public QWidget {
public:
    explicit BlitWidget(const QImage &image);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_image;
};
