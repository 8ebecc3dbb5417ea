// The two jokers: the big one in red and gold, the small one in black and grey,
// so they differ at a glance even in the narrow strip a hand shows.
#include "art.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace cardart {

namespace {

struct JokerLook {
    QColor text, hatA, hatB, bell, face, cheek, rayInner, rayOuter, ray;
    QString title;
};

JokerLook lookOf(bool big) {
    if (big)
        return {kRed,
                QColor(215, 20, 30),
                QColor(240, 180, 0),
                QColor(255, 215, 40),
                QColor(255, 224, 189),
                QColor(240, 110, 110),
                QColor(255, 245, 170),
                QColor(255, 190, 60),
                QColor(240, 150, 20),
                QStringLiteral("大王")};
    return {kBlack,
            QColor(30, 30, 34),
            QColor(150, 150, 156),
            QColor(235, 235, 235),
            QColor(236, 236, 236),
            QColor(190, 190, 190),
            QColor(250, 250, 250),
            QColor(200, 200, 204),
            QColor(140, 140, 146),
            QStringLiteral("小王")};
}

QFont letterFont() {
    QFont f("DejaVu Sans Condensed");
    f.setBold(true);
    f.setPixelSize(40);
    return f;
}

QFont hanFont() {
    QFont f("Noto Sans CJK SC");
    f.setBold(true);
    f.setPixelSize(40);
    return f;
}

void drawStar(QPainter& p, QPointF c, qreal r, const QColor& fill, const QColor& edge) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal rr = (i % 2 == 0) ? r : r * 0.45;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.save();
    p.setPen(QPen(edge, 0.7));
    p.setBrush(fill);
    p.drawPath(star);
    p.restore();
}

// "JOKER" read downwards in the corner strip, with a star below it.
void drawCornerStrip(QPainter& p, const JokerLook& look) {
    const QString word = QStringLiteral("JOKER");
    QPainterPath letters;
    for (int i = 0; i < word.size(); ++i)
        letters.addPath(textPath(word.mid(i, 1), letterFont(), 8.0, 3.0 + i * 8.5, 7.0, 8.0));
    p.fillPath(letters, look.text);
    drawStar(p, {8.0, 51.0}, 5.0, look.hatB, look.text);
}

// A jester: three-horned cap with bells, face and ruff, on a sunburst.
void drawJester(QPainter& p, const JokerLook& look, QPointF c) {
    p.save();
    QRadialGradient glow(c, 20.0);
    glow.setColorAt(0.0, look.rayInner);
    glow.setColorAt(1.0, look.rayOuter);
    p.setPen(QPen(look.ray, 1.0));
    p.setBrush(glow);
    p.drawEllipse(c, 19.5, 19.5);
    p.setPen(QPen(look.ray, 0.8));
    for (int i = 0; i < 16; ++i) {
        const qreal a = i * std::numbers::pi / 8;
        p.drawLine(QPointF(c.x() + 13 * std::cos(a), c.y() + 13 * std::sin(a)),
                   QPointF(c.x() + 18.5 * std::cos(a), c.y() + 18.5 * std::sin(a)));
    }

    const QColor outline(40, 30, 30);
    const qreal x = c.x(), y = c.y();
    // Ruff: a zig-zag collar under the chin.
    QPainterPath ruff;
    ruff.moveTo(x - 11, y + 11);
    for (int i = 0; i <= 8; ++i) ruff.lineTo(x - 11 + i * 2.75, y + ((i % 2) ? 17.0 : 13.0));
    ruff.lineTo(x + 11, y + 11);
    ruff.closeSubpath();
    p.setPen(QPen(outline, 0.6));
    p.setBrush(look.hatB);
    p.drawPath(ruff);

    // Face.
    p.setBrush(look.face);
    p.drawEllipse(QPointF(x, y + 5), 7.5, 8.0);
    p.setPen(Qt::NoPen);
    p.setBrush(look.cheek);
    p.drawEllipse(QPointF(x - 4.3, y + 7.5), 1.6, 1.3);
    p.drawEllipse(QPointF(x + 4.3, y + 7.5), 1.6, 1.3);
    p.setBrush(outline);
    p.drawEllipse(QPointF(x - 2.8, y + 3.5), 1.0, 1.2);
    p.drawEllipse(QPointF(x + 2.8, y + 3.5), 1.0, 1.2);
    p.setPen(QPen(outline, 0.9));
    p.setBrush(Qt::NoBrush);
    QPainterPath smile;
    smile.moveTo(x - 3.5, y + 8.5);
    smile.quadTo(x, y + 12.0, x + 3.5, y + 8.5);
    p.drawPath(smile);

    // Cap: three curled horns from the brim, a bell on each tip; the middle one in front.
    struct Horn {
        QPointF base1, ctrl1, tip, ctrl2, base2;
    };
    const Horn horns[3] = {
        {{x - 9, y - 2}, {x - 16, y - 4}, {x - 17, y - 14}, {x - 7, y - 14}, {x - 1, y - 2}},
        {{x + 9, y - 2}, {x + 16, y - 4}, {x + 17, y - 14}, {x + 7, y - 14}, {x + 1, y - 2}},
        {{x - 4.5, y - 2}, {x - 4, y - 11}, {x, y - 21}, {x + 4, y - 11}, {x + 4.5, y - 2}},
    };
    p.setPen(QPen(outline, 0.6));
    for (int i = 0; i < 3; ++i) {
        const Horn& h = horns[i];
        QPainterPath horn;
        horn.moveTo(h.base1);
        horn.quadTo(h.ctrl1, h.tip);
        horn.quadTo(h.ctrl2, h.base2);
        horn.closeSubpath();
        p.setBrush(i == 2 ? look.hatB : look.hatA);
        p.drawPath(horn);
    }
    p.setBrush(look.hatB);
    p.drawRect(QRectF(x - 9, y - 3.5, 18, 3));
    p.setBrush(look.bell);
    for (const Horn& h : horns) p.drawEllipse(h.tip, 2.2, 2.2);
    p.restore();
}

}  // namespace

void drawJoker(QPainter& p, bool big) {
    const JokerLook look = lookOf(big);
    drawBlankCard(p);
    p.save();
    drawCornerStrip(p, look);
    p.translate(kCardWidth, kCardHeight);
    p.rotate(180);
    drawCornerStrip(p, look);
    p.restore();

    drawJester(p, look, {kCardWidth / 2.0, 40.0});
    p.fillPath(textPath(look.title, hanFont(), kCardWidth / 2.0, 66.0, 13.0, 30.0), look.text);
}

}  // namespace cardart
