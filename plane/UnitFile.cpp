#include "plane/UnitFile.h"

#include "plane/Convert.h"
#include "plane/Cp932.h"
#include "plane/Prompt.h"
#include "plane/TitleText.h"

#include <QFileInfo>

namespace {

QString CannotOpen(const QString &path)
{
    return QStringLiteral("ファイル ") + path + QStringLiteral(" が開けません");
}

// Reads the records of a buffer from `first`; throws UserError on a bad number.
UnitContents ParseRecords(const QStringList &lines, int first, int count, bool storedTexts, FormulaForm form,
                          const DrawingSettings &draw)
{
    UnitContents c;
    c.lines = lines;
    int at = first;
    for (int i = 0; i < count; ++i) {
        Parabola rec;
        rec.Color = 0;
        const PairLine style = SplitPairLine(lines, at);
        UnpackStyle(style.second, rec, draw);
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

std::optional<UnitContents> Read(const QString &fileName, bool practice, FormulaForm form,
                                 const DrawingSettings &draw)
{
    const QString path = NormalizeUnitFileName(fileName);
    const auto lines = LoadUnitText(path);
    if (!lines)
        return std::nullopt;
    const int n = int(qMin<qsizetype>(lines->size(), 1 << 30));
    int header = 0;
    if (practice) {
        if (lines->value(1) == QStringLiteral("<<ver4"))
            header = 3;
    } else if (n % 5 != 1) {
        prompt().message(QStringLiteral("データの構造が違います。"));
        return std::nullopt;
    }
    const int count = qMax(0, qMin((n - header) / 5, kMaxParabolas));
    try {
        return ParseRecords(*lines, header + 1, count, practice, form, draw);
    } catch (const UserError &e) {
        // The file is refused whole: nothing of it reaches the working list.
        prompt().message(e.text(), MessageKind::Error);
        return std::nullopt;
    }
}

}  // namespace

QString NormalizeUnitFileName(const QString &name)
{
    if (name.isEmpty()) {
        prompt().message(QStringLiteral("ファイル名をParabola.prbにしました"));
        return QStringLiteral("Parabola.prb");
    }
    // The rule looks at the file's own name, not at dots in its folders.
    const QString base = QFileInfo(name).fileName();
    const qsizetype dot = base.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return name + QStringLiteral(".prb");
    const QString ext = base.mid(dot + 1).toLower();
    if (ext != QStringLiteral("prb") && ext != QStringLiteral("prx"))
        prompt().message(base.mid(dot + 1) + QStringLiteral("拡張子はｐｒｂまたはｐｒｘを使ってください"));
    return name;
}

std::optional<QStringList> LoadUnitText(const QString &path)
{
    QStringList lines;
    QString why;
    FileRead::Status status = FileRead::Status::Ok;
    if (!ReadCp932Lines(path, lines, &why, kMaxUnitFileBytes, &status)) {
        // A file too large or not a file at all is named as such; any other
        // failure keeps the plain message.
        const bool told = status == FileRead::Status::TooLarge || status == FileRead::Status::NotRegular;
        prompt().message(CannotOpen(path) + (told ? QStringLiteral("\r\n(") + why + QLatin1Char(')') : QString()));
        return std::nullopt;
    }
    return lines;
}

std::optional<UnitContents> ReadUnit(const QString &path, FormulaForm form, const DrawingSettings &draw)
{
    return Read(path, false, form, draw);
}

std::optional<UnitContents> ReadPracticeUnit(const QString &path, const DrawingSettings &draw)
{
    return Read(path, true, FormulaForm::Standard, draw);
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

void UnpackStyle(int style, Parabola &rec, const DrawingSettings &draw)
{
    rec.LineMode = style & 15;
    const int width = (style / 16) & 15;
    rec.LineWidth = width == 0 ? 1 : width;
    const int e = (style / 256) & 15;
    // The file's end code goes into the record only; the line kind chosen
    // for new parabolas stays as the tool bar shows it.
    bool lower = draw.LowerIncluded;
    bool upper = draw.UpperIncluded;
    switch (e) {
    case 0: lower = true; upper = true; break;
    case 1: lower = true; upper = false; break;
    case 2: lower = false; upper = true; break;
    case 3: lower = false; upper = false; break;
    default: break;
    }
    rec.LowerIncluded = lower ? 1 : 0;
    rec.UpperIncluded = upper ? 1 : 0;
    rec.EndStyle = 0;
    rec.Reserved1 = 0;
    rec.Reserved2 = 0;
}

bool WriteUnitFile(const QStringList &lines, const QString &title, const QString &path)
{
    prompt().message(path, MessageKind::Information);
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
        prompt().message(path + QStringLiteral("の保存に失敗しました"), MessageKind::Error);
        prompt().message(i == 0 ? QStringLiteral("単元名に改行が入っています")
                                : QStringLiteral("%1行目に改行が入っています").arg(i + 1),
                         MessageKind::Error);
        return false;
    }
    QString why;
    if (!WriteCp932Lines(path, out, &why)) {
        prompt().message(path + QStringLiteral("の保存に失敗しました"), MessageKind::Error);
        prompt().message(why, MessageKind::Error);
        return false;
    }
    return true;
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
