#pragma once
// What a practice run poses: the parabolas of a unit, or of the main
// window for a test, with the unit title the run is recorded under.

#include "model/Parabola.h"

#include <QString>

struct PracticeSource {
    ParabolaList parabolas{};
    int count = 0;
    QString unitTitle;
    bool testMode = false;
};
