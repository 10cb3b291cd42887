#pragma once
// The values that several windows share: both plane settings holders, the
// geometry of the plane drawn last, the main window's drawing switches the
// plotting reads, the layout figures the plane placement needs, and the
// practice source list. One object, reached through Program().

#include "model/Parabola.h"
#include "plane/Canvas.h"
#include "plane/PlaneGeometry.h"
#include "plane/PlaneSettings.h"

#include <QString>

// Switches and current line kind of the main window, as the drawing reads them.
struct DrawingSettings {
    bool Dotted = true;        // copy of dottedLinesSwitch
    bool Handles = true;       // copy of handlesSwitch
    bool LatticeDots = false;  // latticeDotsSwitch
    bool AxisColor = true;     // axisColorSwitch
    bool BitmapPasted = false; // a pasted bitmap covers the main plane
    int CircleRadius = 5;      // pixels, copy of circleRadiusSpin
    int LineMode = 0;          // domain kind of the next parabola
    int LineWidth = 1;         // pixels
    int SegmentEnds = 0;       // 0..3
    int HalfLineEnds = 0;      // 0..1
    bool LowerIncluded = true;
    bool UpperIncluded = true;
    Color FixedColor = Colors::White;  // white: automatic colours
    int ColorCounter = 0;
    Color PanelBackColor = Colors::Teal;
    Color PanelTextColor = Colors::White;
    int FormulaRowHeight = 20;  // pixels
    int DragMode = 0;           // 0 none, 1 new parabola, 2 handle drag
    bool MovingPassPoint = false;
};

// Main window figures that the plane placement uses (pixels).
struct MainLayout {
    int WindowWidth = 1024;
    int WindowHeight = 740;
    int ToolPanelHeight = 40;     // toolPanel
    int SettingsGroupHeight = 0;  // settingsGroup
    int ListLeft = 0;             // formulaList
    int ListWidth = 0;
};

struct ProgramState {
    PlaneSettings MainPlane;      // held by the plane settings dialog
    PlaneSettings PracticePlane;  // as stored when the program started
    PlaneGeometry Geometry;       // of the plane drawn last
    int PlaneDefaultSize = 544;   // pixels, computed at start-up
    int MainPlaneWidth = 544;     // width of the main plane picture, pixels
    bool MainPlaneDrawn = false;  // the main plane's last drawing published its geometry
    MainLayout Layout;
    DrawingSettings Draw;

    ParabolaList PracticeParabolas{};
    int PracticeCount = 0;
    QString PracticeUnitTitle;
    bool TestMode = false;
    bool OpenForEditing = false;
    int ChosenUnit = -1;

    QString AppDir;         // ends with a separator
    bool OnCdRom = false;
};

ProgramState &Program();
