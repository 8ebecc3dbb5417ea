#include "view/gradient.h"

#include <algorithm>
#include <string>

namespace tav {

void GradientStrips::strip_colour(int i, int red, int green, int blue, int& r, int& g, int& b) {
    // Each component rises from the base towards 255; the first strip is the base.
    auto step = [i](int base) {
        const double per_strip = (255.0 - base) / kStrips;
        return std::min(255, base + static_cast<int>(per_strip * (i - 1)));
    };
    r = step(red);
    g = step(green);
    b = step(blue);
}

int GradientStrips::gradient(Surface& surface, int width, std::string_view band, int red, int green, int blue,
                             Platform* platform) const {
    auto bad = [](int c) { return c < 0 || c > 255; };
    if (bad(red) || bad(green) || bad(blue)) return -1;

    // One drawing for the whole repaint, if drawing is on.
    const RedrawPause pause(surface);
    for (int i = 1; i <= kStrips + 2; ++i) surface.destroy("rec_" + std::to_string(i));  // missing is no error

    // Whole screen pixels (4 units a pixel down), rounded up so the strips
    // cover the band to its bottom. The surface has one band, the header.
    const int band_height = band == "header" ? std::max(0, surface.header_height()) : 0;
    const int band_pixels = band_height / 4;
    const int strip_pixels = std::max(1, (band_pixels + kStrips - 1) / kStrips);
    const int strip_height = strip_pixels * 4;

    for (int i = 1; i <= kStrips; ++i) {
        int r, g, b;
        strip_colour(i, red, green, blue, r, g, b);
        const long colour = r + 256 * g + 65536 * b;
        SurfaceObject strip{.name = "rec_" + std::to_string(i),
                            .kind = ObjectKind::rectangle,
                            .band = std::string(band),
                            .x = 1,
                            .y = (i - 1) * strip_height,
                            .width = width,
                            .height = strip_height,
                            .background_color = 0,
                            .background_mode = 2,
                            .brush_color = colour,
                            .pen_color = colour,
                            .pen_width = 5};
        if (!surface.create(std::move(strip))) {
            if (platform)
                platform->message("Error Adding Rectangles", "object rec_" + std::to_string(i) + " already exists");
            return -1;
        }
    }
    return 1;
}

// An empty layout: the band is one unit high until the first repaint.
void Background::initialize() { surface_.set_header_height(1); }

int Background::gradient(int r, int g, int b) {
    auto bad = [](int c) { return c < 0 || c > 255; };
    if (bad(r) || bad(g) || bad(b)) return -1;
    red = r;
    green = g;
    blue = b;
    return repaint();
}

int Background::repaint() {
    surface_.set_header_height(surface_.height());
    if (red < 0) return 1;  // no colour painted yet
    return strips_.gradient(surface_, surface_.width(), "header", red, green, blue, platform_);
}

void Background::paint_style(int style, const TableSettings& settings) {
    const std::array<int, 3>* colour = nullptr;
    if (style == 1) colour = &settings.background_colour1;
    if (style == 2) colour = &settings.background_colour2;
    if (style == 3) colour = &settings.background_colour3;
    const bool was = surface_.redraw();
    surface_.set_redraw(false);
    if (colour) gradient((*colour)[0], (*colour)[1], (*colour)[2]);
    // Behind everything, last strip first so rec_1 ends up at the very back.
    for (int i = GradientStrips::kStrips; i >= 1; --i) surface_.set_position("rec_" + std::to_string(i), false);
    surface_.set_redraw(was);
}

}  // namespace tav
