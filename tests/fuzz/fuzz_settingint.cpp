// Fuzz target: the integer conversion of texts typed into settings fields.

#include "files/Convert.h"
#include "files/Messages.h"

#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const int v = SettingInt(text);
        // A text that converts must name its own value.
        if (QString::number(v) != text.trimmed() && !text.trimmed().startsWith(QLatin1Char('+')) &&
            !text.trimmed().startsWith(QLatin1Char('0')) && !text.trimmed().startsWith(QStringLiteral("-0")) &&
            !text.isEmpty())
            __builtin_trap();
    } catch (const UserError &) {
    }
    return 0;
}
