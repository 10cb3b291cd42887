#pragma once
// What goes where on a worksheet made from a unit: the order of the
// exercises, which exercise lands on which page and in which box, and the
// texts of the header and the answers. Pure values in millimetres on an A4
// portrait page; nothing here draws.

#include "model/Parabola.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <cstdint>

struct WorksheetOptions {
    bool shuffled = false;       // exercises in a mixed order instead of the unit's
    std::uint32_t seed = 1;      // the mixed order; the same seed gives the same order
    bool answerKey = true;       // answer pages after the exercise pages
    int perPage = 4;             // 4 or 6 exercises on a page
    int planePercent = 100;      // plane size in percent of the room a box gives it
    bool openAfterwards = false; // show the file in the PDF viewer when written
};

namespace Worksheet {
constexpr double PageWidth = 210; // mm, A4 portrait
constexpr double PageHeight = 297;
constexpr int SmallestPlanePercent = 30;
constexpr int LargestSeed = 99999; // short enough to copy off a sheet
// The size a formula picture's pixel has on paper (mm): the layouts are
// made in pixels for the screen.
constexpr double FormulaPixel = 0.2;
constexpr double AnswerPixel = 0.16;
// One answer: its label over its formula picture (65 pixels high).
constexpr double AnswerLabelHeight = 4;
constexpr double AnswerItemHeight = AnswerLabelHeight + 65 * AnswerPixel;
} // namespace Worksheet

// The positions of the unit's exercises (0-based) in the order the sheet
// poses them. The mixed order depends on nothing but the seed and the
// count, on every platform.
QList<int> ExerciseOrder(int count, bool shuffled, std::uint32_t seed);

// One page: exercise pages first, then (with the key) the answer pages
// in the same order.
struct WorksheetPage {
    bool answers = false;
    int number = 1;       // 1-based among all pages
    QList<int> exercises; // indexes into the sheet's order, one per box
};
// perPage other than 4 or 6 counts as 4.
QList<WorksheetPage> PaginateWorksheet(int count, int perPage, bool answerKey);

// The boxes of one exercise on its page (mm from the page's top-left).
struct ExerciseBox {
    QRectF box;     // the whole box
    QRectF number;  // "(1)"
    QRectF formula; // the exercise formula, as wide as the box allows
    QRectF plane;   // the coordinate plane, with the plane's aspect ratio
    QRectF answers; // answer pages: the vertex, axis, domain and range texts
};
// Box `slot` (0-based, by rows of two) of a page with `perPage` boxes for a
// plane picture of planeWidth x planeHeight pixels.
ExerciseBox WorksheetBox(int slot, int perPage, bool answers, int planeWidth, int planeHeight,
                         int planePercent);
// The places of the four answers in the answers box: one column, or two
// when the box is wide enough.
QList<QRectF> AnswerBoxes(const QRectF &answers);
// Header and footer places (mm).
QRectF WorksheetHeaderBox();
QRectF WorksheetFooterBox();

// Texts.
QString WorksheetNameLine(); // the line a pupil fills in
QString WorksheetInstruction();
QString WorksheetAnswerHeading(const QString &title);
QString WorksheetSeedText(std::uint32_t seed);
QString WorksheetPageText(int page, int pages);
QString ExerciseNumberText(int number); // 1-based
// The exercise as the practice window poses it: the stored formula, with
// the domain in brackets after it when the record has one and the stored
// text does not say it.
QString ExerciseText(const Parabola &rec);

struct AnswerText {
    QString label; // the caption of the main window's panel
    QString text;  // formula notation
};
QList<AnswerText> ExerciseAnswers(const Parabola &rec);
