#include "files/SafeFile.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString FileErrorText(int error, FileOp op, QFileDevice::FileError kind)
{
    const bool read = op == FileOp::Read;
    switch (error) {
    case 0:
        break;
    case ENOENT:
    case ENOTDIR:
        return read ? QStringLiteral("ファイルが見つかりません")
                    : QStringLiteral("保存先のフォルダーが見つかりません");
    case EACCES:
    case EPERM:
        return read ? QStringLiteral("ファイルを読む権限がありません")
                    : QStringLiteral("ファイルを書き込む権限がありません");
    case EROFS:
        return QStringLiteral("書き込みのできないディスクです");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空きが足りません");
    case EFBIG:
        return read ? QStringLiteral("ファイルが大きすぎます")
                    : QStringLiteral("ファイルが大きすぎて書き込めません");
    case EOVERFLOW:
        return QStringLiteral("ファイルが大きすぎます");
    case EISDIR:
        return read ? QStringLiteral("ファイルではなくフォルダーです")
                    : QStringLiteral("同じ名前のフォルダーがあります");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("同時に開いているファイルが多すぎます");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます");
    case ELOOP:
        return QStringLiteral("シンボリックリンクをたどれません");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ファイルがほかで使われています");
    case ENOMEM:
        return QStringLiteral("メモリーが足りません");
    default:
        return (read ? QStringLiteral("ファイルを読めませんでした（エラー番号 %1）")
                     : QStringLiteral("ファイルに書き込めませんでした（エラー番号 %1）"))
            .arg(error);
    }
    switch (kind) {
    case QFileDevice::ResourceError:
        return QStringLiteral("ディスクの空きが足りません");
    case QFileDevice::PermissionsError:
        return FileErrorText(EACCES, op);
    case QFileDevice::OpenError:
        return read ? QStringLiteral("ファイルを開けません") : QStringLiteral("ファイルを作れません");
    case QFileDevice::RenameError:
        return QStringLiteral("ファイルを置き換えられません");
    default:
        return read ? QStringLiteral("ファイルを読めません") : QStringLiteral("ファイルに書き込めません");
    }
}

QString NotRegularFileText()
{
    return QStringLiteral("通常のファイルではありません");
}

QString TooLargeFileText()
{
    return QStringLiteral("ファイルが大きすぎます");
}

QString NotCp932BytesText()
{
    return QStringLiteral("CP932（シフトJIS）として読めないバイトがあります");
}

QString NotCp932CharsText()
{
    return QStringLiteral("CP932（シフトJIS）で表せない文字があります");
}

namespace {
using Status = FileRead::Status;

FileRead Failure(Status status, const QString &why)
{
    FileRead r;
    r.status = status;
    r.why = why;
    return r;
}

FileRead Failure(int error)
{
    const bool missing = error == ENOENT || error == ENOTDIR;
    return Failure(missing ? Status::Missing : Status::Failed, FileErrorText(error, FileOp::Read));
}

// Closes the descriptor on every way out.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens a regular file for reading without waiting on it; a failure is put
// into *failure and -1 returned.
int OpenRegular(const QString &path, qsizetype maxBytes, FileRead *failure)
{
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *failure = Failure(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        *failure = Failure(errno);
    } else if (S_ISDIR(st.st_mode)) {
        *failure = Failure(Status::NotRegular, FileErrorText(EISDIR, FileOp::Read));
    } else if (!S_ISREG(st.st_mode)) {
        *failure = Failure(Status::NotRegular, NotRegularFileText());
    } else if (maxBytes >= 0 && st.st_size > maxBytes) {
        *failure = Failure(Status::TooLarge, TooLargeFileText());
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

// Reads into buf from `got` on, growing it up to `cap` bytes, until the end
// of the file or until stop(new data) says enough. Returns 0 or an errno.
template <typename Stop> int ReadInto(int fd, QByteArray &buf, qsizetype &got, qsizetype cap, Stop stop)
{
    while (got < cap) {
        if (got == buf.size())
            buf.resize(qMin(cap, qMax<qsizetype>(buf.size() * 2, 4096)));
        const ssize_t n = ::read(fd, buf.data() + got, size_t(buf.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        got += n;
        if (stop(got - n))
            break;
    }
    return 0;
}
} // namespace

FileRead ReadRegularFile(const QString &path, qsizetype maxBytes)
{
    FileRead r;
    Fd fd{OpenRegular(path, maxBytes, &r)};
    if (fd.fd < 0)
        return r;
    struct stat st {};
    (void)::fstat(fd.fd, &st);
    // One byte more than allowed: a file that grew meanwhile is seen.
    const qsizetype cap = maxBytes + 1;
    QByteArray buf;
    buf.resize(qMin<qsizetype>(qsizetype(st.st_size), maxBytes) + 1);
    qsizetype got = 0;
    if (const int error = ReadInto(fd.fd, buf, got, cap, [](qsizetype) { return false; }))
        return Failure(error);
    if (got > maxBytes)
        return Failure(Status::TooLarge, TooLargeFileText());
    buf.truncate(got);
    r.status = Status::Ok;
    r.bytes = std::move(buf);
    return r;
}

FileRead ReadFirstLine(const QString &path, qsizetype maxBytes)
{
    FileRead r;
    // The length of the file does not matter: only its first line is read.
    Fd fd{OpenRegular(path, -1, &r)};
    if (fd.fd < 0)
        return r;
    QByteArray buf;
    qsizetype got = 0;
    qsizetype lf = -1;
    const int error = ReadInto(fd.fd, buf, got, maxBytes, [&](qsizetype from) {
        const void *at = std::memchr(buf.constData() + from, '\n', size_t(got - from));
        lf = at ? static_cast<const char *>(at) - buf.constData() : -1;
        return lf >= 0;
    });
    if (error)
        return Failure(error);
    buf.truncate(lf >= 0 ? lf + 1 : got);
    r.status = Status::Ok;
    r.bytes = std::move(buf);
    return r;
}

bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString *why)
{
    const auto fail = [why](int error, QFileDevice::FileError kind = QFileDevice::UnspecifiedError) {
        if (why)
            *why = FileErrorText(error, FileOp::Write, kind);
        return false;
    };
    const QByteArray native = QFile::encodeName(path);
    // The save file would only say that it failed; these say why.
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        if (::access(native.constData(), W_OK) != 0)
            return fail(errno);
    }
    errno = 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(errno, file.error());
    // Written through the descriptor, so that a short write and its errno
    // are seen at once; the temporary is removed with the save file.
    const int fd = int(file.handle());
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            file.cancelWriting();
            return fail(error);
        }
        done += n;
    }
    if (!file.flush()) {
        const int error = errno;
        const QFileDevice::FileError kind = file.error();
        file.cancelWriting();
        return fail(error, kind);
    }
    // The new bytes are on the disk before they replace the old ones.
    if (::fsync(fd) != 0) {
        const int error = errno;
        file.cancelWriting();
        return fail(error);
    }
    errno = 0;
    if (!file.commit())
        return fail(errno, file.error());
    return true;
}
