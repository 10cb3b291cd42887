#pragma once
// The new-unit dialog "新規入力": the title of a unit is typed here, with
// the titles already in use listed beside it.

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

class TfrmNewWork : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNewWork(QWidget *parent = nullptr);

    QLineEdit *edtTangen = nullptr;  // the title; read by the main window
    QListWidget *lstTitle = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};
