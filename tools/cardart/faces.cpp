// The 52 suit cards: corner index, pip layouts and the court panels.
#include "art.h"

#include <QPainter>

#include <vector>

namespace cardart {

namespace {

// In the player's hand only a strip about 15 pixels wide shows of each card,
// so rank and suit must both fit left of x = 14.
constexpr qreal kIndexX = 8.0;
constexpr qreal kRankTop = 3.0;
constexpr qreal kRankHeight = 10.0;
constexpr qreal kIndexSuitY = 20.5;
constexpr qreal kIndexSuitHeight = 9.0;

// Pip grid: three columns and the rows real cards use.
constexpr qreal kColL = 23.5, kColM = 35.5, kColR = 47.5;
constexpr qreal kRowTop = 15.0, kRowBottom = 81.0, kRowMid = 48.0;
constexpr qreal kPipHeight = 12.0;

QFont rankFont() {
    QFont f("DejaVu Sans Condensed");
    f.setBold(true);
    f.setPixelSize(40);
    return f;
}

QFont courtFont() {
    QFont f("DejaVu Serif");
    f.setBold(true);
    f.setPixelSize(60);
    return f;
}

// Draws `paint` once as is and once turned half round the card centre.
template <typename Paint>
void bothEnds(QPainter& p, Paint paint) {
    paint();
    p.save();
    p.translate(kCardWidth, kCardHeight);
    p.rotate(180);
    paint();
    p.restore();
}

void drawIndex(QPainter& p, Suit suit, const QString& rank) {
    const QColor colour = suitColour(suit);
    const QPainterPath rankShape = textPath(rank, rankFont(), kIndexX, kRankTop, kRankHeight, 12.0);
    const QPainterPath suitShape = suitPath(suit, {kIndexX, kIndexSuitY}, kIndexSuitHeight);
    bothEnds(p, [&] {
        p.fillPath(rankShape, colour);
        p.fillPath(suitShape, colour);
    });
}

std::vector<QPointF> pipLayout(int count) {
    const qreal rowQ1 = kRowTop + (kRowBottom - kRowTop) / 3.0;  // rows of the 9 and 10
    const qreal rowQ2 = kRowTop + 2 * (kRowBottom - kRowTop) / 3.0;
    const qreal upper = (kRowTop + kRowMid) / 2.0;  // extra pips of 7 and 8
    const qreal lower = (kRowMid + kRowBottom) / 2.0;
    std::vector<QPointF> pips;
    auto pair = [&](qreal y) {
        pips.emplace_back(kColL, y);
        pips.emplace_back(kColR, y);
    };
    switch (count) {
        case 2: pips = {{kColM, kRowTop}, {kColM, kRowBottom}}; break;
        case 3: pips = {{kColM, kRowTop}, {kColM, kRowMid}, {kColM, kRowBottom}}; break;
        case 4:
            pair(kRowTop);
            pair(kRowBottom);
            break;
        case 5:
            pair(kRowTop);
            pair(kRowBottom);
            pips.emplace_back(kColM, kRowMid);
            break;
        case 6:
            pair(kRowTop);
            pair(kRowMid);
            pair(kRowBottom);
            break;
        case 7:
            pair(kRowTop);
            pair(kRowMid);
            pair(kRowBottom);
            pips.emplace_back(kColM, upper);
            break;
        case 8:
            pair(kRowTop);
            pair(kRowMid);
            pair(kRowBottom);
            pips.emplace_back(kColM, upper);
            pips.emplace_back(kColM, lower);
            break;
        case 9:
            pair(kRowTop);
            pair(rowQ1);
            pair(rowQ2);
            pair(kRowBottom);
            pips.emplace_back(kColM, kRowMid);
            break;
        case 10:
            pair(kRowTop);
            pair(rowQ1);
            pair(rowQ2);
            pair(kRowBottom);
            pips.emplace_back(kColM, (kRowTop + rowQ1) / 2.0);
            pips.emplace_back(kColM, (rowQ2 + kRowBottom) / 2.0);
            break;
        default: break;
    }
    return pips;
}

void drawPips(QPainter& p, Suit suit, int count) {
    QPainterPath all;
    for (const QPointF& at : pipLayout(count)) all.addPath(suitPath(suit, at, kPipHeight, at.y() > kRowMid + 0.5));
    p.fillPath(all, suitColour(suit));
}

void drawAce(QPainter& p, Suit suit) {
    const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
    if (suit == Suit::spades) {
        // The ace of spades gets its traditional ornate ring.
        p.save();
        p.setPen(QPen(kBlack, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 19.0, 19.0);
        p.setPen(QPen(QColor(190, 150, 40), 1.0));
        p.drawEllipse(centre, 17.0, 17.0);
        p.restore();
        p.fillPath(suitPath(suit, centre, 26.0), kBlack);
        return;
    }
    p.fillPath(suitPath(suit, centre, 32.0), suitColour(suit));
}

// A head-dress above the court letter: crown (K), tiara (Q), cap with a feather (J).
QPainterPath headDress(QChar letter, QPointF c) {
    QPainterPath s;
    const qreal x = c.x(), y = c.y();
    if (letter == QLatin1Char('K')) {
        s.moveTo(x - 10, y + 5);
        s.lineTo(x - 11, y - 5);
        s.lineTo(x - 5, y);
        s.lineTo(x, y - 7);
        s.lineTo(x + 5, y);
        s.lineTo(x + 11, y - 5);
        s.lineTo(x + 10, y + 5);
        s.closeSubpath();
    } else if (letter == QLatin1Char('Q')) {
        s.moveTo(x - 10, y + 5);
        s.lineTo(x - 10, y - 1);
        s.quadTo(x - 7.5, y - 6, x - 5, y - 1);
        s.quadTo(x, y - 9, x + 5, y - 1);
        s.quadTo(x + 7.5, y - 6, x + 10, y - 1);
        s.lineTo(x + 10, y + 5);
        s.closeSubpath();
    } else {
        // A flat beret worn slightly askew over a band.
        s.addEllipse(QPointF(x - 1, y - 1), 11.5, 4.5);
        s.addRect(QRectF(x - 9, y + 1, 18, 4));
        s = s.simplified();
    }
    return s;
}

void drawHeadDress(QPainter& p, QChar letter, QPointF c, const QColor& jewel) {
    const QColor gold(232, 176, 20);
    const QColor goldEdge(120, 80, 0);
    p.save();
    p.setPen(QPen(goldEdge, 0.8));
    p.setBrush(gold);
    p.drawPath(headDress(letter, c));
    p.setPen(Qt::NoPen);
    p.setBrush(jewel);
    if (letter == QLatin1Char('K')) {
        for (const QPointF tip :
             {QPointF(c.x() - 11, c.y() - 5.5), QPointF(c.x(), c.y() - 7.5), QPointF(c.x() + 11, c.y() - 5.5)})
            p.drawEllipse(tip, 1.6, 1.6);
        p.drawRect(QRectF(c.x() - 8, c.y() + 1.5, 16, 1.8));
    } else if (letter == QLatin1Char('Q')) {
        p.drawEllipse(QPointF(c.x(), c.y() + 1.5), 2.0, 2.0);
        p.drawEllipse(QPointF(c.x() - 7, c.y() + 2), 1.3, 1.3);
        p.drawEllipse(QPointF(c.x() + 7, c.y() + 2), 1.3, 1.3);
    } else {
        // Feather sweeping up from the brim.
        QPainterPath feather;
        feather.moveTo(c.x() + 5, c.y() - 3);
        feather.quadTo(c.x() + 9, c.y() - 13, c.x() + 17, c.y() - 10);
        feather.quadTo(c.x() + 11, c.y() - 8, c.x() + 8, c.y() - 2);
        feather.closeSubpath();
        p.drawPath(feather);
        p.drawRect(QRectF(c.x() - 9, c.y() + 2, 18, 2));
        p.drawEllipse(QPointF(c.x() - 1, c.y() - 1), 1.6, 1.6);
    }
    p.restore();
}

void drawCourt(QPainter& p, Suit suit, QChar letter) {
    const QColor colour = suitColour(suit);
    QColor tint;
    if (letter == QLatin1Char('K'))
        tint = QColor(255, 241, 196);
    else if (letter == QLatin1Char('Q'))
        tint = QColor(252, 226, 236);
    else
        tint = QColor(222, 236, 255);

    const QRectF panel(15.5, 11.5, 40.0, 73.0);
    p.save();
    p.setPen(QPen(colour, 1.0));
    p.setBrush(tint);
    p.drawRect(panel);
    p.setPen(QPen(QColor(205, 160, 40), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(panel.adjusted(2, 2, -2, -2));
    p.restore();

    const QColor jewel = (suit == Suit::hearts || suit == Suit::diamonds) ? kRed : QColor(30, 60, 170);
    const QPointF crownAt(kCardWidth / 2.0, 24.0);
    bothEnds(p, [&] {
        drawHeadDress(p, letter, crownAt, jewel);
        p.fillPath(suitPath(suit, {20.5, 17.0}, 6.0), colour);
        p.fillPath(suitPath(suit, {50.5, 17.0}, 6.0), colour);
    });

    const QPainterPath big = textPath(QString(letter), courtFont(), kCardWidth / 2.0, 36.0, 24.0, 26.0);
    p.save();
    p.setPen(QPen(QColor(255, 255, 255), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(big);
    p.restore();
    p.fillPath(big, colour);
}

}  // namespace

void drawFace(QPainter& p, Suit suit, const QString& rank) {
    drawBlankCard(p);
    drawIndex(p, suit, rank);
    if (rank == QLatin1String("A")) {
        drawAce(p, suit);
    } else if (rank == QLatin1String("K") || rank == QLatin1String("Q") || rank == QLatin1String("J")) {
        drawCourt(p, suit, rank.at(0));
    } else {
        drawPips(p, suit, rank.toInt());
    }
}

}  // namespace cardart
