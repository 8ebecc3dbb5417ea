// libFuzzer target: the game state read from text. Any text is either
// refused with a reason or gives a state that is whole and consistent,
// writes back to a text that reads the same, and that the engine can take
// a step from without losing or doubling a card.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>
#include <string_view>

#include "host/driver.h"
#include "model/invariants.h"
#include "rules/engine.h"
#include "store/serialise.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tav::game::StateRead read = tav::game::read_state(text);
    if (!read.ok()) return 0;
    tav::game::State s = read.state;
    require(tav::game::check_cards(s).empty());
    require(tav::game::check_plays(s).empty());
    require(tav::game::check_consistent(s).empty());
    const std::string again = tav::game::write_state(s);
    const tav::game::StateRead back = tav::game::read_state(again);
    require(back.ok() && tav::game::write_state(back.state) == again);

    // A step from the state read, as the window would take it after a resume.
    if (s.ask == tav::game::Ask::nothing) return 0;
    std::mt19937_64 rng(1);
    tav::game::Events ev;
    ev.keep = tav::game::Keep::outcome;
    try {
        if (s.ask == tav::game::Ask::shuffle)
            tav::host::shuffle(s, ev, rng);
        else
            tav::host::computer_decides(s, ev);
    } catch (const std::exception&) {
        return 0;  // refused as the window refuses it: the game stays as it was
    }
    require(tav::game::check_cards(s).empty());
    return 0;
}
