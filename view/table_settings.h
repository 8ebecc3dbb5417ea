// The choices the table reads at the moment it needs them: the rules for
// the next deal, how the deal and the plays are drawn, the card back and
// background colours, and which optional aids show. The program fills them
// from its dialogs and its settings file (app/settings.h extends them with
// the window's own choices); tests and the simulator fill their own.
#pragma once

#include <array>
#include <string>

namespace tav {

struct TableSettings {
    bool threes_rule = true;                       // rule on threes (and buying threes)
    std::string deal_speed = "0";                  // dealing speed: "0" fast, "1" every move drawn
    double play_pause = 0.2;                       // pause in seconds before a play leaves the table
    std::string card_back = "cards\\bgcard4.bmp";  // back of face-down cards
    // The base colours (red, green, blue) of background styles 1, 2 and 3.
    std::array<int, 3> background_colour1{0, 189, 84};
    std::array<int, 3> background_colour2{158, 189, 84};
    std::array<int, 3> background_colour3{255, 175, 96};
    int win_style = 1;              // 1 scores plus tribute, anything else scores only
    bool smother_tributes = false;  // smother tributes
    bool point_tributes = false;    // point tributes
    int computer_level = 0;         // "电脑水平": 0 标准 (classic), 1 高手 (strong); every computer seat
    // The optional aids the table shows (the menu's view choices); with all
    // of them off the table is the plain one.
    bool show_deal_number = true;  // the deal's number, top left
    bool show_counter = false;     // the card counter below the human's row
};

}  // namespace tav
