#pragma once
// Names the program shows and looks for.

#include <QString>

namespace AppInfo {
inline const QString Title = QStringLiteral("Quorvel 放物線／学習ツール");  // application title
inline const QString CaptionPrefix = QStringLiteral("Quorvel 放物線学習ツール");  // main window caption
inline const QString HelpFile = QStringLiteral("Marend.hlp");
inline const QString DefaultUnitFile = QStringLiteral("Parabola.prb");
}  // namespace AppInfo
