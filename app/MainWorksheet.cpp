// The worksheet command of the main window: which unit, the options, the
// file, and the viewer afterwards.

#include "app/Forms.h"
#include "app/MainWindow.h"
#include "lessons/UnitCatalogDialog.h"
#include "output/WorksheetDialog.h"
#include "output/WorksheetWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
WorksheetUnit FromSource(const PracticeSource &source)
{
    WorksheetUnit unit;
    unit.title = source.unitTitle;
    for (int i = 0; i < std::min(source.count, kMaxParabolas); ++i)
        unit.exercises.push_back(source.parabolas[std::size_t(i)]);
    return unit;
}

// The title as a file name: characters no file name may hold become "_".
QString WorksheetFileName(const QString &title)
{
    QString name = title.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")), QStringLiteral("_"));
    return (name.isEmpty() ? QStringLiteral("worksheet") : name) + QStringLiteral(".pdf");
}
} // namespace

void MainWindow::makeWorksheet()
{
    // The unit dialog's unit, or nothing when it was cancelled.
    auto chooseUnit = [this]() -> std::optional<WorksheetUnit> {
        UnitCatalogDialog *catalog = forms().unitCatalogDialog();
        if (!catalog)
            return std::nullopt;
        catalog->setForEditing(true);
        const int result = runModal(catalog);
        repaintAll();
        if (result != 1)
            return std::nullopt;
        return FromSource(catalog->chosenUnit());
    };

    WorksheetUnit unit;
    if (m_doc.count() > 0) {
        unit.title = m_doc.title();
        unit.exercises = m_doc.parabolas();
    } else if (std::optional<WorksheetUnit> chosen = chooseUnit()) {
        unit = *chosen;
    } else {
        return;
    }
    WorksheetDialog *dialog = forms().worksheetDialog();
    if (!dialog)
        return;
    dialog->setUnitTitle(unit.title);
    dialog->chooseUnit = [&] {
        if (std::optional<WorksheetUnit> chosen = chooseUnit()) {
            unit = *chosen;
            dialog->setUnitTitle(unit.title);
        }
    };
    const int result = runModal(dialog);
    dialog->chooseUnit = nullptr;
    if (result != QDialog::Accepted)
        return;
    if (unit.exercises.empty()) {
        prompt().message(EmptyWorksheetText(), MessageKind::Error);
        return;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    std::optional<QString> path = prompt().saveFileName(
        folder + QLatin1Char('/'), WorksheetFileName(unit.title), QStringLiteral("PDFファイル|*.pdf"));
    if (!path || path->isEmpty())
        return;
    if (!path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        *path += QStringLiteral(".pdf");
    if (QFileInfo::exists(*path) &&
        prompt().askYesNo(*path + QStringLiteral("上書きしてもいいですか")) != Answer::Yes)
        return;
    const WorksheetOptions options = dialog->options();
    const Told<bool> written = WriteWorksheet(*path, unit, options, m_view, QDateTime::currentDateTime());
    ShowMessages(written.messages);
    if (written.value && options.openAfterwards && dialog->openInViewer)
        dialog->openInViewer(*path);
}
