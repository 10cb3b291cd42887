#pragma once
// The worksheet options: which unit, the order of the exercises (the
// unit's, or mixed by a number the sheet shows so the same sheet can be
// made again), the answer key, the plane size, exercises per page, and
// whether the PDF viewer opens the file afterwards. It asks nothing itself:
// the main window chooses the unit and the file.

#include "output/WorksheetLayout.h"

#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class WorksheetDialog : public QDialog {
    Q_OBJECT
public:
    explicit WorksheetDialog(QWidget *parent = nullptr);

    void setUnitTitle(const QString &title);
    WorksheetOptions options() const;
    void setOptions(const WorksheetOptions &options);

    // "別の単元を選ぶ...": the main window lets the user pick another unit.
    std::function<void()> chooseUnit;
    // Shows a written file in the system's PDF viewer; tests replace it.
    std::function<void(const QString &)> openInViewer;

    // A fresh mixing number (1..Worksheet::LargestSeed).
    void newSeed();

private:
    void orderSwitched();

    QLabel *unitLabel = nullptr;
    QPushButton *otherUnitButton = nullptr;
    QRadioButton *unitOrderButton = nullptr, *shuffledButton = nullptr;
    QSpinBox *seedSpin = nullptr;
    QPushButton *newSeedButton = nullptr;
    QCheckBox *answerKeySwitch = nullptr;
    QRadioButton *fourButton = nullptr, *sixButton = nullptr;
    QSpinBox *planeSizeSpin = nullptr;
    QCheckBox *openSwitch = nullptr;
};
