// The language of the window. Chinese is the game's own: every text in the
// code is the Chinese one, and English comes from the translation compiled
// from translations/tav_en.ts. The choice is made once at start; a change in
// the menu takes effect on the next start.
#pragma once

#include <QLocale>
#include <QString>
#include <string_view>

#include "model/notes.h"

namespace tav::ui {

// The menu's choice, as kept in the settings.
enum class LanguageChoice { system = 0, chinese = 1, english = 2 };

// Whether a choice means English on a system with this locale: following the
// system, a Chinese locale or none at all (C) keeps Chinese; any other reads English.
bool english_for(LanguageChoice choice, const QLocale& system);

// Loads the English translation into the application (or drops it for
// Chinese); false when the translation cannot be loaded, Chinese then stays.
bool use_english(bool english);
bool english_in_use();

// A text of the window's own (menu item, dialog label, button, tooltip).
QString tx(const char* chinese);

// A text the game writes, as shown: a table label, a line kept as written, a
// box's text. Each line is looked up as a whole first, then by the templates
// of the texts with numbers in them; unchanged in Chinese.
QString shown(std::string_view text);

// How the note lines are written from the events in the window's language.
game::notes::Wording note_wording();

}  // namespace tav::ui
