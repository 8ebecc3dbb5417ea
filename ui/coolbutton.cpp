#include "ui/coolbutton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

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

uo_coolbutton::uo_coolbutton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    of_init(0);
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

void uo_coolbutton::of_init(int style) {
    style_ = style < 0 ? 0 : style;
    const Preset& p = preset(style_);
    gradienttype_ = p.kind;
    colorstart_ = p.from;
    colorend_ = p.to;
    sync_colours();
    update();
}

void uo_coolbutton::of_allowdraw(bool on) {
    allowdraw_ = on;
    update();
}

void uo_coolbutton::set_gradienttype(int kind) {
    if (kind < style_vgradient || kind > style_vedgegradient) return;  // unknown kinds change nothing
    gradienttype_ = kind;
    update();
}

void uo_coolbutton::set_pictures(const QString& normal, const QString& hover) {
    normalpicname_ = normal;
    mmovepicname_ = hover;
    h_normalpic_ = picture_for(normal);
    h_movepic_ = picture_for(hover);
    update();
}

void uo_coolbutton::set_tag(const QString& tag) {
    tag_ = tag;
    setToolTip(tag);
}

QIcon uo_coolbutton::of_getstockicon(const QString& name) const {
    static const struct {
        const char* name;
        QStyle::StandardPixmap pixmap;
    } stock[] = {
        {"Continue!", QStyle::SP_MediaPlay},                 // shuffle and deal: start
        {"Count!", QStyle::SP_MediaSkipForward},             // pass: let the turn go on
        {"RetrieveCancel!", QStyle::SP_DialogCancelButton},  // hold back against a challenge
        {"MoveMode!", QStyle::SP_ArrowBack},                 // hand cards back
        {"Exit!", QStyle::SP_DialogCloseButton},             // quit
    };
    for (const auto& s : stock)
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0) return style()->standardIcon(s.pixmap);
    return {};
}

QIcon uo_coolbutton::picture_for(const QString& name) const {
    if (name.isEmpty()) return {};
    QIcon icon = of_getstockicon(name);
    if (icon.isNull() && QFile::exists(name)) icon = QIcon(name);
    return icon;
}

void uo_coolbutton::sync_colours() {
    if (isDown()) {
        // Pressed: the gradient turns upside down.
        colorfrom_ = colorend_;
        colorto_ = colorstart_;
    } else {
        colorfrom_ = colorstart_;
        colorto_ = colorend_;
    }
}

void uo_coolbutton::of_gradientfill(QPainter& p, const QRect& rect, const QColor& from, const QColor& to, int kind) {
    if (rect.isEmpty()) return;
    const QPointF top(rect.left(), rect.top()), bottom(rect.left(), rect.bottom() + 1);
    switch (kind) {
        case style_hgradient: {
            QLinearGradient g(QPointF(rect.left(), rect.top()), QPointF(rect.right() + 1, rect.top()));
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            p.fillRect(rect, g);
            break;
        }
        case style_vheadergradient: {
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
        case style_vedgegradient: {
            QLinearGradient g(top, bottom);
            g.setColorAt(0, to);
            g.setColorAt(0.5, from);
            g.setColorAt(1, to);
            p.fillRect(rect, g);
            break;
        }
        default: {  // style_vgradient and anything unknown
            QLinearGradient g(top, bottom);
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            p.fillRect(rect, g);
            break;
        }
    }
}

void uo_coolbutton::of_drawborder(QPainter& p, const QRect& rect) const {
    QColor c = isEnabled() ? bordercolor : QColor(160, 160, 160);
    if (isEnabled() && (mousein_ || isDown())) c = c.darker(160);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 1));
    p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.restore();
}

void uo_coolbutton::of_drawtext(QPainter& p, const QString& text, const QRect& rect, bool enabled) const {
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    p.save();
    p.setFont(font());
    if (!enabled) {
        // The greyed look: a white relief under grey letters.
        p.setPen(QColor(255, 255, 255));
        p.drawText(rect.translated(1, 1), flags, text);
        p.setPen(QColor(128, 128, 128));
    } else {
        p.setPen(mousein_ ? moveinfontcolor : fontcolor);
    }
    p.drawText(rect, flags, text);
    p.restore();
}

void uo_coolbutton::of_drawfocus(QPainter& p, const QRect& rect) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.restore();
}

void uo_coolbutton::of_paint(QPainter& p) {
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
        of_gradientfill(p, r, colorfrom_, colorto_, gradienttype_);
    else
        of_gradientfill(p, r, blend(colorfrom_, QColor(230, 230, 230), 0.5),
                        blend(colorto_, QColor(230, 230, 230), 0.5), gradienttype_);
    p.restore();
    of_drawborder(p, r);

    // Icon and text side by side, centred; pressed, both sink by a pixel.
    const QIcon& icon = (mousein_ && !h_movepic_.isNull()) ? h_movepic_ : h_normalpic_;
    const QFontMetrics fm(font());
    const int text_width = fm.size(Qt::TextShowMnemonic, text()).width();
    // The text keeps its room inside the focus rectangle; a narrow button
    // draws a smaller icon, or none when it would shrink below 10 pixels.
    const int room = r.width() - 10;
    int icon_size = icon.isNull() ? 0 : qMin(picsize, height() - 8);
    int gap = 2;
    if (icon_size + gap + text_width > room) icon_size = room - gap - text_width;
    if (icon_size < 10) icon_size = gap = 0;
    const int content = icon_size + gap + text_width;
    int x = r.left() + qMax(4, (r.width() - content) / 2);
    const int shift = isDown() ? 1 : 0;
    if (icon_size > 0) {
        const QPixmap pm = icon.pixmap(QSize(icon_size, icon_size), enabled ? QIcon::Normal : QIcon::Disabled);
        p.drawPixmap(x + shift, r.top() + (r.height() - icon_size) / 2 + shift, pm);
        x += icon_size + gap;
    }
    of_drawtext(p, text(), QRect(x + shift, r.top() + shift, text_width, r.height()), enabled);

    if (hasFocus()) of_drawfocus(p, r.adjusted(2, 2, -2, -2));
}

void uo_coolbutton::paintEvent(QPaintEvent* event) {
    if (!allowdraw_) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    of_paint(p);
}

void uo_coolbutton::enterEvent(QEnterEvent* event) {
    mousein_ = true;
    update();
    QPushButton::enterEvent(event);
}

void uo_coolbutton::leaveEvent(QEvent* event) {
    mousein_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void uo_coolbutton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) mousein_ = false;
    QPushButton::changeEvent(event);
    update();
}

}  // namespace tav::ui
