// libFuzzer target for the record file parser: any bytes must parse
// without a crash, an unchanged file must serialize to the same bytes, and
// a write must read back while the other sections keep their values.

#include "files/ProfileFile.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ProfileFile p = ProfileFile::parse(bytes);
    if (!p.canWrite())
        return 0;

    if (p.toBytes() != bytes)
        std::abort();

    const QStringList sections = p.sections();
    QList<QStringList> before;
    for (const QString &s : sections) {
        QStringList values;
        for (const QString &k : p.keys(s))
            values << p.value(s, k);
        if (p.keyCount(s) != p.keys(s).size())
            std::abort();
        before << values;
    }

    // Write into the first section (or a new one) and read it back.
    const QString target = sections.isEmpty() ? QStringLiteral("新しい単元]") : sections.first();
    const QString key = QString::number(p.keyCount(target) + 1);
    p.setValue(target, key, QStringLiteral("2003年04月05日 09:07 ○ 00分05秒"));
    const std::optional<QByteArray> written = p.toBytes();
    if (!written)
        return 0;
    const ProfileFile again = ProfileFile::parse(*written);
    if (again.value(target, key) != QStringLiteral("2003年04月05日 09:07 ○ 00分05秒"))
        std::abort();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        if (sections[i].toCaseFolded() == target.toCaseFolded())
            continue;
        QStringList values;
        for (const QString &k : again.keys(sections[i]))
            values << again.value(sections[i], k);
        if (values != before[i])
            std::abort();
    }

    // Erasing leaves no trace of the section.
    ProfileFile erased = ProfileFile::parse(*written);
    erased.eraseSection(target);
    if (erased.hasSection(target) || erased.keyCount(target) != 0)
        std::abort();
    return 0;
}
