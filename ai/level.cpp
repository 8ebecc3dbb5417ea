#include "ai/level.h"

#include "ai/classic.h"
#include "ai/strong.h"
#include "ai/strong_thumb.h"
#include "rules/engine.h"
#include "rules/gate.h"

namespace tav::game {

std::vector<Card> computer_lead_for(const State& s, Seat seat) {
    const Level level = s.rules.levels[array_index(seat)];
    if (level == Level::strong) return strong::lead(s, seat);
    if (level == Level::thumb) return strong::rules_of_thumb(s, seat).cards;
    return classic::lead(SeatView(s, seat));
}

std::optional<std::vector<Card>> computer_follow_for(const State& s, Seat seat) {
    const Level level = s.rules.levels[array_index(seat)];
    if (level == Level::strong) return strong::follow(s, seat);
    if (level == Level::thumb) {
        Decision d = strong::rules_of_thumb(s, seat);
        if (d.move != Move::play || d.cards.empty()) return std::nullopt;
        return std::move(d.cards);
    }
    return classic::follow(SeatView(s, seat));
}

Decision computer_decision(const State& s, Seat seat) {
    switch (s.ask) {
        case Ask::return_tribute: {
            const int owed = s.settling >= 1 && s.settling <= kLedgerSlots
                                 ? s.ledger[static_cast<std::size_t>(s.settling)].count
                                 : 0;
            return {Move::return_tribute, classic::choose_return(s.hands[seat], owed), true};
        }
        case Ask::take_partner_tribute: return {Move::take_tribute, {}, true};
        default: break;
    }
    if (!s.trick.standing) return {Move::play, computer_lead_for(s, seat), true};
    if (auto cards = computer_follow_for(s, seat)) return {Move::play, std::move(*cards), true};
    return {s.trick.challenge ? Move::hold_back : Move::pass, {}, true};
}

namespace {

// The computer's choice, then what it falls back on when the gate refuses
// it, in turn; none where a step has nothing to offer.
std::optional<Decision> fallback(const State& s, Seat seat, int step) {
    switch (step) {
        case 0: return computer_decision(s, seat);
        case 1:
            if (s.ask == Ask::lead) return Decision{Move::play, classic::weakest_rank(SeatView(s, seat)), true};
            if (s.ask == Ask::follow || s.ask == Ask::follow_or_hold)
                return Decision{s.ask == Ask::follow_or_hold ? Move::hold_back : Move::pass, {}, true};
            return std::nullopt;
        case 2: {
            std::vector<Decision> allowed = legal_decisions(s);
            if (allowed.empty()) return std::nullopt;
            allowed.front().by_computer = true;
            return allowed.front();
        }
        default: return std::nullopt;
    }
}

}  // namespace

bool computer_acts(State& s, Seat seat, Events& ev) {
    for (int step = 0; step < 3; ++step)
        if (std::optional<Decision> d = fallback(s, seat, step); d && apply(s, seat, *d, ev)) return true;
    return false;
}

std::optional<Decision> computer_allowed_decision(const State& s, Seat seat) {
    for (int step = 0; step < 3; ++step)
        if (std::optional<Decision> d = fallback(s, seat, step); d && check(s, seat, *d)) return d;
    return std::nullopt;
}

}  // namespace tav::game
