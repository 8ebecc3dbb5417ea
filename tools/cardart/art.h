// Card art: the painter code behind every card picture.
// Every card is drawn in its own 71 x 96 coordinate system, so the same code
// renders the real bitmaps, the larger cards of the application icon and, in
// the game itself, the cards of a table drawn at any other size.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

namespace cardart {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

enum class Suit { hearts, spades, diamonds, clubs };

inline const QColor kRed{200, 16, 24};
inline const QColor kBlack{20, 20, 26};
inline const QColor kEdge{48, 48, 56};

// The corners outside the rounded card edge get this exact colour at palette
// index 0, so the table may make them transparent.
inline const QColor kOutside{128, 128, 128};

QColor suitColour(Suit suit);

// A suit symbol scaled so its height is `height`, centred on `centre`;
// `upsideDown` turns it as the lower half of a real card does.
QPainterPath suitPath(Suit suit, QPointF centre, qreal height, bool upsideDown = false);

// Text outline scaled to a cap height of `height` (no wider than `maxWidth`),
// horizontally centred on `centreX` with its top at `top`.
QPainterPath textPath(const QString& text, const QFont& font, qreal centreX, qreal top, qreal height, qreal maxWidth);

// White card with the thin dark rounded edge; returns the card outline.
QPainterPath cardOutline();
void drawBlankCard(QPainter& p);

// Card faces and backs, drawn in card coordinates on a transparent canvas.
void drawFace(QPainter& p, Suit suit, const QString& rank);
void drawJoker(QPainter& p, bool big);
void drawBack(QPainter& p, int design);  // design 1..6
// The card a file stem names ("hk", "joker1", "bgcard3"); false for an unknown name.
bool drawCard(QPainter& p, const QString& fileStem);

// Whole pictures.
QStringList allCardStems();                  // the 60 file names without ".bmp"
QImage renderCard(const QString& fileStem);  // ARGB32, 71 x 96; null for an unknown name
QImage toIndexed(const QImage& argb);        // 8-bit, 256-entry palette
QImage renderIcon(int size);                 // ARGB32 application icon

// The icon drawn on `p` in a `size` x `size` square: the full picture from 48
// pixels up (and for a scalable copy), simplified below that.
void drawIcon(QPainter& p, int size);
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

// The same card drawn afresh at `pixels` (antialiased, not a scaled bitmap):
// each axis is scaled on its own, so the card fills exactly the rectangle it
// is given; a table keeps the cards near 71:96 anyway. Null for an unknown
// name or an empty size.
QImage renderCard(const QString& fileStem, QSize pixels);

}  // namespace cardart
