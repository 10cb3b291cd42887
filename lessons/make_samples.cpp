// Writes the sample units with the program's own writer:
// quorvel_samples <folder/>   (the repository's DATA/ by default)

#include "lessons/SampleUnits.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("DATA/");
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!WriteSampleUnits(folder)) {
        std::fprintf(stderr, "quorvel_samples: could not write into %s\n", qPrintable(folder));
        return 1;
    }
    return 0;
}
