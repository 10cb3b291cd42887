#include "settings/PlaneSettingsStore.h"

#include "files/Convert.h"
#include "settings/PlaneSettingsPresets.h"
#include "ui/Prompt.h"

#include <QStringList>
#include <cstdlib>
#include <optional>

using namespace setcood;

namespace {

qint64 Clamped(qint64 v, qint64 low, qint64 high)
{
    return v < low ? low : v > high ? high : v;
}

// The stored value names of the text fields, in reading order.
struct TextField {
    const char *name;
    QString PlaneSettings::*field;
};
constexpr TextField kTextFields[] = {
    {"SizeX", &PlaneSettings::SizeX},   {"SizeY", &PlaneSettings::SizeY},   {"ScaleX", &PlaneSettings::DX},
    {"ScaleY", &PlaneSettings::DY},     {"StartX", &PlaneSettings::StartX}, {"StartY", &PlaneSettings::StartY},
    {"EndX", &PlaneSettings::EndX},     {"EndY", &PlaneSettings::EndY},
};

void ClampSize(QString &text, int largest)
{
    const qint64 v = SettingInt(text);
    if (v <= 0 || (v >= SmallestPlaneSize && v <= largest))
        return;
    // On a screen too small for the smallest size only the default fits.
    text = largest < SmallestPlaneSize ? PlaneSettings{}.SizeX
                                       : QString::number(Clamped(v, SmallestPlaneSize, largest));
}

void ClampScale(QString &text, int &scale)
{
    const qint64 v = std::llabs(qint64(SettingInt(text)));
    scale = int(Clamped(v, ScaleRange.min, ScaleRange.max));
    if (scale != v)
        text = QString::number(scale);
}

void ReadStoredValues(const SettingsStore &store, PlaneSettings &s)
{
    s.SizeX = store.ReadTextSetting(QStringLiteral("SizeX"), QStringLiteral("-99"));
    s.SizeY = store.ReadTextSetting(QStringLiteral("SizeY"), QStringLiteral("-99"));
    s.DX = store.ReadTextSetting(QStringLiteral("ScaleX"), QStringLiteral("16"));
    s.DY = store.ReadTextSetting(QStringLiteral("ScaleY"), QStringLiteral("16"));
    s.StartX = store.ReadTextSetting(QStringLiteral("StartX"), QStringLiteral("-99"));
    s.StartY = store.ReadTextSetting(QStringLiteral("StartY"), QStringLiteral("-99"));
    s.ScaleNumberX = store.ReadIntSetting(QStringLiteral("ScaleNumberX"), 5);
    s.ScaleNumberY = store.ReadIntSetting(QStringLiteral("ScaleNumberY"), 5);
    s.EndX = store.ReadTextSetting(QStringLiteral("EndX"), QStringLiteral("99"));
    s.EndY = store.ReadTextSetting(QStringLiteral("EndY"), QStringLiteral("99"));
    s.FontSize = store.ReadIntSetting(QStringLiteral("FontSizeV"), 12);
    s.Margin = store.ReadIntSetting(QStringLiteral("YohakuV"), 1);
    // The dialog saves these two as "FontSize" and "Yohaku"; a saved value
    // wins over the start-up name, which stays the fallback for old stores.
    if (store.HasSetting(QStringLiteral("FontSize")))
        s.FontSize = store.ReadIntSetting(QStringLiteral("FontSize"), s.FontSize);
    if (store.HasSetting(QStringLiteral("Yohaku")))
        s.Margin = store.ReadIntSetting(QStringLiteral("Yohaku"), s.Margin);
}

}  // namespace

bool IsSettingInteger(const QString &text)
{
    try {
        SettingInt(text);
        return true;
    } catch (const UserError &) {
        return false;
    }
}

int ScaleFromText(const QString &text)
{
    const qint64 v = SettingInt(text);
    return int(qMin<qint64>(std::llabs(v), 1 << 20));
}

std::vector<NotIntegerSetting> ClampPlaneSettings(PlaneSettings &s, int largestSize)
{
    std::vector<NotIntegerSetting> bad;
    const PlaneSettings defaults;
    for (const TextField &f : kTextFields) {
        if (IsSettingInteger(s.*f.field))
            continue;
        bad.push_back({QLatin1String(f.name), s.*f.field, defaults.*f.field});
        s.*f.field = defaults.*f.field;
    }
    ClampSize(s.SizeX, largestSize);
    ClampSize(s.SizeY, largestSize);
    ClampScale(s.DX, s.ScaleX);
    ClampScale(s.DY, s.ScaleY);
    s.ScaleNumberX = NumberingRange.clamped(s.ScaleNumberX);
    s.ScaleNumberY = NumberingRange.clamped(s.ScaleNumberY);
    s.FontSize = FontSizeRange.clamped(s.FontSize);
    s.Margin = MarginRange.clamped(s.Margin);
    return bad;
}

void LoadPlaneSettings(const SettingsStore &store, PlaneSettings &s, int largestSize)
{
    s = PlaneSettings{};
    const SettingsSession session(store);
    std::optional<UserError> stopped;
    try {
        ReadStoredValues(store, s);
    } catch (const UserError &e) {
        stopped = e;
    }
    QStringList problems;
    for (const NotIntegerSetting &b : ClampPlaneSettings(s, largestSize)) {
        problems << NotIntegerMessage(b.text);
        // The default goes into the store as well, so the next holder and
        // the next start do not report the same text again.
        try {
            store.WriteTextSetting(b.name, b.fallback);
        } catch (const UserError &) {
        }
    }
    if (stopped)
        problems << stopped->text();
    if (!problems.isEmpty())
        throw UserError(problems.join(QStringLiteral("\r\n")));
}
