#include "output/WorksheetWriter.h"

#include "files/DateText.h"
#include "files/SafeFile.h"
#include "files/TitleText.h"
#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr int Resolution = 1200;          // dots per inch of the PDF's drawing units
constexpr double Dot = Resolution / 25.4; // dots per mm

QPointF ToDots(QPointF mm)
{
    return mm * Dot;
}

QRectF ToDots(const QRectF &mm)
{
    return QRectF(mm.topLeft() * Dot, mm.size() * Dot);
}

QFont TextFont(double points, bool bold = false)
{
    QFont f(Fonts::InstalledFamily(Fonts::Gothic));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void Text(QPainter &p, const QRectF &mm, double points, const QString &text, Qt::Alignment align,
          bool bold = false)
{
    p.setFont(TextFont(points, bold));
    p.setPen(Qt::black);
    p.drawText(ToDots(mm), int(align | Qt::TextSingleLine), text);
}

// Everything one page needs that does not change from box to box.
struct SheetContext {
    const WorksheetUnit &unit;
    const WorksheetOptions &options;
    const ViewSettings &view;
    QString date;
    QList<int> order;
    int pages = 0;
    int planeWidth = 0; // pixels of the plane picture
    int planeHeight = 0;
};

void DrawHeader(QPainter &p, const SheetContext &sheet, const WorksheetPage &page)
{
    const QRectF h = WorksheetHeaderBox();
    const QString title = ShownTitle(sheet.unit.title);
    const QRectF first(h.left(), h.top(), h.width(), 9);
    const QRectF second(h.left(), h.top() + 10, h.width(), 7);
    const QRectF third(h.left(), h.top() + 18, h.width(), 6);
    Text(p, first, 16, page.answers ? WorksheetAnswerHeading(title) : title, Qt::AlignLeft | Qt::AlignVCenter,
         true);
    Text(p, first, 10.5, sheet.date, Qt::AlignRight | Qt::AlignVCenter);
    if (!page.answers) {
        Text(p, second, 11, WorksheetInstruction(), Qt::AlignLeft | Qt::AlignVCenter);
        Text(p, second, 12, WorksheetNameLine(), Qt::AlignRight | Qt::AlignVCenter);
    }
    // The key carries the number too, so it is seen to belong to the sheet.
    if (sheet.options.shuffled)
        Text(p, third, 9, WorksheetSeedText(sheet.options.seed), Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(Qt::black, 0.3 * Dot));
    p.drawLine(ToDots(QPointF(h.left(), h.bottom())), ToDots(QPointF(h.right(), h.bottom())));
    Text(p, WorksheetFooterBox(), 9, WorksheetPageText(page.number, sheet.pages),
         Qt::AlignHCenter | Qt::AlignVCenter);
}

// Draws in the picture pixels of a box whose top-left is at `mm`, one pixel
// being `pixelMm` millimetres.
class PixelBox {
public:
    PixelBox(QPainter &p, QPointF mm, double pixelMm) : m_p(p)
    {
        m_p.save();
        m_p.translate(ToDots(mm));
        m_p.scale(pixelMm * Dot, pixelMm * Dot);
    }
    ~PixelBox() { m_p.restore(); }
    PixelBox(const PixelBox &) = delete;
    PixelBox &operator=(const PixelBox &) = delete;

private:
    QPainter &m_p;
};

// A formula in black on the paper, laid out as the panels lay it out, made
// smaller only when it would not fit the box.
void DrawFormula(QPainter &p, const QRectF &mm, double pixelMm, const QString &text, int rowHeight)
{
    const FormulaLayout layout = LayoutFormula(text, rowHeight);
    int right = 0;
    Canvas measure(1, 1);
    for (const FormulaItem &it : layout.items) {
        if (it.kind == FormulaItem::Kind::Bar) {
            right = std::max(right, it.endX);
            continue;
        }
        measure.setFontSize(it.fontSize > 0 ? it.fontSize : measure.fontSize());
        SelectLetterFont(measure, it.serif ? QChar(u'A') : QChar(u'0'));
        right = std::max(right, it.x + measure.textWidth(it.text));
    }
    const double scale = std::min(pixelMm, right > 0 ? mm.width() / right : pixelMm);
    const int height = std::max(1, int(mm.height() / scale));
    PixelBox box(p, mm.topLeft(), scale);
    Canvas c;
    c.setTarget(&p, std::max(1, right), height);
    c.setPenColor(Colors::Black);
    c.setFontColor(Colors::Black);
    DrawFormulaItems(c, layout.items);
}

// The main plane of the current settings in the box; with a curve on the
// answer pages.
void DrawPlaneBox(QPainter &p, const SheetContext &sheet, const QRectF &mm, const Parabola *curve)
{
    PixelBox box(p, mm.topLeft(), mm.width() / sheet.planeWidth);
    // A curve ends at the picture's edge, as on the screen.
    p.setClipRect(QRect(0, 0, sheet.planeWidth, sheet.planeHeight), Qt::IntersectClip);
    Picture picture;
    picture.canvas().setTarget(&p, sheet.planeWidth, sheet.planeHeight);
    const PlaneGeometry g = DrawPlane(picture, sheet.view, PlaneGeometry());
    if (curve)
        DrawParabola(picture.canvas(), *curve, false, PlotContext{g, sheet.view.Draw, sheet.planeWidth});
}

void DrawBox(QPainter &p, const SheetContext &sheet, const WorksheetPage &page, int slot)
{
    const int position = page.exercises[slot];
    const Parabola &rec = sheet.unit.exercises[std::size_t(sheet.order[position])];
    const ExerciseBox b = WorksheetBox(slot, sheet.options.perPage, page.answers, sheet.planeWidth,
                                       sheet.planeHeight, sheet.options.planePercent);
    Text(p, b.number.adjusted(0, 2, 0, 0), 12, ExerciseNumberText(position + 1),
         Qt::AlignLeft | Qt::AlignTop);
    const int row = sheet.view.Draw.FormulaRowHeight;
    DrawFormula(p, b.formula, Worksheet::FormulaPixel, ExerciseText(rec), row);
    DrawPlaneBox(p, sheet, b.plane, page.answers ? &rec : nullptr);
    if (!page.answers)
        return;
    const QList<AnswerText> texts = ExerciseAnswers(rec);
    const QList<QRectF> places = AnswerBoxes(b.answers);
    for (int i = 0; i < texts.size(); ++i) {
        const QRectF &at = places[i];
        Text(p, QRectF(at.left(), at.top(), at.width(), Worksheet::AnswerLabelHeight), 8, texts[i].label,
             Qt::AlignLeft | Qt::AlignBottom);
        DrawFormula(p, at.adjusted(0, Worksheet::AnswerLabelHeight, 0, 0), Worksheet::AnswerPixel,
                    texts[i].text, row);
    }
}

} // namespace

