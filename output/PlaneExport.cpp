#include "output/PlaneExport.h"

#include "files/SafeFile.h"
#include "plane/Picture.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {
// Resolution of the PDF's drawing: plane pixels are 1/96 inch on its page.
constexpr int kPdfDpi = 1200;

void DrawOnto(QPainter &painter, QSize size, const PlaneDrawer &draw)
{
    Picture pic;
    pic.canvas().setTarget(&painter, size.width(), size.height());
    draw(pic);
    pic.canvas().setTarget(nullptr, 0, 0);
}
} // namespace

QByteArray ExportBytes(ExportType type, QSize size, const PlaneDrawer &draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (type.kind) {
    case ExportType::Kind::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        QPainter painter(&svg);
        DrawOnto(painter, size, draw);
        break;
    }
    case ExportType::Kind::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        pdf.setPageMargins(QMarginsF());
        pdf.setPageSize(
            QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
        QPainter painter(&pdf);
        painter.scale(kPdfDpi / 96.0, kPdfDpi / 96.0);
        DrawOnto(painter, size, draw);
        break;
    }
    case ExportType::Kind::Png: {
        QImage image;
        if (type.pixels <= 1) {
            // At its own size the plane is the very bitmap the screen shows.
            Picture pic;
            draw(pic);
            image = pic.canvas().image();
        } else {
            image = QImage(size * type.pixels, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.scale(type.pixels, type.pixels);
            DrawOnto(painter, size, draw);
        }
        image.save(&buffer, "PNG");
        break;
    }
    }
    return bytes;
}

bool ExportPlane(const QString &path, ExportType type, QSize size, const PlaneDrawer &draw, QString *why)
{
    return WriteFileSafely(path, ExportBytes(type, size, draw), why);
}
