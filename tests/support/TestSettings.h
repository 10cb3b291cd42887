#pragma once
// The settings and the start folder a test hands to the windows it makes
// without the whole set of windows; init() starts each test from fresh ones.

#include "files/AppFolder.h"
#include "plane/ViewSettings.h"

inline ViewSettings &TestSettings()
{
    static ViewSettings settings;
    return settings;
}

inline AppFolder &TestFolder()
{
    static AppFolder folder;
    return folder;
}
