// Six card backs, each a pattern inside a white margin like a printed card.
#include "art.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace cardart {

namespace {

const QRectF kField(4.5, 4.5, kCardWidth - 9.0, kCardHeight - 9.0);

void fillField(QPainter& p, const QColor& c) { p.fillRect(kField.adjusted(-1, -1, 1, 1), c); }

void blueLattice(QPainter& p) {
    fillField(p, QColor(36, 84, 190));
    p.setPen(QPen(QColor(170, 200, 250), 1.0));
    for (int k = -100; k < 180; k += 7) {
        p.drawLine(QPointF(k, 0), QPointF(k + 100, 100));
        p.drawLine(QPointF(k, 0), QPointF(k - 100, 100));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int a = 0; a < 40; ++a)
        for (int b = 0; b < 40; ++b) {
            // Where line x + y = k meets line x - y = j; every other crossing gets a bead.
            const int k = -100 + 7 * a, j = -100 + 7 * b;
            const qreal x = (k + j) / 2.0, y = (k - j) / 2.0;
            if ((a + b) % 2 == 0 && y >= 0 && y <= kCardHeight && x >= 0 && x <= kCardWidth)
                p.drawEllipse(QPointF(x, y), 0.9, 0.9);
        }
}

void redDiamonds(QPainter& p) {
    // Harlequin: rows of diamonds alternate between bright and deep red.
    fillField(p, QColor(140, 10, 26));
    const qreal w = 11.0, h = 14.0;
    p.setPen(QPen(QColor(255, 225, 225), 0.9));
    for (int row = -1; row < 16; ++row)
        for (int col = -1; col < 8; ++col) {
            const qreal cx = kCardWidth / 2.0 + col * w - 3 * w + ((row % 2) ? w / 2 : 0.0);
            const qreal cy = kCardHeight / 2.0 + (row - 7) * h / 2;
            QPainterPath d;
            d.moveTo(cx, cy - h / 2);
            d.lineTo(cx + w / 2, cy);
            d.lineTo(cx, cy + h / 2);
            d.lineTo(cx - w / 2, cy);
            d.closeSubpath();
            p.setBrush((row % 2) ? QColor(150, 14, 30) : QColor(222, 44, 58));
            p.drawPath(d);
        }
}

void greenWeave(QPainter& p) {
    fillField(p, QColor(16, 80, 36));
    const int tile = 8;
    const QColor strand(70, 170, 90), light(150, 215, 160);
    for (int ty = 0; ty < 12; ++ty)
        for (int tx = 0; tx < 9; ++tx) {
            const qreal x0 = kField.left() + tx * tile, y0 = kField.top() + ty * tile;
            const bool across = (tx + ty) % 2 == 0;
            for (int s = 0; s < 2; ++s) {
                QRectF bar = across ? QRectF(x0 + 0.5, y0 + 0.5 + s * 4, tile - 1, 3)
                                    : QRectF(x0 + 0.5 + s * 4, y0 + 0.5, 3, tile - 1);
                p.fillRect(bar, strand);
                QRectF shine = across ? QRectF(bar.left(), bar.top(), bar.width(), 1)
                                      : QRectF(bar.left(), bar.top(), 1, bar.height());
                p.fillRect(shine, light);
            }
        }
}

void navyGold(QPainter& p) {
    const QColor gold(226, 182, 62);
    fillField(p, QColor(18, 34, 84));
    // A scatter of small gold points behind the emblem.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 110, 80));
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 16; ++x)
            p.drawEllipse(QPointF(kField.left() + 2 + x * 4 + (y % 2) * 2, kField.top() + 2 + y * 4), 0.6, 0.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.0));
    p.drawRoundedRect(kField.adjusted(2, 2, -2, -2), 2, 2);
    p.setPen(QPen(gold, 0.6));
    p.drawRoundedRect(kField.adjusted(4, 4, -4, -4), 1.5, 1.5);

    // Central rosette: an eight-point star in a ring.
    const QPointF c(kCardWidth / 2.0, kCardHeight / 2.0);
    p.setPen(QPen(gold, 1.0));
    p.setBrush(QColor(30, 52, 120));
    p.drawEllipse(c, 16, 16);
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 8;
        const qreal r = (i % 2 == 0) ? 13.0 : 5.5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 0.6));
    p.setBrush(gold);
    p.drawPath(star);
    p.setBrush(QColor(18, 34, 84));
    p.drawEllipse(c, 2.5, 2.5);
    // Corner ornaments inside the gold frame.
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    for (const QPointF& at :
         {QPointF(kField.left() + 9, kField.top() + 9), QPointF(kField.right() - 9, kField.top() + 9),
          QPointF(kField.left() + 9, kField.bottom() - 9), QPointF(kField.right() - 9, kField.bottom() - 9)}) {
        QPainterPath d;
        d.moveTo(at.x(), at.y() - 3.5);
        d.lineTo(at.x() + 2.5, at.y());
        d.lineTo(at.x(), at.y() + 3.5);
        d.lineTo(at.x() - 2.5, at.y());
        d.closeSubpath();
        p.drawPath(d);
    }
}

void purpleChecker(QPainter& p) {
    fillField(p, QColor(92, 36, 130));
    const qreal cell = 6.0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 11; ++x)
            if ((x + y) % 2 == 0)
                p.fillRect(QRectF(kField.left() + x * cell, kField.top() + y * cell, cell, cell),
                           QColor(176, 120, 214));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 230, 255));
    for (int y = 1; y < 16; ++y)
        for (int x = 1; x < 11; ++x)
            p.drawEllipse(QPointF(kField.left() + x * cell, kField.top() + y * cell), 0.8, 0.8);
}

void brownStripes(QPainter& p) {
    fillField(p, QColor(110, 62, 26));
    p.setPen(QPen(QColor(196, 140, 74), 2.5));
    for (int k = -100; k < 100; k += 6) p.drawLine(QPointF(k, 0), QPointF(k + 96, 96));
    p.setPen(QPen(QColor(240, 214, 170), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(kField.adjusted(3, 3, -3, -3));
    p.drawRect(kField.adjusted(5, 5, -5, -5));
}

}  // namespace

void drawBack(QPainter& p, int design) {
    drawBlankCard(p);
    p.save();
    QPainterPath field;
    field.addRoundedRect(kField, 3.0, 3.0);
    p.setClipPath(field);
    switch (design) {
        case 1: blueLattice(p); break;
        case 2: redDiamonds(p); break;
        case 3: greenWeave(p); break;
        case 4: navyGold(p); break;
        case 5: purpleChecker(p); break;
        default: brownStripes(p); break;
    }
    p.restore();
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(field);
    p.restore();
}

}  // namespace cardart
