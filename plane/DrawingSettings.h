#pragma once
// How curves, marks and panels are drawn, and the line kind of the next
// parabola: the main window's switches as the drawing code reads them.

#include "model/LineMode.h"
#include "plane/Canvas.h"

struct DrawingSettings {
    bool Dotted = true;                      // dotted curve outside a domain
    bool Handles = true;                     // handles on selected parabolas
    bool LatticeDots = false;                // dots on the lattice points of selected curves
    bool AxisColor = true;                   // coloured axes
    int CircleRadius = 5;                    // pixels, of end marks
    LineMode NextLineMode = LineMode::Whole; // domain kind of the next parabola
    int LineWidth = 1;                       // pixels
    int SegmentEnds = 0;                     // 0..3
    int HalfLineEnds = 0;                    // 0..1
    bool LowerIncluded = true;
    bool UpperIncluded = true;
    Color FixedColor = Colors::White; // white: automatic colours
    int ColorCounter = 0;
    Color PanelBackColor = Colors::Teal;
    Color PanelTextColor = Colors::White;
    int FormulaRowHeight = 20; // pixels

    friend bool operator==(const DrawingSettings &, const DrawingSettings &) = default;
};
