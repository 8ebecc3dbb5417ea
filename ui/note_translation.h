// The game's lines in English. The note lines come from the events, by the
// English templates of their kinds (the Chinese lines' twin, model/notes.h);
// the few other texts the table writes with numbers in them (a score label,
// a deal's heading, a refusal's reason) are matched against the template
// they were made from and rebuilt from its translation.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "model/events.h"

namespace tav::ui {

// The English lines of an event (most kinds write none), as UTF-8.
void english_lines(const game::Event& e, std::vector<std::string>& out);

// The English of a text the table writes, or an empty text when no kind matches.
QString translate_note(const QString& line);

}  // namespace tav::ui
