// Makes QSvgGenerator's output small: a card as the generator writes it is
// about 11 kB of six-digit numbers and style attributes repeated on every
// group, and the browser page loads all 60.
#pragma once

#include <QByteArray>
#include <QString>

namespace cardart {

// The same picture as `generated`, written compactly as a standalone file
// titled `title`: numbers rounded to 1/1000 of a unit, paths in relative
// steps, style attributes written only where they differ from what the
// element inherits, empty groups dropped and equal neighbours joined.
// Empty when `generated` is not an SVG document.
QByteArray tidySvg(const QByteArray& generated, const QString& title);

}  // namespace cardart
