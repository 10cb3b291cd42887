#pragma once
// The table of values above the formula list: x values around the vertex
// of one parabola and their exact y values, painted straight onto the
// picture of the table. The picture keeps the last fill, so the table shows
// it again whenever it is uncovered.

#include "model/Parabola.h"
#include "plane/Canvas.h"

#include <QRect>

#include <memory>

class ImageView;

class ValueTable {
public:
    static constexpr int ColumnWidth = 35;  // pixels
    static constexpr int GridLine = 1;
    static constexpr int Row0Height = 20;
    static constexpr int Row1Height = 40;
    static constexpr int NarrowColumns = 10;
    static constexpr int WideColumns = 22;

    explicit ValueTable(ImageView *view) : m_view(view) {}

    int columnCount() const { return m_columns; }
    // 10 <-> 22 columns.
    void toggleWidth() { m_columns = m_columns == NarrowColumns ? WideColumns : NarrowColumns; }
    int width() const { return (ColumnWidth + GridLine) * m_columns + GridLine + 3; }
    static int height() { return 3 * GridLine + 62; }
    QRect cellRect(int column, int row) const;
    // Column that shows the vertex x.
    int vertexColumn() const { return (m_columns - 2) / 2 + 1; }

    // Fills the table for a record (nullptr: only the labels). With the
    // table switched off, only the y row is blanked.
    void Fill(const Parabola *rec, bool enabled);
    void ClearValueRow();
    void ClearValueTable();

private:
    void prepare();
    void drawLabels();
    void blankCell(int column, int row);
    void drawColumn(const Parabola &rec, int column, int x);
    // One cell's number or fraction, shrunk to fit and kept inside the cell.
    void drawCell(int column, int row, const QString &top, const QString &bottom, Color color, bool bold);

    ImageView *m_view;
    int m_columns = NarrowColumns;
    std::unique_ptr<Canvas[]> m_cells; // a cell of the x row and one of the y row
};
