#pragma once
// The line kind dialog "線の種類": a modeless tool window that sets the
// domain kind, end inclusion and width of the next parabolas. It edits
// copies of the main window's current line kind and hands them back on OK.

#include "plane/DrawingSettings.h"

#include <QDialog>
#include <functional>

class QGroupBox;

class LineKindDialog : public QDialog {
    Q_OBJECT
public:
    // The dialog's copies of DrawingSettings' LineMode, LineWidth,
    // SegmentEnds and HalfLineEnds while it is open.
    struct LineKind {
        int Mode = 0;
        int Width = 1;
        int SegmentEnds = 0;
        int HalfLineEnds = 0;

        friend bool operator==(const LineKind &, const LineKind &) = default;
    };

    // Shows and sets the line kind of the next parabola in `draw`.
    explicit LineKindDialog(DrawingSettings &draw, QWidget *parent = nullptr);

    const LineKind &working() const { return m_working; }

    // Called after OK has applied the line kind: the main window brings its
    // tool bar in step and redraws.
    std::function<void()> onApplied;
    // Called by the test button to redraw the main window as it stands.
    std::function<void()> onRedraw;

    // Event handlers, public so that the owner and tests can run them
    // exactly as the window does.
    void prepareToShow();
    void okClicked();
    void cancelClicked();
    void testClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    DrawingSettings &m_draw;
    void buildForm();
    void choose(int LineKind::*field, int value);
    void enableEndGroups();

    LineKind m_working;
    QGroupBox *segmentEndsGroup = nullptr;
    QGroupBox *halfLineEndsGroup = nullptr;
};
