#include "table/gradient.h"

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

    std::string destroy;
    for (int i = 1; i <= kStrips + 2; ++i) destroy += " destroy rec_" + std::to_string(i);
    surface.modify(destroy);  // strips that are missing are no error

    // Whole screen pixels (4 units a pixel down), rounded up so the strips
    // cover the band to its bottom.
    const int band_height =
        std::max(0, std::atoi(surface.describe("datawindow." + std::string(band) + ".height").c_str()));
    const int band_pixels = band_height / 4;
    const int strip_pixels = std::max(1, (band_pixels + kStrips - 1) / kStrips);
    const int strip_height = strip_pixels * 4;

    std::string cmd;
    cmd.reserve(std::size_t{300} * kStrips);
    for (int i = 1; i <= kStrips; ++i) {
        int r, g, b;
        strip_colour(i, red, green, blue, r, g, b);
        const std::string colour = std::to_string(r + 256 * g + 65536 * b);
        cmd.append(" create rectangle(band=").append(band);
        cmd.append(" x=\"1\" y=\"").append(std::to_string((i - 1) * strip_height));
        cmd.append("\" height=\"").append(std::to_string(strip_height));
        cmd.append("\" width=\"").append(std::to_string(width));
        cmd.append("\"  name=rec_").append(std::to_string(i));
        cmd.append(" brush.hatch=\"6\" brush.color=\"").append(colour);
        cmd.append("\" pen.style=\"0\" pen.width=\"5\" pen.color=\"").append(colour);
        cmd.append("\"  background.mode=\"2\" background.color=\"0\" )");
    }
    const std::string err = surface.modify(cmd);
    if (!err.empty()) {
        if (platform) platform->message("Error Adding Rectangles", err);
        return -1;
    }
    return 1;
}

void Background::initialize() {
    // An empty layout: the band is one unit high until the first repaint.
    const std::string err = surface_.modify("datawindow.header.height=1");
    if (!err.empty() && platform_) platform_->message("Gradient Initialize Error", err);
}

int Background::gradient(int r, int g, int b) {
    auto bad = [](int c) { return c < 0 || c > 255; };
    if (bad(r) || bad(g) || bad(b)) return -1;
    red = r;
    green = g;
    blue = b;
    return repaint();
}

int Background::repaint() {
    const std::string err = surface_.modify("datawindow.header.height=" + std::to_string(surface_.height()));
    if (!err.empty()) {
        if (platform_) platform_->message("RePaint Error", err);
        return -1;
    }
    if (red < 0) return 1;  // no colour painted yet
    return strips_.gradient(surface_, surface_.width(), "header", red, green, blue, platform_);
}

void Background::paint_style(int style, const Settings& settings) {
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
