// The background gradient: a surface painted with 64 horizontal strips from a
// base colour at the top towards white at the bottom. GradientStrips builds the
// strips; Background is a surface that remembers its colour.
#pragma once

#include <string_view>

#include "surface/surface.h"
#include "view/platform.h"
#include "view/table_settings.h"

namespace tav {

class GradientStrips {
public:
    static constexpr int kStrips = 64;
    // Rebuilds the strips "rec_1".."rec_64" in `band` of `surface`, `width`
    // units wide; -1 (nothing changed) when a component lies outside 0..255,
    // else 1. A strip the surface refuses shows "Error Adding Rectangles"
    // through `platform` and gives -1.
    int gradient(Surface& surface, int width, std::string_view band, int red, int green, int blue,
                 Platform* platform) const;
    // The colour (red, green, blue) of strip i (1..64).
    static void strip_colour(int i, int red, int green, int blue, int& r, int& g, int& b);
};

class Background {
public:
    Background(Surface& surface, Platform* platform) : surface_(surface), platform_(platform) {}
    void initialize();
    // Stores the base colour and repaints; -1 when a component is out of range.
    int gradient(int r, int g, int b);
    int repaint();
    // Paints style 1..3 of `settings` (any other style paints nothing) and
    // sends the strips behind everything else, drawing suspended meanwhile.
    void paint_style(int style, const TableSettings& settings);

    // The base colour last painted; -1 before the first.
    int red = -1, green = -1, blue = -1;

private:
    Surface& surface_;
    Platform* platform_;
    GradientStrips strips_;
};

}  // namespace tav
