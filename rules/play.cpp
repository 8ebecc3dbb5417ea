#include "rules/play.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tav::game {

bool beats(std::span<const Card> cards, const Play& standing) {
    if (static_cast<int>(cards.size()) != standing.size()) return false;
    std::array<Rank, 96> ranks;  // only the first n are read
    const std::size_t n = std::min(cards.size(), ranks.size());
    for (std::size_t i = 0; i < n; ++i) ranks[i] = rank_of(cards[i]);
    // A play is a few cards: sorted by insertion, a library sort only for many.
    if (n <= 8) {
        for (std::size_t i = 1; i < n; ++i) {
            const Rank r = ranks[i];
            std::size_t j = i;
            for (; j > 0 && ranks[j - 1] > r; --j) ranks[j] = ranks[j - 1];
            ranks[j] = r;
        }
    } else {
        std::sort(ranks.begin(), ranks.begin() + static_cast<std::ptrdiff_t>(n));
    }
    for (std::size_t i = 0; i < n; ++i)
        if (ranks[i] >= rank_of(standing[static_cast<int>(i)])) return false;
    return true;
}

bool can_play(std::span<const Card> cards, const Play* standing) {
    if (cards.empty()) return false;
    if (standing && !beats(cards, *standing)) return false;
    return is_one_rank(cards);
}

bool is_challenge(const Play& play) {
    if (play.empty()) return false;
    // Every play laid is asked this: one pass over its cards.
    const auto held = play.counts();
    const int twos = held[kTwo];
    if (held[kBigJoker] > 0 || held[kSmallJoker] > 0 || twos == play.size()) return true;
    // Aces and kings need two, queens three, jacks four, tens five.
    constexpr std::array<std::pair<Rank, int>, 5> needs{{{kAce, 2}, {kKing, 2}, {kQueen, 3}, {kJack, 4}, {kTen, 5}}};
    for (const auto& [rank, need] : needs)
        if (held[static_cast<std::size_t>(rank)] + twos >= need) return true;
    return false;
}

}  // namespace tav::game
