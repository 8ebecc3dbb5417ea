#pragma once

namespace tav::ui {
// Maps the font names the table uses and Linux lacks to installed faces.
// Call once the QApplication exists.
void install_font_substitutions();
}  // namespace tav::ui
