// Draws the program's icon, a parabola through lattice points over a small
// grid, as SVG and as PNGs of the given sizes. One description of the shapes
// serves both, so the pictures cannot drift apart.
//
//     quorvel_icons <output folder> <size>...
// writes quorvel.svg and quorvel-<size>.png for each size.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace {
// The picture is laid out on an 8 x 8 lattice; coordinates are in lattice
// cells, y downwards.
constexpr double kCells = 8.0;
constexpr double kMargin = 0.35;  // cells between the frame and the picture's edge

// y = 1/2 (x - 4)^2 with y downwards: the vertex (4, 6) and the lattice
// points it passes.
double CurveY(double x) { return 6.0 - 0.5 * (x - 4.0) * (x - 4.0); }
double CurveSlope(double x) { return -(x - 4.0); }
const std::vector<QPointF> kLatticePoints = {{2, 4}, {6, 4}};
constexpr double kCurveLeft = 0.2, kCurveRight = 7.8;

const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kFrame(0x4A, 0x5E, 0x80);
const QColor kGrid(0xC8, 0xD4, 0xE8);
const QColor kAxis(0x70, 0x70, 0x70);
const QColor kCurve(0x1E, 0x4E, 0xD0);
const QColor kVertex(0xE0, 0x20, 0x20);

// What is drawn at a size: a 16-pixel icon has no room for the grid.
struct Detail {
    bool grid, dots;
    double curveWidth, axisWidth, frameWidth;  // in cells
};

Detail DetailFor(int size)
{
    const double cell = size / kCells;
    Detail d{};
    d.grid = size >= 32;
    d.dots = size >= 48;
    d.curveWidth = std::max(1.6 / cell, 0.42);
    d.axisWidth = std::max(1.0 / cell, 0.1);
    d.frameWidth = std::max(1.0 / cell, 0.12);
    return d;
}

// The curve between its two ends as one quadratic Bezier: for a parabola
// the control point is where the end tangents meet, so it is exact.
QPainterPath CurvePath()
{
    const double x0 = kCurveLeft, x2 = kCurveRight, xm = (x0 + x2) / 2;
    QPainterPath path(QPointF(x0, CurveY(x0)));
    path.quadTo(QPointF(xm, CurveY(x0) + CurveSlope(x0) * (xm - x0)), QPointF(x2, CurveY(x2)));
    return path;
}

void DrawIcon(QPainter &p, const Detail &d)
{
    const QRectF frame(kMargin, kMargin, kCells - 2 * kMargin, kCells - 2 * kMargin);
    p.setPen(QPen(kFrame, d.frameWidth));
    p.setBrush(kPaper);
    p.drawRoundedRect(frame, 0.9, 0.9);
    p.setClipRect(frame.adjusted(d.frameWidth, d.frameWidth, -d.frameWidth, -d.frameWidth));
    p.setBrush(Qt::NoBrush);
    if (d.grid) {
        p.setPen(QPen(kGrid, d.axisWidth * 0.8));
        for (int i = 1; i < int(kCells); ++i) {
            p.drawLine(QPointF(i, 0), QPointF(i, kCells));
            p.drawLine(QPointF(0, i), QPointF(kCells, i));
        }
    }
    p.setPen(QPen(kAxis, d.axisWidth));
    p.drawLine(QPointF(0, 7), QPointF(kCells, 7));
    p.drawLine(QPointF(4, 0), QPointF(4, kCells));
    p.setPen(QPen(kCurve, d.curveWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(CurvePath());
    p.setPen(Qt::NoPen);
    if (d.dots) {
        p.setBrush(kCurve);
        for (const QPointF &pt : kLatticePoints)
            p.drawEllipse(pt, d.curveWidth * 0.85, d.curveWidth * 0.85);
    }
    p.setBrush(kVertex);
    const double r = std::max(d.curveWidth * 0.95, 0.5);
    p.drawEllipse(QPointF(4, 6), r, r);
}

bool WritePng(const QString &folder, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kCells, size / kCells);
    DrawIcon(p, DetailFor(size));
    p.end();
    return image.save(QStringLiteral("%1/quorvel-%2.png").arg(folder).arg(size), "PNG");
}

QString Num(double v) { return QString::number(v * 32.0, 'f', 2); }  // 256 / 8 cells
QString Colour(const QColor &c) { return c.name(); }

bool WriteSvg(const QString &folder)
{
    const Detail d = DetailFor(256);
    QString svg;
    QTextStream out(&svg);
    const double inner = kCells - 2 * kMargin;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <title>Quorvel</title>\n"
        << "  <defs><clipPath id=\"inside\"><rect x=\"" << Num(kMargin + d.frameWidth) << "\" y=\""
        << Num(kMargin + d.frameWidth) << "\" width=\"" << Num(inner - 2 * d.frameWidth) << "\" height=\""
        << Num(inner - 2 * d.frameWidth) << "\"/></clipPath></defs>\n"
        << "  <rect x=\"" << Num(kMargin) << "\" y=\"" << Num(kMargin) << "\" width=\"" << Num(inner)
        << "\" height=\"" << Num(inner) << "\" rx=\"" << Num(0.9) << "\" fill=\"" << Colour(kPaper)
        << "\" stroke=\"" << Colour(kFrame) << "\" stroke-width=\"" << Num(d.frameWidth) << "\"/>\n"
        << "  <g clip-path=\"url(#inside)\" fill=\"none\">\n";
    out << "    <path stroke=\"" << Colour(kGrid) << "\" stroke-width=\"" << Num(d.axisWidth * 0.8) << "\" d=\"";
    for (int i = 1; i < int(kCells); ++i)
        out << "M" << Num(i) << " 0V256M0 " << Num(i) << "H256";
    out << "\"/>\n";
    out << "    <path stroke=\"" << Colour(kAxis) << "\" stroke-width=\"" << Num(d.axisWidth) << "\" d=\"M0 "
        << Num(7) << "H256M" << Num(4) << " 0V256\"/>\n";
    const QPainterPath curve = CurvePath();
    const auto start = curve.elementAt(0), control = curve.elementAt(1), end = curve.elementAt(2);
    out << "    <path stroke=\"" << Colour(kCurve) << "\" stroke-width=\"" << Num(d.curveWidth)
        << "\" stroke-linecap=\"round\" d=\"M" << Num(start.x) << " " << Num(start.y) << "Q" << Num(control.x)
        << " " << Num(control.y) << " " << Num(end.x) << " " << Num(end.y) << "\"/>\n";
    for (const QPointF &pt : kLatticePoints)
        out << "    <circle cx=\"" << Num(pt.x()) << "\" cy=\"" << Num(pt.y()) << "\" r=\""
            << Num(d.curveWidth * 0.85) << "\" fill=\"" << Colour(kCurve) << "\"/>\n";
    out << "    <circle cx=\"" << Num(4) << "\" cy=\"" << Num(6) << "\" r=\""
        << Num(std::max(d.curveWidth * 0.95, 0.5)) << "\" fill=\"" << Colour(kVertex) << "\"/>\n"
        << "  </g>\n</svg>\n";
    out.flush();
    QFile file(folder + QStringLiteral("/quorvel.svg"));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(svg.toUtf8()) == svg.toUtf8().size();
}
}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvel_icons <folder> <size>...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = WriteSvg(folder);
    for (int i = 2; i < argc; ++i)
        ok = WritePng(folder, QString::fromLocal8Bit(argv[i]).toInt()) && ok;
    if (!ok)
        std::fprintf(stderr, "quorvel_icons: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
