#pragma once
// Plane settings as they are kept in the settings store between runs.

#include "plane/PlaneSettings.h"
#include "settings/SettingsStore.h"

#include <QString>
#include <vector>

// A stored text that is not an integer: its value name, the text and the
// default that took its place.
struct NotIntegerSetting {
    QString name;
    QString text;
    QString fallback;
};

// Brings values from outside the dialog into the ranges the dialog accepts:
// sizes to 160..largest (0 or less kept: the default size), scales to 4..32
// (the field text follows only when the value was out of range), the spin
// values to their ranges. A text that is not an integer falls back to its
// default; those are returned in reading order.
std::vector<NotIntegerSetting> ClampPlaneSettings(PlaneSettings &s, int largestSize);

// Reads the stored values into `into` in their fixed order, writing defaults
// back for the missing ones, and clamps them as ClampPlaneSettings does; the
// three switches always start on. A text that is not an integer is replaced
// by its default in the store too, so it is reported once. Problems throw
// one UserError after everything was read and clamped: the non-integer
// texts, then a value of the wrong kind, which stops the reading and leaves
// the later values at their defaults.
void LoadPlaneSettings(const SettingsStore &store, PlaneSettings &into, int largestSize);

// Whether a setting text converts (empty counts as 0).
bool IsSettingInteger(const QString &text);

// The scale taken over from a scale field's text: |integer|. A text that is
// not an integer throws UserError and the caller keeps its previous scale.
int ScaleFromText(const QString &text);
