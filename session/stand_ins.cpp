#include "session/stand_ins.h"

#include <algorithm>

namespace tav {
namespace {

using game::Card;
using game::Seat;

bool holds(const std::vector<Card>& v, Card c) { return std::find(v.begin(), v.end(), c) != v.end(); }

void drop(std::vector<Card>& v, Card c) {
    if (const auto it = std::find(v.begin(), v.end(), c); it != v.end()) v.erase(it);
}

template <class P>
std::vector<Card> cards_of(const P& pile) {
    std::vector<Card> out;
    for (Card c : pile)
        if (c != 0) out.push_back(c);
    return out;
}

}  // namespace

void StandIns::reset() {
    for (auto& hand : down_.v) hand.clear();
    used_.reset();
    loose_.clear();
}

Card StandIns::fresh(const std::bitset<game::kCards + 1>& avoid) {
    for (int n = 1; n <= game::kCards; ++n)
        if (!used_[static_cast<std::size_t>(n)] && !avoid[static_cast<std::size_t>(n)]) {
            used_.set(static_cast<std::size_t>(n));
            return static_cast<Card>(n);
        }
    return 0;  // every number in use: the count of cards was wrong somewhere
}

void StandIns::reveal(Seat seat, Card c, const std::vector<Card>& avoid, std::vector<game::Event>& out) {
    used_.set(c);
    if (seat == Seat::A) return;
    std::vector<Card>& own = down_[seat];
    if (holds(own, c)) {
        drop(own, c);
        return;
    }
    // One of this hand's pictures that is not itself laid face up now.
    const auto mine = std::find_if(own.begin(), own.end(), [&](Card x) { return !holds(avoid, x); });
    if (mine == own.end()) return;
    const Card given = *mine;
    own.erase(mine);
    for (Seat other : game::kAllSeats) {
        std::vector<Card>& hand = down_[other];
        const auto it = std::find(hand.begin(), hand.end(), c);
        if (other == seat || it == hand.end()) continue;
        *it = given;
        game::Hand laid;
        for (Card x : hand) laid.push(x);
        out.emplace_back(game::LaidOut{other, laid});
        return;
    }
    // `c` stood nowhere (a table joined late): the picture given up stays
    // free for another face-down card.
    used_.reset(given);
}

std::vector<game::Event> StandIns::shown(const std::vector<game::Event>& events) {
    // The player's own cards dealt in the step are never made stand-ins in
    // it; a card laid face up later (a three bought by the player too) is
    // traded for, as any other.
    std::bitset<game::kCards + 1> named;
    for (const game::Event& e : events)
        if (const auto* d = std::get_if<game::Dealt>(&e); d && d->seat == Seat::A && d->card != 0) named.set(d->card);

    std::vector<game::Event> out;
    out.reserve(events.size());
    for (const game::Event& e : events) {
        if (std::holds_alternative<game::Shuffling>(e) || std::holds_alternative<game::TableReset>(e)) reset();
        if (const auto* d = std::get_if<game::Dealt>(&e); d && d->card == 0 && d->seat != Seat::A) {
            game::Dealt shown_card = *d;
            shown_card.card = fresh(named);
            down_[d->seat].push_back(shown_card.card);
            out.emplace_back(shown_card);
            continue;
        }
        if (const auto* d = std::get_if<game::Dealt>(&e)) used_.set(d->card);
        if (const auto* p = std::get_if<game::Played>(&e)) {
            const std::vector<Card> laid = cards_of(p->cards);
            for (Card c : laid) reveal(p->seat, c, laid, out);
        }
        if (const auto* t = std::get_if<game::TributeHanded>(&e)) {
            const std::vector<Card> handed = cards_of(t->cards);
            for (Card c : handed) {
                reveal(t->giver, c, handed, out);
                loose_.push_back(c);
            }
        }
        if (const auto* b = std::get_if<game::ThreeBought>(&e)) {
            reveal(b->buyer, b->payment, {b->payment, b->three}, out);
            reveal(b->seller, b->three, {b->payment, b->three}, out);
            if (b->buyer != Seat::A) down_[b->buyer].push_back(b->three);
            if (b->seller != Seat::A) down_[b->seller].push_back(b->payment);
        }
        if (const auto* l = std::get_if<game::LaidOut>(&e); l && l->seat != Seat::A) {
            // Cards handed to the seat come into its hand face down; more
            // face-down cards than pictures take the cards handed last.
            std::vector<Card>& hand = down_[l->seat];
            const int hidden = static_cast<int>(std::count(l->cards.begin(), l->cards.end(), Card{0}));
            const std::vector<Card> named_here = cards_of(l->cards);
            for (Card c : named_here) drop(loose_, c);
            while (static_cast<int>(hand.size()) < hidden) {
                Card c = 0;
                if (!loose_.empty()) {
                    c = loose_.back();
                    loose_.pop_back();
                } else {
                    c = fresh(named);
                }
                if (c == 0) break;
                hand.push_back(c);
            }
            game::LaidOut shown_hand{l->seat, {}};
            std::size_t next = 0;
            for (Card c : l->cards) shown_hand.cards.push(c != 0 ? c : next < hand.size() ? hand[next++] : Card{0});
            out.emplace_back(shown_hand);
            continue;
        }
        if (const auto* l = std::get_if<game::LaidOut>(&e))
            for (Card c : l->cards) drop(loose_, c);  // the player's own: named
        out.push_back(e);
    }
    return out;
}

game::State StandIns::shown(game::State known) {
    // A tribute handed waits in sight at its handing spot until its
    // receiver takes it; meanwhile it is the receiver's face-down card (one
    // handed to the player is named in its hand instead). Which receiver
    // the events do not say: the hands short of pictures take them, and a
    // hand with pictures to spare gives them up.
    game::PerSeat<std::size_t> hidden{};
    std::vector<Card> spare;
    for (Seat s : game::kAllSeats) {
        if (s == Seat::A) continue;
        hidden[s] = static_cast<std::size_t>(std::count(known.hands[s].begin(), known.hands[s].end(), Card{0}));
        while (down_[s].size() > hidden[s]) {
            spare.push_back(down_[s].back());
            down_[s].pop_back();
        }
    }
    for (Card c : loose_)
        if (!known.hands[Seat::A].contains(c)) spare.push_back(c);
    std::erase_if(loose_, [&](Card c) { return !known.hands[Seat::A].contains(c); });
    for (Seat s : game::kAllSeats) {
        if (s == Seat::A) continue;
        while (down_[s].size() < hidden[s] && !spare.empty()) {
            down_[s].push_back(spare.front());
            spare.erase(spare.begin());
        }
    }
    // What no hand takes waits in sight still.
    loose_.insert(loose_.end(), spare.begin(), spare.end());
    for (Seat s : game::kAllSeats) {
        if (s == Seat::A) continue;
        game::Hand hand;
        std::size_t next = 0;
        for (Card c : known.hands[s]) {
            if (c == 0) c = next < down_[s].size() ? down_[s][next++] : Card{0};
            if (c != 0) hand.push(c);
        }
        known.hands[s] = hand;
    }
    return known;
}

}  // namespace tav
