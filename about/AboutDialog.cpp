#include "about/AboutDialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
// A small parabola picture for the box, drawn once.
QPixmap Emblem()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawLine(4, 48, 60, 48);
    p.drawLine(32, 4, 32, 60);
    p.setPen(QPen(QColor(0, 0, 0xFF), 2));
    QPoint last;
    for (int i = -24; i <= 24; ++i) {
        const QPoint pt(32 + i, 48 - (i * i) / 14);
        if (i > -24)
            p.drawLine(last, pt);
        last = pt;
    }
    return pm;
}
}  // namespace

QString AboutDialog::VersionNumber()
{
    return QStringLiteral(QUORVEL_VERSION);
}

QString AboutDialog::VersionText()
{
    return QStringLiteral("バージョン %1").arg(VersionNumber());
}

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(320, 160);

    auto *emblem = new QLabel(this);
    emblem->setPixmap(Emblem());
    emblem->setGeometry(16, 16, 64, 64);
    emblem->setAccessibleName(QStringLiteral("ロゴ"));
    emblem->setAccessibleDescription(QStringLiteral("放物線のロゴの絵です"));

    productLabel = new QLabel(QStringLiteral("Quorvel 放物線／学習ツール"), this);
    productLabel->setObjectName(QStringLiteral("lblProduct"));
    productLabel->setGeometry(96, 20, 210, 20);
    QFont big = productLabel->font();
    big.setPointSize(big.pointSize() + 2);
    productLabel->setFont(big);

    versionLabel = new QLabel(VersionText(), this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    versionLabel->setGeometry(96, 50, 210, 20);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setGeometry(124, 112, 73, 33);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
}
