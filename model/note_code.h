// The note entries as a saved game keeps them, one line each, so that a
// game taken up again writes its old lines in whichever language the window
// speaks then: "t <text>" for a text kept as written, an event by its kind's
// word and fields ("play B 1 0 2 3 11 11 1", "owes C - 2 1"). Only the kinds
// that write lines have a word.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/notes.h"

namespace tav::game::notes {

std::string code_of(const Entry& entry);
// The entry a line of code stands for; nothing for a line no writer makes.
std::optional<Entry> entry_of(std::string_view code);

}  // namespace tav::game::notes
