#pragma once
// Things in the place of a file that no reader may read as one, and the
// check that a message shows no English.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <sys/stat.h>

// Puts a kind of non-file at path: "folder", "fifo" or "devzero" (a
// symbolic link to /dev/zero, endless NUL bytes). False when it failed.
inline bool MakeNonRegularFile(const QString &kind, const QString &path)
{
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    if (kind == QLatin1String("devzero"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    return false;
}

// The ASCII letters of the texts once the names (paths, file names, and
// the name of the code page) are taken out: empty when the texts are
// Japanese apart from the names.
inline QString LettersBeyond(const QStringList &texts, QStringList names)
{
    names << QStringLiteral("CP932（シフトJIS）");
    // The longest first, so a path goes before the file name inside it.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    QString letters;
    for (QString t : texts) {
        for (const QString &n : names)
            if (!n.isEmpty())
                t.remove(n);
        for (QChar c : t)
            if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
                letters += c;
    }
    return letters;
}
