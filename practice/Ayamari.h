#pragma once
// The wrong-answer dialog of a practice run.

#include <QDialog>

class TfrmAyamari : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAyamari(QWidget *parent = nullptr);
};
