#include "settings/PlaneSettingsStore.h"

#include "plane/Convert.h"
#include "plane/Prompt.h"

#include <cstdlib>
#include <optional>
#include <utility>

int ScaleFromText(const QString &text)
{
    const qint64 v = SettingInt(text);
    return int(qMin<qint64>(std::llabs(v), 1 << 20));
}

void LoadPlaneSettings(const SettingsStore &store, PlaneSettings &s)
{
    s = PlaneSettings{};
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
    s.Yohaku = store.ReadIntSetting(QStringLiteral("YohakuV"), 1);
    // The dialog saves these two as "FontSize" and "Yohaku"; a saved value
    // wins over the start-up name, which stays the fallback for old stores.
    if (store.HasSetting(QStringLiteral("FontSize")))
        s.FontSize = store.ReadIntSetting(QStringLiteral("FontSize"), s.FontSize);
    if (store.HasSetting(QStringLiteral("Yohaku")))
        s.Yohaku = store.ReadIntSetting(QStringLiteral("Yohaku"), s.Yohaku);

    // Each scale is taken over from its text as the field's change would.
    std::optional<UserError> scaleError;
    for (auto [text, scale] : {std::pair{&s.DX, &s.ScaleX}, std::pair{&s.DY, &s.ScaleY}}) {
        try {
            *scale = ScaleFromText(*text);
        } catch (const UserError &e) {
            if (!scaleError)
                scaleError = e;
        }
    }
    if (scaleError)
        throw *scaleError;
}
