#include "ai/strong_world.h"

#include <algorithm>

#include "ai/level.h"
#include "ai/view.h"
#include "rules/engine.h"
#include "rules/gate.h"

namespace tav::game::strong {
namespace {

// A tribute card is worth this part of a point to the side it comes to:
// jokers and 2s are what win the next deal's tricks.
constexpr double kTributeCard = 0.3;

struct Hash {
    std::uint64_t h = 14695981039346656037ull;
    void add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    }
};

}  // namespace

Worlds::Worlds(const State& s, Seat seat) : known_(SeatView(s, seat).known_state()), seat_(seat) {
    const SeatView view(s, seat);
    std::array<bool, kCards + 1> seen{}, own{};
    for (Card c : known_.hands[seat]) seen[c] = own[c] = true;
    for (Seat x : kAllSeats)
        for (Card c : known_.plays[x]) seen[c] = true;
    for (Card c : known_.cleared) seen[c] = true;
    for (int c = 1; c <= kCards; ++c)
        if (!seen[static_cast<std::size_t>(c)]) unseen_.push_back(static_cast<Card>(c));

    Hash h;
    h.add(static_cast<std::uint64_t>(index_of(seat)));
    for (int c = 1; c <= kCards; ++c)  // the own hand as a set
        if (own[static_cast<std::size_t>(c)]) h.add(static_cast<std::uint64_t>(c));
    for (Seat x : kAllSeats) {
        h.add(0x100u + static_cast<std::uint64_t>(view.hand_size(x)));
        for (Card c : known_.plays[x]) h.add(c);
        h.add(known_.places[x]);
        h.add(static_cast<std::uint64_t>(known_.scores[x]));
    }
    for (Card c : known_.cleared) h.add(c);
    const Trick& t = known_.trick;
    h.add(t.standing ? 1u + array_index(*t.standing) : 0u);
    h.add(t.turn ? 1u + array_index(*t.turn) : 0u);
    h.add(static_cast<std::uint64_t>(t.challenge) * 2 + static_cast<std::uint64_t>(t.answer) * 4 +
          static_cast<std::uint64_t>(t.passes) * 16);
    seed_ = h.h;
    // The hidden hands keep their sizes.
    sizes_of_others_ = {};
    for (Seat x : kAllSeats)
        if (x != seat) sizes_of_others_[array_index(x)] = view.hand_size(x);
}

State Worlds::draw(Random& rng) const {
    State w = known_;
    std::vector<Card> pack = unseen_;
    for (std::size_t i = pack.size(); i > 1; --i)
        std::swap(pack[i - 1], pack[static_cast<std::size_t>(rng.below(static_cast<int>(i)))]);
    std::size_t next = 0;
    for (Seat x : kAllSeats) {
        if (x == seat_) continue;
        w.hands[x].clear();  // its face-down cards, dealt below
        for (int k = 0; k < sizes_of_others_[array_index(x)] && next < pack.size(); ++k) w.hands[x].push(pack[next++]);
        w.hands[x].sort_by_rank();
    }
    // Its own side plays on by the rules of thumb, the others as classic seats.
    for (Seat x : kAllSeats) w.rules.levels[array_index(x)] = same_side(x, seat_) ? Level::thumb : Level::classic;
    return w;
}

namespace {

bool at_turn(const State& s) {
    return s.phase == Phase::play && (s.ask == Ask::lead || s.ask == Ask::follow || s.ask == Ask::follow_or_hold);
}

}  // namespace

Verdict force_turn(State& world, const Decision& d, Events& ev) {
    // A state built by hand may not say yet what the seat at its turn is asked.
    const Ask asked = world.ask;
    if (asked == Ask::nothing && world.phase == Phase::play && world.trick.turn)
        world.ask = !world.trick.standing ? Ask::lead : world.trick.challenge ? Ask::follow_or_hold : Ask::follow;
    const std::optional<Seat> seat = current_seat(world);
    Decision forced = d;
    forced.by_computer = true;
    if (forced.move == Move::pass && world.ask == Ask::follow_or_hold) forced.move = Move::hold_back;
    Verdict v = seat && at_turn(world) ? apply(world, *seat, forced, ev) : Verdict{"no seat is at its turn"};
    if (!v) world.ask = asked;
    return v;
}

double play_out(State world, Seat side, const Decision& d, bool& ok) {
    const PerSeat<int> before = world.scores;
    Events ev;
    ev.keep = Keep::outcome;  // a rollout reads the state, never a line
    ok = force_turn(world, d, ev).ok();
    if (!ok) return 0;
    // Then every seat plays on at its level till the deal is over.
    for (int guard = 0; guard < kMaxDealSteps && at_turn(world); ++guard) {
        ev.clear();
        if (!computer_acts(world, *current_seat(world), ev)) break;
    }
    double value = 0;
    for (Seat x : kAllSeats)
        if (same_side(x, side)) value += world.scores[x] - before[x];
    for (int slot = 1; slot <= kLedgerSlots; ++slot) {
        const Debt& debt = world.ledger[static_cast<std::size_t>(slot)];
        if (!debt.payer || !debt.receiver) continue;
        if (same_side(*debt.receiver, side)) value += kTributeCard * debt.count;
        if (same_side(*debt.payer, side)) value -= kTributeCard * debt.count;
    }
    return value;
}

}  // namespace tav::game::strong
