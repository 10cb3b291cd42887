#include "output/WorksheetLayout.h"

#include "model/FormulaText.h"

#include <algorithm>
#include <random>

namespace {
constexpr double MarginX = 15; // mm
constexpr double MarginTop = 12;
constexpr double MarginBottom = 12;
constexpr double HeaderHeight = 26;
constexpr double FooterHeight = 5;
constexpr double ColumnGap = 6;
constexpr double RowGap = 4;
constexpr double NumberWidth = 9;
// A formula picture is as tall as the practice window's (65 pixels).
constexpr double FormulaHeight = 65 * Worksheet::FormulaPixel;
constexpr double AnswerColumnWidth = 34;

int BoxesPerPage(int perPage)
{
    return perPage == 6 ? 6 : 4;
}

// The largest rectangle of the aspect w:h inside room, scaled by percent,
// centred across and at the top.
QRectF FitPlane(const QRectF &room, int w, int h, int percent)
{
    const double pw = std::max(1, w), ph = std::max(1, h);
    const double fit = std::min(room.width() / pw, room.height() / ph);
    const double scale = fit * std::clamp(percent, Worksheet::SmallestPlanePercent, 100) / 100.0;
    const double width = pw * scale, height = ph * scale;
    return QRectF(room.left() + (room.width() - width) / 2, room.top(), width, height);
}
} // namespace

QList<int> ExerciseOrder(int count, bool shuffled, std::uint32_t seed)
{
    QList<int> order;
    for (int i = 0; i < count; ++i)
        order.append(i);
    if (!shuffled)
        return order;
    // mt19937's sequence is fixed by the standard; the distributions are
    // not, so the draw below is our own.
    std::mt19937 random(seed);
    for (int i = count - 1; i > 0; --i)
        std::swap(order[i], order[int(random() % std::uint32_t(i + 1))]);
    return order;
}

QList<WorksheetPage> PaginateWorksheet(int count, int perPage, bool answerKey)
{
    const int boxes = BoxesPerPage(perPage);
    QList<WorksheetPage> pages;
    for (const bool answers : {false, true}) {
        if (answers && !answerKey)
            break;
        for (int first = 0; first < count; first += boxes) {
            WorksheetPage page;
            page.answers = answers;
            page.number = int(pages.size()) + 1;
            for (int i = first; i < std::min(count, first + boxes); ++i)
                page.exercises.append(i);
            pages.append(page);
        }
    }
    return pages;
}

ExerciseBox WorksheetBox(int slot, int perPage, bool answers, int planeWidth, int planeHeight,
                         int planePercent)
{
    const int rows = BoxesPerPage(perPage) / 2;
    const double top = MarginTop + HeaderHeight + 2;
    const double bottom = Worksheet::PageHeight - MarginBottom - FooterHeight - 2;
    const double width = (Worksheet::PageWidth - 2 * MarginX - ColumnGap) / 2;
    const double height = (bottom - top - (rows - 1) * RowGap) / rows;
    const int row = slot / 2, column = slot % 2;
    ExerciseBox b;
    b.box = QRectF(MarginX + column * (width + ColumnGap), top + row * (height + RowGap), width, height);
    b.number = QRectF(b.box.left(), b.box.top(), NumberWidth, FormulaHeight);
    b.formula = QRectF(b.box.left() + NumberWidth, b.box.top(), width - NumberWidth, FormulaHeight);
    const QRectF room(b.box.left(), b.box.top() + FormulaHeight + 1, width, height - FormulaHeight - 1);
    if (!answers) {
        b.plane = FitPlane(room, planeWidth, planeHeight, planePercent);
        return b;
    }
    // The answers beside the plane or under it in two columns, whichever
    // leaves the larger plane.
    QRectF beside = room, above = room;
    beside.setRight(room.right() - AnswerColumnWidth - 2);
    above.setBottom(room.bottom() - 2 * Worksheet::AnswerItemHeight - 1);
    if (FitPlane(above, planeWidth, planeHeight, 100).width() >
        FitPlane(beside, planeWidth, planeHeight, 100).width()) {
        b.plane = FitPlane(above, planeWidth, planeHeight, planePercent);
        b.answers = QRectF(room.left(), b.plane.bottom() + 1, room.width(), 2 * Worksheet::AnswerItemHeight);
    } else {
        b.plane = FitPlane(beside, planeWidth, planeHeight, planePercent);
        b.answers = QRectF(beside.right() + 2, room.top(), AnswerColumnWidth, room.height());
    }
    return b;
}

QList<QRectF> AnswerBoxes(const QRectF &answers)
{
    const int columns = answers.width() >= 2 * AnswerColumnWidth ? 2 : 1;
    const double w = answers.width() / columns;
    QList<QRectF> boxes;
    for (int i = 0; i < 4; ++i)
        boxes << QRectF(answers.left() + (i % columns) * w,
                        answers.top() + (i / columns) * Worksheet::AnswerItemHeight, w,
                        Worksheet::AnswerItemHeight);
    return boxes;
}

QRectF WorksheetHeaderBox()
{
    return QRectF(MarginX, MarginTop, Worksheet::PageWidth - 2 * MarginX, HeaderHeight);
}

QRectF WorksheetFooterBox()
{
    return QRectF(MarginX, Worksheet::PageHeight - MarginBottom - FooterHeight,
                  Worksheet::PageWidth - 2 * MarginX, FooterHeight);
}

QString WorksheetNameLine()
{
    return QStringLiteral("　年　組　番　名前＿＿＿＿");
}

QString WorksheetInstruction()
{
    return QStringLiteral("次の関数のグラフをかきなさい。");
}

QString WorksheetAnswerHeading(const QString &title)
{
    return title + QStringLiteral("　解答");
}

QString WorksheetSeedText(std::uint32_t seed)
{
    return QStringLiteral("シャッフル番号 ") + QString::number(seed);
}

QString WorksheetPageText(int page, int pages)
{
    return QStringLiteral("%1 / %2").arg(page).arg(pages);
}

QString ExerciseNumberText(int number)
{
    return QStringLiteral("(%1)").arg(number);
}

QString ExerciseText(const Parabola &rec)
{
    const QString formula = rec.Formula.isEmpty() ? StandardFormPlain(rec) : rec.Formula;
    const QString domain = DomainText(rec);
    if (domain.isEmpty() || formula.contains(domain))
        return formula;
    return formula + QStringLiteral(" (") + domain + QLatin1Char(')');
}

QList<AnswerText> ExerciseAnswers(const Parabola &rec)
{
    return {
        {QStringLiteral("頂点の座標"), VertexText(rec)},
        {QStringLiteral("軸の式"), AxisText(rec)},
        {QStringLiteral("Ｘの変域"), rec.LineMode == 0 ? QStringLiteral("すべての数") : DomainText(rec)},
        {QStringLiteral("Ｙの変域"), RangeText(rec)},
    };
}
