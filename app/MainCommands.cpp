// Commands of the main window that act on the unit as a whole.

#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "app/PropertiesWindow.h"
#include "files/UnitFile.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitFolder.h"
#include "lessons/UnitTitleDialog.h"
#include "output/PrintingModule.h"
#include "practice/PracticeWindow.h"
#include "practice/RecordsWindow.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"
#include "ui/Prompt.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QUndoStack>

namespace {
// A record read with no end code of its own takes the tool bar's.
IncludedEnds ToolBarEnds(const DrawingSettings &draw)
{
    return {draw.LowerIncluded, draw.UpperIncluded};
}
} // namespace

void MainWindow::deleteSelected()
{
    if (formulaList->count() == 0) {
        clearDisplay();
        cancelDrawing();
        return;
    }
    if (m_input.drawing()) {
        // A drawing under way is abandoned; nothing is deleted.
        cancelDrawing();
        repaintAll();
        return;
    }
    UnitSnapshot next = m_doc.snapshot();
    for (auto it = next.selected.crbegin(); it != next.selected.crend(); ++it)
        next.entries.removeAt(*it);
    next.selected.clear();
    m_doc.commit(QStringLiteral("訂正"), next);
    clearPanels();
    m_input.cancel();
    cancelReplace(); // its index may now name another entry
}

QString MainWindow::dataFolderPath() const
{
    return m_folder.dir + QStringLiteral("DATA/");
}

void MainWindow::applyUnit(const UnitContents &unit, const QString &path)
{
    // Nothing of the unit before stays: no entry to replace, and with
    // nothing selected the panels and the table are cleared.
    cancelReplace();
    m_doc.load(unit, path);
}

void MainWindow::stepHistory(bool back)
{
    // A drawing or drag under way ends first: it belongs to the unit as it was.
    cancelDrawing();
    if (back)
        m_doc.undoStack()->undo();
    else
        m_doc.undoStack()->redo();
}

Answer MainWindow::saveWithDialog(bool askFirst)
{
    if (askFirst) {
        if (!needsSaving())
            return Answer::No;
        const Answer a = prompt().askYesNoCancel(QStringLiteral("現在のデータを保存しますか"));
        if (a == Answer::Cancel)
            return Answer::Cancel;
        if (a != Answer::Yes)
            return Answer::No;
    }
    const auto chosen = prompt().saveFileName(dataFolderPath(), QFileInfo(m_state.UnitFileName).fileName(),
                                              QString::fromUtf8(SaveFilter));
    if (!chosen)
        return Answer::Cancel;
    const QString title = unitTitleDialog()->title();
    const QString file = Shown(NormalizeUnitFileName(*chosen));
    Answer result = Answer::Yes;
    if (QFileInfo::exists(file)) {
        result = prompt().askYesNoCancel(file + QStringLiteral("上書きしてもいいですか"));
        if (result != Answer::Yes)
            return result;  // the unit keeps its names: the file was not written
    }
    if (!SaveUnitFile(m_doc.fileLines(), title, file))
        return Answer::Cancel;  // the failed write ends the command that asked for it
    m_doc.markSaved(title, file);
    m_state.UnitFileName = file;
    return result;
}

bool MainWindow::saveAs()
{
    if (m_doc.count() == 0) {
        prompt().message(QStringLiteral("保存するﾃﾞｰﾀがありません"));
        return false;
    }
    if (runModal(unitTitleDialog()) != 1)
        return false;
    saveWithDialog(false);
    return true;
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    if (saveWithDialog(true) == Answer::Cancel) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
}

void MainWindow::newUnit()
{
    if (saveWithDialog(true) != Answer::Cancel)
        resetWork(UnitTitleDialog::DefaultTitle, m_folder.dir + QStringLiteral("Parabola.prb"), true);
    m_state.Untitled = true;
}

void MainWindow::openFile()
{
    if (saveWithDialog(true) != Answer::Cancel) {
        const auto path = prompt().openFileName(dataFolderPath(), QString::fromUtf8(OpenFilter));
        if (path)
            openUnitFile(*path);
    }
    m_state.Untitled = false;
}

void MainWindow::openUnitFile(const QString &path)
{
    const auto unit = Shown(ReadUnit(path, currentForm(), ToolBarEnds(m_view.Draw)));
    if (unit && unit->count() > 0)
        applyUnit(*unit, path);
    m_state.Untitled = false;
}

void MainWindow::openByTitle()
{
    UnitCatalogDialog *catalog = forms().unitCatalogDialog();
    if (!catalog)
        return;
    catalog->setForEditing(true);
    if (runModal(catalog) != 1)
        return;
    m_chosenUnitTitle = catalog->chosenUnit().unitTitle;
    const QString path = dataFolderPath() + catalog->chosenFileName();
    if (saveWithDialog(true) != Answer::Cancel) {
        clearDisplay();
        const auto unit = Shown(ReadUnit(path, currentForm(), ToolBarEnds(m_view.Draw)));
        if (unit && unit->count() > 0) {
            applyUnit(*unit, path);
            m_state.UnitFileName = path;
        } else {
            repaintAll();  // the unit in hand stays on the plane
        }
    }
    m_state.Untitled = false;
}

