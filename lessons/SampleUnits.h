#pragma once
// The sample units that ship in DATA/: four units for a first lesson on
// the graphs of quadratic functions.

#include "model/Parabola.h"

#include <QList>
#include <QString>
#include <QStringList>

struct SampleUnit {
    QString fileName;
    QString title;
    QList<Parabola> records;
};

QList<SampleUnit> SampleUnits();
// The file lines of a unit, as the program writes them.
QStringList SampleUnitLines(const SampleUnit &unit);
// Writes every sample unit into the folder; false when one could not be written.
bool WriteSampleUnits(const QString &folder);
