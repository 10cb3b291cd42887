#pragma once
// The production prompt: Qt message boxes and common dialogs with the
// program's own button texts.

#include "ui/Prompt.h"

#include <QString>
#include <functional>

class QWidget;

class QtPrompt final : public Prompt {
public:
    explicit QtPrompt(QString appTitle) : m_title(std::move(appTitle)) {}

    void message(const QString &text, MessageKind kind) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    std::optional<QString> openFileName(const QString &folder, const QString &filter) override;
    std::optional<QString> saveFileName(const QString &folder, const QString &fileName,
                                        const QString &filter) override;
    std::optional<QString> saveFileNameOfType(const QString &folder, const QString &fileName,
                                              const QString &filter, int *type) override;
    std::optional<Color> chooseColor(Color initial) override;

    // Opens the help at a context number (F1 in the open dialog).
    std::function<void(int)> showHelp;
    static constexpr int OpenDialogHelp = 1213;

private:
    QString m_title;
};

// "PRBファイル|*.PRB|PRXファイル|*.PRX" in the form Qt's file dialogs take.
QString ToQtFilter(const QString &barFilter);
