#pragma once
// The one interface through which the program asks or tells the user
// something. Production shows Qt dialogs; tests install a scripted
// implementation, so no test can hang on a modal box.

#include "files/Messages.h"
#include "plane/Canvas.h"

#include <QString>
#include <functional>
#include <optional>

// Answers of the confirmation boxes.
enum class Answer { Yes, No, Cancel };

class Prompt {
public:
    virtual ~Prompt() = default;
    // A plain OK box (titled with the application title).
    virtual void message(const QString &text, MessageKind kind = MessageKind::Plain) = 0;
    // Confirmation boxes titled "確認": yes or no; yes, no or cancel.
    virtual Answer askYesNo(const QString &text) = 0;
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // File dialogs: the chosen path, or nothing when cancelled. The filter
    // is in the "name|*.a;*.b|name|*.c" form.
    virtual std::optional<QString> openFileName(const QString &folder, const QString &filter) = 0;
    virtual std::optional<QString> saveFileName(const QString &folder, const QString &fileName,
                                                const QString &filter) = 0;
    // A save dialog that also tells which type of the filter was chosen:
    // its index, or -1 when the dialog cannot tell.
    virtual std::optional<QString> saveFileNameOfType(const QString &folder, const QString &fileName,
                                                      const QString &filter, int *type)
    {
        *type = -1;
        return saveFileName(folder, fileName, filter);
    }
    virtual std::optional<Color> chooseColor(Color initial) = 0;
};

// The prompt in force. Never null: before one is installed a silent
// implementation answers "cancel" to everything.
Prompt &prompt();
// Installs p (not owned) and returns the previous one; nullptr restores the
// silent default.
Prompt *setPrompt(Prompt *p);

// Runs an event handler's work; a UserError it throws is shown through the
// prompt and ends the action. Returns false when that happened.
bool Guarded(const std::function<void()> &work);

// Shows the messages a reader or writer handed back, in their order.
void ShowMessages(const Messages &messages);
// Shows the messages that came with a value and hands the value on.
template <typename T> T Shown(Told<T> told)
{
    ShowMessages(told.messages);
    return std::move(told.value);
}
