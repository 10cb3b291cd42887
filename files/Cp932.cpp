#include "files/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char *kCodec = "windows-31j";

void setWhy(QString *why, const QString &text)
{
    if (why)
        *why = text;
}
} // namespace

std::optional<QString> DecodeCp932(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> EncodeCp932(const QString &text)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QStringList SplitTextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == QLatin1Char('\n')) {
            qsizetype end = i;
            if (end > start && text[end - 1] == QLatin1Char('\r'))
                --end;
            lines.append(text.mid(start, end - start));
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString JoinCrlf(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines) {
        out += line;
        out += QLatin1String("\r\n");
    }
    return out;
}

bool ReadCp932Text(const QString &path, QString &text, QString *why, qsizetype maxBytes,
                   FileRead::Status *status)
{
    const FileRead read = ReadRegularFile(path, maxBytes);
    if (status)
        *status = read.status;
    if (!read.ok()) {
        setWhy(why, read.why);
        return false;
    }
    const auto decoded = DecodeCp932(read.bytes);
    if (!decoded) {
        if (status)
            *status = FileRead::Status::Failed;
        setWhy(why, NotCp932BytesText());
        return false;
    }
    text = *decoded;
    return true;
}

bool ReadCp932Lines(const QString &path, QStringList &lines, QString *why, qsizetype maxBytes,
                    FileRead::Status *status)
{
    QString text;
    if (!ReadCp932Text(path, text, why, maxBytes, status))
        return false;
    lines = SplitTextLines(text);
    return true;
}

bool WriteCp932Text(const QString &path, const QString &text, QString *why)
{
    const auto bytes = EncodeCp932(text);
    if (!bytes) {
        setWhy(why, NotCp932CharsText());
        return false;
    }
    return WriteFileSafely(path, *bytes, why);
}

bool WriteCp932Lines(const QString &path, const QStringList &lines, QString *why)
{
    return WriteCp932Text(path, JoinCrlf(lines), why);
}
