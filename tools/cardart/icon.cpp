// The application icon: a fan of three cards with the big joker in front,
// on a round green table. Below 48 pixels that fan is a grey smudge, so the
// small sizes are drawn afresh with fewer, bigger shapes on whole pixels.
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

QRadialGradient feltGradient(QPointF light, qreal radius) {
    QRadialGradient felt(light, radius);
    felt.setColorAt(0.0, QColor(70, 180, 95));
    felt.setColorAt(0.7, QColor(22, 120, 52));
    felt.setColorAt(1.0, QColor(10, 80, 34));
    return felt;
}

const QColor kFeltEdge(8, 60, 26);

// The whole picture in a 256-unit square.
void drawFullIcon(QPainter& p) {
    const QPointF centre(128, 128);
    p.setPen(QPen(kFeltEdge, 4));
    p.setBrush(feltGradient(QPointF(112, 100), 150));
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
}

// A plain card, its edge on whole pixels: `r` is in pixels, the pen one pixel
// wide sits on the pixel centres just inside it.
void drawPlainCard(QPainter& p, QRect r, Suit suit, qreal pipHeight) {
    p.setPen(QPen(kEdge, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(suitColour(suit));
    p.drawPath(suitPath(suit, QRectF(r).center(), pipHeight));
}

// 16 to 24 pixels: the felt and one upright card with one big heart.
void drawTinyIcon(QPainter& p, int size) {
    const qreal half = size / 2.0;
    p.setPen(QPen(kFeltEdge, 1));
    p.setBrush(feltGradient(QPointF(half * 0.85, half * 0.75), half * 1.2));
    p.drawEllipse(QPointF(half, half), half - 0.5, half - 0.5);
    const int w = (size * 9 + 8) / 16;  // 9 of 16 pixels wide, 12 high
    const int h = (size * 12 + 8) / 16;
    const QRect card((size - w) / 2, (size - h) / 2, w, h);
    drawPlainCard(p, card, Suit::hearts, w * 0.62);
}

// 25 to 47 pixels: the felt with a thin gold ring, and two cards fanned, a
// black spade behind a red heart.
void drawSmallIcon(QPainter& p, int size) {
    const qreal half = size / 2.0;
    p.setPen(QPen(kFeltEdge, 1));
    p.setBrush(feltGradient(QPointF(half * 0.85, half * 0.75), half * 1.2));
    p.drawEllipse(QPointF(half, half), half - 0.5, half - 0.5);
    p.setPen(QPen(QColor(220, 190, 90, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(half, half), half - 2.5, half - 2.5);

    const int w = (size * 8 + 8) / 16, h = (size * 11 + 8) / 16;
    p.save();
    p.translate(half - size * 0.06, half + h * 0.5);
    p.rotate(-18);
    p.translate(-w / 2.0, -h);
    drawPlainCard(p, QRect(0, 0, w, h), Suit::spades, w * 0.55);
    p.restore();
    // The front card upright, so its edges stay sharp.
    const QRect front(int(half) - w / 2 + size / 8, int(half) - h / 2 + size / 16, w, h);
    drawPlainCard(p, front, Suit::hearts, w * 0.6);
}

}  // namespace

void drawIcon(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    if (size <= 24) return drawTinyIcon(p, size);
    if (size < 48) return drawSmallIcon(p, size);
    p.save();
    p.scale(size / 256.0, size / 256.0);
    drawFullIcon(p);
    p.restore();
}

QImage renderIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    drawIcon(p, size);
    p.end();
    return img;
}

}  // namespace cardart
