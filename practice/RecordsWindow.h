#pragma once
#include "files/AppFolder.h"
// The practice record window: recorded runs listed and erased by unit. It
// keeps nothing between showings; every showing reads the data folder and
// the record file again.

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class RecordsWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecordsWindow(const AppFolder &folder, QWidget *parent = nullptr);

    // Handlers, public so tests can drive them without exec().
    void prepareToShow();
    void titleListClicked(int row);
    void eraseClicked();
    void returnClicked();

    // The unit titles, line for line parallel to titleList.
    const QStringList &reserveTitles() const { return m_reserve; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    const AppFolder &m_folder;
    QLabel *promptLabel = nullptr;
    QListWidget *titleList = nullptr;
    QPlainTextEdit *detailView = nullptr;
    QPushButton *returnButton = nullptr;
    QPushButton *eraseButton = nullptr;

    // Fills titleList and the titles from the data folder and the record
    // file; a damaged record file is told about when tell is set.
    void FillLists(bool tell);

    QStringList m_reserve;  // the unit titles, one per row of titleList
    bool m_toldNoRecords = false;  // a read-only data folder is told about once
};
