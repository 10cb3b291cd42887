#pragma once
// The practice window: poses the parabolas of a unit as exercises and grades
// each two-click answer.

#include <QDialog>

class TfrmRenshu : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRenshu(QWidget *parent = nullptr);
};
