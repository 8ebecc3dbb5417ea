// libFuzzer target: the saved game's text. Any text is either refused with a
// reason (and nothing of it handed out) or gives a game that is whole, waits
// for the human, and writes back to a text that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/invariants.h"
#include "store/saved_game.h"
#include "store/serialise.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tav::SavedGameRead read = tav::read_saved_game(text);
    if (!read.ok()) {
        require(read.game.notes.empty() && !tav::game_started(read.game.state));
        return 0;
    }
    const tav::game::State& s = read.game.state;
    require(tav::game::check_cards(s).empty() && tav::game::check_plays(s).empty());
    require(s.ask != tav::game::Ask::nothing);
    const std::string again = tav::write_saved_game(read.game);
    const tav::SavedGameRead back = tav::read_saved_game(again);
    require(back.ok() && tav::write_saved_game(back.game) == again);
    require(back.game.notes == read.game.notes && back.game.record == read.game.record);
    return 0;
}
