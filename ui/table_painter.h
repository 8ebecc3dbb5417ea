// Paints the table surface: the background's strips over the whole area,
// then every object in draw order, the table scaled uniformly to fit the area
// and centred (at the table's own size, 787 x 568, one table pixel is one
// device pixel). Card pictures are drawn sharp at the size they take on the
// device, texts are laid out at their scaled size. The painter reads only
// what it is given: the table, the card pictures and the widget's colours.
#pragma once

#include <QBrush>
#include <QColor>
#include <QSize>
#include <QTransform>
#include <utility>

#include "surface/surface.h"
#include "ui/card_pictures.h"

class QPainter;

namespace tav::ui {

// A card picture's own size in pixels.
inline constexpr QSize kCardPixels(71, 96);

// The widget's colours the table borrows.
struct TableColours {
    QColor window_text;  // texts in the window-text colour
    QBrush surround;     // the window's, around the table where the strips leave room
};

// The table's own size in pixels (scale 1).
QSize table_base_size();
// Table pixels to the pixels of an area of `size`: scaled to fit, centred.
QTransform table_transform(QSize size);

class TablePainter {
public:
    TablePainter(CardPictures& pictures, TableColours colours) : pictures_(pictures), colours_(std::move(colours)) {}

    // The whole area of `size`: background strips, then the table.
    void paint(QPainter& p, const Surface& surface, QSize size);
    // The table, table pixels mapped through the painter's transform;
    // `with_background` false leaves out the strips.
    void render_table(QPainter& p, const Surface& surface, bool with_background);

private:
    void draw_text(QPainter& p, const SurfaceObject& o);
    void draw_picture(QPainter& p, const SurfaceObject& o, const QRect& shown);
    CardPictures& pictures_;
    TableColours colours_;
};

}  // namespace tav::ui
