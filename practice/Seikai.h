#pragma once
// The correct-answer dialog of a practice run.

#include <QDialog>

class TfrmSeikai : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSeikai(QWidget *parent = nullptr);
};
