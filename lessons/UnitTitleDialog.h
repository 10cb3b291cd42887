#pragma once
#include "files/AppFolder.h"
// The new-unit dialog "新規入力": the title of a unit is typed here, with
// the titles already in use listed beside it.

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

class UnitTitleDialog : public QDialog {
    Q_OBJECT
public:
    explicit UnitTitleDialog(const AppFolder &folder, QWidget *parent = nullptr);

    // The title offered until one is typed.
    static inline const QString DefaultTitle = QStringLiteral("新しい単元");

    // From the main window: its geometry (for centring) and the title the
    // unit content window shows now.
    std::function<QRect()> mainGeometry;
    std::function<QString()> currentTitle;

    void prepareToShow();
    void titleListClicked(int row);
    void okClicked();
    void cancelClicked();

    // The title typed, as the main window saves it.
    QString title() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    const AppFolder &m_folder;
    QLineEdit *titleField = nullptr;
    QListWidget *titleList = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
};
