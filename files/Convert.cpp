#include "files/Convert.h"

#include "files/Messages.h"

QString NotIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' は整数ではありません").arg(text);
}

int StrToInt(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    // Only plain decimal digits after an optional sign; toInt alone would
    // also take forms like "1e3" in other locales or bases.
    bool digits = !t.isEmpty();
    for (qsizetype i = 0; i < t.size() && digits; ++i) {
        const QChar c = t[i];
        if (i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+')))
            digits = t.size() > 1;
        else
            digits = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    }
    const int value = digits ? t.toInt(&ok, 10) : 0;
    if (!ok)
        throw UserError(NotIntegerMessage(text));
    return value;
}

int SettingInt(const QString &text)
{
    return text.isEmpty() ? 0 : StrToInt(text);
}
