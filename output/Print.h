#pragma once
// The print dialog: a preview sheet of the plane with heading and title.

#include <QDialog>

class TfrmPrint : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrint(QWidget *parent = nullptr);
};
