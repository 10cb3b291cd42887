#pragma once
// Plotting of parabola records on a plane picture: sampled curve pieces,
// solid or dotted by domain kind, end marks, handles, lattice dots, marks
// and the line sample. Everything is drawn in the canvas's current pen mode,
// so drawing the same thing twice in not-xor mode removes it again.
// Positions come from st.Geometry; the switches from st.Draw.

#include "model/Parabola.h"
#include "plane/Canvas.h"
#include "plane/Picture.h"
#include "plane/ProgramState.h"

#include <QPoint>
#include <utility>
#include <vector>

// Pixel positions of the samples of the curve between two integer x
// (−99 and 99 stand for the ends of the visible range), in drawing order,
// on a picture as wide as the main plane. Samples left or right of the
// picture are not made, so a piece never costs more than the width allows.
// Empty for a degenerate record.
std::vector<QPoint> CurvePieceSamples(int from, int to, const Parabola &rec, const ProgramState &st);

bool DrawCurvePiece(int from, int to, Canvas &c, bool dotted, const Parabola &rec, const ProgramState &st);
void DrawParabola(Canvas &c, const Parabola &rec, bool selected, const ProgramState &st);
void DrawEndMark(Canvas &c, int x, const Parabola &rec, bool included, const ProgramState &st);
// which = 1: the vertex; any other value: the passing point.
void DrawHandle(Canvas &c, const Parabola &rec, int which, const ProgramState &st);
// Dots on the lattice points of the curve inside its domain (only while the
// lattice-dot switch is on).
void DrawLatticeDots(Canvas &c, const Parabola &rec, const ProgramState &st);
void MarkCurvePoint(Canvas &c, int x, const Parabola &rec, const ProgramState &st);
void DrawPointMarker(Canvas &c, QPoint lattice, Color color, const ProgramState &st);
void DrawUnbounded(Canvas &c, const Parabola &rec, const ProgramState &st);

// End inclusion (lower, upper) of a line mode and end style; an unknown
// mode shows "GraphMode error" and gives (false, false).
std::pair<bool, bool> EndFlagsOf(int mode, int endStyle);
int CurrentEndStyle(const DrawingSettings &draw);
// The line sample of a record, or of the next parabola for a record with an
// empty formula; its stroke lies at y = top + 10.
void DrawLineSample(Canvas &c, const Parabola &rec, int top, DrawingSettings &draw);
// Brings the current end flags up to date and redraws the 40 x 24 sample.
void RedrawLineSample(Picture &sample, DrawingSettings &draw);
