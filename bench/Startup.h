#pragma once
// Start-up time and resident memory of a program under an X server,
// measured from outside: time until its window is mapped, and VmRSS two
// seconds after start.

#include <QString>
#include <optional>

struct StartupFigures {
    double medianMs = 0;
    double rssMb = 0;
};

// Runs the program `runs` times on display `display` (e.g. ":97"), waiting
// for a visible window whose name contains `windowName`. Nothing when the
// window did not appear within the timeout.
std::optional<StartupFigures> MeasureStartup(const QString &program, const QString &workDir,
                                             const QString &display, const QString &windowName, int runs);
