// The classic level's lead and follow. It builds its plays from counts of
// ranks, never from the legality test; the engine checks them all the same.
#include "ai/classic.h"

#include "ai/classic_parts.h"
#include "rules/gate.h"

namespace tav::game::classic {

std::vector<Card> lead(const SeatView& v) {
    if (auto cards = rush(v)) return std::move(*cards);
    return weakest_rank(v);
}

std::vector<Card> weakest_rank(const SeatView& v) {
    const Hand& hand = v.hand();
    if (hand.empty()) return {};
    // Hands are sorted strongest first: the last card is of the weakest rank.
    // Under the rule on threes the threes are kept back while other cards remain.
    Rank rank = rank_of(hand[hand.size() - 1]);
    if (threes_kept_back(v.rules(), hand))
        for (int i = hand.size() - 1; i >= 0; --i)
            if (rank_of(hand[i]) != kThree) {
                rank = rank_of(hand[i]);
                break;
            }
    std::vector<Card> cards;
    cards.reserve(static_cast<std::size_t>(hand.size()));  // one allocation, not one per growth
    for (int i = hand.size() - 1; i >= 0; --i)
        if (rank_of(hand[i]) == rank) cards.push_back(hand[i]);
    return cards;
}

std::optional<std::vector<Card>> follow(const SeatView& v) {
    const Trick& trick = v.trick();
    if (!trick.standing) return std::nullopt;
    const Seat standing = *trick.standing;

    // A partner's play is left alone when it is a challenge (the partner
    // still in play), a big play, or the partner's last rank.
    if (same_side(standing, v.seat())) {
        if (trick.challenge && !v.is_out(standing)) return std::nullopt;
        if (v.play_of(standing).size() > 4) return std::nullopt;
        if (v.peek_standing_natural_rank_count() == 1) return std::nullopt;
    }

    const Play& prior = v.play_of(standing);
    if (prior.empty()) return std::nullopt;
    const Makeup m = makeup_of(prior);
    const Rank rank = m.last_natural;  // the standing play's natural rank
    const int size = prior.size();
    if (m.big > 0) return std::nullopt;  // nothing answers a big joker
    // The hand's counts: good for every rank until a card leaves the copy
    // below, and for the big jokers to the end (no answer below takes one
    // before the last).
    const auto held = v.hand().counts();
    if (m.small > 0 && held[kBigJoker] < m.small) return std::nullopt;
    Hand hand = v.hand();  // the cards chosen leave this copy

    std::vector<Card> cards;
    auto lay = [&](std::vector<Card>&& more) {
        if (cards.empty())
            cards = std::move(more);
        else
            cards.insert(cards.end(), more.begin(), more.end());
    };
    bool single_two = false;
    if (m.naturals > 0) {
        if (m.naturals == 1 && size == 1) {
            // A lone card is answered with a 2 before any natural card.
            if (auto two = take(hand, held, {{kTwo, 1}})) {
                lay(std::move(*two));
                single_two = true;
            }
        }
        if (!single_two) {
            // The 2s of a mixed play are answered with natural cards; its
            // small jokers with big jokers below.
            const int need = m.naturals < size ? m.naturals + m.twos : m.naturals;
            const Rank limit = rank < kJack ? kTwo : kAce;  // kings and above may be met with 2s
            Rank found = 0;
            for (Rank r = rank - 1; r >= limit; --r)
                if (held[static_cast<std::size_t>(r)] == need) {
                    found = r;
                    break;
                }
            if (found > 0) {
                cards.reserve(static_cast<std::size_t>(size));
                for (int i = hand.size() - 1; i >= 0; --i)
                    if (rank_of(hand[i]) == found) {
                        cards.push_back(hand[i]);
                        hand.erase_at(i);
                    }
            } else {
                auto broken = split(v, hand, held, rank - 1, need);
                if (!broken) return std::nullopt;
                lay(std::move(*broken));
            }
        }
    } else if (m.twos > 0) {
        const int jokers = held[kSmallJoker];
        if (jokers < m.twos) return std::nullopt;
        if (m.twos >= 3 && jokers - m.twos <= 2) return std::nullopt;  // the small jokers are kept
        lay(*take(hand, held, {{kSmallJoker, m.twos}}));
    }
    if (!single_two && m.small > 0) lay(*take(hand, held, {{kBigJoker, m.small}}));
    return cards;
}

Decision decide(const SeatView& v) {
    if (!v.trick().standing) return Decision::play(lead(v));
    if (auto cards = follow(v)) return Decision::play(std::move(*cards));
    return Decision::pass();
}

}  // namespace tav::game::classic
