#pragma once
// Date and time texts of the print heading and the practice records.

#include <QDateTime>
#include <QString>

// n in decimal, with a leading "0" when n is 9 or less ("05", "12").
QString TwoDigits(int n);
// "2004.11.05"
QString DateText(const QDateTime &when);
QString DateText();
// "09:05"
QString TimeText(const QDateTime &when);
QString TimeText();
// "2004年11月05日": the record file keeps month and day at two digits.
QString JapaneseDateText(const QDateTime &when);
QString JapaneseDateText();
