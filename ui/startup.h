// How the program starts, shared with its start-up probe so the probe
// measures what a player waits for.
#pragma once

#include <QIcon>
#include <memory>

namespace tav::ui {

class MainWindow;

// The game's window icon at the sizes title and task bars show.
// Read as PNG straight away: a picture loaded by file name alone makes Qt
// load every image plugin to ask which can read it.
QIcon game_icon();

// Everything between the QApplication and its event loop: the application's
// set-up, the remembered settings and language, the main window shown, and
// the saved game offered. `keep_folder` empty keeps nothing between runs.
std::unique_ptr<MainWindow> open_game_window(const QString& keep_folder);

}  // namespace tav::ui
