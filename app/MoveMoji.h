#pragma once
// The translation dialog. Created at start; no command opens it, the arrow
// buttons of the main window are the translation the user has.

#include <QDialog>

class TfrmMoveMoji : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMoveMoji(QWidget *parent = nullptr);
};
