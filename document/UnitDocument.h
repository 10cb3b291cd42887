#pragma once
// The open unit: its parabolas in list order, each with the five file lines
// it was read or last changed with, the file lines that no record holds,
// the title and path, the selection and the undo history. Views read it
// and repaint on its signals; nothing else keeps a copy of the unit.

#include "model/Parabola.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QAbstractListModel;
class QItemSelectionModel;
class QUndoStack;
struct UnitContents;

// One parabola of the unit as the formula list shows it and the file holds it.
struct UnitEntry {
    Parabola parabola;   // with its cached formula text
    QString listText;    // the formula list's text
    QStringList lines;   // its five lines in the unit file

    friend bool operator==(const UnitEntry &, const UnitEntry &) = default;
};

// The part of the unit that an undo step restores.
struct UnitSnapshot {
    QList<UnitEntry> entries;
    QStringList trailingLines;  // lines after the last record's, kept as read
    QList<int> selected;        // rows, ascending

    // Entry `row` becomes the record with the list text given; its file
    // lines are written anew.
    void put(int row, const Parabola &rec, const QString &listText);
    void append(const Parabola &rec, const QString &listText);

    friend bool operator==(const UnitSnapshot &, const UnitSnapshot &) = default;
};

class UnitDocument : public QObject {
    Q_OBJECT
public:
    explicit UnitDocument(QObject *parent = nullptr);
    ~UnitDocument() override;

    int count() const { return int(m_now.entries.size()); }
    const Parabola &at(int row) const { return m_now.entries[row].parabola; }
    const UnitEntry &entry(int row) const { return m_now.entries[row]; }
    // The unit as it is now, with the selection; a change edits a copy.
    UnitSnapshot snapshot() const;
    std::vector<Parabola> parabolas() const;

    // The formula list's model (display role: the list text) and selection.
    QAbstractListModel *model() const;
    QItemSelectionModel *selection() const { return m_selection; }
    QUndoStack *undoStack() const { return m_undo; }

    bool isSelected(int row) const;
    QList<int> selectedRows() const;  // ascending
    void selectOnly(int row);         // a row outside the list selects nothing
    void setSelectedRows(const QList<int> &rows);

    // The title the next overwrite writes and the file it goes to.
    const QString &title() const { return m_title; }
    const QString &filePath() const { return m_filePath; }
    // Control characters are left out of the title.
    void setNames(const QString &title, const QString &filePath);
    // The unit file's lines: the title, five per parabola, then the rest as read.
    QStringList fileLines() const;

    // Whole-unit steps; each starts a new history.
    void reset(const QString &title, const QString &filePath);
    // The unit read from a file: its title is line 0 of the file.
    void load(const UnitContents &unit, const QString &filePath);
    // Forgets the history but not whether the unit is unsaved.
    void startNewHistory();
    void markSaved(const QString &title, const QString &filePath);
    // A change since the last save, open or reset that is not undone.
    bool isModified() const;

    // One undo step named `text` from the unit as it is to `next`; when
    // only the selection differs it is set and nothing is pushed. Either
    // way the views are told.
    void commit(const QString &text, const UnitSnapshot &next);
    // Rewrites every formula and list text, also in the history, when the
    // formula form changes; this is no change of the unit.
    void retext(const std::function<QString(const Parabola &)> &text);

signals:
    // The records or the selection were set by a change, an undo or a redo.
    void changed();
    void namesChanged();

private:
    friend class UnitChange;
    class Model;
    void restore(const UnitSnapshot &s);

    UnitSnapshot m_now;
    QString m_title;
    QString m_filePath;
    std::unique_ptr<Model> m_model;
    QItemSelectionModel *m_selection = nullptr;
    QUndoStack *m_undo = nullptr;
    bool m_unsavedWithoutHistory = false;
};
