#pragma once
// The formula list: a view of the unit document, one owner-drawn line per
// parabola (line sample in the left 45 pixels, then the formula),
// multi-selection with Ctrl. Mouse handling is passed on to the main window
// after the list itself has updated its focus and selection.

#include "model/Parabola.h"
#include "plane/DrawingSettings.h"

#include <QListView>
#include <QStyledItemDelegate>
#include <functional>

class UnitDocument;

class FormulaList : public QListView {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 19;    // pixels
    static constexpr int SampleWidth = 45;   // pixels left of the text
    static constexpr int PaddedLength = 38;  // characters

    // showText: the formula switch; draw: how the line samples are drawn.
    FormulaList(const UnitDocument *doc, const DrawingSettings &draw, std::function<bool()> showText,
                QWidget *parent = nullptr);

    int count() const;
    int currentRow() const;

    std::function<void(QMouseEvent *)> onMouseDown;  // after the list's own handling
    std::function<void()> onClick;

    // The text an item shows: padded with blanks to 38 characters, or empty
    // while the formula switch is off.
    static QString ItemText(const QString &formula, bool showText);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    friend class FormulaItemDelegate;
    const UnitDocument *m_doc;
    const DrawingSettings &m_draw;
    std::function<bool()> m_showText;
    bool m_pressed = false;
};

class FormulaItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit FormulaItemDelegate(FormulaList *list) : QStyledItemDelegate(list), m_list(list) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    FormulaList *m_list;
};
