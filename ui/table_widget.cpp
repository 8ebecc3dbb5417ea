#include "ui/table_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "ui/table_painter.h"
#include "ui/units.h"

namespace tav::ui {
namespace {
// The pointer the game gives the pictures a click acts on.
constexpr const char* kHandPointer = "HyperLink!";
// Where a child widget (a game button) stands on the table, and its font at scale 1.
constexpr const char* kTableRect = "table_rect";
constexpr const char* kBaseFont = "table_base_font";
// The table's scale, for children that size their own pictures.
constexpr const char* kZoom = "table_zoom";
}  // namespace

TableWidget::TableWidget(Surface& surface, std::function<void(int, int)> resized, QWidget* parent)
    : QWidget(parent), surface_(&surface), resized_(std::move(resized)) {
    setObjectName("dw_main");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the cursor follows what is under the mouse
    listen();
}

void TableWidget::listen() {
    surface_->set_listener([this] {
        // Card by card while drawing is on, so a slow deal is seen as it happens.
        if (isVisible())
            repaint();
        else
            update();
        // A card may have come or gone under a mouse that stands still.
        update_cursor();
    });
}

void TableWidget::set_surface(Surface& surface) {
    if (&surface == surface_) return;
    surface_->set_listener(nullptr);
    surface_ = &surface;
    listen();
    if (resized_) resized_(units_x(base_size().width()), units_y(base_size().height()));
    update();
    update_cursor();
}

QSize TableWidget::base_size() { return table_base_size(); }

QPixmap TableWidget::picture(const QString& filename) { return pictures_.picture(filename, QSize(kCardPixels), 1.0); }

double TableWidget::scale() const {
    const QSize base = base_size();
    return std::min(width() / double(base.width()), height() / double(base.height()));
}

QTransform TableWidget::table_to_widget() const { return table_transform(size()); }

QPoint TableWidget::units_at(QPointF widget_point) const {
    const QPointF p = table_to_widget().inverted().map(widget_point);
    return {units_x(static_cast<int>(std::floor(p.x()))), units_y(static_cast<int>(std::floor(p.y())))};
}

TableColours TableWidget::colours() const { return {palette().windowText().color(), palette().button()}; }

void TableWidget::render_table(QPainter& painter, bool with_background) {
    TablePainter(pictures_, colours()).render_table(painter, *surface_, with_background);
}

void TableWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    TablePainter(pictures_, colours()).paint(p, *surface_, size());
    p.setWorldTransform(table_to_widget());
    if (const std::optional<QRect> mark = focus_mark_ ? focus_mark_() : std::nullopt) {
        // A gold frame with a dark edge, seen on the cards and on the cloth.
        const QRect r = px_rect(mark->x(), mark->y(), mark->width(), mark->height());
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 40, 40), 5));
        p.drawRect(r.adjusted(1, 1, -2, -2));
        p.setPen(QPen(QColor(255, 204, 0), 3));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void TableWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = units_at(event->position());
    const int x = at.x(), y = at.y();
    mouse_at_ = at;
    if (event->button() == Qt::LeftButton) emit left_pressed(x, y);
    if (event->button() == Qt::RightButton) emit right_pressed(x, y);
}

void TableWidget::mouseMoveEvent(QMouseEvent* event) {
    mouse_at_ = units_at(event->position());
    update_cursor();
}

void TableWidget::leaveEvent(QEvent*) { mouse_at_.reset(); }

void TableWidget::update_cursor() {
    if (!mouse_at_) return;
    const SurfaceObject* o = surface_->object_at(mouse_at_->x(), mouse_at_->y());
    const Qt::CursorShape shape = o && o->pointer == kHandPointer ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) setCursor(shape);
}

TableWidget::~TableWidget() { surface_->set_listener(nullptr); }

void TableWidget::resizeEvent(QResizeEvent*) {
    // The table keeps its own size in units; only its drawing scales.
    if (resized_) resized_(units_x(base_size().width()), units_y(base_size().height()));
    place_children();
}

void TableWidget::place(QWidget* child, QRect table_rect) {
    child->setProperty(kTableRect, table_rect);
    child->setProperty(kBaseFont, child->font());
    child->setGeometry(table_to_widget().mapRect(table_rect));
}

void TableWidget::place_children() {
    const QTransform t = table_to_widget();
    const double s = scale();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant rect = child->property(kTableRect);
        if (!rect.isValid()) continue;
        child->setGeometry(t.mapRect(rect.toRect()));
        // The text grows and shrinks with the table.
        QFont font = child->property(kBaseFont).value<QFont>();
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, qRound(font.pixelSize() * s)));
        else
            font.setPointSizeF(std::max(1.0, font.pointSizeF() * s));
        if (child->font() != font) child->setFont(font);
        if (child->property(kZoom).toDouble() != s) {
            child->setProperty(kZoom, s);
            child->update();
        }
    }
}

}  // namespace tav::ui
