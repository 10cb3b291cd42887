#pragma once
// The unit dialog: lists the units of the data folder by title, previews
// the clicked one on a plane and returns its file, for editing or for
// practice. The chosen unit is left in the practice source list.

#include "files/AppFolder.h"
#include "model/PracticeSource.h"
#include "plane/ViewSettings.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class PlaneView;
class QLabel;
class QListWidget;
class QPushButton;

class UnitCatalogDialog : public QDialog {
    Q_OBJECT
public:
    UnitCatalogDialog(const ViewSettings &view, const AppFolder &folder, QWidget *parent = nullptr);

    // For 単元名で開く (all unit files) or for practice (.prb files only).
    void setForEditing(bool editing) { m_forEditing = editing; }
    // The unit last clicked (its parabolas) and, after OK, its title.
    const PracticeSource &chosenUnit() const { return m_chosen; }

    // From the main window: its size and plane size, its lock, and the
    // record window.
    std::function<QSize()> mainSize;
    std::function<QSize()> mainPlaneSize;
    std::function<bool()> locked;
    std::function<void()> showRecords;

    void prepareToShow();
    void titleListClicked(int row);
    void repaintAll();
    void okClicked();
    void cancelClicked();

    QStringList files() const { return m_files; }
    // The file of the clicked unit, inside the data folder; empty until
    // a title is clicked in this showing.
    QString chosenFileName() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void addTitle(const QString &title);
    bool drawPreviewPlane(); // false after a drawing failure was told

    QLabel *promptLabel = nullptr;
    QListWidget *titleList = nullptr;
    QListWidget *formulaList = nullptr;
    QLabel *fileNameLabel = nullptr;
    PlaneView *plane = nullptr;
    QPushButton *okButton = nullptr, *cancelButton = nullptr, *recordsButton = nullptr;

    QStringList m_files;  // file i belongs to line i of titleList
    const ViewSettings &m_view;
    const AppFolder &m_folder;
    bool m_forEditing = false;
    PracticeSource m_chosen;
};
