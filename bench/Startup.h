#pragma once
// Start-up time and resident memory of a program under an X server,
// measured from outside: time until its window is mapped, and VmRSS two
// seconds after start.

#include <QString>
#include <optional>
#include <vector>

struct StartupFigures {
    double medianMs = 0;
    double rssMb = 0;
};

struct StartupTarget {
    QString program;
    QString windowName;  // a visible window whose name contains this
};

// Starts each target `runs` times on display `display` (e.g. ":97"),
// taking turns, so that a change in the machine's load falls on all of them
// alike. For each target its figures, or nothing when its window did not
// appear often enough within the timeout.
std::vector<std::optional<StartupFigures>> MeasureStartup(const std::vector<StartupTarget> &targets,
                                                          const QString &workDir, const QString &display,
                                                          int runs);
