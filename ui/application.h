// What the program sets on the application as a whole before its first
// window: its name, icon and fonts. The window tests set it the same way.
#pragma once

namespace tav::ui {
// Call once the QApplication exists.
void set_up_application();
}  // namespace tav::ui
