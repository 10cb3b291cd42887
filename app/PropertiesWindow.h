#pragma once
// The modeless window "グラフの性質": the properties of the current
// parabola (axis, vertex, where the graph meets the axes, the discriminant,
// and the largest and smallest values on its domain), each laid out in a
// formula picture like the main window's panels. It follows the document
// and computes nothing itself.

#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

struct DrawingSettings;
class ImageView;
class UnitDocument;

class PropertiesWindow : public QDialog {
    Q_OBJECT
public:
    PropertiesWindow(const UnitDocument &doc, const DrawingSettings &draw, QWidget *parent = nullptr);

    // The row whose properties are shown: the main window's current parabola.
    std::function<int()> currentRow;
    // False while the main window hides its formulas or ranges: then
    // nothing is shown here either.
    std::function<bool()> answersShown;

    // Shows the current parabola's properties, or empty pictures.
    void refresh();
    // The texts laid out now, one per picture in order (empty when none).
    const QStringList &shownTexts() const { return m_texts; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    const UnitDocument &m_doc;
    const DrawingSettings &m_draw;
    std::vector<ImageView *> m_images;
    QStringList m_texts;
};
