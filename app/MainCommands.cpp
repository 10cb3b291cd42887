// Commands of the main window that act on the unit as a whole.

#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "lessons/UnitCatalogDialog.h"
#include "lessons/UnitContentsWindow.h"
#include "lessons/UnitTitleDialog.h"
#include "plane/Prompt.h"
#include "plane/UnitFile.h"
#include "practice/PracticeWindow.h"
#include "practice/RecordsWindow.h"
#include "ui/ImageView.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

void MainWindow::deleteSelected()
{
    if (formulaList->count() == 0) {
        ClearDisplay();
        CancelDrawing();
        return;
    }
    if (m_state.ClickState > 0) {
        // A drawing under way is abandoned; nothing is deleted.
        CancelDrawing();
        repaintAll();
        return;
    }
    std::vector<int> selected;
    ParabolaList kept{};
    int keptCount = 0;
    for (int i = 0; i < m_state.ParabolaCount; ++i) {
        if (IsSelected(i))
            selected.push_back(i);
        else
            kept[std::size_t(keptCount++)] = m_state.Parabolas[std::size_t(i)];
    }
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const int i = *it;
        delete formulaList->takeItem(i);
        const qsizetype first = qsizetype(5) * i + 1;
        for (int k = 0; k < 5 && first < m_state.MirrorText.size(); ++k)
            m_state.MirrorText.removeAt(first);
    }
    m_state.ParabolaCount -= int(selected.size());
    for (int i = 0; i < keptCount; ++i)
        m_state.Parabolas[std::size_t(i)] = kept[std::size_t(i)];
    repaintAll();
    ClearPanels();
    m_state.ClickState = 0;
    CancelReplace();  // its index may now name another entry
    Program().ChosenUnit = -1;
}

QString MainWindow::DataFolderPath() const
{
    return Program().AppDir + QStringLiteral("DATA/");
}

void MainWindow::ApplyUnit(const UnitContents &unit)
{
    m_state.MirrorText = unit.lines;
    formulaList->clear();
    formulaList->addItems(unit.listTexts);
    for (int i = 0; i < unit.count(); ++i)
        m_state.Parabolas[std::size_t(i)] = unit.records[std::size_t(i)];
    m_state.ParabolaCount = unit.count();
    // Nothing of the unit before stays: no panel, no table, no entry to replace.
    CancelReplace();
    ClearPanels();
    // The unit content window reads the mirror whenever it is shown.
}

int MainWindow::SaveWithDialog(bool askFirst)
{
    if (askFirst) {
        if (!NeedsSaving())
            return Answer::No;
        const int a = prompt().askYesNoCancel(QStringLiteral("現在のデータを保存しますか"));
        if (a == Answer::Cancel)
            return Answer::Cancel;
        if (a != Answer::Yes)
            return Answer::No;
    }
    const auto chosen = prompt().saveFileName(DataFolderPath(), QFileInfo(m_state.UnitFileName).fileName(),
                                              QString::fromUtf8(SaveFilter));
    if (!chosen)
        return Answer::Cancel;
    const QString title = m_unitTitleDialog ? m_unitTitleDialog->titleField->text() : m_state.UnitTitle;
    const QString file = NormalizeUnitFileName(*chosen);
    int result = Answer::Yes;
    if (QFileInfo::exists(file)) {
        result = prompt().askYesNoCancel(file + QStringLiteral("上書きしてもいいですか"));
        if (result != Answer::Yes)
            return result;  // the unit keeps its names: the file was not written
    }
    if (!WriteUnitFile(m_state.MirrorText, title, file))
        return Answer::Cancel;  // the failed write ends the command that asked for it
    m_state.MirrorText[0] = title;
    m_state.MarkSaved();
    m_state.UnitTitle = title;
    m_state.UnitFileName = file;
    ShowUnitCaptions(title, file, m_state.ParabolaCount);
    return result;
}

bool MainWindow::SaveAs()
{
    if (m_state.ParabolaCount == 0) {
        prompt().message(QStringLiteral("保存するﾃﾞｰﾀがありません"));
        return false;
    }
    if (!m_unitTitleDialog || runModal(m_unitTitleDialog) != 1)
        return false;
    SaveWithDialog(false);
    return true;
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    if (SaveWithDialog(true) == Answer::Cancel) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
}

void MainWindow::newUnit()
{
    if (SaveWithDialog(true) != Answer::Cancel)
        ResetWork(QStringLiteral("新しい単元"), Program().AppDir + QStringLiteral("Parabola.prb"), true);
    m_state.Untitled = true;
}

void MainWindow::openFile()
{
    if (SaveWithDialog(true) != Answer::Cancel) {
        const auto path = prompt().openFileName(DataFolderPath(), QString::fromUtf8(OpenFilter));
        if (path)
            OpenUnitFile(*path);
    }
    m_state.Untitled = false;
}

