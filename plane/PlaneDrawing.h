#pragma once
// The coordinate plane: its size, its geometry and its drawing, for the
// main plane and for the practice / preview planes, plus the small text and
// font routines the other drawing code shares.

#include "plane/Fonts.h"
#include "plane/Picture.h"
#include "plane/PlaneGeometry.h"
#include "plane/PlaneSettings.h"
#include "plane/ViewSettings.h"

#include <QString>

// Main settings' size fields; 0 or less gives the default plane size.
int PlaneSizeX(const ViewSettings &st);
int PlaneSizeY(const ViewSettings &st);

// Geometry of a plane picture of the given size. A scale below 1 cannot be
// used (it would divide by zero); that axis keeps the scale of `previous`.
PlaneGeometry ComputePlaneGeometry(int width, int height, const PlaneSettings &s,
                                   const PlaneGeometry &previous);

// Both size, place and draw the picture and return its geometry; `previous`
// is the geometry the plane had, whose scale stands in for an unusable one.
// A setting text that is not an integer throws UserError; what was drawn
// until then stays.
PlaneGeometry DrawPlane(Picture &picture, const ViewSettings &st, const PlaneGeometry &previous);
PlaneGeometry DrawPracticePlane(Picture &picture, const ViewSettings &st, const PlaneGeometry &previous);

// A fresh bitmap of the picture's own size in the colour; the font colour
// becomes the panel text colour.
void ClearImage(Picture &picture, Color color, const DrawingSettings &draw);
// Text with its top-left corner at the pixel of a real plane point.
void PlaneText(Canvas &canvas, const PlaneGeometry &g, const QString &text, double x, double y);
// Serif italic for 'A'..'z' (returns 2, the extra raise in pixels), the
// gothic face otherwise (returns 0). The size is kept.
int SelectLetterFont(Canvas &canvas, QChar ch);
