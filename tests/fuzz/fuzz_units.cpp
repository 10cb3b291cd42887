// Fuzz target: the unit file readers and the title reader on any bytes.
// Built by scripts/fuzz.sh with clang's libFuzzer and the sanitizers.

#include "files/UnitFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = QDir::tempPath() + QStringLiteral("/quorvel-fuzz-%1.prb").arg(QCoreApplication::applicationPid());
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const IncludedEnds ends;
    for (FormulaForm form : {FormulaForm::Standard, FormulaForm::General}) {
        if (const auto unit = ReadUnit(path, form, ends).value) {
            // Every record read must give its texts without trouble.
            for (const Parabola &r : unit->records) {
                (void)RangeText(r);
                (void)DomainText(r);
                (void)ValueText(r, r.VertexX);
            }
        }
    }
    (void)ReadPracticeUnit(path, ends);
    (void)ReadUnitTitle(path);
    return 0;
}
