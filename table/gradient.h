// The background gradient: a surface painted with 64 horizontal strips from a
// base colour at the top towards white at the bottom. nc_gradient builds the
// strips by create commands; n_gradient is a surface that remembers its colour.
#pragma once

#include <string_view>

#include "app/settings.h"
#include "table/platform.h"
#include "table/surface.h"

namespace tav {

class nc_gradient {
public:
    static constexpr int cii_segments = 64;
    // Rebuilds the strips "rec_1".."rec_64" on `adw_dw`; -1 (nothing changed)
    // when a component lies outside 0..255, else 1. A refused command shows
    // "Error Adding Rectangles" through `platform` and gives -1.
    int gradient(Surface& adw_dw, int ai_width, std::string_view as_band, int ai_red, int ai_green, int ai_blue,
                 Platform* platform) const;
    // The colour (red, green, blue) of strip i (1..64).
    static void strip_colour(int i, int red, int green, int blue, int& r, int& g, int& b);
};

class n_gradient {
public:
    n_gradient(Surface& surface, Platform* platform) : surface_(surface), platform_(platform) {}
    void initialize();
    // Stores the base colour and repaints; -1 when a component is out of range.
    int gradient(int ai_red, int ai_green, int ai_blue);
    int repaint();
    // Paints style 1..3 of `settings` (any other style paints nothing) and
    // sends the strips behind everything else, drawing suspended meanwhile.
    void wf_bgcolor(int ai_bgstyle, const Settings& settings);

    int ii_red = -1, ii_green = -1, ii_blue = -1;

private:
    Surface& surface_;
    Platform* platform_;
    nc_gradient inc_gradient;
};

}  // namespace tav
