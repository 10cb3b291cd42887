#pragma once
// The main window's start-up layout, computed from the screen size alone so
// that the figures can be checked without a window.

#include <QRect>

// Design sizes of the controls that the start-up layout does not compute.
namespace MainDesign {
constexpr int ToolPanelHeight = 40;    // toolPanel
constexpr int FormulaImageHeight = 65; // formulaImage
constexpr int ListLeft = 8;            // formulaList
constexpr int ListTop = 42;
constexpr int ListWidth = 364;
constexpr int FormulaGroupHeight = 87; // formulaGroup
constexpr int DomainGroupHeight = 87;  // domainGroup, rangeGroup
constexpr int AxisGroupHeight = 64;    // axisGroup, vertexGroup
constexpr int HalfGroupWidth = 180;    // the four small groups
constexpr int SettingsGroupHeight = 96;  // settingsGroup
constexpr int GridLineWidth = 1;       // value table
}  // namespace MainDesign

struct MainWindowLayout {
    QRect window;          // screen coordinates
    int planeDefaultSize = 0;
    QRect plane;           // first layout of the plane
    QRect formulaList;
    QRect valueTableView;
    QRect formulaGroup, domainGroup, rangeGroup, axisGroup, vertexGroup, settingsGroup;
};

MainWindowLayout ComputeMainWindowLayout(int screenWidth, int screenHeight);
