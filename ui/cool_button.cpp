#include "ui/cool_button.h"

#include "ui/button_pictures.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QPainter>
#include <QPainterPath>

namespace tav::ui {
namespace {

constexpr qreal kRadius = 3.0;

QColor blend(const QColor& a, const QColor& b, double t) {
    auto mix = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

struct Preset {
    QColor from, to;
    int kind;
};

// The colour presets by style number; the last entry serves every other number.
const Preset& preset(int style) {
    static const Preset presets[] = {
        {{255, 255, 255}, {179, 213, 243}, 1},  // 0
        {{255, 255, 255}, {179, 213, 243}, 3},  // 1
        {{255, 255, 255}, {135, 135, 135}, 1},  // 2
        {{214, 211, 206}, {214, 211, 206}, 1},  // 3
        {{214, 211, 206}, {214, 211, 206}, 1},  // 4
        {{255, 255, 255}, {160, 190, 190}, 1},  // 5
        {{255, 255, 255}, {179, 213, 243}, 1},  // 6
        {{255, 255, 255}, {160, 190, 190}, 1},  // any other
    };
    return presets[style >= 0 && style <= 6 ? style : 7];
}

}  // namespace

CoolButton::CoolButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    use_preset(0);
    // The pressed look follows QPushButton's own down state, also when the
    // pointer is dragged off and back onto a held button.
    connect(this, &QPushButton::pressed, this, [this] {
        sync_colours();
        update();
    });
    connect(this, &QPushButton::released, this, [this] {
        sync_colours();
        update();
    });
}

void CoolButton::use_preset(int style) {
    style_ = style < 0 ? 0 : style;
    const Preset& p = preset(style_);
    gradient_kind_ = p.kind;
    colour_start_ = p.from;
    colour_end_ = p.to;
    sync_colours();
    update();
}

void CoolButton::set_owner_drawn(bool on) {
    owner_drawn_ = on;
    update();
}

void CoolButton::set_gradient_kind(int kind) {
    if (kind < kVerticalGradient || kind > kEdgeGradient) return;  // unknown kinds change nothing
    gradient_kind_ = kind;
    update();
}

void CoolButton::set_pictures(const QString& normal, const QString& hover) {
    normal_picture_ = normal;
    hover_picture_ = hover;
    normal_icon_ = picture_for(normal);
    hover_icon_ = picture_for(hover);
    update();
}

void CoolButton::set_tag(const QString& tag) {
    tag_ = tag;
    setToolTip(tag);
}

QIcon CoolButton::stock_icon(const QString& name) const { return button_picture(name); }

QIcon CoolButton::picture_for(const QString& name) const {
    if (name.isEmpty()) return {};
    QIcon icon = stock_icon(name);
    if (icon.isNull() && QFile::exists(name)) icon = QIcon(name);
    return icon;
}

void CoolButton::sync_colours() {
    if (isDown()) {
        // Pressed: the gradient turns upside down.
        colour_from_ = colour_end_;
        colour_to_ = colour_start_;
    } else {
        colour_from_ = colour_start_;
        colour_to_ = colour_end_;
    }
}

void CoolButton::fill_gradient(QPainter& p, const QRect& rect, const QColor& from, const QColor& to, int kind) {
    if (rect.isEmpty()) return;
    const QPointF top(rect.left(), rect.top()), bottom(rect.left(), rect.bottom() + 1);
    switch (kind) {
        case kHorizontalGradient: {
            QLinearGradient g(QPointF(rect.left(), rect.top()), QPointF(rect.right() + 1, rect.top()));
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            p.fillRect(rect, g);
            break;
        }
        case kHeaderGradient: {
            const int mid = rect.top() + rect.height() / 2;
            const QRect upper(rect.left(), rect.top(), rect.width(), mid - rect.top());
            const QRect lower(rect.left(), mid, rect.width(), rect.bottom() + 1 - mid);
            QLinearGradient g1(top, QPointF(rect.left(), mid));
            g1.setColorAt(0, from);
            g1.setColorAt(1, blend(from, to, 0.35));
            QLinearGradient g2(QPointF(rect.left(), mid), bottom);
            g2.setColorAt(0, blend(from, to, 0.65));
            g2.setColorAt(1, to);
            p.fillRect(upper, g1);
            p.fillRect(lower, g2);
            break;
        }
        case kEdgeGradient: {
            QLinearGradient g(top, bottom);
            g.setColorAt(0, to);
            g.setColorAt(0.5, from);
            g.setColorAt(1, to);
            p.fillRect(rect, g);
            break;
        }
        default: {  // kVerticalGradient and anything unknown
            QLinearGradient g(top, bottom);
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            p.fillRect(rect, g);
            break;
        }
    }
}

void CoolButton::draw_border(QPainter& p, const QRect& rect) const {
    QColor c = isEnabled() ? border_colour : QColor(160, 160, 160);
    if (isEnabled() && (hovered_ || isDown())) c = c.darker(160);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 1));
    p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.restore();
}

