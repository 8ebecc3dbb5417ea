// A seat's choice as a value. The human's buttons and the computer seats make
// the same decisions; `apply` (rules/engine.h) carries out either.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/cards.h"

namespace tav::game {

enum class Move : std::uint8_t {
    shuffle,         // deal the next hands
    play,            // lay `cards` (a lead or a follow)
    pass,            // let the standing play be
    hold_back,       // decline a standing challenge
    return_tribute,  // return `cards` for a tribute received
    take_tribute,    // take a partner's tribute
    let_tribute_go,  // refuse a partner's tribute
};

struct Decision {
    Move move = Move::pass;
    // The cards in the order they are laid on the table, weakest leftmost
    // for the human; for a return, the cards given back; for the shuffle,
    // the pack in the order it is dealt.
    std::vector<Card> cards;
    // The computer decided (a computer seat, or in a human seat's place):
    // the rules then treat the decision as a computer seat's (a pass that
    // counts, a return that may be short and is marked traded). Whoever
    // passes decisions on from outside (a remote player) clears it.
    bool by_computer = false;

    static Decision play(std::vector<Card> c) { return {Move::play, std::move(c)}; }
    static Decision pass() { return {Move::pass, {}}; }
    bool operator==(const Decision&) const = default;
};

// Why a decision was refused; empty `reason` when it was carried out.
struct Verdict {
    std::string reason;
    bool ok() const { return reason.empty(); }
    explicit operator bool() const { return ok(); }
};

}  // namespace tav::game
