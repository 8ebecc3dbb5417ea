// The strong computer level ("高手").
//
// How it decides. Every decision starts from the classic level's choice made
// in a "determinised" world: the cards the seat has not seen dealt at random
// to the seats that hold them, each as many as it holds (ai/strong_world.h).
// That choice is mended by rules of thumb (ai/strong_thumb.h): a partner's
// play is left alone, 2s are kept for later where a natural card or a pass
// will do, and an opponent close to going out is beaten where it can be.
//
// Near the end of the deal, where places are decided and a look ahead costs
// little, that choice is weighed against a few others (ai/strong_moves.h:
// the weakest groups to lead, the wild cards together; the cheapest answers
// of each kind, a group of exactly the size, a broken group, wild cards added,
// and the pass). In each of a handful of drawn worlds every choice is played
// and the deal played on to its end, the seat's side by the rules of thumb
// and the others as classic seats; the end is scored for the side: the score
// changes of its three seats (the places, and so sweeps), plus a part of a
// point for every tribute card that will come to the side, less those it
// will pay. All choices meet the same worlds; the best total wins, the rules
// of thumb's own choice on a tie. A dozen rollouts a decision keep a whole
// deal with six strong seats in a few milliseconds.
//
// What it knows. Its own hand, every card played and cleared, how many cards
// each seat holds, places, scores and the ledger (`known_to`).
// The worlds are drawn by a generator seeded from that knowledge alone, so
// the same knowledge gives the same decision however the hidden cards lie.
// The classic level and the rollouts read hands of a drawn world only.
//
// Every choice it weighs is picked from the plays the rules allow its hand
// (`legal_plays`, the one list the gate keeps), or a pass where a play
// stands; when nothing beats the standing play it passes, as the classic
// level does. The engine checks what it gets all
// the same.
#pragma once

#include <optional>
#include <vector>

#include "model/state.h"

namespace tav::game::strong {

// The lead of `seat`, whose turn it is with no play standing.
std::vector<Card> lead(const State& s, Seat seat);
// The answer of `seat` to the standing play; none to pass.
std::optional<std::vector<Card>> follow(const State& s, Seat seat);

}  // namespace tav::game::strong
