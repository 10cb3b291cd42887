#pragma once
// The plane and drawing settings as one value: owned by the application and
// handed to every window that draws a plane, a curve or a panel.

#include "plane/DrawingSettings.h"
#include "plane/PlaneSettings.h"

// Main window figures that the placement of a plane picture uses (pixels).
struct MainLayout {
    int WindowWidth = 1024;
    int WindowHeight = 740;
    int ToolPanelHeight = 40;    // toolPanel
    int SettingsGroupHeight = 0; // settingsGroup
    int ListLeft = 0;            // formulaList
    int ListWidth = 0;

    friend bool operator==(const MainLayout &, const MainLayout &) = default;
};

struct ViewSettings {
    PlaneSettings MainPlane;     // held by the plane settings dialog
    PlaneSettings PracticePlane; // as stored when the program started
    int PlaneDefaultSize = 544;  // pixels, computed at start-up
    MainLayout Layout;
    DrawingSettings Draw;
};
