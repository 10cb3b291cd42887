#pragma once
// The practice record window: recorded runs listed and erased by unit.

#include <QDialog>

class TfrmKiroku : public QDialog {
    Q_OBJECT
public:
    explicit TfrmKiroku(QWidget *parent = nullptr);
};
