// The application icon: a fan of three cards with the big joker in front,
// on a round green table.
#include "art.h"

#include <QPainter>
#include <QRadialGradient>

namespace cardart {

namespace {

// Draws one card of the icon, `angle` degrees about the bottom centre `pivot`.
template <typename Paint>
void placeCard(QPainter& p, QPointF pivot, qreal angle, qreal scale, Paint paint) {
    p.save();
    p.translate(pivot);
    p.rotate(angle);
    p.scale(scale, scale);
    p.translate(-kCardWidth / 2.0, -kCardHeight);
    // Soft shadow under the card.
    p.save();
    p.translate(1.6, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(cardOutline());
    p.restore();
    paint();
    p.restore();
}

}  // namespace

QImage renderIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    const QPointF centre(128, 128);
    QRadialGradient felt(QPointF(112, 100), 150);
    felt.setColorAt(0.0, QColor(70, 180, 95));
    felt.setColorAt(0.7, QColor(22, 120, 52));
    felt.setColorAt(1.0, QColor(10, 80, 34));
    p.setPen(QPen(QColor(8, 60, 26), 4));
    p.setBrush(felt);
    p.drawEllipse(centre, 122, 122);
    p.setPen(QPen(QColor(220, 190, 90, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 114, 114);

    const QPointF fanPivot(114, 184);
    const qreal fanScale = 1.22;
    placeCard(p, fanPivot, -32, fanScale, [&] { drawFace(p, Suit::spades, "A"); });
    placeCard(p, fanPivot, -10, fanScale, [&] { drawFace(p, Suit::hearts, "K"); });
    placeCard(p, fanPivot, 10, fanScale, [&] { drawFace(p, Suit::diamonds, "2"); });
    placeCard(p, QPointF(144, 214), 12, 1.3, [&] { drawJoker(p, true); });
    p.end();
    return img;
}

}  // namespace cardart
