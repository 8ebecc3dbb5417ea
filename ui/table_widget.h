// Draws the table surface in draw order, scaled uniformly to fit the widget
// and centred (at the table's own size, 787 x 568, one table pixel is one
// screen pixel), with the background filling the whole widget; hands mouse
// clicks to the game as points in table units through the same transform. The mouse shows the hand
// over a picture the game marks as one to click (the human's cards in its
// row), the arrow elsewhere.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

#include "surface/surface.h"
#include "ui/card_pictures.h"
#include "ui/table_painter.h"

namespace tav::ui {

class TableWidget : public QWidget {
    Q_OBJECT
public:
    // Draws `surface`; `resized` hears the new size in table units.
    TableWidget(Surface& surface, std::function<void(int, int)> resized, QWidget* parent = nullptr);
    ~TableWidget() override;

    // The table's own size in pixels (scale 1).
    static QSize base_size();
    // The picture of a card file name as the table writes it ("cards\hK.bmp"),
    // found without regard to case, at the table's own size; a null pixmap
    // when there is none.
    QPixmap picture(const QString& filename);
    // Draws the whole table with `painter`, table pixels mapped through the
    // painter's transform; card pictures are drawn sharp at the size they
    // take on the device. `with_background` false leaves out the gradient.
    void render_table(QPainter& painter, bool with_background = true);
    // Table pixels to widget pixels and back, as the table is drawn now.
    QTransform table_to_widget() const;
    double scale() const;
    // A point of the widget in table units.
    QPoint units_at(QPointF widget_point) const;
    // Places a child widget (a game button) at a rectangle of table pixels;
    // it moves and its text scales with the table.
    void place(QWidget* child, QRect table_rect);
    // The keyboard's focus mark: the part of the table it outlines, in table
    // units; none while no mark is shown. Drawn on the screen, never printed.
    // Draws another table from now on (a network table, and back).
    void set_surface(Surface& surface);
    void set_focus_mark(std::function<std::optional<QRect>()> mark) { focus_mark_ = std::move(mark); }

signals:
    // A mouse button went down on the table, at a point in table units.
    void left_pressed(int x, int y);
    void right_pressed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TableColours colours() const;
    // The cursor for what lies under the mouse, at its last point on the table.
    void update_cursor();
    void place_children();
    void listen();
    Surface* surface_;
    std::function<void(int, int)> resized_;
    CardPictures pictures_;
    std::function<std::optional<QRect>()> focus_mark_;
    std::optional<QPoint> mouse_at_;  // table units; none while the mouse is elsewhere
};

}  // namespace tav::ui
