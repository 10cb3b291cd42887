#include "ui/Prompt.h"

namespace {
class SilentPrompt final : public Prompt {
public:
    void message(const QString &, MessageKind) override {}
    Answer askYesNo(const QString &) override { return Answer::No; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    std::optional<QString> openFileName(const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override
    {
        return {};
    }
    std::optional<Color> chooseColor(Color) override { return {}; }
};

SilentPrompt g_silent;
Prompt *g_prompt = &g_silent;
} // namespace

Prompt &prompt()
{
    return *g_prompt;
}

Prompt *setPrompt(Prompt *p)
{
    Prompt *old = g_prompt == &g_silent ? nullptr : g_prompt;
    g_prompt = p ? p : &g_silent;
    return old;
}

bool Guarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const UserError &e) {
        prompt().message(e.text(), MessageKind::Error);
        return false;
    }
}

void ShowMessages(const Messages &messages)
{
    for (const Message &m : messages)
        prompt().message(m.text, m.kind);
}
