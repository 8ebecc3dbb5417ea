// The files that last between runs: the remembered settings (QSettings,
// ~/.config/tav/tav.conf), and files in the data folder (the saved game, the
// statistics). A file written whole goes through a temporary file renamed
// into place only when every byte of it was written, so a crash or a full
// disk never leaves half a file and the old one stays until then. Anything
// that is not a plain file (a pipe, a folder, a device) is refused before it
// is opened: opening a pipe waits for a writer for ever.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "app/settings.h"

namespace tav::ui {

// Where the saved game and the statistics live (the application's data folder).
QString data_folder();

// The whole file; none when it does not exist. `error` says why a file that
// exists could not be read (not a plain file, unreadable, or far too big to be ours).
std::optional<std::string> read_whole_file(const QString& path, QString* error);
// False, with the reason, when the file could not be written; the old one
// is then untouched.
bool write_whole_file(const QString& path, const std::string& text, QString* error = nullptr);
// Adds `text` at the end of the file, which must exist; false, with the
// reason, when not all of it could be written (the file is then cut back to
// its old length, so nothing half written stays).
bool append_to_file(const QString& path, const std::string& text, QString* error = nullptr);
// Cuts the file to its first `bytes`; false when it could not be.
bool cut_file(const QString& path, qint64 bytes);
// Renames a refused file to "<path>.bad" ("<path>.bad2" ... when that is
// taken) and returns the new name; empty when it could not be moved (also
// once .bad ... .bad999 are all taken: none of them is written over).
QString move_aside(const QString& path);

// The remembered settings over the start values; values refused are named
// on stderr. A settings file that is not a plain file is not read, and for
// this run the settings are kept in a folder of their own that goes with
// the program: settings_refusal() then says why.
void load_settings(Settings& s);
// False, with the reason, when the settings could not be written.
bool save_settings(const Settings& s, QString* error = nullptr);
QString settings_refusal();

}  // namespace tav::ui
