#pragma once
// Plotting of parabola records on a plane picture: sampled curve pieces,
// solid or dotted by domain kind, end marks, handles, lattice dots, marks
// and the line sample. Positions come from the plane's geometry, the
// switches from the drawing settings; nothing here keeps state.

#include "model/Parabola.h"
#include "plane/Canvas.h"
#include "plane/DrawingSettings.h"
#include "plane/Picture.h"
#include "plane/PlaneGeometry.h"

#include <QPoint>
#include <optional>
#include <utility>
#include <vector>

// What a curve is drawn with: the geometry of the plane it is drawn on, the
// drawing switches, and the width of the main plane picture, which decides
// the visible x range of every curve (pixels).
struct PlotContext {
    const PlaneGeometry &geometry;
    const DrawingSettings &draw;
    int planeWidth = 544;
};

// Pixel positions of the samples of the curve between two integer x
// (−99 and 99 stand for the ends of the visible range), in drawing order,
// on a picture as wide as the main plane. Samples left or right of the
// picture are not made, so a piece never costs more than the width allows.
// Empty for a degenerate record.
std::vector<QPoint> CurvePieceSamples(int from, int to, const Parabola &rec, const PlotContext &ctx);

bool DrawCurvePiece(int from, int to, Canvas &c, bool dotted, const Parabola &rec, const PlotContext &ctx);
// A stored parabola: its pieces by domain kind and end marks; a selected
// one also gets its two handles.
void DrawParabola(Canvas &c, const Parabola &rec, bool selected, const PlotContext &ctx);
// What marks a stored parabola as selected: its two handles (none on a
// degenerate segment, which shows nothing) and its lattice dots.
void DrawSelectionMarks(Canvas &c, const Parabola &rec, const PlotContext &ctx);
// Curve pieces drawn since the program started: lets tests and the benchmark
// see which steps draw the stored curves again.
long long CurvePiecesDrawn();
// The curve under the mouse while it is drawn or reshaped: the whole curve,
// solid, with the handle being moved (the passing point or the vertex).
void DrawRubberBand(Canvas &c, const Parabola &rec, bool movingPassPoint, const PlotContext &ctx);
void DrawEndMark(Canvas &c, int x, const Parabola &rec, bool included, const PlotContext &ctx);
enum class Handle { Vertex, PassingPoint };
void DrawHandle(Canvas &c, const Parabola &rec, Handle which, const PlotContext &ctx);
// Dots on the lattice points of the curve inside its domain (only while the
// lattice-dot switch is on).
void DrawLatticeDots(Canvas &c, const Parabola &rec, const PlotContext &ctx);
void MarkCurvePoint(Canvas &c, int x, const Parabola &rec, const PlotContext &ctx);
void DrawPointMarker(Canvas &c, QPoint lattice, Color color, const PlotContext &ctx);
void DrawUnbounded(Canvas &c, const Parabola &rec, const PlotContext &ctx);

// The end style of the next parabola: the segment or half-line ends of its
// line mode, 0 for a whole curve.
int CurrentEndStyle(const DrawingSettings &draw);
// Sets the end flags of the next parabola from its line mode and ends (a
// whole curve by the segment ends).
void UpdateEndFlags(DrawingSettings &draw);
// The line sample of a record, or of the next parabola for a record with an
// empty formula; its stroke lies at y = top + 10.
void DrawLineSample(Canvas &c, const Parabola &rec, int top, DrawingSettings &draw);
// Brings the current end flags up to date and redraws the 40 x 24 sample.
void RedrawLineSample(Picture &sample, DrawingSettings &draw);
