// The cards as standalone SVG files, for the browser page: drawn by the same
// painter code as the bitmaps, so they are the same pictures at any size.
#pragma once

#include <QByteArray>
#include <QString>

namespace cardart {

// The card's name in English ("King of hearts", "Big joker", "Card back 1");
// empty for an unknown file stem.
QString cardTitle(const QString& fileStem);

// The card as an SVG file with the view box 0 0 71 96, transparent outside
// its rounded edge; the same bytes for the same drawing. Empty for an unknown
// file stem.
QByteArray cardSvg(const QString& fileStem);

}  // namespace cardart
