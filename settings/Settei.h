#pragma once
// The line kind dialog "線の種類": a modeless tool window that sets the
// domain kind, end inclusion and width of the next parabolas.

#include <QDialog>

class TfrmSettei : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSettei(QWidget *parent = nullptr);
};
