// The driver: who decides at each seat and the playing of the computer
// seats. A seat is a human's (`State::human`) or the computer's at the level
// the rules give it (`Rules::levels`). The rules stop whenever any seat must
// decide; the driver asks the level of each computer seat, passes its choice
// through the gate and carries it out, until a human must decide or the deal
// is over (the shuffle is due). The window, the simulator and the tests step
// the game through here.
#pragma once

#include <optional>
#include <random>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"

namespace tav::host {

// What the computer decides now for the seat asked (a computer seat, or a
// human's in its place): a lead, a follow, a pass or hold-back, the return
// owed, yes to a partner's tribute; one the gate allows. Marked `by_computer`. None when nothing
// is asked or the shuffle is due.
std::optional<game::Decision> computer_choice(const game::State& s);

// A human's decision for `seat`: refused by the gate with its reason,
// nothing changed, or carried out; then the computer seats play on.
game::Verdict decide(game::State& s, game::Seat seat, const game::Decision& d, game::Events& ev);

// The computer decides in place of the seat asked (a human's auto-play):
// its decision counts as the computer's (its pass counts like theirs);
// then the computer seats play on. Refused when nothing is asked or the
// shuffle is due.
game::Verdict computer_decides(game::State& s, game::Events& ev);

// The shuffle between deals: the pack's order is drawn from the game's
// generator (so a game's seed and the shuffles made before fix every deal),
// dealt for the seat asked, and the computer seats play on.
game::Verdict shuffle(game::State& s, game::Events& ev, std::mt19937_64& rng);

// Plays the computer seats until a human must decide, the shuffle is due or
// nothing is asked.
void play_computer_seats(game::State& s, game::Events& ev);

}  // namespace tav::host
