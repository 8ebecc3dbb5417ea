// Draws the table surface in draw order at the table's pixel scale and hands
// mouse clicks to the game as points in table units. The mouse shows the hand
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

#include "table/surface.h"

namespace tav::ui {

class TableWidget : public QWidget {
    Q_OBJECT
public:
    // Draws `surface`; `resized` hears the new size in table units.
    TableWidget(Surface& surface, std::function<void(int, int)> resized, QWidget* parent = nullptr);
    ~TableWidget() override;

    // The picture of a card file name as the table writes it ("cards\hK.bmp"),
    // found without regard to case; a null pixmap when there is none.
    QPixmap picture(const QString& filename);
    // Draws the whole table with `painter` scaled to pixels.
    void render_table(QPainter& painter);
    // The keyboard's focus mark: the part of the table it outlines, in table
    // units; none while no mark is shown. Drawn on the screen, never printed.
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
    void draw_text(QPainter& p, const SurfaceObject& o);
    // The cursor for what lies under the mouse, at its last point on the table.
    void update_cursor();
    Surface& surface_;
    std::function<void(int, int)> resized_;
    QHash<QString, QPixmap> pictures_;
    std::function<std::optional<QRect>()> focus_mark_;
    std::optional<QPoint> mouse_at_;  // table units; none while the mouse is elsewhere
};

}  // namespace tav::ui
