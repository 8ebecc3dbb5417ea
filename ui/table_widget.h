// Draws the table surface in draw order at the table's pixel scale and hands
// mouse clicks to the game as points in table units.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <functional>

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

signals:
    // A mouse button went down on the table, at a point in table units.
    void left_pressed(int x, int y);
    void right_pressed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void draw_text(QPainter& p, const SurfaceObject& o);
    Surface& surface_;
    std::function<void(int, int)> resized_;
    QHash<QString, QPixmap> pictures_;
};

}  // namespace tav::ui
