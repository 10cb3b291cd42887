#pragma once
// The face names our texts are laid out for, and their mapping to the
// fonts installed on this system.

#include <QFont>
#include <QString>

namespace Fonts {
inline const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString FixedGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString Serif = QStringLiteral("Bookman Old Style");

// The installed family a face name is drawn with: the face itself where
// this system has it, else its first installed substitute. A font asked
// for by a family the system lacks makes Qt sort every installed font for
// fallbacks before it tries the substitutes, milliseconds per face.
QString InstalledFamily(const QString &face);

// The face at a size in pixels, by its installed family.
QFont PixelFace(const QString &face, int pixels, bool bold = false);
}  // namespace Fonts

// Substitutions from those names to IPA Gothic and URW Bookman, so
// the code keeps the names and the screen shows proper glyphs.
void RegisterFontSubstitutions();
