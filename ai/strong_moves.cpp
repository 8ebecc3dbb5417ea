#include "ai/strong_moves.h"

#include <algorithm>
#include <array>

#include "rules/gate.h"
#include "rules/play.h"

namespace tav::game::strong {
namespace {

// The hand's cards of one rank, at most `n`.
void take_rank(const Hand& hand, Rank r, int n, std::vector<Card>& out) {
    for (Card c : hand)
        if (n > 0 && rank_of(c) == r) {
            out.push_back(c);
            --n;
        }
}

void add_unique(std::vector<std::vector<Card>>& list, std::vector<Card> cards) {
    if (cards.empty()) return;
    std::sort(cards.begin(), cards.end());
    if (std::find(list.begin(), list.end(), cards) == list.end()) list.push_back(std::move(cards));
}

// What spending a card costs the hand: wild cards are what wins tricks back.
int wild_cost(Rank r) { return r == kBigJoker ? 8 : r == kSmallJoker ? 5 : 3; }

}  // namespace

std::vector<std::vector<Card>> lead_choices(const Hand& hand, const Rules& rules) {
    std::vector<std::vector<Card>> out;
    if (hand.empty()) return out;
    const auto held = hand.counts();
    const bool threes_wait = threes_kept_back(rules, hand);
    std::vector<Rank> ranks;  // natural ranks that may be led, weakest first
    for (Rank r = kThree; r >= kAce; --r)
        if (held[static_cast<std::size_t>(r)] > 0 && (r != kThree || !threes_wait)) ranks.push_back(r);
    std::vector<Card> wild;
    for (Card c : hand)
        if (is_wild(rank_of(c))) wild.push_back(c);

    for (std::size_t i = 0; i < ranks.size() && i < 3; ++i) {
        std::vector<Card> group;
        take_rank(hand, ranks[i], hand.size(), group);
        add_unique(out, std::move(group));
    }
    if (!wild.empty() && ranks.size() <= 2) {
        // Near the end: the wild cards together, alone or with the weakest rank.
        add_unique(out, wild);
        if (!ranks.empty()) {
            std::vector<Card> with = wild;
            take_rank(hand, ranks[0], hand.size(), with);
            add_unique(out, std::move(with));
        }
        if (ranks.empty())
            for (Rank r : {kTwo, kSmallJoker, kBigJoker})
                if (held[static_cast<std::size_t>(r)] > 0) {
                    std::vector<Card> group;
                    take_rank(hand, r, hand.size(), group);
                    add_unique(out, std::move(group));
                }
    }
    // Keep only what the rules allow (one natural rank).
    std::erase_if(out, [](const std::vector<Card>& c) { return !can_play(c, nullptr); });
    return out;
}

std::vector<std::vector<Card>> answer_choices(const Hand& hand, const Play& standing, int most) {
    struct Scored {
        int cost;
        std::vector<Card> cards;
    };
    std::vector<Scored> found;
    const int n = standing.size();
    if (n == 0 || hand.size() < n) return {};
    const auto held = hand.counts();
    // The hand's wild cards, weakest first.
    std::vector<Card> wild;
    for (Rank r : {kTwo, kSmallJoker, kBigJoker})
        for (Card c : hand)
            if (rank_of(c) == r) wild.push_back(c);

    // `k` natural cards of `r` (none when r is 0) and wild cards for the rest:
    // the weakest wild card that beats each standing card, from the
    // standing play's weakest card paired with a wild one upwards.
    auto build = [&](Rank r, int k) {
        const int w = n - k;
        if (w > static_cast<int>(wild.size())) return;
        if (k > 0 && r >= rank_of(standing[w])) return;
        std::vector<Card> cards;
        std::array<bool, 96> used{};
        int cost = 0;
        for (int i = w - 1; i >= 0; --i) {
            const Rank against = rank_of(standing[i]);
            std::size_t pick = wild.size();
            for (std::size_t j = 0; j < wild.size(); ++j)
                if (!used[j] && rank_of(wild[j]) < against) {
                    pick = j;
                    break;
                }
            if (pick == wild.size()) return;
            used[pick] = true;
            cards.push_back(wild[pick]);
            cost += wild_cost(rank_of(wild[pick]));
        }
        if (k > 0) {
            take_rank(hand, r, k, cards);
            if (held[static_cast<std::size_t>(r)] > k) cost += 2;  // a group broken
            cost += (kThree - r) / 4;                              // strong ranks kept for later
        }
        if (!can_play(cards, &standing)) return;
        found.push_back({cost, std::move(cards)});
    };
    for (Rank r = kFour; r >= kAce; --r) {
        const int c = held[static_cast<std::size_t>(r)];
        if (c > 0) build(r, std::min(c, n));
    }
    build(0, 0);
    std::stable_sort(found.begin(), found.end(), [](const Scored& a, const Scored& b) { return a.cost < b.cost; });
    std::vector<std::vector<Card>> out;
    for (Scored& s : found) {
        if (static_cast<int>(out.size()) >= most) break;
        out.push_back(std::move(s.cards));
    }
    return out;
}

}  // namespace tav::game::strong
