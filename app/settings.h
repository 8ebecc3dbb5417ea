// Application-wide settings: chosen in the dialogs, read by the game at the
// moment it needs them. Remembered between runs (app/settings_store.h). The
// table's own choices come from the table (view/table_settings.h); these
// add the window's.
#pragma once

#include <string>

#include "view/table_settings.h"

namespace tav {

struct Settings : TableSettings {
    int background_style = 1;        // background style 1..3
    bool place_tributes_box = true;  // the place tribute box of the rules dialog (display only)
    bool show_hint_button = true;    // the 提示 button below the game buttons
    int language = 0;                // 0 follows the system's language, 1 Chinese, 2 English
    // The network table last joined (the 加入 dialog's), and the player's name there.
    std::string net_address, net_code, net_name;
};

// The one instance of the running program; dialogs and the main window share it.
// Tests and the simulator make their own instances instead.
Settings& app_settings();

}  // namespace tav
