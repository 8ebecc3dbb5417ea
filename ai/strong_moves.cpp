#include "ai/strong_moves.h"

#include <algorithm>
#include <array>

#include "rules/gate.h"

namespace tav::game::strong {
namespace {

// How many cards of each rank a play holds.
using Shape = std::array<int, kRanks + 1>;

Shape shape_of(const std::vector<Card>& cards) {
    Shape n{};
    for (Card c : cards) ++n[static_cast<std::size_t>(rank_of(c))];
    return n;
}

void add_unique(std::vector<std::vector<Card>>& list, std::vector<Card> cards) {
    std::sort(cards.begin(), cards.end());
    if (std::find(list.begin(), list.end(), cards) == list.end()) list.push_back(std::move(cards));
}

// What spending a card costs the hand: wild cards are what wins tricks back.
int wild_cost(Rank r) { return r == kBigJoker ? 8 : r == kSmallJoker ? 5 : 3; }

}  // namespace

std::vector<std::vector<Card>> lead_choices(const Hand& hand, const Rules& rules) {
    std::vector<std::vector<Card>> out;
    if (hand.empty()) return out;
    const std::vector<Decision> legal = legal_plays(hand, nullptr, rules);
    std::vector<Shape> shapes;
    shapes.reserve(legal.size());
    for (const Decision& d : legal) shapes.push_back(shape_of(d.cards));
    // The legal lead of exactly that shape, if there is one.
    auto find = [&](const Shape& want) -> const Decision* {
        const auto at = std::find(shapes.begin(), shapes.end(), want);
        return at == shapes.end() ? nullptr : &legal[static_cast<std::size_t>(at - shapes.begin())];
    };
    auto pick = [&](const Shape& want) {
        if (const Decision* d = find(want)) add_unique(out, d->cards);
    };
    const auto held = hand.counts();
    auto whole = [&held](Rank r) {
        Shape s{};
        s[static_cast<std::size_t>(r)] = held[static_cast<std::size_t>(r)];
        return s;
    };
    Shape wild{};
    for (Rank r : {kBigJoker, kSmallJoker, kTwo}) wild[static_cast<std::size_t>(r)] = held[static_cast<std::size_t>(r)];
    const bool has_wild = wild != Shape{};

    // The natural ranks that may be led whole, weakest first; the first three are leads.
    std::vector<Rank> ranks;
    for (Rank r = kThree; r >= kAce; --r)
        if (held[static_cast<std::size_t>(r)] > 0 && find(whole(r))) ranks.push_back(r);
    for (std::size_t i = 0; i < ranks.size() && i < 3; ++i) pick(whole(ranks[i]));
    if (has_wild && ranks.size() <= 2) {
        // Near the end: the wild cards together, alone or with the weakest rank.
        pick(wild);
        if (!ranks.empty()) {
            Shape with = wild;
            with[static_cast<std::size_t>(ranks[0])] = held[static_cast<std::size_t>(ranks[0])];
            pick(with);
        }
        if (ranks.empty())
            for (Rank r : {kTwo, kSmallJoker, kBigJoker})
                if (held[static_cast<std::size_t>(r)] > 0) pick(whole(r));
    }
    return out;
}

std::vector<std::vector<Card>> answer_choices(const Hand& hand, const Play& standing, const Rules& rules, int most) {
    if (standing.empty()) return {};
    struct Scored {
        int cost = 0;
        std::vector<Card> cards;
    };
    // The cheapest answer of each kind: by its natural rank, 0 for wild cards alone.
    std::array<Scored, kRanks + 1> best{};
    const auto held = hand.counts();
    for (Decision& d : legal_plays(hand, &standing, rules)) {
        int cost = 0, natural = 0;
        Rank r = 0;
        for (Card c : d.cards) {
            const Rank cr = rank_of(c);
            if (is_wild(cr)) {
                cost += wild_cost(cr);
            } else {
                r = cr;
                ++natural;
            }
        }
        if (natural > 0) {
            if (held[static_cast<std::size_t>(r)] > natural) cost += 2;  // a group broken
            cost += (kThree - r) / 4;                                    // strong ranks kept for later
        }
        Scored& b = best[static_cast<std::size_t>(r)];
        if (b.cards.empty() || cost < b.cost) b = {cost, std::move(d.cards)};
    }
    // On a tie the weaker natural rank first, wild cards alone last.
    std::vector<Scored*> found;
    for (Rank r = kThree; r >= kAce; --r)
        if (!best[static_cast<std::size_t>(r)].cards.empty()) found.push_back(&best[static_cast<std::size_t>(r)]);
    if (!best[0].cards.empty()) found.push_back(&best[0]);
    std::stable_sort(found.begin(), found.end(), [](const Scored* a, const Scored* b) { return a->cost < b->cost; });
    std::vector<std::vector<Card>> out;
    for (Scored* s : found) {
        if (static_cast<int>(out.size()) >= most) break;
        out.push_back(std::move(s->cards));
    }
    return out;
}

}  // namespace tav::game::strong
