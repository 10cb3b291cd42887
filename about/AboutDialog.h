#pragma once
// The about box "バージョン情報": the product caption and its version.

#include <QDialog>

class QLabel;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    static QString VersionText();
    // The project's version number, e.g. "0.1.0".
    static QString VersionNumber();

private:
    QLabel *productLabel = nullptr;
    QLabel *versionLabel = nullptr;
};
