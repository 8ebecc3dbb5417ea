// Application-wide settings: chosen in the dialogs, read by the game at the
// moment it needs them. Remembered between runs (app/settings_store.h).
#pragma once

#include <array>
#include <string>

namespace tav {

struct Settings {
    bool threes_rule = true;                       // rule on threes (and buying threes)
    std::string deal_speed = "0";                  // dealing speed: "0" fast, "1" every move drawn
    double play_pause = 0.2;                       // pause in seconds before a play leaves the table
    int background_style = 1;                      // background style 1..3
    std::string card_back = "cards\\bgcard4.bmp";  // back of face-down cards
    // The base colours (red, green, blue) of background styles 1, 2 and 3.
    std::array<int, 3> background_colour1{0, 189, 84};
    std::array<int, 3> background_colour2{158, 189, 84};
    std::array<int, 3> background_colour3{255, 175, 96};
    int win_style = 1;               // 1 scores plus tribute, anything else scores only
    bool smother_tributes = false;   // smother tributes
    bool point_tributes = false;     // point tributes
    bool place_tributes_box = true;  // the place tribute box of the rules dialog (display only)
    int computer_level = 0;          // "电脑水平": 0 标准 (classic), 1 高手 (strong); every computer seat
    // The optional helps the table shows (the menu's view choices); with all
    // of them off the table is the plain one.
    bool show_deal_number = true;  // the deal's number, top left
    bool show_hint_button = true;  // the 提示 button below the game buttons
    bool show_counter = false;     // the card counter below the human's row
    int language = 0;              // 0 follows the system's language, 1 Chinese, 2 English
};

// The one instance of the running program; dialogs and the main window share it.
// Tests and the simulator make their own instances instead.
Settings& app_settings();

}  // namespace tav
