#include "ui/table_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/language.h"
#include "ui/units.h"

namespace tav::ui {
namespace {
// Labels at most this wide (table units) that are taller than wide read top to bottom.
constexpr int kNarrowLabel = 100;
// The background's strips, painted over the whole widget.
bool is_strip(const SurfaceObject& o) { return o.kind == ObjectKind::rectangle && o.name.rfind("rec_", 0) == 0; }
// Fills a rectangle given in the painter's coordinates as whole device
// pixels: the raster engine's quick fill, where a scaled rectangle would go
// through its general path filler. Neighbours share their rounded edges.
void fill_on_device(QPainter& p, const QRect& r, const QColor& colour) {
    const QTransform t = p.worldTransform();
    const QPointF a = t.map(QPointF(r.left(), r.top())), b = t.map(QPointF(r.right() + 1, r.bottom() + 1));
    const QRect device(QPoint(qRound(a.x()), qRound(a.y())), QPoint(qRound(b.x()) - 1, qRound(b.y()) - 1));
    p.save();
    p.resetTransform();
    p.fillRect(device, colour);
    p.restore();
}

// The part of each visible picture, in draw order, that no later picture
// hides: a card in a stack shows only a strip beside or below the next one.
// Kept generous by the cards' rounded corners, where the one below shows.
std::vector<QRect> shown_parts(const Surface& surface) {
    std::vector<QRect> rects;
    surface.for_each([&](const SurfaceObject& o) {
        if (o.visible && o.kind == ObjectKind::picture)
            rects.emplace_back(px_rect(o.x, o.y, o.width, o.height).topLeft(), kCardPixels);
    });
    constexpr int kCorner = 6;  // table pixels, more than a card's corner
    std::vector<QRect> parts(rects.size());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        QRect keep = rects[i];
        for (std::size_t j = i + 1; j < rects.size() && !keep.isEmpty(); ++j) {
            const QRect& q = rects[j];
            if (!q.intersects(keep)) continue;
            const bool full_height = q.top() <= keep.top() && q.bottom() >= keep.bottom();
            const bool full_width = q.left() <= keep.left() && q.right() >= keep.right();
            if (full_height && q.left() > keep.left() && q.right() >= keep.right())
                keep.setRight(qMin(keep.right(), q.left() + kCorner));
            else if (full_width && q.top() > keep.top() && q.bottom() >= keep.bottom())
                keep.setBottom(qMin(keep.bottom(), q.top() + kCorner));
        }
        parts[i] = keep;
    }
    return parts;
}

}  // namespace

