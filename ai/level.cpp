#include "ai/level.h"

#include "ai/classic.h"
#include "ai/strong.h"
#include "ai/strong_thumb.h"

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

Decision computer_decide_for(const State& s, Seat seat) {
    if (!s.trick.standing) return Decision::play(computer_lead_for(s, seat));
    if (auto cards = computer_follow_for(s, seat)) return Decision::play(std::move(*cards));
    return Decision::pass();
}

}  // namespace tav::game
