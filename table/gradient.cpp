#include "table/gradient.h"

#include <algorithm>
#include <string>

namespace tav {

void nc_gradient::strip_colour(int i, int red, int green, int blue, int& r, int& g, int& b) {
    // Each component rises from the base towards 255; the first strip is the base.
    auto step = [i](int base) {
        const double per_strip = (255.0 - base) / cii_segments;
        return std::min(255, base + static_cast<int>(per_strip * (i - 1)));
    };
    r = step(red);
    g = step(green);
    b = step(blue);
}

int nc_gradient::gradient(Surface& adw_dw, int ai_width, std::string_view as_band, int ai_red, int ai_green,
                          int ai_blue, Platform* platform) const {
    auto bad = [](int c) { return c < 0 || c > 255; };
    if (bad(ai_red) || bad(ai_green) || bad(ai_blue)) return -1;

    std::string destroy;
    for (int i = 1; i <= cii_segments + 2; ++i) destroy += " destroy rec_" + std::to_string(i);
    adw_dw.modify(destroy);  // strips that are missing are no error

    // Whole screen pixels (4 units a pixel down), rounded up so the strips
    // cover the band to its bottom.
    const int band_height =
        std::max(0, std::atoi(adw_dw.describe("datawindow." + std::string(as_band) + ".height").c_str()));
    const int band_pixels = band_height / 4;
    const int strip_pixels = std::max(1, (band_pixels + cii_segments - 1) / cii_segments);
    const int strip_height = strip_pixels * 4;

    std::string cmd;
    cmd.reserve(std::size_t{300} * cii_segments);
    for (int i = 1; i <= cii_segments; ++i) {
        int r, g, b;
        strip_colour(i, ai_red, ai_green, ai_blue, r, g, b);
        const std::string colour = std::to_string(r + 256 * g + 65536 * b);
        cmd.append(" create rectangle(band=").append(as_band);
        cmd.append(" x=\"1\" y=\"").append(std::to_string((i - 1) * strip_height));
        cmd.append("\" height=\"").append(std::to_string(strip_height));
        cmd.append("\" width=\"").append(std::to_string(ai_width));
        cmd.append("\"  name=rec_").append(std::to_string(i));
        cmd.append(" brush.hatch=\"6\" brush.color=\"").append(colour);
        cmd.append("\" pen.style=\"0\" pen.width=\"5\" pen.color=\"").append(colour);
        cmd.append("\"  background.mode=\"2\" background.color=\"0\" )");
    }
    const std::string err = adw_dw.modify(cmd);
    if (!err.empty()) {
        if (platform) platform->message("Error Adding Rectangles", err);
        return -1;
    }
    return 1;
}

void n_gradient::initialize() {
    // An empty layout: the band is one unit high until the first repaint.
    const std::string err = surface_.modify("datawindow.header.height=1");
    if (!err.empty() && platform_) platform_->message("Gradient Initialize Error", err);
}

int n_gradient::gradient(int ai_red, int ai_green, int ai_blue) {
    auto bad = [](int c) { return c < 0 || c > 255; };
    if (bad(ai_red) || bad(ai_green) || bad(ai_blue)) return -1;
    ii_red = ai_red;
    ii_green = ai_green;
    ii_blue = ai_blue;
    return repaint();
}

int n_gradient::repaint() {
    const std::string err = surface_.modify("datawindow.header.height=" + std::to_string(surface_.height()));
    if (!err.empty()) {
        if (platform_) platform_->message("RePaint Error", err);
        return -1;
    }
    if (ii_red < 0) return 1;  // no colour painted yet
    return inc_gradient.gradient(surface_, surface_.width(), "header", ii_red, ii_green, ii_blue, platform_);
}

void n_gradient::wf_bgcolor(int ai_bgstyle, const Settings& settings) {
    const std::array<int, 3>* style = nullptr;
    if (ai_bgstyle == 1) style = &settings.ii_style1;
    if (ai_bgstyle == 2) style = &settings.ii_style2;
    if (ai_bgstyle == 3) style = &settings.ii_style3;
    const bool was = surface_.redraw();
    surface_.set_redraw(false);
    if (style) gradient((*style)[0], (*style)[1], (*style)[2]);
    // Behind everything, last strip first so rec_1 ends up at the very back.
    for (int i = nc_gradient::cii_segments; i >= 1; --i) surface_.set_position("rec_" + std::to_string(i), false);
    surface_.set_redraw(was);
}

}  // namespace tav
