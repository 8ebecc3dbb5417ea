// The classic level's finer plays: rushing out, splitting and topping up
// groups, the cards given back for a tribute and the payment for a three.
#include <array>

#include "ai/classic.h"
#include "ai/classic_parts.h"
#include "rules/gate.h"

namespace tav::game::classic {
namespace {

// A big surplus is broken even when the standing seat keeps several ranks:
// the group still keeps enough cards after the answer.
struct SurplusSplit {
    Rank rank;      // the rank broken up
    int keeps;      // cards it must keep at least
    Rank at_least;  // the standing rank - 1 must be this weak
};
constexpr std::array<SurplusSplit, 4> kSurplusSplits{{{kJack, 5, 8}, {kQueen, 4, 7}, {kKing, 3, 6}, {kAce, 3, 5}}};

}  // namespace

std::optional<std::vector<Card>> take(Hand& hand, const RankCounts& held,
                                      std::initializer_list<std::pair<Rank, int>> wanted) {
    std::array<int, kRanks + 1> total{};
    for (const auto& [rank, count] : wanted) {
        if (rank == 0) continue;
        if (count < 0 || rank < 0 || rank > kRanks) return std::nullopt;
        total[static_cast<std::size_t>(rank)] += count;
    }
    for (std::size_t r = 1; r <= kRanks; ++r)
        if (held[r] < total[r]) return std::nullopt;
    std::vector<Card> cards;
    int n = 0;
    for (std::size_t r = 1; r <= kRanks; ++r) n += total[r];
    cards.reserve(static_cast<std::size_t>(n));
    for (const auto& [rank, count] : wanted) {
        if (rank == 0) continue;
        for (int k = 0; k < count; ++k) {
            const int i = hand.find_rank(rank);
            cards.push_back(hand[i]);
            hand.erase_at(i);
        }
    }
    return cards;
}

std::optional<std::vector<Card>> rush(const SeatView& v) {
    if (v.hand().empty()) return std::nullopt;
    const auto held = v.hand().counts();
    const int big = held[kBigJoker], small = held[kSmallJoker], twos = held[kTwo];
    int ranks = 0;
    for (Rank r = kAce; r <= kThree; ++r) ranks += held[static_cast<std::size_t>(r)] > 0 ? 1 : 0;
    // Several ranks and too few jokers: no rush, and nothing more to look at.
    if (ranks > 1 && big + small < ranks - 1) return std::nullopt;
    Hand hand = v.hand();
    const Rank weakest_held = rank_of(hand[hand.size() - 1]);
    auto of = [&held](Rank r) { return static_cast<int>(held[static_cast<std::size_t>(r)]); };

    if (ranks == 1) {
        // The wild cards go down together when nothing still out can beat
        // them, keeping the last rank for the next lead. The cleared pile is
        // long late in a deal: it is counted only here, each rank only when
        // the test before has not settled the matter.
        auto rush_wild = [&] { return take(hand, held, {{kBigJoker, big}, {kSmallJoker, small}, {kTwo, twos}}); };
        if (big > 0) return rush_wild();
        const int big_gone = v.cleared(kBigJoker);
        if (small > 4 - big_gone) return rush_wild();
        if (twos > 8 - big_gone - v.cleared(kSmallJoker)) return rush_wild();
        // The level's own caution, not the rule on threes: with the rule on it
        // never rushes the whole hand, even where the rule would let it (a last
        // rank other than threes, or threes alone), so it does not ask the gate.
        if (v.rules().threes) return std::nullopt;
        return take(hand, held,
                    {{kBigJoker, big}, {kSmallJoker, small}, {kTwo, twos}, {weakest_held, of(weakest_held)}});
    }

    // Several ranks: a joker for every rank but one.
    if (small > 0) {
        Rank weakest = weakest_held;
        if (threes_kept_back(v.rules(), hand))
            for (int i = hand.size() - 1; i >= 0; --i)
                if (rank_of(hand[i]) < kThree) {
                    weakest = rank_of(hand[i]);
                    break;
                }
        if (ranks == 2)
            return take(hand, held, {{kSmallJoker, 1}, {weakest, of(weakest)}, {kBigJoker, big}, {kTwo, twos}});
        return take(hand, held, {{kSmallJoker, 1}, {weakest, of(weakest)}});
    }
    Rank strongest = 0;
    for (Card c : hand)
        if (rank_of(c) > kTwo) {
            strongest = rank_of(c);
            break;
        }
    const int strongest_count = strongest ? of(strongest) : 0;
    if (ranks == 2) return take(hand, held, {{kBigJoker, big}, {strongest, strongest_count}, {kTwo, twos}});
    return take(hand, held, {{kBigJoker, 1}, {strongest, strongest_count}});
}

std::optional<std::vector<Card>> split(const SeatView& v, Hand& hand, const RankCounts& held, Rank rank, int count) {
    if (count < 2) return std::nullopt;  // a single card is never answered by splitting
    auto of = [&held](Rank r) { return static_cast<int>(held[static_cast<std::size_t>(r)]); };

    for (const SurplusSplit& row : kSurplusSplits)
        if (of(row.rank) - count >= row.keeps && rank >= row.at_least) return take(hand, held, {{row.rank, count}});

    // Anything more only when the standing seat could go out with its next play.
    if (v.peek_standing_natural_rank_count() != 1) return std::nullopt;

    for (Rank r = rank - 1; r >= kAce; --r)
        if (of(r) >= count) return take(hand, held, {{r, count}});

    // Top up the largest group (the weaker on a tie) with 2s, then small jokers.
    const int small = of(kSmallJoker), twos = of(kTwo);
    int most = 0;
    Rank best = 0;
    for (Rank r = rank - 1; r >= kAce; --r)
        if (const int c = of(r); c > most) {
            most = c;
            best = r;
        }
    if (most + twos >= count) return take(hand, held, {{best, most}, {kTwo, count - most}});
    if (most + twos + small >= count)
        return take(hand, held, {{best, most}, {kTwo, twos}, {kSmallJoker, count - most - twos}});
    return std::nullopt;
}

std::vector<Card> choose_return(const Hand& hand, int owed) {
    // Candidates: nines down to fours, strongest first as sorted, never a three.
    Hand candidates;
    for (Card c : hand)
        if (rank_of(c) > kTen && rank_of(c) < kThree) candidates.push(c);
    candidates.sort_by_rank();
    const int rows = candidates.size();
    std::vector<bool> chosen(static_cast<std::size_t>(rows) + 1, false);
    std::vector<int> order;  // candidate rows (from 1) in the order chosen
    auto pick = [&](int row) {
        if (row < 1 || chosen[static_cast<std::size_t>(row)]) return;
        chosen[static_cast<std::size_t>(row)] = true;
        order.push_back(row);
    };
    const auto counts = hand.counts();
    auto held = [&](int row) {
        return static_cast<int>(counts[static_cast<std::size_t>(rank_of(candidates[row - 1]))]);
    };
    auto missing = [&] { return owed - static_cast<int>(order.size()); };
    // First the single cards of a rank, weakest first.
    for (int r = rows; r >= 1 && missing() > 0; --r)
        if (held(r) == 1) pick(r);
    // Then a card whose rank is used up or keeps at least two; then the
    // weakest card left. A first choice brings the card above it along.
    for (int pass = 0; pass < 2 && missing() > 0; ++pass) {
        for (int r = rows; r >= 1; --r) {
            if (chosen[static_cast<std::size_t>(r)]) continue;
            const int left = held(r) - missing();
            if (pass == 0 && left != 0 && left < 2) continue;
            const bool first = order.empty();
            pick(r);
            if (first) pick(r - 1);
            break;
        }
    }
    if (static_cast<int>(order.size()) > owed) order.resize(static_cast<std::size_t>(std::max(owed, 0)));
    std::vector<Card> cards;
    cards.reserve(order.size());
    for (int row : order) cards.push_back(candidates[row - 1]);
    return cards;
}

}  // namespace tav::game::classic
