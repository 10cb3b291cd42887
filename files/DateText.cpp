#include "files/DateText.h"

QString TwoDigits(int n)
{
    const QString s = QString::number(n);
    return n <= 9 ? QLatin1Char('0') + s : s;
}

QString DateText(const QDateTime &when)
{
    const QDate d = when.date();
    return QString::number(d.year()) + QLatin1Char('.') + TwoDigits(d.month()) + QLatin1Char('.') +
           TwoDigits(d.day());
}

QString DateText()
{
    return DateText(QDateTime::currentDateTime());
}

QString TimeText(const QDateTime &when)
{
    const QTime t = when.time();
    return TwoDigits(t.hour()) + QLatin1Char(':') + TwoDigits(t.minute());
}

QString TimeText()
{
    return TimeText(QDateTime::currentDateTime());
}

QString JapaneseDateText(const QDateTime &when)
{
    const QDate d = when.date();
    return QString::number(d.year()) + QStringLiteral("年") + TwoDigits(d.month()) + QStringLiteral("月") +
           TwoDigits(d.day()) + QStringLiteral("日");
}

QString JapaneseDateText()
{
    return JapaneseDateText(QDateTime::currentDateTime());
}
