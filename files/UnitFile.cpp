#include "files/UnitFile.h"

#include "files/Convert.h"
#include "files/Cp932.h"
#include "files/TitleText.h"
#include "model/LineMode.h"

#include <QFileInfo>

namespace {

QString CannotOpen(const QString &path)
{
    return QStringLiteral("ファイル ") + path + QStringLiteral(" が開けません");
}

// Reads the records of a buffer from `first`; throws UserError on a bad number.
UnitContents ParseRecords(const QStringList &lines, int first, int count, bool storedTexts, FormulaForm form,
                          IncludedEnds ends)
{
    UnitContents c;
    c.lines = lines;
    int at = first;
    for (int i = 0; i < count; ++i) {
        Parabola rec;
        rec.Color = 0;
        const PairLine style = SplitPairLine(lines, at);
        UnpackStyle(style.second, rec, ends);
        rec.Color = style.first;
        rec.Formula = lines.value(at++);
        const PairLine vertex = SplitPairLine(lines, at);
        rec.VertexX = vertex.first;
        rec.VertexY = vertex.second;
        const PairLine point = SplitPairLine(lines, at);
        rec.PointX = point.first;
        rec.PointY = point.second;
        const PairLine domain = SplitPairLine(lines, at);
        rec.DomainLow = domain.first;
        rec.DomainHigh = domain.second;
        c.listTexts.append(storedTexts ? rec.Formula : StandardFormText(rec, form));
        c.records.push_back(rec);
    }
    return c;
}

Told<std::optional<UnitContents>> Read(const QString &fileName, bool practice, FormulaForm form,
                                       IncludedEnds ends)
{
    Told<std::optional<UnitContents>> read;
    const Told<QString> path = NormalizeUnitFileName(fileName);
    read.messages = path.messages;
    const Told<std::optional<QStringList>> text = LoadUnitText(path.value);
    read.messages += text.messages;
    const auto &lines = text.value;
    if (!lines)
        return read;
    const int n = int(qMin<qsizetype>(lines->size(), 1 << 30));
    int header = 0;
    if (practice) {
        if (lines->value(1) == QStringLiteral("<<ver4"))
            header = 3;
    } else if (n % 5 != 1) {
        read.messages.append({QStringLiteral("データの構造が違います。")});
        return read;
    }
    const int count = qMax(0, qMin((n - header) / 5, kMaxParabolas));
    try {
        read.value = ParseRecords(*lines, header + 1, count, practice, form, ends);
    } catch (const UserError &e) {
        // The file is refused whole: nothing of it reaches the working list.
        read.messages.append({e.text(), MessageKind::Error});
    }
    return read;
}

} // namespace

Told<QString> NormalizeUnitFileName(const QString &name)
{
    if (name.isEmpty())
        return {QStringLiteral("Parabola.prb"), {{QStringLiteral("ファイル名をParabola.prbにしました")}}};
    // The rule looks at the file's own name, not at dots in its folders.
    const QString base = QFileInfo(name).fileName();
    const qsizetype dot = base.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {name + QStringLiteral(".prb"), {}};
    const QString ext = base.mid(dot + 1).toLower();
    if (ext != QStringLiteral("prb") && ext != QStringLiteral("prx"))
        return {name, {{base.mid(dot + 1) + QStringLiteral("拡張子はｐｒｂまたはｐｒｘを使ってください")}}};
    return {name, {}};
}

Told<std::optional<QStringList>> LoadUnitText(const QString &path)
{
    QStringList lines;
    QString why;
    FileRead::Status status = FileRead::Status::Ok;
    if (!ReadCp932Lines(path, lines, &why, kMaxUnitFileBytes, &status)) {
        // A file too large or not a file at all is named as such; any other
        // failure keeps the plain message.
        const bool told = status == FileRead::Status::TooLarge || status == FileRead::Status::NotRegular;
        return {std::nullopt,
                {{CannotOpen(path) + (told ? QStringLiteral("\r\n(") + why + QLatin1Char(')') : QString())}}};
    }
    return {std::move(lines), {}};
}

Told<std::optional<UnitContents>> ReadUnit(const QString &path, FormulaForm form, IncludedEnds ends)
{
    return Read(path, false, form, ends);
}

Told<std::optional<UnitContents>> ReadPracticeUnit(const QString &path, IncludedEnds ends)
{
    return Read(path, true, FormulaForm::Standard, ends);
}

PairLine SplitPairLine(const QStringList &lines, int &index)
{
    PairLine p;
    p.whole = lines.value(index);
    ++index;
    const qsizetype comma = p.whole.indexOf(QLatin1Char(','));
    const QString a = comma < 0 ? p.whole : p.whole.left(comma);
    const QString b = comma < 0 ? QString() : p.whole.mid(comma + 1);
    p.first = StrToInt(a);
    p.second = StrToInt(b);
    return p;
}

void UnpackStyle(int style, Parabola &rec, IncludedEnds current)
{
    rec.LineMode = style & 15;
    const int width = (style / 16) & 15;
    rec.LineWidth = width == 0 ? 1 : width;
    const int e = (style / 256) & 15;
    // The file's end code goes into the record only; the line kind chosen
    // for new parabolas stays as the tool bar shows it.
    bool lower = current.lower;
    bool upper = current.upper;
    if (e <= 3) {
        const auto flags = EndFlagsOf(ToInt(LineMode::Segment), e);
        lower = flags->first;
        upper = flags->second;
    }
    rec.LowerIncluded = lower ? 1 : 0;
    rec.UpperIncluded = upper ? 1 : 0;
    rec.EndStyle = 0;
    rec.Reserved1 = 0;
    rec.Reserved2 = 0;
}

Message WritingUnitNotice(const QString &path)
{
    return {path, MessageKind::Information};
}

Told<bool> WriteUnitFile(const QStringList &lines, const QString &title, const QString &path)
{
    const QString failed = path + QStringLiteral("の保存に失敗しました");
    QStringList out = lines;
    if (out.isEmpty())
        out.append(title);
    else
        out[0] = title;
    // Each text must stay on its own line: a line break inside one would
    // shift every record after it when the file is read back.
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (!BreaksLine(out[i]))
            continue;
        return {false,
                {{failed, MessageKind::Error},
                 {i == 0 ? QStringLiteral("単元名に改行が入っています")
                         : QStringLiteral("%1行目に改行が入っています").arg(i + 1),
                  MessageKind::Error}}};
    }
    QString why;
    if (!WriteCp932Lines(path, out, &why))
        return {false, {{failed, MessageKind::Error}, {why, MessageKind::Error}}};
    return {true, {}};
}

QString ReadUnitTitle(const QString &path)
{
    // Only the first line is needed; a huge file is not read whole.
    const FileRead read = ReadFirstLine(path, kMaxUnitFileBytes);
    if (!read.ok())
        return QStringLiteral("？");
    QByteArray line = read.bytes;
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    const auto title = DecodeCp932(line);
    return title ? *title : QStringLiteral("？");
}
