#pragma once
// The print dialog: a sheet of the plane with heading and title, drawn
// onto the printer's painter as one page scaled to the printer's page width,
// and at screen resolution as the preview. The plane itself is drawn by the
// main window, onto whatever canvas the dialog hands it.

#include "files/AppFolder.h"
#include "plane/DrawingSettings.h"

#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <memory>
#include <QRect>
#include <QString>
#include <functional>

class Canvas;
class ImageView;
class Picture;
class QComboBox;
class QPainter;
class QLabel;
class QLineEdit;
class QSpinBox;

// Stretch of the 640-pixel sheet on a page `pageWidth` printer pixels wide:
// 32/7 for the reference width of 2892 pixels, in proportion otherwise.
double PrintFactor(int pageWidth);
// Where the sheet goes on the page: from the top-left corner, square.
QRect PrintTarget(int pageWidth, int sheetSize);
// Length of a text in CP932 bytes; characters CP932 lacks count two.
int Cp932Length(const QString &text);
// Left edge of the title line: centred under a plane `planeWidth` pixels
// wide at `left`, estimating each CP932 byte as a quarter of the
// point size wide.
int TitleLeft(int left, int planeWidth, const QString &title, int fontPoints);

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int SheetSize = 640;           // pixels, square
    static constexpr int ReferencePageWidth = 2892; // printer pixels
    static constexpr int FontPoints = 12;           // heading and title
    static constexpr int TitleGap = 15;             // pixels below the plane
    inline static const QString DefaultTitle = QStringLiteral("Quorvel 放物線学習ツール");
    // The ways the plane's size on paper is chosen: the size in percent, or
    // one grid unit of the plane as a length on paper.
    enum class Scale { Percent, FiveMillimetres, OneCentimetre };

    PrintDialog(const DrawingSettings &draw, const AppFolder &folder, QWidget *parent = nullptr);
    ~PrintDialog() override;

    // Wired by the main window: the size of its plane and the pixels of one
    // grid unit across, the drawing of the plane with its curves onto a
    // picture whose canvas has a target of that size, and the unit window's
    // file-name label.
    std::function<QSize()> planeSize;
    std::function<int()> planeUnit;
    std::function<void(Picture &)> drawPlane;
    std::function<QString()> unitFileName;
    // The printer dialog; true when confirmed. Tests replace it.
    std::function<bool(QPrinter &)> setupPrinter;
    // Called after each finished print job with its copy number (from 1).
    std::function<void(int)> jobPrinted;

    // Made on first use: setting up a printer costs start-up time and memory.
    QPrinter &printer()
    {
        if (!m_printer)
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *m_printer;
    }
    bool printerReady() const { return m_printerReady; }
    // The preview sheet as it stands.
    const Canvas &sheet() const;

    void prepareToShow();
    void DrawPrintPreview();
    // Runs the printer dialog; on confirmation refreshes the page labels.
    bool SetUpPrinter();
    // Prints the sheet, one job per copy; returns the jobs printed.
    int PrintSheet();
    // Draws the sheet (SheetSize pixels square, cut at its edge) onto the
    // painter, whose transform places and scales it.
    void drawSheet(QPainter &painter);
    // The plane's size on the sheet as a factor of its pixels.
    double planeRatio();
    void printClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    const DrawingSettings &m_draw;
    const AppFolder &m_folder;
    void buildForm();
    void showPageSize();

    std::unique_ptr<QPrinter> m_printer;
    bool m_printerReady = false;

    ImageView *sheetView = nullptr;
    QSpinBox *leftMarginSpin = nullptr;
    QSpinBox *topMarginSpin = nullptr;
    QSpinBox *reductionSpin = nullptr;
    QComboBox *scaleCombo = nullptr;
    QLineEdit *titleField = nullptr;
    QLineEdit *fileField = nullptr;
    QLabel *paperWidthLabel = nullptr;
    QLabel *paperHeightLabel = nullptr;
};
