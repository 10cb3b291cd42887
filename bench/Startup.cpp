#include "Startup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <vector>

#ifdef QUORVEL_BENCH_XCB
#include <poll.h>
#include <xcb/xcb.h>
#endif

namespace {
bool WindowVisible(const QString &display, const QString &name)
{
    QProcess x;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    x.setProcessEnvironment(env);
    x.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), name});
    x.waitForFinished(2000);
    return x.exitCode() == 0 && !x.readAllStandardOutput().trimmed().isEmpty();
}

double RssMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

#ifdef QUORVEL_BENCH_XCB
// Hears the server map top-level windows, so that the wait for a window
// costs no time of the machine's cores: polling with a helper process every
// few milliseconds takes a share of the core the started program's own
// threads would use.
class MapWatcher {
public:
    explicit MapWatcher(const QString &display)
        : m_connection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        m_names[0] = Atom("_NET_WM_NAME");
        m_names[1] = xcb_atom_t(XCB_ATOM_WM_NAME);
        free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        m_ok = true;
    }
    ~MapWatcher() { xcb_disconnect(m_connection); }
    MapWatcher(const MapWatcher &) = delete;
    MapWatcher &operator=(const MapWatcher &) = delete;

    bool ok() const { return m_ok; }

    // Drops the events of windows mapped before, by earlier starts.
    void drain()
    {
        while (xcb_generic_event_t *e = xcb_poll_for_event(m_connection))
            free(e);
    }

    // Waits until a window whose name contains `name` is mapped, up to
    // `timeoutMs` of `timer`; true when it was.
    bool waitForMap(const QString &name, const QElapsedTimer &timer, int timeoutMs)
    {
        const int fd = xcb_get_file_descriptor(m_connection);
        while (timer.elapsed() < timeoutMs) {
            while (xcb_generic_event_t *e = xcb_poll_for_event(m_connection)) {
                const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window =
                    mapped ? reinterpret_cast<xcb_map_notify_event_t *>(e)->window : 0;
                free(e);
                if (mapped && NameOf(window).contains(name))
                    return true;
            }
            if (xcb_connection_has_error(m_connection))
                return false;
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, int(std::max<qint64>(1, timeoutMs - timer.elapsed())));
        }
        return false;
    }

private:
    xcb_atom_t Atom(const char *name)
    {
        xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return atom;
    }

    QString NameOf(xcb_window_t window)
    {
        for (xcb_atom_t property : m_names) {
            xcb_get_property_reply_t *r = xcb_get_property_reply(
                m_connection,
                xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                nullptr);
            QString text;
            if (r)
                text = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(r)),
                                         xcb_get_property_value_length(r));
            free(r);
            if (!text.isEmpty())
                return text;
        }
        return QString();
    }

    xcb_connection_t *m_connection;
    xcb_atom_t m_names[2] = {};
    bool m_ok = false;
};
#else
// Without xcb, the wait polls with xdotool.
class MapWatcher {
public:
    explicit MapWatcher(const QString &) {}
    bool ok() const { return false; }
    void drain() {}
    bool waitForMap(const QString &, const QElapsedTimer &, int) { return false; }
};
#endif
}  // namespace

namespace {
// One start: the time until the window is visible, or nothing. With
// `rss` set, also the resident memory two seconds after the start.
std::optional<double> TimeOneStart(const StartupTarget &t, const QString &workDir, const QString &display,
                                   MapWatcher &watcher, double *rss)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    watcher.drain();
    QElapsedTimer timer;
    timer.start();
    p.start(t.program, {});
    if (!p.waitForStarted(5000))
        return std::nullopt;
    bool shown = false;
    if (watcher.ok())
        shown = watcher.waitForMap(t.windowName, timer, 8000);
    else
        while (timer.elapsed() < 8000 && !(shown = WindowVisible(display, t.windowName)))
            QThread::msleep(5);
    std::optional<double> ms;
    if (shown) {
        ms = double(timer.nsecsElapsed()) / 1e6;
        if (rss) {
            while (timer.elapsed() < 2000)
                QThread::msleep(20);
            *rss = RssMb(p.processId());
        }
    }
    p.kill();
    p.waitForFinished(5000);
    return ms;
}
}  // namespace

std::vector<std::optional<StartupFigures>> MeasureStartup(const std::vector<StartupTarget> &targets,
                                                          const QString &workDir, const QString &display,
                                                          int runs)
{
    std::vector<std::vector<double>> times(targets.size());
    std::vector<double> rss(targets.size(), 0);
    MapWatcher watcher(display);
    for (int i = 0; i < runs; ++i)
        for (std::size_t t = 0; t < targets.size(); ++t)
            // A run whose window never showed is left out of the figures.
            if (auto ms =
                    TimeOneStart(targets[t], workDir, display, watcher, rss[t] == 0 ? &rss[t] : nullptr))
                times[t].push_back(*ms);
    std::vector<std::optional<StartupFigures>> figures;
    for (std::size_t t = 0; t < targets.size(); ++t) {
        std::vector<double> &v = times[t];
        if (v.size() < std::size_t(runs + 1) / 2) {
            figures.emplace_back();
            continue;
        }
        std::sort(v.begin(), v.end());
        figures.push_back(StartupFigures{v[v.size() / 2], rss[t]});
    }
    return figures;
}
