// Whether freshly drawn pictures are the committed ones. Another processor or
// build of the painter may round an antialiased edge or a gradient differently,
// so pixels may differ a little; a change of the drawing differs by more.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace cardart {

// At most `share` of a picture's pixels may differ by more than `levels` in
// any channel (alpha included, colours premultiplied).
struct PixelLimit {
    int levels;
    double share;
};

// Measured by redrawing every card and icon shifted by 1/10000 and 1/1000 of
// a pixel, the kind of rounding another processor makes: the cards, whose
// 256-colour palettes are then chosen afresh, differed on at most 2.5 % of
// their pixels by more than 2 levels, on 0.06 % by more than 8, and nowhere by
// more than 11; the icons nowhere by more than 6. Each limit is about twice
// that. A drawn line, a moved shape or a colour moved by more than a few
// levels over a part of the picture breaks one of them.
inline constexpr PixelLimit kPixelLimits[] = {{2, 0.05}, {8, 0.005}, {16, 0.0}};

// Empty when `actual` is `expected` within the limits, else why not.
QString compareImages(const QImage& expected, const QImage& actual);

// Two files: the same bytes, or two pictures (BMP, PNG, or SVG drawn at its
// own size) the same within the limits. Empty when they match, else why not.
QString compareFiles(const QString& expected, const QString& actual);

// Two folders holding the same file names (subfolders included), each pair
// matching as compareFiles says; one line per file that does not, naming it.
QStringList compareFolders(const QString& expected, const QString& actual);

}  // namespace cardart