void CoolButton::draw_text(QPainter& p, const QString& text, const QRect& rect, bool enabled) const {
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    p.save();
    p.setFont(font());
    if (!enabled) {
        // The greyed look: a white relief under grey letters.
        p.setPen(QColor(255, 255, 255));
        p.drawText(rect.translated(1, 1), flags, text);
        p.setPen(QColor(128, 128, 128));
    } else {
        p.setPen(hovered_ ? hover_text_colour : text_colour);
    }
    p.drawText(rect, flags, text);
    p.restore();
}

void CoolButton::draw_focus(QPainter& p, const QRect& rect) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.restore();
}

void CoolButton::paint_button(QPainter& p) {
    sync_colours();
    const QRect r = rect();
    const bool enabled = isEnabled();

    // The gradient inside the rounded border; the table shows at the corners.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(r), kRadius, kRadius);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipPath(shape);
    if (enabled)
        fill_gradient(p, r, colour_from_, colour_to_, gradient_kind_);
    else
        fill_gradient(p, r, blend(colour_from_, QColor(230, 230, 230), 0.5),
                      blend(colour_to_, QColor(230, 230, 230), 0.5), gradient_kind_);
    p.restore();
    draw_border(p, r);

    // Icon and text side by side, centred; pressed, both sink by a pixel.
    const QIcon& icon = (hovered_ && !hover_icon_.isNull()) ? hover_icon_ : normal_icon_;
    const int text_width = QFontMetrics(font()).size(Qt::TextShowMnemonic, text()).width();
    const int icon_size = icon.isNull() ? 0 : picture_extent();
    const int gap = icon_size > 0 ? 2 : 0;
    const int content = icon_size + gap + text_width;
    int x = r.left() + qMax(4, (r.width() - content) / 2);
    const int shift = isDown() ? 1 : 0;
    if (icon_size > 0) {
        const QPixmap pm = icon.pixmap(QSize(icon_size, icon_size), enabled ? QIcon::Normal : QIcon::Disabled);
        p.drawPixmap(x + shift, r.top() + (r.height() - icon_size) / 2 + shift, pm);
        x += icon_size + gap;
    }
    draw_text(p, text(), QRect(x + shift, r.top() + shift, text_width, r.height()), enabled);

    if (hasFocus()) draw_focus(p, r.adjusted(2, 2, -2, -2));
}

int CoolButton::picture_extent() const {
    if (normal_icon_.isNull() && hover_icon_.isNull()) return 0;
    // The picture grows with the table the button stands on, as its text does.
    const QVariant zoom = property("table_zoom");
    const int scaled = qRound(picture_size * (zoom.isValid() ? zoom.toDouble() : 1.0));
    int extent = qMin(qMax(1, scaled), height() - 8);
    // The text keeps its room inside the focus rectangle; a narrow button
    // draws a smaller icon, or none when it would shrink below 10 pixels.
    const int room = width() - 10 - 2 - QFontMetrics(font()).size(Qt::TextShowMnemonic, text()).width();
    extent = qMin(extent, room);
    return extent < 10 ? 0 : extent;
}

void CoolButton::paintEvent(QPaintEvent* event) {
    if (!owner_drawn_) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    paint_button(p);
}

void CoolButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QPushButton::enterEvent(event);
}

void CoolButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void CoolButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) hovered_ = false;
    QPushButton::changeEvent(event);
    update();
}

}  // namespace tav::ui
