// The settings as named text entries, to be remembered between runs: what
// the dialogs set is written as "key" = "value" pairs, and read back value
// by value. A value that is missing keeps the start value; one that is
// damaged or out of range keeps it too and is reported, never guessed at.
// The file itself is read and written by the window (ui/settings_file.*).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"

namespace tav {

using SettingsEntries = std::vector<std::pair<std::string, std::string>>;

// Every remembered setting, in a fixed order.
SettingsEntries settings_entries(const Settings& s);

// Takes each known key with a good value into `s`; returns one line for each
// value refused ("key: why"). Keys it does not know are left alone.
std::vector<std::string> apply_settings_entries(Settings& s, const SettingsEntries& entries);

}  // namespace tav
