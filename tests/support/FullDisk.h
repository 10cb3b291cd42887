#pragma once
// Writes that fail for want of room.
//
//     QUORVEL_UNDER_FILE_SIZE_LIMIT(bytes);
//
// at the top of a test function runs the rest of it again in a child
// process of the test program in which no file can grow past `bytes`
// (RLIMIT_FSIZE with SIGXFSZ ignored): a write past it fails with EFBIG,
// after a short write up to the limit. No root is needed.
//
// SmallTmpfs mounts a tmpfs of a few KiB for the test (root only) and fills
// it until little or nothing is free: writes fail with ENOSPC.

#include "support/ChildRun.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fulldisk {

constexpr char kLimitVariable[] = "QUORVEL_FILE_SIZE_LIMIT";

inline childrun::Outcome RunUnderFileSizeLimit(const char *function, qint64 bytes)
{
    if (qEnvironmentVariableIsSet(kLimitVariable)) {
        rlimit r{};
        if (getrlimit(RLIMIT_FSIZE, &r) != 0 || r.rlim_cur != rlim_t(bytes))
            return {childrun::Where::ChildFailed, QStringLiteral("the file-size limit is not in force")};
        return {childrun::Where::Here, {}};
    }
    return childrun::RunAgain(function, childrun::TestProgram(), {}, [bytes](QProcess &child) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kLimitVariable), QString::number(bytes));
        child.setProcessEnvironment(env);
        child.setChildProcessModifier([bytes] {
            // Between fork and exec: system calls only. An ignored signal
            // stays ignored in the test program started next.
            rlimit r{};
            r.rlim_cur = r.rlim_max = rlim_t(bytes);
            ::setrlimit(RLIMIT_FSIZE, &r);
            ::signal(SIGXFSZ, SIG_IGN);
        });
    });
}

class SmallTmpfs {
public:
    explicit SmallTmpfs(int kib)
    {
        if (geteuid() != 0) {
            m_why = QStringLiteral("mounting a tmpfs needs root");
            return;
        }
        m_path = m_base.path() + QStringLiteral("/fs");
        QDir().mkpath(m_path);
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0755";
        if (::mount("tmpfs", m_path.toLocal8Bit().constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
            m_why = QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_mounted = true;
    }
    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(m_path.toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;

    bool mounted() const { return m_mounted; }
    const QString &why() const { return m_why; }
    // Ends in "/".
    QString path() const { return m_path + QLatin1Char('/'); }

    // Fills the file system with pages of filler in the folder "filler",
    // then frees `freePages` of them again. False when it did not fill.
    bool fill(int freePages = 0)
    {
        const QString folder = path() + QStringLiteral("filler");
        if (!QDir().mkpath(folder))
            return false;
        const QByteArray page(4096, 'f');
        QStringList whole;
        for (int i = 0; i < 100000; ++i) {
            const QString name = folder + QStringLiteral("/%1").arg(i);
            const int fd = ::open(name.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0)
                break;
            const ssize_t n = ::write(fd, page.constData(), size_t(page.size()));
            ::close(fd);
            if (n != page.size())
                break;
            whole << name;
        }
        for (int i = 0; i < freePages && !whole.isEmpty(); ++i)
            QFile::remove(whole.takeLast());
        return !whole.isEmpty() || freePages == 0;
    }

private:
    QTemporaryDir m_base;
    QString m_path;
    QString m_why;
    bool m_mounted = false;
};

}  // namespace fulldisk

#define QUORVEL_UNDER_FILE_SIZE_LIMIT(bytes) QUORVEL_RELAY_CHILD(fulldisk::RunUnderFileSizeLimit(__func__, (bytes)))
