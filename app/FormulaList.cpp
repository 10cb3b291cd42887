#include "app/FormulaList.h"

#include "document/UnitDocument.h"
#include "plane/Canvas.h"
#include "plane/Plotting.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

FormulaList::FormulaList(const UnitDocument *doc, const DrawingSettings &draw, std::function<bool()> showText,
                         QWidget *parent)
    : QListView(parent), m_doc(doc), m_draw(draw), m_showText(std::move(showText))
{
    setModel(doc->model());
    // The document's selection is the list's: commands and undo set it there.
    QItemSelectionModel *own = selectionModel();
    setSelectionModel(doc->selection());
    delete own;
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new FormulaItemDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int FormulaList::count() const
{
    return model()->rowCount();
}

int FormulaList::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

QString FormulaList::ItemText(const QString &formula, bool showText)
{
    if (!showText)
        return {};
    return formula.leftJustified(PaddedLength, QLatin1Char(' '));
}

void FormulaList::mousePressEvent(QMouseEvent *e)
{
    QListView::mousePressEvent(e);
    m_pressed = true;
    if (onMouseDown)
        onMouseDown(e);
}

void FormulaList::mouseReleaseEvent(QMouseEvent *e)
{
    QListView::mouseReleaseEvent(e);
    if (m_pressed && e->button() == Qt::LeftButton && onClick)
        onClick();
    m_pressed = false;
}

void FormulaList::keyPressEvent(QKeyEvent *e)
{
    const int before = currentRow();
    QListView::keyPressEvent(e);
    // Moving through the list with the keys counts as a click, as it always did.
    if (currentRow() != before && onClick)
        onClick();
}

void FormulaItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &pal = option.palette;
    const QColor back = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
    const QColor fore = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
    const QRect r = option.rect;
    painter->fillRect(r, back);

    const int i = index.row();
    const bool showText = m_list->m_showText ? m_list->m_showText() : true;
    painter->setPen(fore);
    painter->setFont(option.font);
    const QString text = FormulaList::ItemText(index.data(Qt::DisplayRole).toString(), showText);
    painter->drawText(QRect(r.left() + FormulaList::SampleWidth, r.top(), r.width(), r.height()),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);

    if (i >= 0 && i < m_list->m_doc->count()) {
        const Parabola &rec = m_list->m_doc->at(i);
        if (rec.LineMode < 4) {
            Canvas sample(FormulaList::SampleWidth, FormulaList::ItemHeight, FromQColor(back),
                          painter->device()->devicePixelRatioF());
            DrawingSettings draw = m_list->m_draw; // the sample reads, never changes, the counter here
            DrawLineSample(sample, rec, 0, draw);
            painter->drawImage(r.topLeft(), sample.image());
        }
    }
}

QSize FormulaItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(FormulaList::ItemHeight);
    return s;
}
