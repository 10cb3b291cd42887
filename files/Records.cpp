#include "files/Records.h"

#include "files/DateText.h"
#include "files/ProfileFile.h"

namespace {
std::function<QDateTime()> &Clock()
{
    static std::function<QDateTime()> clock;
    return clock;
}
} // namespace

QString RecordFilePath(const QString &appDir)
{
    return appDir + QStringLiteral("Record.ini");
}

void SetRecordClock(std::function<QDateTime()> clock)
{
    Clock() = std::move(clock);
}

QDateTime RecordClockNow()
{
    return Clock() ? Clock()() : QDateTime::currentDateTime();
}

QString MinutesSecondsText(int seconds)
{
    const int s = seconds < 0 ? 0 : seconds;
    return TwoDigits(s / 60) + QStringLiteral("分") + TwoDigits(s % 60) + QStringLiteral("秒");
}

QString RecordValue(const QDateTime &when, const QString &marks, int totalSeconds)
{
    return JapaneseDateText(when) + QLatin1Char(' ') + TimeText(when) + QLatin1Char(' ') + marks +
           QLatin1Char(' ') + MinutesSecondsText(totalSeconds);
}

Told<bool> AppendRunRecord(const QString &unitTitle, const QString &marks, int totalSeconds,
                           const RecordPlace &place)
{
    if (place.onCdRom)
        return {false, {}};
    // The next run number is taken from the file as it is under the lock,
    // so a run another program recorded meanwhile is counted.
    const QString value = RecordValue(RecordClockNow(), marks, totalSeconds);
    return ProfileFile::update(RecordFilePath(place.appDir), [&](ProfileFile &file) {
        // A hand-edited section may already hold the next number, and an
        // existing run line is never written over.
        int number = file.keyCount(unitTitle) + 1;
        while (file.hasKey(unitTitle, QString::number(number)))
            ++number;
        file.setValue(unitTitle, QString::number(number), value);
        return true;
    });
}
