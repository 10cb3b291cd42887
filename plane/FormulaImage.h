#pragma once
// Formula texts laid out as pictures on a grid of 7-pixel columns, with
// fractions stacked over a bar and exponents raised, and the simpler layout
// of one value-table cell.

#include "plane/Canvas.h"
#include "plane/DrawingSettings.h"
#include "plane/Picture.h"

#include <QString>
#include <functional>
#include <vector>

// How full-width characters and "±" are laid out: in two columns, as in
// the formula texts, or in three, as wide as they are drawn, for texts that
// mix Japanese words with numbers (those need no "す" phrase rule).
enum class WideText { TwoColumns, ThreeColumns };

// Clears the picture to the panel colour and draws the text in the panel
// text colour.
void DrawFormulaImage(Picture &picture, const QString &text, const DrawingSettings &draw,
                      WideText wide = WideText::TwoColumns);
// The row height that centres one line of formula text (no fraction) in a
// picture of the given height.
int CentredRowHeight(int pictureHeight);
// A plain number (bottom empty) or a stacked fraction at column c; returns
// the columns used (0 for an empty top).
int DrawNumber(Canvas &c, const QString &top, const QString &bottom, int column, const DrawingSettings &draw);
// One value-table entry at the cell's inset corner (x, y) with the font and
// colours the table has set; returns its width in pixels.
int DrawTableValue(Canvas &c, const QString &top, const QString &bottom, int x, int y);

// One drawing step of a layout. The layouts are pure, so the positions can
// be checked without reading glyph pixels; the Draw functions above only
// carry the steps out.
struct FormulaItem {
    enum class Kind { Text, Bar, Radical };
    Kind kind = Kind::Text;
    QString text;        // Text: written with the top-left of its cell at (x, y)
    int x = 0;
    int y = 0;
    int fontSize = 0;    // Text: points; 0 keeps the canvas's font as it is
    bool serif = false;  // Text: serif italic (letters) instead of the gothic face
    int endX = 0;        // Bar: from (x, y) to (endX, y), endX itself not painted;
                         // Radical: the end of the bar over the argument
    int penWidth = 1;    // Bar, Radical
};

struct FormulaLayout {
    std::vector<FormulaItem> items;
    int column = 1;  // the column after the last item (1 when the grid is not used)
};

// The steps of DrawFormulaImage for a row height (FormulaRowHeight). Besides
// the formula notation it lays out "√" before a number as a radical sign
// drawn over that number, also inside a fraction (2√2/3).
FormulaLayout LayoutFormula(const QString &text, int rowHeight, WideText wide = WideText::TwoColumns);
// Appends the steps of DrawNumber; returns the columns used.
int LayoutNumber(std::vector<FormulaItem> &items, const QString &top, const QString &bottom, int column,
                 int rowHeight);

struct TableValueLayout {
    std::vector<FormulaItem> items;
    int width = 0;  // pixels
};

// The steps of DrawTableValue; its texts keep the table's font, whose text
// widths in pixels textWidth gives.
TableValueLayout LayoutTableValue(const QString &top, const QString &bottom, int x, int y,
                                  const std::function<int(const QString &)> &textWidth);
// Carries the steps out: bars and radical signs in the pen colour, texts in the font colour
// without background. Pen width, brush and font are left as they were.
void DrawFormulaItems(Canvas &c, const std::vector<FormulaItem> &items);
