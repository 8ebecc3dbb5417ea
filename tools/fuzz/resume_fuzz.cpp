// libFuzzer target: a saved game taken up and played on, as the window does
// it without the window. A text the reader takes gives a game whose
// generator is rebuilt from its deal numbers, and that the engine plays on
// from: through the end of its deal, a shuffle and a few actions of the next,
// every card in exactly one place, the state consistent where it waits, and
// the new deal's events as the invariant checker wants them.
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "host/driver.h"
#include "model/invariants.h"
#include "rules/engine.h"
#include "store/deal_numbers.h"
#include "store/saved_game.h"
#include "store/serialise.h"

namespace {

using namespace tav;

void require(bool ok) {
    if (!ok) std::abort();
}

void require_whole(const game::State& s) { require(game::check_cards(s).empty() && game::check_plays(s).empty()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SavedGameRead read = read_saved_game(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.ok()) return 0;
    game::State s = read.game.state;
    std::mt19937_64 rng;
    prepare_shuffle(rng, read.game.next_number);

    game::InvariantChecker checker;
    bool shuffled = false;
    // A deal takes at most kMaxActions of the human's; a few after the shuffle do.
    for (int acts = 0, after = 0; acts < game::InvariantChecker::kMaxActions && after < 6; ++acts) {
        game::Events ev;
        ev.after_step = [](const game::State& now, const game::Events&) { require_whole(now); };
        game::Verdict v;
        if (s.ask == game::Ask::shuffle) {
            if (shuffled) break;  // the new deal is over already
            shuffled = true;
            v = tav::host::shuffle(s, ev, rng);
        } else if (s.ask == game::Ask::take_partner_tribute) {
            v = tav::host::decide(s, game::Seat::A,
                                  game::Decision{acts % 2 ? game::Move::take_tribute : game::Move::let_tribute_go, {}},
                                  ev);
        } else {
            v = tav::host::computer_decides(s, ev);
        }
        require(v.ok());
        require_whole(s);
        require(game::check_consistent(s).empty());
        require(s.ask != game::Ask::nothing);
        if (shuffled) {
            checker.events_cleared();  // each action's events come in a list of their own
            require(checker.after(s, ev, "resumed").empty());
            ++after;
        }
    }
    return 0;
}
