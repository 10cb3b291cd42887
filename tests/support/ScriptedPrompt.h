#pragma once
// A prompt for tests: records every text shown and returns prepared
// answers. An unprepared question is answered with cancel (or no) and
// recorded, so a test never waits for a modal box.

#include "ui/Prompt.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>

class ScriptedPrompt final : public Prompt {
public:
    struct Shown {
        QString kind;  // "message", "yesno", "yesnocancel", "open", "save", "color"
        QString text;
        MessageKind messageKind = MessageKind::Plain; // of a "message"
    };

    ScriptedPrompt() { m_previous = setPrompt(this); }
    ~ScriptedPrompt() override { setPrompt(m_previous); }

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> fileNames;
    std::deque<std::optional<Color>> colors;
    std::deque<int> fileTypes; // the types chosen in save dialogs that tell one
    QList<Shown> shown;

    QStringList texts() const
    {
        QStringList t;
        for (const Shown &s : shown)
            t << s.text;
        return t;
    }
    void clear() { shown.clear(); }

    void message(const QString &text, MessageKind kind) override
    {
        shown.append({QStringLiteral("message"), text, kind});
    }
    Answer askYesNo(const QString &text) override
    {
        shown.append({QStringLiteral("yesno"), text});
        return next(Answer::No);
    }
    Answer askYesNoCancel(const QString &text) override
    {
        shown.append({QStringLiteral("yesnocancel"), text});
        return next(Answer::Cancel);
    }
    std::optional<QString> openFileName(const QString &folder, const QString &) override
    {
        shown.append({QStringLiteral("open"), folder});
        return nextOf(fileNames);
    }
    std::optional<QString> saveFileName(const QString &folder, const QString &fileName, const QString &) override
    {
        shown.append({QStringLiteral("save"), folder + fileName});
        return nextOf(fileNames);
    }
    std::optional<QString> saveFileNameOfType(const QString &folder, const QString &fileName,
                                              const QString &filter, int *type) override
    {
        *type = fileTypes.empty() ? -1 : fileTypes.front();
        if (!fileTypes.empty())
            fileTypes.pop_front();
        return saveFileName(folder, fileName, filter);
    }
    std::optional<Color> chooseColor(Color) override
    {
        shown.append({QStringLiteral("color"), QString()});
        return nextOf(colors);
    }

private:
    Answer next(Answer fallback)
    {
        if (answers.empty())
            return fallback;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    template <typename T>
    static std::optional<T> nextOf(std::deque<std::optional<T>> &q)
    {
        std::optional<T> v;
        if (!q.empty()) {
            v.swap(q.front());
            q.pop_front();
        }
        return v;
    }

    Prompt *m_previous = nullptr;
};
