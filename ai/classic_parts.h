// Pieces of the classic level shared by its lead and its follow.
#pragma once

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "ai/view.h"

namespace tav::game::classic {

// Takes, for each (rank, count) in turn, that many cards of the rank from the
// front of `hand` (which loses them), in that order. None, `hand` untouched,
// when the hand cannot cover the counts of a rank named more than once
// together; rank 0 entries are skipped. `held` is the hand's count of every
// rank named, as the caller counted it (a decision counts a hand once).
std::optional<std::vector<Card>> take(Hand& hand, const RankCounts& held,
                                      std::initializer_list<std::pair<Rank, int>> wanted);
// The same, counting the hand first.
inline std::optional<std::vector<Card>> take(Hand& hand, std::initializer_list<std::pair<Rank, int>> wanted) {
    return take(hand, hand.counts(), wanted);
}

// Going out fast near the end: the jokers and 2s down together when nothing
// still out can beat them, or a joker with every rank but one.
std::optional<std::vector<Card>> rush(const SeatView& v);

// Breaking a group to answer a play of `rank` + 1 that needs `count` cards
// (never for a single card). Takes the cards from `hand`, whose counts are `held`.
std::optional<std::vector<Card>> split(const SeatView& v, Hand& hand, const RankCounts& held, Rank rank, int count);
// The same, counting the hand first.
inline std::optional<std::vector<Card>> split(const SeatView& v, Hand& hand, Rank rank, int count) {
    return split(v, hand, hand.counts(), rank, count);
}

}  // namespace tav::game::classic
