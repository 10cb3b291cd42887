#pragma once
// What the three verdict dialogs share: a fixed-size dialog with only a
// close box, in the verdict font, that sets its controls up on every
// showing and takes the close box and Escape for "中止" (result 2).

#include <QDialog>
#include <QSize>

class QShowEvent;

class VerdictDialog : public QDialog {
    Q_OBJECT
public:
    // Placement at creation: below the practice window's marks list.
    void placeBelow(int top, int left) { move(left, top); }

    // Run on every showing that is not a restore from minimised.
    virtual void prepareToShow() = 0;
    void cancelClicked();  // result 2

protected:
    VerdictDialog(QWidget *parent, const char *objectName, const QString &caption, QSize size);

    void showEvent(QShowEvent *e) override;
    void reject() override;  // the close box and Escape: result 2
};
