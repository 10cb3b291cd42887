#include "files/TitleText.h"

#include "files/Cp932.h"

namespace {
bool IsControl(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}
} // namespace

QString WithoutControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (!IsControl(c))
            out.append(c);
    return out;
}

bool BreaksLine(const QString &line)
{
    return line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'));
}

QString ShownTitle(const QString &title)
{
    // Only the start is looked at, so a title of megabytes costs no more.
    constexpr qsizetype looked = 4 * kShownTitleLength;
    const QString shown = WithoutControls(title.left(looked));
    if (shown.size() <= kShownTitleLength && title.size() <= looked)
        return shown;
    qsizetype cut = qMin(shown.size(), kShownTitleLength);
    if (cut > 0 && shown[cut - 1].isHighSurrogate())
        --cut; // a surrogate pair stays whole
    return shown.left(cut) + QStringLiteral("…");
}

std::optional<QString> FirstOutsideCp932(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, n);
        if (!EncodeCp932(ch))
            return ch;
        i += n - 1;
    }
    return std::nullopt;
}
