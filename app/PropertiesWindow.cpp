#include "app/PropertiesWindow.h"

#include "document/UnitDocument.h"
#include "model/Properties.h"
#include "plane/DrawingSettings.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "ui/ImageView.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QShowEvent>

namespace {
// Pixels: the caption column, the pictures right of it, one row each.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 124;
constexpr int kImageLeft = 136;
constexpr int kImageWidth = 340;
constexpr int kImageHeight = 60;
constexpr int kRowPitch = 64;
constexpr int kTop = 8;
// Where the window opens, from the main window's top-left corner.
constexpr int kListLeft = 8;
constexpr int kListTop = 140;

// The pictures' names and captions, and where each row's text comes from.
struct RowSpec {
    const char *name;
    const char *caption;
    QString ParabolaProperties::*text;
};
const RowSpec kRows[] = {
    {"imgAxis", "軸", &ParabolaProperties::axis},
    {"imgVertex", "頂点", &ParabolaProperties::vertex},
    {"imgYIntercept", "y軸との交点", &ParabolaProperties::yIntercept},
    {"imgXIntercepts", "x軸との共有点", &ParabolaProperties::xIntercepts},
    {"imgDiscriminant", "判別式", &ParabolaProperties::discriminant},
    {"imgMaximum", "最大値", &ParabolaProperties::maximum},
    {"imgMinimum", "最小値", &ParabolaProperties::minimum},
};
} // namespace

PropertiesWindow::PropertiesWindow(const UnitDocument &doc, const DrawingSettings &draw, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint), m_doc(doc),
      m_draw(draw)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("グラフの性質"));
    setModal(false);
    int top = kTop;
    for (const RowSpec &row : kRows) {
        const QString caption = QString::fromUtf8(row.caption);
        auto *label = new QLabel(caption, this);
        label->setGeometry(kCaptionLeft, top, kCaptionWidth, kImageHeight);
        auto *image = new ImageView(this);
        image->setObjectName(QLatin1String(row.name));
        image->place(kImageLeft, top, kImageWidth, kImageHeight);
        image->setAccessibleName(caption);
        label->setBuddy(image);
        m_images.push_back(image);
        top += kRowPitch;
    }
    setFixedSize(kImageLeft + kImageWidth + kCaptionLeft, top + kTop - (kRowPitch - kImageHeight));
    // It opens over the formula list, leaving the plane with the curve free.
    if (parent)
        move(parent->geometry().topLeft() + QPoint(kListLeft, kListTop));
    connect(&doc, &UnitDocument::changed, this, [this] { refresh(); });
    connect(doc.selection(), &QItemSelectionModel::selectionChanged, this, [this] { refresh(); });
}

void PropertiesWindow::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    refresh();
}

void PropertiesWindow::refresh()
{
    // Hidden, it has nothing to keep up to date; showing it refreshes.
    if (!isVisible())
        return;
    const int row = currentRow ? currentRow() : -1;
    const bool shown = row >= 0 && row < m_doc.count() && (!answersShown || answersShown());
    const ParabolaProperties p = shown ? PropertiesOf(m_doc.at(row)) : ParabolaProperties{};
    m_texts.clear();
    for (std::size_t i = 0; i < m_images.size(); ++i) {
        const QString text = p.*kRows[i].text;
        m_texts << text;
        Picture &picture = m_images[i]->picture();
        if (text.isEmpty())
            ClearImage(picture, m_draw.PanelBackColor, m_draw);
        else
            DrawFormulaImage(picture, text, m_draw, WideText::ThreeColumns);
    }
}
