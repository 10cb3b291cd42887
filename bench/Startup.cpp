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

std::optional<StartupFigures> MeasureStartup(const QString &program, const QString &workDir,
                                             const QString &display, const QString &windowName, int runs)
{
    std::vector<double> times;
    double rss = 0;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(workDir);
        QElapsedTimer timer;
        timer.start();
        p.start(program, {});
        if (!p.waitForStarted(5000))
            return std::nullopt;
        bool shown = false;
        while (timer.elapsed() < 8000 && !(shown = WindowVisible(display, windowName)))
            QThread::msleep(5);
        if (!shown) {
            // A run whose window never showed is left out of the figures.
            p.kill();
            p.waitForFinished();
            continue;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (rss == 0) {
            while (timer.elapsed() < 2000)
                QThread::msleep(20);
            rss = RssMb(p.processId());
        }
        p.kill();
        p.waitForFinished(5000);
    }
    if (times.size() < std::size_t(runs + 1) / 2)
        return std::nullopt;
    std::sort(times.begin(), times.end());
    return StartupFigures{times[times.size() / 2], rss};
}
