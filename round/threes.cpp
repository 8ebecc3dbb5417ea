// Buying threes: under the rule on threes, every seat dealt no three buys one
// from a seat dealt two or more, paying with its strongest card that is not a
// joker. Sellers are tried in the buyer's order: opposite, next, previous,
// two after, two before.
#include <array>

#include "rules/flow.h"

namespace tav::game {
namespace {

constexpr std::array<std::array<Seat, 5>, kSeats> kSellers{{
    {Seat::D, Seat::B, Seat::F, Seat::C, Seat::E},
    {Seat::E, Seat::C, Seat::A, Seat::D, Seat::F},
    {Seat::F, Seat::D, Seat::B, Seat::E, Seat::A},
    {Seat::A, Seat::E, Seat::C, Seat::F, Seat::B},
    {Seat::B, Seat::F, Seat::D, Seat::A, Seat::C},
    {Seat::C, Seat::A, Seat::E, Seat::B, Seat::D},
}};

}  // namespace

std::optional<Card> payment_for_three(const Hand& hand) {
    std::optional<Card> best;
    for (Card c : hand)
        if (rank_of(c) > kSmallJoker && (!best || rank_of(c) < rank_of(*best))) best = c;
    return best;
}

void DealSteps::buy_threes() {
    // Who may buy and sell is settled by the threes dealt, before any purchase.
    PerSeat<int> threes;
    for (Seat seat : kAllSeats) threes[seat] = s.hands[seat].count(kThree);
    bool human_traded = false;
    for (Seat buyer : kAllSeats) {
        if (threes[buyer] != 0) continue;
        for (Seat seller : kSellers[array_index(buyer)]) {
            if (threes[seller] < 2) continue;
            // A seller that has sold out to an earlier buyer cannot sell
            // again: the buyer tries the next seller.
            Hand& from = s.hands[seller];
            const int three_at = from.find_rank(kThree);
            if (three_at < 0) continue;
            const std::optional<Card> payment = payment_for_three(s.hands[buyer]);
            if (!payment) continue;
            const Card three = from[three_at];
            s.hands[buyer].remove(*payment);
            from.remove(three);
            s.hands[buyer].push(three);
            from.push(*payment);
            s.traded.reset(three);
            s.traded.reset(*payment);
            ev.add(ThreeBought{buyer, seller, *payment, three});
            human_traded = human_traded || buyer == Seat::A || seller == Seat::A;
            break;
        }
    }
    // The human's hand is laid out again so the three it bought, or the card
    // it was paid, can be picked like any other card of its hand.
    if (human_traded) lay_out(Seat::A);
}

}  // namespace tav::game