void MainWindow::OpenUnitFile(const QString &path)
{
    const auto unit = ReadUnit(path, CurrentForm(), Program().Draw);
    if (unit && unit->count() > 0) {
        ApplyUnit(*unit);
        repaintAll();
        ShowUnitCaptions(m_state.MirrorText.value(0), path, unit->count());
        m_state.MarkSaved();
    }
    m_state.Untitled = false;
}

void MainWindow::openByTitle()
{
    Program().OpenForEditing = true;
    UnitCatalogDialog *catalog = forms().unitCatalogDialog();
    if (!catalog || runModal(catalog) != 1)
        return;
    const QString path = DataFolderPath() + catalog->fileNameLabel->text();
    if (SaveWithDialog(true) != Answer::Cancel) {
        ClearDisplay();
        const auto unit = ReadUnit(path, CurrentForm(), Program().Draw);
        if (unit && unit->count() > 0) {
            ApplyUnit(*unit);
            repaintAll();
            m_state.MarkSaved();
            m_state.UnitTitle = m_state.MirrorText.value(0);
            m_state.UnitFileName = path;
            ShowUnitCaptions(m_state.UnitTitle, m_state.UnitFileName, unit->count());
        } else {
            repaintAll();  // the unit in hand stays on the plane
        }
    }
    m_state.Untitled = false;
}

void MainWindow::saveUnit()
{
    if (m_state.ParabolaCount == 0) {
        prompt().message(QStringLiteral("保存するﾃﾞｰﾀがありません"));
        return;
    }
    if (m_state.Untitled) {
        SaveAs();
        m_state.Untitled = false;
        return;
    }
    const QString title = m_unitContents ? m_unitContents->title() : m_state.UnitTitle;
    const QString path = m_unitContents ? m_unitContents->fileNameLabel->text() : m_state.UnitFileName;
    if (WriteUnitFile(m_state.MirrorText, title, path)) {
        m_state.MirrorText[0] = title;
        m_state.MarkSaved();
    }
}

void MainWindow::deleteAll()
{
    const QString title = m_unitContents ? m_unitContents->title() : m_state.UnitTitle;
    if (m_state.ParabolaCount == 0) {
        ResetWork(title, m_state.UnitFileName, false);
        return;
    }
    if (prompt().askYesNo(QStringLiteral("全部削除してもいいですか？")) != Answer::Yes)
        return;
    ResetWork(title, m_state.UnitFileName, false);
    m_state.ClickState = 0;
    Program().ChosenUnit = -1;
}

void MainWindow::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(plane->canvas().image());
}

void MainWindow::pasteFromClipboard()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        // Nothing is covered when there is nothing to paste.
        prompt().message(QStringLiteral("クリップボードにビットマップがありません"), MessageKind::Error);
        return;
    }
    Program().Draw.BitmapPasted = true;
    Canvas &canvas = plane->canvas();
    canvas.stretchDraw(QRect(QPoint(0, 0), image.size()), image);
}

void MainWindow::clearPastedBitmap()
{
    if (!Program().Draw.BitmapPasted)
        return;
    if (prompt().askYesNo(QStringLiteral("ビットマップをクリアしてもいいですか")) != Answer::Yes)
        return;
    Program().Draw.BitmapPasted = false;
    repaintAll();
}

void MainWindow::showUnitContents()
{
    if (m_unitContents)
        runModal(m_unitContents);
}

void MainWindow::startPractice()
{
    ProgramState &st = Program();
    st.OpenForEditing = false;
    UnitCatalogDialog *catalog = forms().unitCatalogDialog();
    if (!catalog || runModal(catalog) != 1)
        return;
    repaintAll();
    st.TestMode = false;
    if (st.PracticeCount <= 0) {
        // A unit without parabolas gives no exercises to practise.
        prompt().message(QStringLiteral("練習する放物線がありません"));
        return;
    }
    if (QDialog *d = forms().practiceWindow())
        runModal(d);
}

void MainWindow::startTest()
{
    if (m_state.ParabolaCount <= 0) {
        prompt().message(QStringLiteral("テストするデータがありません"));
        return;
    }
    for (int i = 0; i < m_state.ParabolaCount; ++i) {
        if (m_state.Parabolas[std::size_t(i)].LineMode != 0) {
            prompt().message(QStringLiteral("変域があるものはテストできません"));
            return;
        }
    }
    ProgramState &st = Program();
    st.TestMode = true;
    st.PracticeCount = m_state.ParabolaCount;
    for (int i = 0; i < m_state.ParabolaCount; ++i)
        st.PracticeParabolas[std::size_t(i)] = m_state.Parabolas[std::size_t(i)];
    if (QDialog *d = forms().practiceWindow())
        runModal(d);
}

void MainWindow::showPracticeRecords()
{
    if (QDialog *d = forms().recordsWindow())
        runModal(d);
}
