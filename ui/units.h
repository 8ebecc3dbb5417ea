// Table units to pixels: 32/7 units a pixel across, 4 units a pixel down.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>

namespace tav::ui {

inline int px_x(int units) { return units * 7 / 32; }
inline int px_y(int units) { return units / 4; }
inline int units_x(int px) { return px * 32 / 7; }
inline int units_y(int px) { return px * 4; }
inline QRect px_rect(int x, int y, int w, int h) {
    const int left = px_x(x), top = px_y(y);
    return QRect(left, top, px_x(x + w) - left, px_y(y + h) - top);
}

// A colour number (blue * 65536 + green * 256 + red); the high byte carries
// the table's own flags (transparent, window text) and is not part of it.
QColor colour_of(long value, const QColor& window_text);
bool is_transparent(long value);

}  // namespace tav::ui
