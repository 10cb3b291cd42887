#include "ui/QtPrompt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

namespace {
QWidget *Owner()
{
    return QApplication::activeWindow();
}

Answer Ask(const QString &text, bool withCancel)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton, Owner());
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton *cancel = withCancel ? box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(withCancel ? static_cast<QAbstractButton *>(cancel) : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (withCancel && box.clickedButton() != no)
        return Answer::Cancel;
    return Answer::No;
}
}  // namespace

QString ToQtFilter(const QString &barFilter)
{
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Unit files may carry either case on a case-sensitive file system.
        QStringList both;
        for (const QString &p : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            both << p.toLower() << p.toUpper();
        both.removeDuplicates();
        filters << QStringLiteral("%1 (%2)").arg(parts[i], both.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

void QtPrompt::message(const QString &text, MessageKind kind)
{
    const auto icon = kind == MessageKind::Error         ? QMessageBox::Critical
                      : kind == MessageKind::Information ? QMessageBox::Information
                                                         : QMessageBox::NoIcon;
    QMessageBox box(icon, m_title, text, QMessageBox::Ok, Owner());
    box.exec();
}

Answer QtPrompt::askYesNo(const QString &text)
{
    return Ask(text, false);
}

Answer QtPrompt::askYesNoCancel(const QString &text)
{
    return Ask(text, true);
}

std::optional<QString> QtPrompt::openFileName(const QString &folder, const QString &filter)
{
    QFileDialog dialog(Owner(), QString(), folder, ToQtFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    QObject::connect(f1, &QShortcut::activated, &dialog, [this] {
        if (showHelp)
            showHelp(OpenDialogHelp);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtPrompt::saveFileName(const QString &folder, const QString &fileName,
                                              const QString &filter)
{
    // The program asks about overwriting itself.
    const QString path = QFileDialog::getSaveFileName(Owner(), QString(), folder + fileName,
                                                      ToQtFilter(filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtPrompt::saveFileNameOfType(const QString &folder, const QString &fileName,
                                                    const QString &filter, int *type)
{
    QFileDialog dialog(Owner(), QString(), folder + fileName, ToQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    *type = -1;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    *type = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().first();
}

std::optional<Color> QtPrompt::chooseColor(Color initial)
{
    const QColor c = QColorDialog::getColor(ToQColor(initial), Owner());
    if (!c.isValid())
        return std::nullopt;
    return FromQColor(c);
}
