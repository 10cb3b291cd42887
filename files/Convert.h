#pragma once
// Integer conversion of the texts the user types, with our conversion
// error message.

#include <QString>

// The integer value of a decimal text (surrounding blanks allowed, a sign,
// 32-bit range). Anything else throws UserError "'text' は整数ではありません".
int StrToInt(const QString &text);
// As StrToInt, but an empty text gives 0.
int SettingInt(const QString &text);
// The conversion error message for a text.
QString NotIntegerMessage(const QString &text);
