#include "session/hint.h"

#include <algorithm>

#include "host/driver.h"
#include "rules/engine.h"
#include "rules/gate.h"
#include "rules/play.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Hand;
using game::Rank;
using game::rank_of;

bool is_turn(Ask a) { return a == Ask::lead || a == Ask::follow || a == Ask::follow_or_hold; }

// One card of each natural rank, aces first: stand-ins for hidden cards.
Card stand_in(Rank r) { return static_cast<Card>((r - game::kTwo) * 4 + 3); }

// The ranks of a play, strongest first.
std::vector<Rank> ranks_of(const std::vector<Card>& cards) {
    std::vector<Rank> r;
    r.reserve(cards.size());
    for (Card c : cards) r.push_back(rank_of(c));
    std::sort(r.begin(), r.end());
    return r;
}

// `a` is weaker than `b`: at the first place they differ, a's card is weaker.
bool weaker(const std::vector<Card>& a, const std::vector<Card>& b) {
    const std::vector<Rank> ra = ranks_of(a), rb = ranks_of(b);
    return std::lexicographical_compare(ra.begin(), ra.end(), rb.begin(), rb.end(), std::greater<>());
}

// `count` cards of rank `r` from the hand, the ones laid out last first.
void take(const Hand& hand, Rank r, int count, std::vector<Card>& out) {
    for (int i = hand.size() - 1; i >= 0 && count > 0; --i)
        if (rank_of(hand[i]) == r) {
            out.push_back(hand[i]);
            --count;
        }
}

std::vector<std::vector<Card>> leads(const game::State& s) {
    const Hand& hand = s.hands[game::Seat::A];
    const auto held = hand.counts();
    const bool threes_wait = game::threes_kept_back(s.rules, hand);
    std::vector<std::vector<Card>> out;
    for (Rank r = game::kThree; r >= game::kBigJoker; --r) {
        const int n = held[static_cast<std::size_t>(r)];
        if (n == 0 || (r == game::kThree && threes_wait)) continue;
        std::vector<Card> cards;
        take(hand, r, n, cards);
        out.push_back(std::move(cards));
    }
    return out;
}

std::vector<std::vector<Card>> follows(const game::State& s) {
    const Hand& hand = s.hands[game::Seat::A];
    const game::Play& standing = s.plays[*s.trick.standing];
    const int k = standing.size();
    const auto held = hand.counts();
    auto have = [&held](Rank r) { return static_cast<int>(held[static_cast<std::size_t>(r)]); };
    std::vector<std::vector<Card>> out;
    // A natural rank (0 for none) with n of its cards, topped up with wild cards.
    for (Rank r = 0; r <= game::kThree; r = r == 0 ? game::kAce : r + 1) {
        const int most = r == 0 ? 0 : std::min(k, have(r));
        for (int n = r == 0 ? 0 : 1; n <= most; ++n)
            for (int big = 0; big <= std::min(k - n, have(game::kBigJoker)); ++big)
                for (int small = 0; small <= std::min(k - n - big, have(game::kSmallJoker)); ++small) {
                    const int twos = k - n - big - small;
                    if (twos > have(game::kTwo)) continue;
                    std::vector<Card> cards;
                    take(hand, game::kBigJoker, big, cards);
                    take(hand, game::kSmallJoker, small, cards);
                    take(hand, game::kTwo, twos, cards);
                    if (r != 0) take(hand, r, n, cards);
                    if (game::can_play(cards, &standing)) out.push_back(std::move(cards));
                }
    }
    return out;
}

}  // namespace

game::State seen_by_human(const game::State& s) {
    game::State seen = s;
    for (game::Seat seat : game::kAllSeats) {
        if (seat == game::Seat::A) continue;
        Hand hidden;
        for (int i = 0; i < s.hands[seat].size(); ++i)
            hidden.push(stand_in(game::kAce + i % (game::kThree - game::kAce + 1)));
        seen.hands[seat] = hidden;
    }
    return seen;
}

std::vector<std::vector<Card>> candidate_plays(const game::State& s) {
    if (!is_turn(s.ask)) return {};
    std::vector<std::vector<Card>> out = s.trick.standing && s.ask != Ask::lead ? follows(s) : leads(s);
    std::stable_sort(out.begin(), out.end(), weaker);
    return out;
}

std::vector<game::Decision> hint_offers(const game::State& s) {
    std::optional<game::Decision> choice = host::computer_choice(seen_by_human(s));
    if (!choice || choice->move == game::Move::take_tribute) return {};
    choice->by_computer = false;  // offered to the human, who decides by taking it
    std::vector<game::Decision> offers{*choice};
    if (!is_turn(s.ask)) return offers;
    for (std::vector<Card>& cards : candidate_plays(s)) {
        const std::vector<Rank> ranks = ranks_of(cards);
        const bool offered = std::any_of(offers.begin(), offers.end(), [&ranks](const game::Decision& d) {
            return d.move == game::Move::play && ranks_of(d.cards) == ranks;
        });
        if (!offered) offers.push_back(game::Decision::play(std::move(cards)));
    }
    return offers;
}

}  // namespace tav