void MainWindow::saveUnit()
{
    if (m_doc.count() == 0) {
        prompt().message(QStringLiteral("保存するﾃﾞｰﾀがありません"));
        return;
    }
    if (m_state.Untitled) {
        saveAs();
        m_state.Untitled = false;
        return;
    }
    const QString title = m_doc.title();
    const QString path = m_doc.filePath();
    if (SaveUnitFile(m_doc.fileLines(), title, path))
        m_doc.markSaved(title, path);
}

void MainWindow::deleteAll()
{
    const bool ask = m_doc.count() != 0;
    if (ask && prompt().askYesNo(QStringLiteral("全部削除してもいいですか？")) != Answer::Yes)
        return;
    // The lines no record holds go with the parabolas: an emptied unit is
    // its title alone, and the step can be undone.
    const QString title = m_doc.title();
    resetDrawing(false);
    m_doc.commit(QStringLiteral("全部消去"), UnitSnapshot{});
    m_doc.setNames(title, m_state.UnitFileName);
}

void MainWindow::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(plane->canvas().image());
}

void MainWindow::exportPlane()
{
    int type = -1;
    const QString name = QFileInfo(m_state.UnitFileName).completeBaseName();
    const auto chosen = prompt().saveFileNameOfType(
        dataFolderPath(), name.isEmpty() ? QString() : name + QStringLiteral(".svg"), ExportFilter(), &type);
    if (!chosen)
        return;
    const std::optional<ExportType> kind = ExportTypeFor(*chosen, type);
    if (!kind) {
        prompt().message(
            QStringLiteral("図は SVG・PDF・PNG のどれかのファイルに書き出します（拡張子 .svg・.pdf・.png）"),
            MessageKind::Error);
        return;
    }
    if (QFileInfo::exists(*chosen) &&
        prompt().askYesNoCancel(*chosen + QStringLiteral("上書きしてもいいですか")) != Answer::Yes)
        return;
    QString why;
    const PrintingModule *printing = Printing(&why);
    if (!printing) {
        prompt().message(why, MessageKind::Error);
        return;
    }
    if (!printing->exportPlane(
            *chosen, *kind, planeSize(), [this](Picture &picture) { drawPlaneOnto(picture); }, &why)) {
        prompt().message(*chosen + QStringLiteral("に図を書き出せませんでした"), MessageKind::Error);
        if (!why.isEmpty())
            prompt().message(why, MessageKind::Error);
    }
}

void MainWindow::pasteFromClipboard()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        // Nothing is covered when there is nothing to paste.
        prompt().message(QStringLiteral("クリップボードにビットマップがありません"), MessageKind::Error);
        return;
    }
    // The bitmap lies over the grid, under the curves, until it is cleared.
    m_pastedBitmap = image;
    repaintAll();
}

void MainWindow::clearPastedBitmap()
{
    if (m_pastedBitmap.isNull())
        return;
    if (prompt().askYesNo(QStringLiteral("ビットマップをクリアしてもいいですか")) != Answer::Yes)
        return;
    m_pastedBitmap = QImage();
    repaintAll();
}

void MainWindow::showUnitContents()
{
    runModal(unitContentsWindow());
}

void MainWindow::showProperties()
{
    // Modeless: it stays open beside the plane and follows the selection.
    if (PropertiesWindow *w = forms().propertiesWindow()) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void MainWindow::startPractice()
{
    UnitCatalogDialog *catalog = forms().unitCatalogDialog();
    if (!catalog)
        return;
    catalog->setForEditing(false);
    if (runModal(catalog) != 1)
        return;
    repaintAll();
    PracticeSource source = catalog->chosenUnit();
    source.testMode = false;
    m_chosenUnitTitle = source.unitTitle;
    if (source.count <= 0) {
        // A unit without parabolas gives no exercises to practise.
        prompt().message(QStringLiteral("練習する放物線がありません"));
        return;
    }
    runPractice(source);
}

void MainWindow::runPractice(const PracticeSource &source)
{
    m_doc.startNewHistory();
    if (PracticeWindow *w = forms().practiceWindow()) {
        w->setSource(source);
        runModal(w);
    }
}

void MainWindow::startTest()
{
    if (m_doc.count() <= 0) {
        prompt().message(QStringLiteral("テストするデータがありません"));
        return;
    }
    for (int i = 0; i < m_doc.count(); ++i) {
        if (m_doc.at(i).LineMode != 0) {
            prompt().message(QStringLiteral("変域があるものはテストできません"));
            return;
        }
    }
    PracticeSource source;
    source.testMode = true;
    source.count = m_doc.count();
    for (int i = 0; i < m_doc.count(); ++i)
        source.parabolas[std::size_t(i)] = m_doc.at(i);
    // The caption shows the title last chosen in the unit dialog.
    source.unitTitle = m_chosenUnitTitle;
    runPractice(source);
}

void MainWindow::showPracticeRecords()
{
    if (QDialog *d = forms().recordsWindow())
        runModal(d);
}
