// Who decides now, what they may decide, and the one gate every decision
// passes before the engine carries it out. The rules compare cards by rank
// only (the four decks hold identical cards, and a suit changes nothing in
// play), so decisions are listed once per choice of ranks, with whichever
// copies of those ranks the hand holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/decision.h"
#include "model/state.h"

namespace tav::game {

// The seat that must decide now (`State::ask`): the seat at its turn, the
// receiver of the tribute being settled, or for the shuffle the first human
// seat (`State::shuffler`); none when nothing is due.
std::optional<Seat> current_seat(const State& s);

// Every decision the current seat may make now, one per choice of ranks:
// each play (a lead, or a follow that beats the standing play), the pass or
// the hold-back where allowed, each set of cards to give back for a tribute
// (a debt is one or two cards: at most 120 sets of ranks; a larger one, which
// only a state made by hand can owe, is listed up to 4096 sets), take or let
// go, or the shuffle (a chance step: any order of the whole pack; listed
// once, in the catalogue's order). Empty when nothing is due.
std::vector<Decision> legal_decisions(const State& s);

// The plays `hand` may make under `rules`: answers to `standing`, or leads
// when it is none; the first `most` of them (one tells whether there is
// any). For the current seat these are the plays `legal_decisions` lists, in
// the same order; a level that looks ahead asks it for a hand of a world it
// drew, where that seat need not be the one the state asks.
std::vector<Decision> legal_plays(const Hand& hand, const Play* standing, const Rules& rules,
                                  std::size_t most = SIZE_MAX);

// The one gate: ok exactly for the decisions listed by `legal_decisions`
// (with any copies of the same ranks), else refused with the reason.
Verdict check(const State& s, Seat seat, const Decision& d);

// Why `cards` cannot leave the hand: a card that is none, not in the hand, or
// named twice; empty when each is the hand's own, once.
std::string own_cards_refused(const Hand& hand, const std::vector<Card>& cards);

// The rule on threes: no three goes while the hand holds any other card.
bool threes_kept_back(const Rules& rules, const Hand& hand);

}  // namespace tav::game
