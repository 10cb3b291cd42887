#pragma once
// What a reader or writer has to tell the user. The file layer never shows
// anything itself: it hands back the messages in the order they are to be
// shown, and the window that called it shows them.

#include <QList>
#include <QString>
#include <stdexcept>
#include <utility>

enum class MessageKind { Plain, Information, Error };

struct Message {
    QString text;
    MessageKind kind = MessageKind::Plain;
    bool operator==(const Message &) const = default;
};
using Messages = QList<Message>;

// A value with the messages that came with it.
template <typename T> struct Told {
    T value{};
    Messages messages;
};

// A failure that ends the current action; the window shows its text as an
// error.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
