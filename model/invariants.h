// What must hold at every moment of a game, checked from outside the engine:
// the simulator's --check and the tests call these. Each check returns ""
// when all is well, else a short text saying what broke.
#pragma once

#include <optional>
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
// picture cannot show, read from the events:
// - each seat is dealt 36, and no deal begins before the last one ended;
// - nothing lies on the table before play starts, and a purchase of a three
//   is one card for one;
// - a follow has as many cards as the play it answers and answers another
//   seat's play; the last play laid is the standing one and holds what was laid;
// - no seat plays, or is to act, once it is out, and nobody plays between deals;
// - every place 1..6 is given once in a deal, and the score changes of a
//   deal sum to 0;
// - a deal ends within kMaxActions checks.
// The checker must see every event (`Keep::all`) of a deal from
// its start, and be called at least after every action.
class InvariantChecker {
public:
    // The humans' decisions in a deal, and also the checks in a deal when
    // called after every step and every action: a card played takes one
    // step and one action, at most five passes (each a step, and an action
    // when a human passes) and one end of a trick follow it; tributes and
    // purchases add a few dozen at most.
    static constexpr int kMaxActions = 216 * 13 + 64;

    // "" or what broke; `events` are those since the last call.
    std::string after(const State& s, const Events& events, std::string_view action);
    // The events list was emptied: the next call reads it from its start.
    void events_cleared() { seen_ = 0; }

private:
    struct Laid {
        Seat seat = Seat::A;
        int size = 0;
    };
    std::string read(const State& s, const Event& e);
    std::string laid(Seat seat, int size);
    std::string dealt_in_full();
    std::string table(const State& s) const;

    std::size_t seen_ = 0;  // events of the current list already looked at
    const void* list_ = nullptr;
    bool in_deal_ = false;
    bool dealt_checked_ = false;
    int checks_ = 0;  // calls since the deal began
    PerSeat<int> dealt_{};
    PerSeat<int> place_{};
    PerSeat<int> score_at_start_{};
    PerSeat<bool> out_{};
    std::optional<Laid> standing_;  // the play that stands in the trick, as the events tell
};

}  // namespace tav::game
