#include "practice/VerdictIcons.h"

#include "plane/Fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {
QPixmap Blank()
{
    QPixmap pm(kVerdictIconSize, kVerdictIconSize);
    pm.fill(Qt::transparent);
    return pm;
}

void Blossom(QPainter &p, QPointF c, const QColor &petal)
{
    constexpr double kPi = 3.14159265358979323846;
    p.setPen(QPen(petal.darker(135), 0.8));
    p.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        const double a = -kPi / 2 + i * 2 * kPi / 5;
        p.drawEllipse(QPointF(c.x() + 3.2 * std::cos(a), c.y() + 3.2 * std::sin(a)), 2.6, 2.6);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 40));
    p.drawEllipse(c, 1.8, 1.8);
}
}  // namespace

QPixmap FlowersIcon()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF tie(16, 25);
    const QPointF heads[] = {{8.5, 9}, {23, 8}, {15.5, 14}, {25, 18}, {7, 19}};
    const QColor green(40, 150, 50);
    p.setPen(QPen(green, 1.3));
    for (const QPointF &h : heads)
        p.drawLine(h, tie);
    p.drawLine(tie, QPointF(14, 31));
    p.drawLine(tie, QPointF(18, 31));
    p.setPen(Qt::NoPen);
    p.setBrush(green.lighter(120));
    p.drawEllipse(QPointF(11, 24), 3, 1.5);
    p.drawEllipse(QPointF(21, 24), 3, 1.5);

    const QColor pinks[] = {QColor(255, 120, 180), QColor(255, 170, 210), QColor(240, 90, 160),
                            QColor(255, 150, 200), QColor(250, 110, 170)};
    for (int i = 0; i < 5; ++i)
        Blossom(p, heads[i], pinks[i]);

    // The ribbon that holds the bunch together.
    p.setPen(QPen(QColor(170, 20, 60), 0.8));
    p.setBrush(QColor(220, 40, 80));
    p.drawPolygon(QPolygonF({tie, QPointF(11.5, 22.5), QPointF(11.5, 27.5)}));
    p.drawPolygon(QPolygonF({tie, QPointF(20.5, 22.5), QPointF(20.5, 27.5)}));
    p.drawEllipse(tie, 1.4, 1.4);
    return pm;
}

QPixmap SmilingCatIcon()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // A grey outline, so the white face stands out on the pale yellow dialog.
    const QPen outline(QColor(80, 80, 80), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPainterPath head;
    head.moveTo(4, 15);
    head.lineTo(5, 2.5);
    head.lineTo(12, 9);
    head.quadTo(16, 8, 20, 9);
    head.lineTo(27, 2.5);
    head.lineTo(28, 15);
    head.cubicTo(30, 25, 24, 29.5, 16, 29.5);
    head.cubicTo(8, 29.5, 2, 25, 4, 15);
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawPath(head);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 180, 200));
    p.drawPolygon(QPolygonF({QPointF(6.5, 6), QPointF(7, 11), QPointF(10.5, 9.5)}));
    p.drawPolygon(QPolygonF({QPointF(25.5, 6), QPointF(25, 11), QPointF(21.5, 9.5)}));
    p.setBrush(QColor(255, 200, 210, 170));
    p.drawEllipse(QPointF(8.5, 21), 2.3, 1.5);
    p.drawEllipse(QPointF(23.5, 21), 2.3, 1.5);

    // Eyes closed in a smile: two upward arcs.
    p.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 14, 6, 5), 0, 180 * 16);
    p.drawArc(QRectF(18, 14, 6, 5), 0, 180 * 16);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 110, 140));
    p.drawPolygon(QPolygonF({QPointF(14.5, 20), QPointF(17.5, 20), QPointF(16, 21.8)}));
    p.setPen(QPen(QColor(40, 40, 40), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12.5, 20.5, 3.5, 3), 180 * 16, 180 * 16);
    p.drawArc(QRectF(16, 20.5, 3.5, 3), 180 * 16, 180 * 16);

    p.setPen(QPen(QColor(110, 110, 110), 0.7));
    p.drawLine(QPointF(1, 19), QPointF(9, 20.5));
    p.drawLine(QPointF(1, 23), QPointF(9, 22));
    p.drawLine(QPointF(31, 19), QPointF(23, 20.5));
    p.drawLine(QPointF(31, 23), QPointF(23, 22));
    return pm;
}

QPixmap MonsterIcon()
{
    QPixmap pm = Blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor skin(70, 180, 60);
    const QPen outline(QColor(20, 80, 20), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(QColor(230, 220, 170));
    p.drawPolygon(QPolygonF({QPointF(6, 9), QPointF(3, 1), QPointF(11, 6)}));
    p.drawPolygon(QPolygonF({QPointF(26, 9), QPointF(29, 1), QPointF(21, 6)}));

    // A lumpy head, wider at the jaw.
    QPainterPath head;
    head.moveTo(5, 13);
    head.cubicTo(5, 4, 27, 4, 27, 13);
    head.cubicTo(31, 18, 30, 29, 16, 30);
    head.cubicTo(2, 29, 1, 18, 5, 13);
    p.setBrush(skin);
    p.drawPath(head);
    p.setPen(Qt::NoPen);
    p.setBrush(skin.darker(125));
    p.drawEllipse(QPointF(9, 10), 1.2, 1.2);
    p.drawEllipse(QPointF(21, 8.5), 1.0, 1.0);
    p.drawEllipse(QPointF(25, 12), 0.9, 0.9);

    // Mismatched bulging eyes.
    p.setPen(outline);
    p.setBrush(QColor(255, 250, 120));
    p.drawEllipse(QPointF(11, 14), 4.2, 4.2);
    p.drawEllipse(QPointF(22, 14.5), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 0, 0));
    p.drawEllipse(QPointF(11.8, 14.5), 1.9, 2.4);
    p.drawEllipse(QPointF(21.3, 15), 1.4, 1.8);
    p.setPen(QPen(QColor(20, 80, 20), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 8.5), QPointF(14, 10.5));
    p.drawLine(QPointF(26, 9.5), QPointF(19.5, 11));

    // A wide grin full of fangs.
    QPainterPath mouth;
    mouth.moveTo(7, 21);
    mouth.quadTo(16, 24, 25, 21);
    mouth.quadTo(23, 28, 16, 28);
    mouth.quadTo(9, 28, 7, 21);
    p.setPen(outline);
    p.setBrush(QColor(110, 0, 30));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (double x : {10.0, 14.5, 19.0})
        p.drawPolygon(QPolygonF({QPointF(x, 22.2), QPointF(x + 2.6, 22.6), QPointF(x + 1.3, 25.2)}));
    p.drawPolygon(QPolygonF({QPointF(12.5, 27.6), QPointF(15, 27.8), QPointF(13.8, 25.6)}));
    p.drawPolygon(QPolygonF({QPointF(17, 27.8), QPointF(19.5, 27.4), QPointF(18.2, 25.6)}));
    return pm;
}

QFont VerdictFont(int pixels)
{
    return Fonts::PixelFace(Fonts::Gothic, pixels);
}

QPushButton *VerdictButton(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(place);
    return b;
}

QLabel *VerdictIconLabel(QWidget *parent, const char *name, const QPixmap &pm, int left, int top)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(left, top, 33, 33);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setPixmap(pm);
    return l;
}

QLineEdit *VerdictMessageField(QWidget *parent, const QRect &place, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QStringLiteral("edtMess"));
    e->setGeometry(place);
    e->setFont(VerdictFont(16));
    e->setReadOnly(true);
    return e;
}
