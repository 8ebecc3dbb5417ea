// Suit symbols, text outlines and the blank card.
#include "art.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>

namespace cardart {

namespace {

// Each symbol is drawn once in a unit box around the origin (y grows down)
// and then fitted to the requested height.
QPainterPath unitHeart() {
    QPainterPath p;
    p.moveTo(0, -0.26);
    p.cubicTo(0.10, -0.52, 0.50, -0.56, 0.50, -0.20);
    p.cubicTo(0.50, 0.06, 0.20, 0.24, 0, 0.50);
    p.cubicTo(-0.20, 0.24, -0.50, 0.06, -0.50, -0.20);
    p.cubicTo(-0.50, -0.56, -0.10, -0.52, 0, -0.26);
    p.closeSubpath();
    return p;
}

QPainterPath unitSpade() {
    QPainterPath p;
    p.moveTo(0, -0.50);
    p.cubicTo(0.18, -0.26, 0.50, -0.12, 0.50, 0.13);
    p.cubicTo(0.50, 0.36, 0.22, 0.42, 0.06, 0.25);
    p.cubicTo(0.07, 0.37, 0.12, 0.45, 0.22, 0.50);
    p.lineTo(-0.22, 0.50);
    p.cubicTo(-0.12, 0.45, -0.07, 0.37, -0.06, 0.25);
    p.cubicTo(-0.22, 0.42, -0.50, 0.36, -0.50, 0.13);
    p.cubicTo(-0.50, -0.12, -0.18, -0.26, 0, -0.50);
    p.closeSubpath();
    return p;
}

QPainterPath unitDiamond() {
    QPainterPath p;
    p.moveTo(0, -0.50);
    p.quadTo(0.16, -0.20, 0.39, 0);
    p.quadTo(0.16, 0.20, 0, 0.50);
    p.quadTo(-0.16, 0.20, -0.39, 0);
    p.quadTo(-0.16, -0.20, 0, -0.50);
    p.closeSubpath();
    return p;
}

QPainterPath unitClub() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    const qreal r = 0.225;
    p.addEllipse(QPointF(0, -0.27), r, r);
    p.addEllipse(QPointF(-0.265, 0.08), r, r);
    p.addEllipse(QPointF(0.265, 0.08), r, r);
    p.addEllipse(QPointF(0, 0.0), 0.13, 0.13);
    QPainterPath stem;
    stem.moveTo(-0.05, 0.0);
    stem.lineTo(0.05, 0.0);
    stem.cubicTo(0.06, 0.30, 0.12, 0.44, 0.22, 0.50);
    stem.lineTo(-0.22, 0.50);
    stem.cubicTo(-0.12, 0.44, -0.06, 0.30, -0.05, 0.0);
    stem.closeSubpath();
    return p.united(stem).simplified();
}

const QPainterPath& unitPath(Suit suit) {
    static const QPainterPath heart = unitHeart();
    static const QPainterPath spade = unitSpade();
    static const QPainterPath diamond = unitDiamond();
    static const QPainterPath club = unitClub();
    switch (suit) {
        case Suit::hearts: return heart;
        case Suit::spades: return spade;
        case Suit::diamonds: return diamond;
        case Suit::clubs: return club;
    }
    return heart;
}

}  // namespace

QColor suitColour(Suit suit) { return (suit == Suit::hearts || suit == Suit::diamonds) ? kRed : kBlack; }

QPainterPath suitPath(Suit suit, QPointF centre, qreal height, bool upsideDown) {
    const QPainterPath& unit = unitPath(suit);
    const QRectF box = unit.boundingRect();
    const qreal scale = height / box.height();
    QTransform t;
    t.translate(centre.x(), centre.y());
    if (upsideDown) t.rotate(180);
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    return t.map(unit);
}

QPainterPath textPath(const QString& text, const QFont& font, qreal centreX, qreal top, qreal height, qreal maxWidth) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF box = raw.boundingRect();
    if (box.isEmpty()) return raw;
    const qreal sy = height / box.height();
    const qreal sx = std::min(sy, maxWidth / box.width());
    QTransform t;
    t.translate(centreX, top);
    t.scale(sx, sy);
    t.translate(-box.center().x(), -box.top());
    return t.map(raw);
}

QPainterPath cardOutline() {
    QPainterPath p;
    p.addRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1.0, kCardHeight - 1.0), 4.0, 4.0);
    return p;
}

void drawBlankCard(QPainter& p) {
    p.save();
    p.setPen(QPen(kEdge, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(cardOutline());
    p.restore();
}

}  // namespace cardart
