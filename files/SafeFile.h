#pragma once
// Whole-file reading and writing for every file the program keeps. A read
// opens only regular files and never takes more than its limit; a write
// goes through a temporary file that replaces the old one only after every
// byte is on the disk. Failures are explained in Japanese.

#include <QByteArray>
#include <QFileDevice>
#include <QString>

enum class FileOp { Read, Write };

// The Japanese explanation of a system error number met while reading or
// writing a file; with no number (0) the kind of a Qt file error is used.
QString FileErrorText(int error, FileOp op, QFileDevice::FileError kind = QFileDevice::UnspecifiedError);

// Reasons that are not system errors.
QString NotRegularFileText();
QString TooLargeFileText();
QString NotCp932BytesText();
QString NotCp932CharsText();

struct FileRead {
    enum class Status {
        Ok,
        Missing,    // no such file
        Failed,     // could not be opened or read: see why
        NotRegular, // a folder, a FIFO, a device...: never read
        TooLarge,   // above the limit
    };
    Status status = Status::Failed;
    QByteArray bytes; // the contents (Ok only)
    QString why;      // in Japanese, for every status but Ok
    bool ok() const { return status == Status::Ok; }
};

// Reads a regular file of at most maxBytes. The file is opened without
// waiting (a FIFO cannot hold the program) and is never read past
// maxBytes + 1 bytes, whatever it claims to hold.
FileRead ReadRegularFile(const QString &path, qsizetype maxBytes);
// Reads a regular file up to and including its first LF, at most maxBytes.
FileRead ReadFirstLine(const QString &path, qsizetype maxBytes);

// Replaces the file with bytes through a temporary file beside it. The
// temporary replaces the old file only after every byte was written and
// synced to the disk; on any failure it is removed, the old file keeps
// every byte, *why gets the reason in Japanese and false is returned.
bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString *why = nullptr);
