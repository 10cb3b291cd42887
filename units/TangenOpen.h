#pragma once
// The unit dialog: lists the units of the data folder by title, previews
// the chosen one and returns its file, for editing or for practice.

#include <QDialog>

class TfrmTangenOpen : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTangenOpen(QWidget *parent = nullptr);
};
