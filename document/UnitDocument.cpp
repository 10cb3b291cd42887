#include "document/UnitDocument.h"

#include "files/TitleText.h"
#include "files/UnitFile.h"
#include "files/UnitLines.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

void UnitSnapshot::put(int row, const Parabola &rec, const QString &listText)
{
    entries[row] = UnitEntry{rec, listText, UnitLinesOf(rec)};
}

void UnitSnapshot::append(const Parabola &rec, const QString &listText)
{
    entries.append(UnitEntry{rec, listText, UnitLinesOf(rec)});
}

class UnitDocument::Model : public QAbstractListModel {
public:
    explicit Model(const UnitDocument *doc) : m_doc(doc) {}
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : m_doc->count(); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_doc->count() || role != Qt::DisplayRole)
            return {};
        return m_doc->entry(index.row()).listText;
    }
    // The document changes its rows itself; these tell the views.
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void rowsChanged(int first, int last) { emit dataChanged(index(first), index(last)); }

private:
    const UnitDocument *m_doc;
};

// One change of the unit: the unit before and after it.
class UnitChange : public QUndoCommand {
public:
    UnitChange(UnitDocument *doc, const QString &text, UnitSnapshot before, UnitSnapshot after)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_doc->restore(m_before); }
    void redo() override { m_doc->restore(m_after); }
    void retext(const std::function<QString(const Parabola &)> &text)
    {
        for (UnitSnapshot *s : {&m_before, &m_after})
            for (UnitEntry &e : s->entries)
                e.listText = e.parabola.Formula = text(e.parabola);
    }

private:
    UnitDocument *m_doc;
    UnitSnapshot m_before, m_after;
};

UnitDocument::UnitDocument(QObject *parent)
    : QObject(parent), m_model(std::make_unique<Model>(this)), m_selection(new QItemSelectionModel(m_model.get(), this)),
      m_undo(new QUndoStack(this))
{
    // A step keeps one copy of the entries it changed; 500 of a full unit
    // stay within a few megabytes.
    m_undo->setUndoLimit(500);
}

UnitDocument::~UnitDocument()
{
    // The stack's commands point back here; they go before the model does.
    delete m_undo;
    delete m_selection;
}

QAbstractListModel *UnitDocument::model() const
{
    return m_model.get();
}

UnitSnapshot UnitDocument::snapshot() const
{
    UnitSnapshot s = m_now;
    s.selected = selectedRows();
    return s;
}

std::vector<Parabola> UnitDocument::parabolas() const
{
    std::vector<Parabola> all;
    all.reserve(std::size_t(count()));
    for (const UnitEntry &e : m_now.entries)
        all.push_back(e.parabola);
    return all;
}

bool UnitDocument::isSelected(int row) const
{
    return row >= 0 && row < count() && m_selection->isRowSelected(row, QModelIndex());
}

QList<int> UnitDocument::selectedRows() const
{
    QList<int> rows;
    for (int i = 0; i < count(); ++i)
        if (isSelected(i))
            rows.append(i);
    return rows;
}

void UnitDocument::selectOnly(int row)
{
    setSelectedRows(row >= 0 && row < count() ? QList<int>{row} : QList<int>{});
}

void UnitDocument::setSelectedRows(const QList<int> &rows)
{
    QItemSelection s;
    for (int r : rows)
        if (r >= 0 && r < count())
            s.select(m_model->index(r), m_model->index(r));
    m_selection->select(s, QItemSelectionModel::ClearAndSelect);
}

void UnitDocument::setNames(const QString &title, const QString &filePath)
{
    m_title = WithoutControls(title);
    m_filePath = filePath;
    emit namesChanged();
}

QStringList UnitDocument::fileLines() const
{
    QStringList lines{m_title};
    for (const UnitEntry &e : m_now.entries)
        lines += e.lines;
    return lines + m_now.trailingLines;
}

void UnitDocument::restore(const UnitSnapshot &s)
{
    const bool sameRows = s.entries.size() == m_now.entries.size();
    if (!sameRows)
        m_model->beginReset();
    m_now = s;
    if (sameRows) {
        if (count() > 0)
            m_model->rowsChanged(0, count() - 1);
    } else {
        m_model->endReset();
    }
    setSelectedRows(s.selected);
    emit changed();
}

void UnitDocument::reset(const QString &title, const QString &filePath)
{
    m_undo->clear();
    m_unsavedWithoutHistory = false;
    restore(UnitSnapshot{});
    setNames(title, filePath);
}

void UnitDocument::load(const UnitContents &unit, const QString &filePath)
{
    m_undo->clear();
    m_unsavedWithoutHistory = false;
    UnitSnapshot s;
    const int n = unit.count();
    for (int i = 0; i < n; ++i)
        s.entries.append(UnitEntry{unit.records[std::size_t(i)], unit.listTexts.value(i),
                                   unit.lines.mid(qsizetype(5) * i + 1, 5)});
    s.trailingLines = unit.lines.mid(qsizetype(5) * n + 1);
    restore(s);
    setNames(unit.lines.value(0), filePath);
}

void UnitDocument::startNewHistory()
{
    m_unsavedWithoutHistory = isModified();
    m_undo->clear();
}

void UnitDocument::markSaved(const QString &title, const QString &filePath)
{
    m_unsavedWithoutHistory = false;
    m_undo->setClean();
    setNames(title, filePath);
}

bool UnitDocument::isModified() const
{
    return m_unsavedWithoutHistory || !m_undo->isClean();
}

void UnitDocument::commit(const QString &text, const UnitSnapshot &next)
{
    UnitSnapshot before = snapshot();
    if (before.entries == next.entries && before.trailingLines == next.trailingLines) {
        setSelectedRows(next.selected);  // a selection alone is no step to undo
        emit changed();
        return;
    }
    m_undo->push(new UnitChange(this, text, std::move(before), next));
}

void UnitDocument::retext(const std::function<QString(const Parabola &)> &text)
{
    for (int i = 0; i < m_undo->count(); ++i)
        static_cast<UnitChange *>(const_cast<QUndoCommand *>(m_undo->command(i)))->retext(text);
    for (UnitEntry &e : m_now.entries)
        e.listText = e.parabola.Formula = text(e.parabola);
    if (count() > 0)
        m_model->rowsChanged(0, count() - 1);
}