QColor colour_of(long value, const QColor& window_text) {
    if (value == kWindowText) return window_text;
    const long rgb = value & 0xFFFFFF;
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

bool is_transparent(long value) { return value == kTransparent; }

QSize table_base_size() { return {px_x(3602), px_y(2272)}; }

QTransform table_transform(QSize size) {
    const QSize base = table_base_size();
    const double s = std::min(size.width() / double(base.width()), size.height() / double(base.height()));
    QTransform t;
    t.translate((size.width() - base.width() * s) / 2, (size.height() - base.height() * s) / 2);
    t.scale(s, s);
    return t;
}

void TablePainter::paint(QPainter& p, const Surface& surface, QSize size) {
    // The background's strips stretch over the whole area; the table itself
    // keeps its proportions, centred. Where they leave room, the window's
    // colour shows.
    const QSize base = table_base_size();
    int strips_height = 0;
    surface.for_each([&](const SurfaceObject& o) {
        if (o.visible && is_strip(o)) strips_height += px_rect(o.x, o.y, o.width, o.height).height();
    });
    if (strips_height < base.height()) p.fillRect(QRect(QPoint(0, 0), size), colours_.surround);
    p.save();
    p.scale(size.width() / double(base.width()), size.height() / double(base.height()));
    surface.for_each([&](const SurfaceObject& o) {
        if (o.visible && is_strip(o))
            fill_on_device(p, px_rect(o.x, o.y, o.width, o.height), colour_of(o.brush_color, {}));
    });
    p.restore();
    p.setWorldTransform(table_transform(size));
    render_table(p, surface, false);
}

void TablePainter::render_table(QPainter& p, const Surface& surface, bool with_background) {
    const QColor& window_text = colours_.window_text;
    const std::vector<QRect> parts = shown_parts(surface);
    std::size_t picture_index = 0;
    surface.for_each([&](const SurfaceObject& o) {
        if (!o.visible || (!with_background && is_strip(o))) return;
        const QRect r = px_rect(o.x, o.y, o.width, o.height);
        switch (o.kind) {
            case ObjectKind::rectangle: {
                const QColor fill = colour_of(o.brush_color, window_text);
                fill_on_device(p, r, fill);
                if (o.pen_color != o.brush_color && o.pen_width > 0) {
                    p.setPen(QPen(colour_of(o.pen_color, window_text), qMax(1, px_x(o.pen_width))));
                    p.setBrush(Qt::NoBrush);
                    p.drawRect(r.adjusted(0, 0, -1, -1));
                }
                break;
            }
            case ObjectKind::picture: draw_picture(p, o, parts[picture_index++]); break;
            case ObjectKind::text: draw_text(p, o); break;
        }
    });
}

void TablePainter::draw_picture(QPainter& p, const SurfaceObject& o, const QRect& part) {
    const QRect r = px_rect(o.x, o.y, o.width, o.height);
    // The picture at the size it takes on the device, drawn
    // without further scaling: sharp at any size.
    const QTransform t = p.worldTransform();
    const QRectF on_device = t.mapRect(QRectF(r.topLeft(), QSizeF(kCardPixels)));
    const QSize size(qRound(on_device.width()), qRound(on_device.height()));
    const double ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QPixmap pm = pictures_.picture(QString::fromStdString(o.filename), size, ratio);
    if (pm.isNull()) {
        p.fillRect(r, Qt::darkGray);
        return;
    }
    p.save();
    p.resetTransform();
    const QPoint at(qRound(on_device.x()), qRound(on_device.y()));
    // Only the part in sight, from the top left corner.
    const double scale = t.m11();
    const int shown_w = qMin(size.width(), int(std::ceil((part.right() + 1 - r.left()) * scale)));
    const int shown_h = qMin(size.height(), int(std::ceil((part.bottom() + 1 - r.top()) * scale)));
    if (shown_w == size.width() && shown_h == size.height())
        p.drawPixmap(at, pm);
    else if (shown_w > 0 && shown_h > 0)
        p.drawPixmap(QRectF(at, QSizeF(shown_w, shown_h)), pm, QRectF(0, 0, shown_w * ratio, shown_h * ratio));
    // A boxed picture (every card) has a thin black frame just
    // outside it, one pixel at the table's own size, drawn on
    // the device in whole pixels.
    if (o.border != 0) {
        const int w = qMax(1, qRound(t.m11()));
        const QRectF d = t.mapRect(QRectF(r));
        const QRect in(qRound(d.x()), qRound(d.y()), qRound(d.width()), qRound(d.height()));
        const QRect f = in.adjusted(-w, -w, w, w);
        p.fillRect(QRect(f.left(), f.top(), f.width(), w), Qt::black);
        p.fillRect(QRect(f.left(), in.bottom() + 1, f.width(), w), Qt::black);
        p.fillRect(QRect(f.left(), in.top(), w, in.height()), Qt::black);
        p.fillRect(QRect(in.right() + 1, in.top(), w, in.height()), Qt::black);
    }
    p.restore();
}

void TablePainter::draw_text(QPainter& p, const SurfaceObject& o) {
    const QRect r = px_rect(o.x, o.y, o.width, o.height);
    if (o.background_mode == 0 && !is_transparent(o.background_color))
        fill_on_device(p, r, colour_of(o.background_color, colours_.window_text));
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
    // The text is laid out on the device at its scaled size, not drawn at
    // the table's size and magnified: crisp glyphs from the glyph cache.
    const QTransform t = p.worldTransform();
    const double s = t.m11();  // the table scales uniformly, never rotates
    const QRectF box = t.mapRect(QRectF(r));
    QFont font(QString::fromStdString(o.font_face));
    const int points = o.font_height < 0 ? -o.font_height : (o.font_height > 0 ? o.font_height * 3 / 4 : 9);
    font.setPixelSize(qMax(1, qRound(qMax(6, points * 4 / 3) * s)));
    font.setWeight(o.font_weight >= 600 ? QFont::Bold : QFont::Normal);
    p.save();
    p.resetTransform();
    p.setFont(font);
    p.setPen(colour_of(o.color, colours_.window_text));
    QString text = shown(o.text);
    int align = Qt::AlignVCenter;
    align |= o.alignment == 2 ? Qt::AlignHCenter : (o.alignment == 1 ? Qt::AlignRight : Qt::AlignLeft);
    // A narrow, tall label (the names and places beside the seats at the
    // sides) reads top to bottom, one character a line, in a font small
    // enough for every line to fit.
    const bool narrow = o.height > 2 * o.width || (o.width <= kNarrowLabel && o.height > o.width);
    if (narrow && !text.contains('\n') && !text.isEmpty() && text[0].unicode() < 0x3000) {
        // Letters (the English names) read along the label, turned a quarter,
        // in a font small enough for the whole text to fit. They start at the
        // label's top, level with the seat's place label: centred like the two
        // Chinese characters, the longer names ran past the table top's edge
        // below the lower side seats.
        for (int size = font.pixelSize();
             size > qMax(1, qRound(6 * s)) && QFontMetrics(font).horizontalAdvance(text) > box.height() - 2 * s;) {
            font.setPixelSize(--size);
            p.setFont(font);
        }
        p.translate(box.center());
        p.rotate(90);
        p.drawText(QRectF(-box.height() / 2, -box.width() / 2 - 4 * s, box.height(), box.width() + 8 * s),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    } else if (narrow && !text.contains('\n')) {
        QString vertical;
        for (int i = 0; i < text.size(); ++i) {
            if (i) vertical += '\n';
            vertical += text[i];
        }
        const int least = qMax(1, qRound(6 * s));
        for (int size = font.pixelSize();
             size > least && QFontMetrics(font).lineSpacing() * text.size() > box.height() - 2 * s;) {
            font.setPixelSize(--size);
            p.setFont(font);
        }
        p.drawText(box.adjusted(-4 * s, 0, 4 * s, 0), Qt::AlignCenter, vertical);
    } else {
        if (text.contains('\n') || o.height > 200) {
            align = (align & ~Qt::AlignVCenter) | Qt::AlignTop | Qt::TextWordWrap;
            // Longer lines (the English ones) wrap; the font shrinks until
            // every line of the note area fits in its box.
            for (int size = font.pixelSize();
                 size > qMax(1, qRound(6 * s)) &&
                 QFontMetrics(font).boundingRect(box.toRect(), align, text).height() > box.height();) {
                font.setPixelSize(--size);
                p.setFont(font);
            }
        }
        p.drawText(box, align, text);
    }
    p.restore();
}

}  // namespace tav::ui
