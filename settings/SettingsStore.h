#pragma once
// The per-user store of the plane settings: named values of three kinds
// (text, integer, boolean) under one key. Every read of a missing value
// writes its default back, so the store always holds what was ever read.
// Each call opens and closes the store; nothing is cached.

#include <QString>

class SettingsStore {
public:
    // The program's own store: organisation "Quorvel", application "Marendo".
    SettingsStore();
    // A store in an explicit file (tests).
    explicit SettingsStore(const QString &iniPath);

    QString ReadTextSetting(const QString &name, const QString &def) const;
    int ReadIntSetting(const QString &name, int def) const;
    void WriteTextSetting(const QString &name, const QString &value) const;
    void WriteIntSetting(const QString &name, int value) const;
    void WriteBoolSetting(const QString &name, bool value) const;
    bool HasSetting(const QString &name) const;

    // Failures throw UserError with our texts
    // "'%s' のﾃﾞｰﾀ型が不正です" and "'%s' の設定に失敗しました".

private:
    QString m_path;  // empty: the native per-user store
};

// The practice switch "くわしいヒント", kept as the boolean "DetailedHints";
// on when it was never stored.
bool ReadDetailedHints(const SettingsStore &store);
void WriteDetailedHints(const SettingsStore &store, bool on);
