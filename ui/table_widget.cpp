#include "ui/table_widget.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

#include "ui/units.h"

namespace tav::ui {
namespace {
// The pointer the game gives the pictures a click acts on.
constexpr const char* kHandPointer = "HyperLink!";
}  // namespace

QColor colour_of(long value, const QColor& window_text) {
    if (value == kWindowText) return window_text;
    const long rgb = value & 0xFFFFFF;
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

bool is_transparent(long value) { return value == kTransparent; }

TableWidget::TableWidget(Surface& surface, std::function<void(int, int)> resized, QWidget* parent)
    : QWidget(parent), surface_(surface), resized_(std::move(resized)) {
    setObjectName("dw_main");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the cursor follows what is under the mouse
    surface_.set_listener([this] {
        // Card by card while drawing is on, so a slow deal is seen as it happens.
        if (isVisible())
            repaint();
        else
            update();
        // A card may have come or gone under a mouse that stands still.
        update_cursor();
    });
}

QPixmap TableWidget::picture(const QString& filename) {
    const QString key = filename.toLower().replace('\\', '/');
    auto it = pictures_.find(key);
    if (it != pictures_.end()) return *it;
    QPixmap pm;
    if (!key.isEmpty() && QFile::exists(":/" + key)) {
        QImage img(":/" + key);
        // The pictures keep their rounded corners in palette entry 0 (pure grey).
        if (img.format() == QImage::Format_Indexed8 && img.colorCount() > 0 && img.color(0) == qRgb(128, 128, 128))
            img.setColor(0, qRgba(0, 0, 0, 0));
        pm = QPixmap::fromImage(img);
    }
    pictures_.insert(key, pm);
    return pm;
}

void TableWidget::draw_text(QPainter& p, const SurfaceObject& o) {
    const QRect r = px_rect(o.x, o.y, o.width, o.height);
    if (o.background_mode == 0 && !is_transparent(o.background_color))
        p.fillRect(r, colour_of(o.background_color, palette().windowText().color()));
    if (o.border == 5 || o.border == 6) {  // sunken (5) or raised (6) edge
        const QColor dark(128, 128, 128), light(255, 255, 255);
        p.setPen(o.border == 5 ? dark : light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(o.border == 5 ? light : dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    } else if (o.border != 0) {
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    QFont font(QString::fromStdString(o.font_face));
    const int points = o.font_height < 0 ? -o.font_height : (o.font_height > 0 ? o.font_height * 3 / 4 : 9);
    font.setPixelSize(qMax(6, points * 4 / 3));
    font.setWeight(o.font_weight >= 600 ? QFont::Bold : QFont::Normal);
    p.setFont(font);
    p.setPen(colour_of(o.color, palette().windowText().color()));
    QString text = QString::fromStdString(o.text);
    int align = Qt::AlignVCenter;
    align |= o.alignment == 2 ? Qt::AlignHCenter : (o.alignment == 1 ? Qt::AlignRight : Qt::AlignLeft);
    if (o.height > 2 * o.width && !text.contains('\n')) {
        // A narrow, tall label reads top to bottom, one character a line.
        QString vertical;
        for (int i = 0; i < text.size(); ++i) {
            if (i) vertical += '\n';
            vertical += text[i];
        }
        p.drawText(r.adjusted(-4, 0, 4, 0), Qt::AlignCenter, vertical);
        return;
    }
    if (text.contains('\n') || o.height > 200) align = (align & ~Qt::AlignVCenter) | Qt::AlignTop | Qt::TextWordWrap;
    p.drawText(r, align, text);
}

void TableWidget::render_table(QPainter& p) {
    const QColor window_text = palette().windowText().color();
    surface_.for_each([&](const SurfaceObject& o) {
        if (!o.visible) return;
        const QRect r = px_rect(o.x, o.y, o.width, o.height);
        switch (o.kind) {
            case ObjectKind::rectangle: {
                const QColor fill = colour_of(o.brush_color, window_text);
                p.fillRect(r, fill);
                if (o.pen_color != o.brush_color && o.pen_width > 0) {
                    p.setPen(QPen(colour_of(o.pen_color, window_text), qMax(1, px_x(o.pen_width))));
                    p.setBrush(Qt::NoBrush);
                    p.drawRect(r.adjusted(0, 0, -1, -1));
                }
                break;
            }
            case ObjectKind::picture: {
                const QPixmap pm = picture(QString::fromStdString(o.filename));
                if (!pm.isNull())
                    p.drawPixmap(r.topLeft(), pm);
                else
                    p.fillRect(r, Qt::darkGray);
                break;
            }
            case ObjectKind::text: draw_text(p, o); break;
        }
    });
}

void TableWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    render_table(p);
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
    const QPoint pos = event->position().toPoint();
    const int x = units_x(pos.x()), y = units_y(pos.y());
    mouse_at_ = QPoint(x, y);
    if (event->button() == Qt::LeftButton) emit left_pressed(x, y);
    if (event->button() == Qt::RightButton) emit right_pressed(x, y);
}

void TableWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    mouse_at_ = QPoint(units_x(pos.x()), units_y(pos.y()));
    update_cursor();
}

void TableWidget::leaveEvent(QEvent*) { mouse_at_.reset(); }

void TableWidget::update_cursor() {
    if (!mouse_at_) return;
    const SurfaceObject* o = surface_.object_at(mouse_at_->x(), mouse_at_->y());
    const Qt::CursorShape shape = o && o->pointer == kHandPointer ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) setCursor(shape);
}

TableWidget::~TableWidget() { surface_.set_listener(nullptr); }

void TableWidget::resizeEvent(QResizeEvent*) {
    if (resized_) resized_(units_x(width()), units_y(height()));
}

}  // namespace tav::ui
