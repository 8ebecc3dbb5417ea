// What must hold at every moment of a game, checked from outside the engine:
// the simulator's --check and the tests call these. Each check returns ""
// when all is well, else a short text saying what broke.
#pragma once

#include <string>
#include <string_view>

#include "model/events.h"
#include "model/state.h"

namespace tav::game {

// While a deal runs every card 1..216 lies in exactly one hand, play or the
// cleared pile; between deals nothing is out.
std::string check_cards(const State& s);
// Every play on the table holds one natural rank plus any wild cards.
std::string check_plays(const State& s);

// Follows a game step by step (the engine's `Events::after_step`, and after
// every action) and checks the cards and plays each time, and what a single
// picture cannot show: each seat is dealt 36, a follow has as many cards as
// the play it beats, no seat plays once it is out, every place 1..6 is given
// once in a deal and the score changes of a deal sum to 0.
class InvariantChecker {
public:
    // Seat A's turns in a deal: every play takes at least one card, and
    // tributes and purchases add a few dozen at most.
    static constexpr int kMaxActions = 216 * 8 + 64;

    // "" or what broke; `events` are those since the last call.
    std::string after(const State& s, const Events& events, std::string_view action);
    // The events list was emptied: the next call reads it from its start.
    void events_cleared() { seen_ = 0; }

private:
    std::string follow_size(const State& s);

    std::size_t seen_ = 0;  // events of the current list already looked at
    const void* list_ = nullptr;
    PerSeat<int> dealt_{};
    PerSeat<int> place_{};
    PerSeat<int> score_at_start_{};
    PerSeat<bool> out_{};
    bool in_deal_ = false;
    std::optional<Seat> standing_;
    int standing_size_ = 0;
};

}  // namespace tav::game
