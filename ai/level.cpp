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

bool computer_acts(State& s, Seat seat, Events& ev) {
    if (apply(s, seat, computer_decision(s, seat), ev)) return true;
    if (s.ask == Ask::lead) {
        if (apply(s, seat, {Move::play, classic::weakest_rank(SeatView(s, seat)), true}, ev)) return true;
    } else if (s.ask == Ask::follow || s.ask == Ask::follow_or_hold) {
        if (apply(s, seat, {s.ask == Ask::follow_or_hold ? Move::hold_back : Move::pass, {}, true}, ev)) return true;
    }
    std::vector<Decision> allowed = legal_decisions(s);
    if (allowed.empty()) return false;
    allowed.front().by_computer = true;
    return apply(s, seat, allowed.front(), ev).ok();
}

}  // namespace tav::game
