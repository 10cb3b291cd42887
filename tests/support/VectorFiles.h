#pragma once
// What a PDF or SVG file holds, for tests of vector output: the PDF through
// poppler-utils (pdftotext, pdfimages), the SVG through its elements.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Standard output of a poppler tool run on the file; null when it fails.
inline QString RunPoppler(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of every page, in reading order with the layout kept.
inline QString PdfText(const QString &file)
{
    return RunPoppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

// Raster images in the file (-1 when pdfimages fails).
inline int PdfImageCount(const QString &file)
{
    const QString list = RunPoppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    if (list.isNull())
        return -1;
    // Two heading lines, then one line per image.
    return qMax(0, int(list.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2);
}

inline int PdfPageCount(const QString &file)
{
    const QString info = RunPoppler(QStringLiteral("pdfinfo"), {file});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Stroke colours (#rrggbb) of the SVG's paths of at least `points` points:
// the sampled curves, not the marks or the grid.
inline QStringList SvgCurvePaths(const QByteArray &svg, int points = 10)
{
    QStringList found;
    QStringList strokes{QStringLiteral("none")};
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attrs = xml.attributes();
            const QString stroke = attrs.hasAttribute(QStringLiteral("stroke"))
                                       ? attrs.value(QStringLiteral("stroke")).toString()
                                       : strokes.last();
            strokes.append(stroke);
            if (xml.name() == QLatin1String("path")) {
                const QString d = attrs.value(QStringLiteral("d")).toString();
                if (d.count(QLatin1Char('L')) + 1 >= points && stroke != QLatin1String("none"))
                    found.append(stroke);
            }
        } else if (xml.isEndElement()) {
            strokes.removeLast();
        }
    }
    return found;
}
