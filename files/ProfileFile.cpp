#include "files/ProfileFile.h"

#include "files/Cp932.h"
#include "files/SafeFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QThread>

namespace {
bool IsBlank(QChar c)
{
    // The profile services trim only these; an ideographic space belongs to
    // the text.
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

QStringView Trimmed(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

QString OneLine(QString s)
{
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

// The value of a "key=value" line.
QString ValueOf(const QString &text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : Trimmed(QStringView(text).sliced(eq + 1)).toString();
}

QString KeyOf(const QString &text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    return Trimmed(QStringView(text).left(eq < 0 ? 0 : eq)).toString();
}

// Where the line end at or after `from` starts, or -1.
template <typename View> qsizetype LineEnd(View s, qsizetype from)
{
    for (qsizetype i = from; i < s.size(); ++i)
        if (s[i] == u'\n' || s[i] == u'\r')
            return i;
    return -1;
}

// 2 for CR LF at `at`, else 1.
template <typename View> qsizetype EndLength(View s, qsizetype at)
{
    return s[at] == u'\r' && at + 1 < s.size() && s[at + 1] == u'\n' ? 2 : 1;
}

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

ProfileFile ProfileFile::parse(const QByteArray &bytes)
{
    ProfileFile p;
    if (bytes.size() > kMaxProfileBytes) {
        p.m_status = Status::TooLarge;
        return p;
    }
    const std::optional<QString> text = DecodeCp932(bytes);
    if (!text) {
        p.m_status = Status::NotCp932;
        return p;
    }
    // CR and LF are never part of a two-byte CP932 character, so the byte
    // lines and the decoded lines correspond one to one; each keeps its own
    // bytes. A line ends at CR LF, LF or a lone CR.
    qsizetype b = 0;
    qsizetype t = 0;
    while (b < bytes.size()) {
        const qsizetype bl = LineEnd(QByteArrayView(bytes), b);
        const qsizetype tl = LineEnd(QStringView(*text), t);
        if ((bl < 0) != (tl < 0)) {
            p.m_lines.clear();
            p.m_status = Status::NotCp932;
            return p;
        }
        Line line;
        line.original = true;
        if (bl < 0) {
            line.raw = bytes.sliced(b);
            line.text = text->sliced(t);
            b = bytes.size();
        } else {
            const qsizetype bn = EndLength(QByteArrayView(bytes), bl);
            line.raw = bytes.sliced(b, bl + bn - b);
            line.text = text->sliced(t, tl - t);
            b = bl + bn;
            t = tl + EndLength(QStringView(*text), tl);
        }
        p.m_lines.append(std::move(line));
    }
    p.m_status = Status::Ok;
    p.index();
    return p;
}

ProfileFile ProfileFile::load(const QString &path)
{
    ProfileFile p;
    const FileRead read = ReadRegularFile(path, kMaxProfileBytes);
    switch (read.status) {
    case FileRead::Status::Ok:
        p = parse(read.bytes);
        break;
    case FileRead::Status::Missing:
        p.m_status = Status::Missing;
        break;
    case FileRead::Status::TooLarge:
        p.m_status = Status::TooLarge;
        break;
    case FileRead::Status::Failed:
    case FileRead::Status::NotRegular:
        p.m_status = Status::Unreadable;
        p.m_why = read.why;
        break;
    }
    p.m_path = path;
    return p;
}

QString ProfileFile::problemText() const
{
    switch (m_status) {
    case Status::Ok:
    case Status::Missing:
        return QString();
    case Status::Unreadable:
        return QStringLiteral("記録ファイル %1 が読めません（%2）。").arg(Shown(m_path), m_why);
    case Status::TooLarge:
        return QStringLiteral("記録ファイル %1 が大きすぎます（%2 MB まで）。")
            .arg(Shown(m_path))
            .arg(kMaxProfileBytes / (1024 * 1024));
    case Status::NotCp932:
        return QStringLiteral("記録ファイル %1 が壊れています（文字として読めないバイトがあります）。")
            .arg(Shown(m_path));
    }
    return QString();
}

QString ProfileFile::storedSectionName(const QString &name)
{
    QString s = Trimmed(OneLine(name)).toString();
    s.replace(QLatin1Char(']'), QChar(0xFF3D)); // "］"
    return s;
}

QString ProfileFile::storedKeyName(const QString &key)
{
    QString k = Trimmed(OneLine(key)).toString();
    k.replace(QLatin1Char('='), QChar(0xFF1D)); // "＝"
    // A key line must not read as a comment or a section header.
    if (k.startsWith(QLatin1Char(';')))
        k[0] = QChar(0xFF1B); // "；"
    else if (k.startsWith(QLatin1Char('[')))
        k[0] = QChar(0xFF3B); // "［"
    return k;
}

void ProfileFile::index()
{
    m_sections.clear();
    m_firstSection.clear();
    qsizetype current = -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QStringView t = Trimmed(m_lines[i].text);
        if (t.startsWith(QLatin1Char('['))) {
            if (current >= 0)
                m_sections[current].end = i;
            // The name runs to the last "]", so a foreign "[a]b]" is "a]b".
            const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
            Section s;
            s.header = i;
            s.name = storedSectionName((close > 0 ? t.sliced(1, close - 1) : t.sliced(1)).toString());
            current = m_sections.size();
            const QString f = folded(s.name);
            if (!m_firstSection.contains(f)) // the first one counts
                m_firstSection.insert(f, int(current));
            m_sections.append(std::move(s));
            continue;
        }
        if (current < 0 || t.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = storedKeyName(t.left(eq).toString());
        if (key.isEmpty())
            continue;
        Section &s = m_sections[current];
        const QString f = folded(key);
        if (!s.keyLine.contains(f)) {
            s.keyLine.insert(f, i);
            s.keyOrder.append(key);
        }
    }
    if (current >= 0)
        m_sections[current].end = int(m_lines.size());
}

const ProfileFile::Section *ProfileFile::find(const QString &section) const
{
    const auto it = m_firstSection.constFind(folded(storedSectionName(section)));
    return it == m_firstSection.constEnd() ? nullptr : &m_sections[*it];
}

QStringList ProfileFile::sections() const
{
    QStringList names;
    for (const Section &s : m_sections)
        if (&m_sections[m_firstSection.value(folded(s.name))] == &s)
            names.append(s.name);
    return names;
}

bool ProfileFile::hasSection(const QString &section) const
{
    return find(section) != nullptr;
}

QStringList ProfileFile::keys(const QString &section) const
{
    const Section *s = find(section);
    return s ? s->keyOrder : QStringList();
}

int ProfileFile::keyCount(const QString &section) const
{
    const Section *s = find(section);
    return s ? int(s->keyOrder.size()) : 0;
}

bool ProfileFile::hasKey(const QString &section, const QString &key) const
{
    const Section *s = find(section);
    return s && s->keyLine.contains(folded(storedKeyName(key)));
}

QString ProfileFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    const Section *s = find(section);
    if (!s)
        return fallback;
    const auto it = s->keyLine.constFind(folded(storedKeyName(key)));
    return it == s->keyLine.constEnd() ? fallback : ValueOf(m_lines[*it].text);
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString k = storedKeyName(key);
    if (!canWrite() || k.isEmpty())
        return;
    const QString v = OneLine(value);
    const Section *s = find(section);
    if (!s) {
        m_lines.append(Line{{}, QLatin1Char('[') + storedSectionName(section) + QLatin1Char(']'), false});
        m_lines.append(Line{{}, k + QLatin1Char('=') + v, false});
        index();
        return;
    }
    const auto it = s->keyLine.constFind(folded(k));
    if (it != s->keyLine.constEnd()) {
        // The key keeps its spelling; the line stays where it is.
        Line &line = m_lines[*it];
        line = Line{{}, KeyOf(line.text) + QLatin1Char('=') + v, false};
        return;
    }
    // After the section's last non-blank line, so a blank line before the
    // next section stays where it was.
    int at = s->header + 1;
    for (int i = s->end - 1; i > s->header; --i) {
        if (!Trimmed(m_lines[i].text).isEmpty()) {
            at = i + 1;
            break;
        }
    }
    m_lines.insert(at, Line{{}, k + QLatin1Char('=') + v, false});
    index();
}

int ProfileFile::eraseSection(const QString &section)
{
    if (!canWrite())
        return 0;
    const QString f = folded(storedSectionName(section));
    int erased = 0;
    // Every section of that name goes: erasing only the first would bring
    // a repeated one to light.
    for (qsizetype i = m_sections.size() - 1; i >= 0; --i) {
        const Section &s = m_sections[i];
        if (folded(s.name) == f) {
            m_lines.remove(s.header, s.end - s.header);
            ++erased;
        }
    }
    if (erased)
        index();
    return erased;
}

std::optional<QByteArray> ProfileFile::toBytes() const
{
    QByteArray out;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.original) {
            out += line.raw;
            if (!line.raw.endsWith('\n') && !line.raw.endsWith('\r') && i + 1 < m_lines.size())
                out += "\r\n";
        } else {
            const std::optional<QByteArray> bytes = EncodeCp932(line.text);
            if (!bytes)
                return std::nullopt;
            out += *bytes;
            out += "\r\n";
        }
    }
    return out;
}

namespace {
QString RefusedText()
{
    return QStringLiteral("記録は書き込みませんでした。ファイルはそのまま残してあります。");
}

Told<bool> Failed(const QString &text)
{
    return {false, {{text, MessageKind::Error}}};
}
} // namespace

Told<bool> ProfileFile::update(const QString &path, const std::function<bool(ProfileFile &)> &change)
{
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    // Tried often: another program holds the lock for one save only.
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        // A lock that cannot even be created means the folder cannot take
        // the new file either: the save below fails and tells why.
        if (lock.error() != QLockFile::LockFailedError)
            break;
        if (waited.elapsed() >= kLockWaitMs) {
            return Failed(
                QStringLiteral("記録ファイル %1 がほかのプログラムで使用中です。").arg(Shown(path)) +
                QLatin1Char('\n') + RefusedText());
        }
        QThread::msleep(5);
    }
    ProfileFile file = load(path);
    if (!change(file))
        return {true, {}};
    return file.save();
}

Told<bool> ProfileFile::save()
{
    const QString refused = RefusedText();
    if (!canWrite())
        return Failed(problemText() + QLatin1Char('\n') + refused);
    const std::optional<QByteArray> bytes = toBytes();
    if (!bytes)
        return Failed(QStringLiteral("記録ファイル %1 に書けない文字があります。").arg(Shown(m_path)) +
                      QLatin1Char('\n') + refused);
    if (bytes->size() > kMaxProfileBytes)
        return Failed(QStringLiteral("記録ファイル %1 が大きくなりすぎます（%2 MB まで）。")
                          .arg(Shown(m_path))
                          .arg(kMaxProfileBytes / (1024 * 1024)) +
                      QLatin1Char('\n') + refused);
    QString why;
    if (m_path.isEmpty())
        why = QStringLiteral("ファイル名がありません");
    else
        WriteFileSafely(m_path, *bytes, &why);
    if (!why.isEmpty())
        return Failed(
            QStringLiteral("記録ファイル %1 に書き込めませんでした（%2）。").arg(Shown(m_path), why));
    // What is on disk now is the new original of every line.
    const QString path = m_path;
    *this = parse(*bytes);
    m_path = path;
    return {true, {}};
}
