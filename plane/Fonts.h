#pragma once
// The face names our texts are laid out for, and their mapping to the
// fonts installed on this system.

#include <QFont>
#include <QString>

#include <thread>

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

// Reads the system's font configuration on a thread of its own, started
// before the application opens its display: the two take about as long,
// and side by side they end up to about 2 ms sooner when a second core is
// free (on a busy one the gain is lost in the noise). Where there is no
// such configuration to read, it does nothing.
class ConfigurationLoader {
public:
    ConfigurationLoader();
    ~ConfigurationLoader() { wait(); }
    ConfigurationLoader(const ConfigurationLoader &) = delete;
    ConfigurationLoader &operator=(const ConfigurationLoader &) = delete;
    // Before the first font is looked up: a lookup meanwhile would read
    // the whole configuration a second time.
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
}  // namespace Fonts

// Substitutions from those names to IPA Gothic and URW Bookman, so
// the code keeps the names and the screen shows proper glyphs.
void RegisterFontSubstitutions();
