#pragma once
// Plane settings as they are kept in the settings store between runs.

#include "plane/PlaneSettings.h"
#include "settings/SettingsStore.h"

// Reads the stored values into `into` in their fixed order, writing defaults
// back for the missing ones; the three switches always start on. A failure
// throws UserError and leaves the values read so far; a scale text that is
// not an integer leaves that scale at its default and is reported after
// everything else was read.
void LoadPlaneSettings(const SettingsStore &store, PlaneSettings &into);

// The scale taken over from a scale field's text: |integer|. A text that is
// not an integer throws UserError and the caller keeps its previous scale.
int ScaleFromText(const QString &text);
