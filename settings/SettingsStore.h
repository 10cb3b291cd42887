#pragma once
// The per-user store of the plane settings: named values of three kinds
// (text, integer, boolean) under one key. Every read of a missing value
// writes its default back, so the store always holds what was ever read.
// Each call opens and closes the store, unless a SettingsSession holds it
// open; nothing outlives the call or the session.

#include <QString>

#include <memory>

class QSettings;

class SettingsStore {
public:
    // The program's own store: organisation "Quorvel", application "Marendo".
    SettingsStore();
    // A store in an explicit file (tests).
    explicit SettingsStore(const QString &iniPath);
    // A copy names the same store; an open session stays with the original.
    SettingsStore(const SettingsStore &other) : m_path(other.m_path) {}
    SettingsStore &operator=(const SettingsStore &other)
    {
        m_path = other.m_path;
        return *this;
    }

    QString ReadTextSetting(const QString &name, const QString &def) const;
    int ReadIntSetting(const QString &name, int def) const;
    void WriteTextSetting(const QString &name, const QString &value) const;
    void WriteIntSetting(const QString &name, int value) const;
    void WriteBoolSetting(const QString &name, bool value) const;
    bool HasSetting(const QString &name) const;

    // Failures throw UserError with our texts
    // "'%s' のﾃﾞｰﾀ型が不正です" and "'%s' の設定に失敗しました".

private:
    friend class SettingsSession;
    QString m_path;  // empty: the native per-user store
    // The store every call goes through while a session is open.
    mutable QSettings *m_session = nullptr;
};

// Holds the store open for every call made on it in the session's lifetime:
// a run of reads costs one opening of the file, not one per value. A
// session inside another leaves the outer one's open store in place.
class SettingsSession {
public:
    explicit SettingsSession(const SettingsStore &store);
    ~SettingsSession();
    SettingsSession(const SettingsSession &) = delete;
    SettingsSession &operator=(const SettingsSession &) = delete;

private:
    const SettingsStore &m_store;
    std::unique_ptr<QSettings> m_settings;  // null inside an outer session
};

// The practice switch "くわしいヒント", kept as the boolean "DetailedHints";
// on when it was never stored.
bool ReadDetailedHints(const SettingsStore &store);
void WriteDetailedHints(const SettingsStore &store, bool on);
