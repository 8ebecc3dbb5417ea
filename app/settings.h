// Application-wide settings: chosen in the dialogs, read by the game at the
// moment it needs them. Nothing is saved between runs.
#pragma once

#include <array>
#include <string>

namespace tav {

struct Settings {
    bool gb_b3 = true;                             // rule on threes (and buying threes)
    std::string gs_sends = "0";                    // dealing speed: "0" fast, "1" every move drawn
    double gc_show = 0.2;                          // pause in seconds before a play leaves the table
    int ii_bgstyle = 1;                            // background style 1..3
    std::string gs_bgcard = "cards\\bgcard4.bmp";  // back of face-down cards
    std::array<int, 3> ii_style1{0, 189, 84};
    std::array<int, 3> ii_style2{158, 189, 84};
    std::array<int, 3> ii_style3{255, 175, 96};
    int gi_winstyle = 1;  // 1 scores plus tribute, anything else scores only
    bool gb_m = false;    // smother tributes
    bool gb_d = false;    // point tributes
    bool gb_l = true;     // place tribute box of the rules dialog (display only)
};

// The one instance of the running program; dialogs and the main window share it.
// Tests and the simulator make their own instances instead.
Settings& app_settings();

}  // namespace tav
