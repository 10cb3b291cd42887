#pragma once
// The end-of-practice dialog: repeat, review, records or stop.

#include <QDialog>

class TfrmOwari : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOwari(QWidget *parent = nullptr);
};