QByteArray WorksheetPdf(const WorksheetUnit &unit, const WorksheetOptions &options, const ViewSettings &view,
                        const QDateTime &when)
{
    const int count = int(std::min<std::size_t>(unit.exercises.size(), kMaxParabolas));
    if (count <= 0)
        return {};
    SheetContext sheet{unit, options, view, JapaneseDateText(when),
                       ExerciseOrder(count, options.shuffled, options.seed)};
    const QList<WorksheetPage> pages = PaginateWorksheet(count, options.perPage, options.answerKey);
    sheet.pages = int(pages.size());
    sheet.planeWidth = PlaneSizeX(view);
    sheet.planeHeight = PlaneSizeY(view);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(Resolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(ShownTitle(unit.title));
    pdf.setCreator(QStringLiteral("Quorvel"));
    QPainter p(&pdf);
    for (const WorksheetPage &page : pages) {
        if (page.number > 1)
            pdf.newPage();
        DrawHeader(p, sheet, page);
        for (int slot = 0; slot < page.exercises.size(); ++slot)
            DrawBox(p, sheet, page, slot);
    }
    p.end();
    return bytes;
}

QString EmptyWorksheetText()
{
    return QStringLiteral("ワークシートにする放物線がありません");
}

Told<bool> WriteWorksheet(const QString &path, const WorksheetUnit &unit, const WorksheetOptions &options,
                          const ViewSettings &view, const QDateTime &when)
{
    if (unit.exercises.empty())
        return {false, {{EmptyWorksheetText(), MessageKind::Error}}};
    const QString failed = path + QStringLiteral("の保存に失敗しました");
    QByteArray bytes;
    try {
        bytes = WorksheetPdf(unit, options, view, when);
    } catch (const UserError &e) {
        // A plane setting that is not a number: nothing is written.
        return {false, {{failed, MessageKind::Error}, {e.text(), MessageKind::Error}}};
    }
    QString why;
    if (!WriteFileSafely(path, bytes, &why))
        return {false, {{failed, MessageKind::Error}, {why, MessageKind::Error}}};
    return {true, {}};
}
