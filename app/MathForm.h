#pragma once
// An empty form kept for the fixed creation order; never shown.

#include <QDialog>

class TfrmMath : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMath(QWidget *parent = nullptr);
};
