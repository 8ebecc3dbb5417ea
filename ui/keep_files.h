// The files that last between runs, read and written whole: the remembered
// settings (QSettings, ~/.config/tav/tav.conf), and files in the data folder
// (the saved game, the statistics). Writing goes through a temporary file
// renamed into place, so a crash never leaves half a file.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "app/settings.h"

namespace tav::ui {

// Where the saved game and the statistics live (the application's data folder).
QString data_folder();

// The whole file; none when it does not exist. `error` says why a file that
// exists could not be read (unreadable, or far too big to be ours).
std::optional<std::string> read_whole_file(const QString& path, QString* error);
// False when the file could not be written; the old one is then untouched.
bool write_whole_file(const QString& path, const std::string& text);
// Renames a refused file to "<path>.bad" ("<path>.bad2" ... when that is
// taken) and returns the new name; empty when it could not be moved.
QString move_aside(const QString& path);

// The remembered settings over the start values; values refused are named on stderr.
void load_settings(Settings& s);
void save_settings(const Settings& s);

}  // namespace tav::ui
