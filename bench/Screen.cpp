#include "Screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QThread>
#include <algorithm>
#include <vector>

#ifdef QUORVEL_BENCH_XCB
#include <xcb/xcb.h>
#endif

namespace {
#ifdef QUORVEL_BENCH_XCB
xcb_connection_t *Connection()
{
    if (auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11->connection();
    return nullptr;
}
#endif
} // namespace

bool ScreenAvailable()
{
#ifdef QUORVEL_BENCH_XCB
    return QGuiApplication::platformName() == QLatin1String("xcb") && Connection();
#else
    return false;
#endif
}

void SyncScreen()
{
#ifdef QUORVEL_BENCH_XCB
    if (xcb_connection_t *c = Connection())
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
#endif
}

namespace {
// One change painted: after the idle gap, in which what is pending is done
// and the server is quiet.
qint64 OneScreenNs(QWidget &widget, const std::function<void()> &change, ScreenPaint paint)
{
    QApplication::processEvents();
    SyncScreen();
    QThread::msleep(15);
    QElapsedTimer timer;
    timer.start();
    if (change)
        change();
    if (paint == ScreenPaint::Whole)
        widget.repaint();
    else
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    SyncScreen();
    return timer.nsecsElapsed();
}
} // namespace

double MedianMs(std::vector<qint64> t)
{
    std::sort(t.begin(), t.end());
    return t.empty() ? 0 : double(t[t.size() / 2]) / 1e6;
}

double MedianScreenMs(int runs, QWidget &widget, const std::function<void()> &change)
{
    std::vector<qint64> t;
    for (int i = 0; i < runs; ++i)
        t.push_back(OneScreenNs(widget, change, ScreenPaint::Whole));
    return MedianMs(t);
}

double MedianScreenMsBeside(int runs, QWidget &widget, const std::function<void()> &change, ScreenPaint paint,
                            QWidget &other, std::vector<qint64> &samples)
{
    std::vector<qint64> t;
    for (int i = 0; i < runs; ++i) {
        t.push_back(OneScreenNs(widget, change, paint));
        samples.push_back(OneScreenNs(other, {}, ScreenPaint::Whole));
    }
    return MedianMs(t);
}

BlitWidget::BlitWidget(const QImage &image) : m_image(image)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(image.size());
}

void BlitWidget::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(QPoint(0, 0), m_image);
}
