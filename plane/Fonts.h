#pragma once
// The face names our texts are laid out for, and their mapping to the
// fonts installed on this system.

#include <QString>

namespace Fonts {
inline const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString FixedGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString Serif = QStringLiteral("Bookman Old Style");
}  // namespace Fonts

// Substitutions from those names to IPA Gothic and URW Bookman, so
// the code keeps the names and the screen shows proper glyphs.
void RegisterFontSubstitutions();
