// A pile's operations against a plain list of the same cards: the pile works
// sixteen cards at a time and leaves old cards past its end, which must never
// be found, counted or copied as its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/cards.h"

namespace tav {
namespace {

using game::Card;

template <int N>
void check_same(const game::Pile<N>& pile, const std::vector<Card>& ref, const char* after) {
    ASSERT_EQ(std::vector<Card>(pile.begin(), pile.end()), ref) << after;
    for (int c = 0; c <= 255; ++c) {
        const auto at = std::find(ref.begin(), ref.end(), static_cast<Card>(c));
        const int want = at == ref.end() ? -1 : static_cast<int>(at - ref.begin());
        ASSERT_EQ(pile.find(static_cast<Card>(c)), want) << after << ", card " << c;
    }
    for (game::Rank r = 0; r <= game::kRanks + 1; ++r) {
        const auto want = std::count_if(ref.begin(), ref.end(), [r](Card c) { return game::rank_of(c) == r; });
        ASSERT_EQ(pile.count(r), want) << after << ", rank " << r;
        if (r <= game::kRanks) {
            ASSERT_EQ(pile.counts()[static_cast<std::size_t>(r)], want) << after << ", rank " << r;
        }
    }
}

// Random steps, each checked at once: pushes (a card past 216 now and then),
// removals of held and missing cards, erasures anywhere, appends of a
// second pile (itself too) and clearing.
template <int N>
void play_steps(unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int below) { return static_cast<int>(rng() % static_cast<unsigned>(below)); };
    game::Pile<N> pile;
    game::Pile<96> other;
    std::vector<Card> ref, other_ref;
    for (int step = 0; step < 1500; ++step) {
        const int what = pick(20);
        if (what < 9) {
            const auto c = static_cast<Card>(pick(10) == 0 ? pick(256) : 1 + pick(game::kCards));
            const bool room = static_cast<int>(ref.size()) < N;
            ASSERT_EQ(pile.push(c), room);
            if (room) ref.push_back(c);
            check_same(pile, ref, "push");
        } else if (what < 13) {
            const auto c = ref.empty() || pick(3) == 0
                               ? static_cast<Card>(pick(256))
                               : ref[static_cast<std::size_t>(pick(static_cast<int>(ref.size())))];
            const auto at = std::find(ref.begin(), ref.end(), c);
            ASSERT_EQ(pile.remove(c), at != ref.end());
            if (at != ref.end()) ref.erase(at);
            check_same(pile, ref, "remove");
        } else if (what < 16) {
            // Now and then a place past the last card, or before the first: nothing changes.
            const int i = pick(static_cast<int>(ref.size()) + 2) - 1;
            pile.erase_at(i);
            if (i >= 0 && i < static_cast<int>(ref.size())) ref.erase(ref.begin() + i);
            check_same(pile, ref, "erase_at");
        } else if (what < 18) {
            const auto c = static_cast<Card>(1 + pick(game::kCards));
            if (other.push(c)) other_ref.push_back(c);
            if (pick(4) == 0) {
                other.clear();
                other_ref.clear();
            }
            pile.append(other);
            const std::size_t k = std::min(other_ref.size(), static_cast<std::size_t>(N) - ref.size());
            ref.insert(ref.end(), other_ref.begin(), other_ref.begin() + static_cast<std::ptrdiff_t>(k));
            check_same(pile, ref, "append");
        } else if (what == 18) {
            const std::vector<Card> before = ref;
            pile.append(pile);
            const std::size_t k = std::min(before.size(), static_cast<std::size_t>(N) - before.size());
            ref.insert(ref.end(), before.begin(), before.begin() + static_cast<std::ptrdiff_t>(k));
            check_same(pile, ref, "append to itself");
        } else if (pick(8) == 0) {
            pile.clear();
            ref.clear();
            check_same(pile, ref, "clear");
        }
    }
}

TEST(Pile, EveryOperationAgreesWithAPlainList) {
    for (unsigned seed : {1u, 2u, 3u}) {
        play_steps<96>(seed);
        play_steps<game::kCards>(seed);
    }
    // A pile appended to itself, at each size around a block of sixteen.
    for (int n : {1, 15, 16, 17, 20, 31, 32, 33, 47, 48, 60}) {
        game::Pile<96> pile;
        std::vector<Card> ref;
        for (int i = 0; i < n; ++i) {
            pile.push(static_cast<Card>(i + 1));
            ref.push_back(static_cast<Card>(i + 1));
        }
        pile.append(pile);
        const std::size_t k = std::min(ref.size(), 96 - ref.size());
        ref.insert(ref.end(), ref.begin(), ref.begin() + static_cast<std::ptrdiff_t>(k));
        check_same(pile, ref, "append to itself");
    }
}

}  // namespace
}  // namespace tav
