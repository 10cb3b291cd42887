#pragma once
// The about box "バージョン情報": the product caption and its version.

#include <QDialog>

class QLabel;

class TfrmVersion : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVersion(QWidget *parent = nullptr);

    static QString VersionText();

    QLabel *lblProduct = nullptr;
    QLabel *lblVersion = nullptr;
};
