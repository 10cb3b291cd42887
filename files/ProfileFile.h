#pragma once
// An INI profile file with the reading and writing rules of the Windows
// profile services, in CP932 on disk. Used for the practice record file.
//
// The whole file is decoded before parsing, because a CP932 trail byte can
// equal "[", "]" or "\". Every line the program does not change is written
// back with its original bytes (and line end), so other sections, comments
// and lines it does not understand survive every write. A file that cannot
// be read as CP932, is too large or cannot be opened reads as empty and is
// never written over.

#include "files/Messages.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Files above this size are neither read nor written (bytes).
constexpr qsizetype kMaxProfileBytes = 4 * 1024 * 1024;

class ProfileFile {
public:
    enum class Status {
        Ok,         // read and parsed
        Missing,    // no file yet: empty, created by the first save
        Unreadable, // exists but could not be opened or read
        TooLarge,   // above kMaxProfileBytes
        NotCp932,   // holds bytes that are not valid CP932
    };

    // Reads and parses the file at path.
    static ProfileFile load(const QString &path);
    // Parses bytes as file contents (no path: save() refuses).
    static ProfileFile parse(const QByteArray &bytes);

    Status status() const { return m_status; }
    // Only an intact or a missing file may be written.
    bool canWrite() const { return m_status == Status::Ok || m_status == Status::Missing; }
    // What is wrong with the file, in Japanese; empty when it can be written.
    QString problemText() const;
    const QString &path() const { return m_path; }

    // Names as they are stored: "]" in a section name and "=" in a key
    // cannot appear in the file and become "］" and "＝"; surrounding blanks
    // are dropped, line breaks become spaces. Lookups use the same mapping.
    static QString storedSectionName(const QString &name);
    static QString storedKeyName(const QString &key);

    // Section names in file order; a repeated name is listed once.
    QStringList sections() const;
    bool hasSection(const QString &section) const;
    // Distinct key names of the first section of that name, in file order.
    QStringList keys(const QString &section) const;
    int keyCount(const QString &section) const;
    bool hasKey(const QString &section, const QString &key) const;
    // The first value of key in the first section of that name.
    QString value(const QString &section, const QString &key, const QString &fallback = QString()) const;

    // Changes in memory only; save() writes them. Both do nothing on a file
    // that cannot be written.
    void setValue(const QString &section, const QString &key, const QString &value);
    // Removes every section of that name with all its lines; returns how many.
    int eraseSection(const QString &section);

    // The file contents with the changes; nothing when a changed line has a
    // character CP932 lacks.
    std::optional<QByteArray> toBytes() const;
    // Writes through a temporary file. On any failure (including a file
    // that must not be written) leaves the file as it was and gives false
    // with the message that says why.
    Told<bool> save();

    // Reads the file, lets change() alter it and saves it, all under a lock
    // file beside it ("<path>.lock"), so programs writing one file at the
    // same time never lose each other's lines. change() returns whether
    // there is anything to save. A lock held elsewhere for longer than
    // kLockWaitMs, or a failed save, gives false with the message that says
    // why; the file then stays as it was.
    static Told<bool> update(const QString &path, const std::function<bool(ProfileFile &)> &change);
    // How long update() waits for the lock, and the age at which a lock
    // left by a program that died is taken over (milliseconds).
    static constexpr int kLockWaitMs = 5000;
    static constexpr int kStaleLockMs = 30000;

private:
    struct Line {
        QByteArray raw;        // bytes read, with their line end
        QString text;          // decoded, without the line end
        bool original = false; // raw is valid: the line is unchanged
    };
    struct Section {
        QString name;
        int header = 0;              // line index of "[name]"
        int end = 0;                 // one past its last line
        QHash<QString, int> keyLine; // case-folded key -> first line
        QStringList keyOrder;        // distinct keys as spelled
    };

    void index();
    const Section *find(const QString &section) const;
    static QString folded(const QString &name) { return name.toCaseFolded(); }

    QString m_path;
    Status m_status = Status::Missing;
    QString m_why; // system reason for Unreadable
    QList<Line> m_lines;
    QList<Section> m_sections;
    QHash<QString, int> m_firstSection; // case-folded name -> m_sections index
};
