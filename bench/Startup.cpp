#include "Startup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <vector>

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
}  // namespace

namespace {
// One start: the time until the window is visible, or nothing. With
// `rss` set, also the resident memory two seconds after the start.
std::optional<double> TimeOneStart(const StartupTarget &t, const QString &workDir, const QString &display,
                                   double *rss)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    QElapsedTimer timer;
    timer.start();
    p.start(t.program, {});
    if (!p.waitForStarted(5000))
        return std::nullopt;
    bool shown = false;
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
    for (int i = 0; i < runs; ++i)
        for (std::size_t t = 0; t < targets.size(); ++t)
            // A run whose window never showed is left out of the figures.
            if (auto ms = TimeOneStart(targets[t], workDir, display, rss[t] == 0 ? &rss[t] : nullptr))
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
