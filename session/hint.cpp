#include "session/hint.h"

#include <algorithm>
#include <span>

#include "host/driver.h"
#include "model/observation.h"
#include "rules/gate.h"

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

// The legal play as the hint offers it: the cards of each rank are the ones
// laid out last (the copies a player reaches for), wild cards first.
std::vector<Card> as_offered(const Hand& hand, const std::vector<Card>& play) {
    const game::RankCounts n{std::span<const Card>(play)};  // the engine's counts, not the card counter's
    std::vector<Card> cards;
    cards.reserve(play.size());
    for (Rank r = game::kBigJoker; r <= game::kThree; ++r) take(hand, r, n[static_cast<std::size_t>(r)], cards);
    return cards;
}

}  // namespace

game::State seen_by_human(const game::State& s) {
    const game::Seat human = game::current_seat(s).value_or(game::Seat::A);
    game::State seen = game::known_to(s, human);
    for (game::Seat seat : game::kAllSeats) {
        if (seat == human) continue;
        // Its face-down cards, each given a stand-in.
        Hand hidden;
        for (int i = 0; i < seen.hands[seat].size(); ++i)
            hidden.push(stand_in(game::kAce + i % (game::kThree - game::kAce + 1)));
        seen.hands[seat] = hidden;
    }
    return seen;
}

std::vector<std::vector<Card>> candidate_plays(const game::State& s) {
    const std::optional<game::Seat> seat = game::current_seat(s);
    if (!is_turn(s.ask) || !seat) return {};
    const Hand& hand = s.hands[*seat];
    const auto held = hand.counts();
    const bool lead = s.ask == Ask::lead;
    std::vector<std::vector<Card>> out;
    for (const game::Decision& d : game::legal_decisions(s)) {
        if (d.move != game::Move::play) continue;
        // A lead is offered as one rank laid whole; a follow in every make-up.
        const Rank r = rank_of(d.cards[0]);
        const bool whole = std::all_of(d.cards.begin(), d.cards.end(), [r](Card c) { return rank_of(c) == r; }) &&
                           static_cast<int>(d.cards.size()) == held[static_cast<std::size_t>(r)];
        if (!lead || whole) out.push_back(as_offered(hand, d.cards));
    }
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
