#include "settings/SettingsStore.h"

#include "ui/Prompt.h"

#include <QSettings>
#include <memory>
#include <optional>

namespace {

enum class Kind { Text, Integer };

std::unique_ptr<QSettings> OpenFile(const QString &path)
{
    if (path.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("Quorvel"), QStringLiteral("Marendo"));
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

// Outside the Windows registry a value carries no kind of its own, so the
// kind is kept in the text: integers as "dword:xxxxxxxx" (as a registry
// export writes them), texts as they are, and a text that would look like a
// tagged value gets the prefix "sz:".
#ifndef Q_OS_WIN
const QString kDword = QStringLiteral("dword:");
const QString kSz = QStringLiteral("sz:");
#endif

QVariant EncodeText(const QString &value)
{
#ifdef Q_OS_WIN
    return value;
#else
    if (value.startsWith(kDword) || value.startsWith(kSz))
        return QString(kSz + value);
    return value;
#endif
}

QVariant EncodeInt(int value)
{
#ifdef Q_OS_WIN
    return value;
#else
    return QString(kDword + QStringLiteral("%1").arg(quint32(value), 8, 16, QLatin1Char('0')));
#endif
}

// The stored value as the requested kind; nullopt when it is of another kind.
std::optional<QVariant> Decode(const QVariant &stored, Kind kind)
{
#ifdef Q_OS_WIN
    const bool isInt = stored.typeId() == QMetaType::Int || stored.typeId() == QMetaType::UInt ||
                       stored.typeId() == QMetaType::LongLong;
    if (kind == Kind::Integer)
        return isInt ? std::optional<QVariant>(stored.toInt()) : std::nullopt;
    return isInt ? std::nullopt : std::optional<QVariant>(stored.toString());
#else
    const QString s = stored.toString();
    if (s.startsWith(kDword)) {
        if (kind != Kind::Integer)
            return std::nullopt;
        bool ok = false;
        const quint32 v = s.mid(kDword.size()).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return QVariant(int(v));
    }
    if (kind != Kind::Text)
        return std::nullopt;
    return QVariant(s.startsWith(kSz) ? s.mid(kSz.size()) : s);
#endif
}

QString WrongKindMessage(const QString &name)
{
    return QStringLiteral("'%1' のﾃﾞｰﾀ型が不正です").arg(name);
}

// The store a call goes through: the session's, or one opened for the call.
class Opened {
public:
    Opened(const QString &path, QSettings *session)
        : m_own(session ? nullptr : OpenFile(path)), m_settings(session ? session : m_own.get())
    {
    }
    QSettings *operator->() const { return m_settings; }

private:
    std::unique_ptr<QSettings> m_own;
    QSettings *m_settings;
};

void Write(const Opened &s, const QString &name, const QVariant &value)
{
    s->setValue(name, value);
    s->sync();
    if (s->status() != QSettings::NoError)
        throw UserError(QStringLiteral("'%1' の設定に失敗しました").arg(name));
}

QVariant Read(const Opened &s, const QString &name, Kind kind, const QVariant &encodedDefault,
              const QVariant &plainDefault)
{
    const QVariant stored = s->value(name);
    if (stored.isValid()) {
        const auto v = Decode(stored, kind);
        if (!v)
            throw UserError(WrongKindMessage(name));
        return *v;
    }
    Write(s, name, encodedDefault);
    return plainDefault;
}

}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString &iniPath) : m_path(iniPath) {}

QString SettingsStore::ReadTextSetting(const QString &name, const QString &def) const
{
    return Read(Opened(m_path, m_session), name, Kind::Text, EncodeText(def), def).toString();
}

int SettingsStore::ReadIntSetting(const QString &name, int def) const
{
    return Read(Opened(m_path, m_session), name, Kind::Integer, EncodeInt(def), def).toInt();
}

void SettingsStore::WriteTextSetting(const QString &name, const QString &value) const
{
    Write(Opened(m_path, m_session), name, EncodeText(value));
}

void SettingsStore::WriteIntSetting(const QString &name, int value) const
{
    Write(Opened(m_path, m_session), name, EncodeInt(value));
}

void SettingsStore::WriteBoolSetting(const QString &name, bool value) const
{
    Write(Opened(m_path, m_session), name, EncodeInt(value ? 1 : 0));
}

bool SettingsStore::HasSetting(const QString &name) const
{
    return Opened(m_path, m_session)->contains(name);
}

SettingsSession::SettingsSession(const SettingsStore &store)
    : m_store(store), m_settings(store.m_session ? nullptr : OpenFile(store.m_path))
{
    if (m_settings)
        store.m_session = m_settings.get();
}

SettingsSession::~SettingsSession()
{
    if (m_settings)
        m_store.m_session = nullptr;
}

namespace {
const QString kDetailedHints = QStringLiteral("DetailedHints");
} // namespace

bool ReadDetailedHints(const SettingsStore &store)
{
    return store.ReadIntSetting(kDetailedHints, 1) != 0;
}

void WriteDetailedHints(const SettingsStore &store, bool on)
{
    store.WriteBoolSetting(kDetailedHints, on);
}
