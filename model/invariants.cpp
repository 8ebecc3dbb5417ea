#include "model/invariants.h"

#include <array>

#include "rules/play.h"

namespace tav::game {

std::string check_cards(const State& s) {
    std::array<int, kCards + 1> seen{};
    int total = 0;
    auto count = [&](auto const& pile) {
        for (Card c : pile) {
            if (!valid_card(c)) return false;
            ++seen[c];
            ++total;
        }
        return true;
    };
    for (Seat seat : kAllSeats)
        if (!count(s.hands[seat]) || !count(s.plays[seat])) return "a pile holds a card number outside 1..216";
    if (!count(s.cleared)) return "the cleared pile holds a card number outside 1..216";
    if (total == 0 && s.phase == Phase::between_deals) return "";
    for (int c = 1; c <= kCards; ++c)
        if (seen[static_cast<std::size_t>(c)] != 1)
            return "card " + std::to_string(c) + " (" + std::string(card_name(static_cast<Card>(c))) + ") lies in " +
                   std::to_string(seen[static_cast<std::size_t>(c)]) + " places";
    return "";
}

std::string check_plays(const State& s) {
    for (Seat seat : kAllSeats) {
        const Play& p = s.plays[seat];
        if (!is_one_rank({p.begin(), p.end()}))
            return std::string("seat ") + letter_of(seat) + "'s play holds more than one natural rank";
    }
    return "";
}

std::string InvariantChecker::follow_size(const State& s) {
    const std::optional<Seat> now = s.trick.standing;
    if (now && standing_ && *now != *standing_ && s.plays[*now].size() != standing_size_ && standing_size_ > 0 &&
        !s.plays[*standing_].empty())
        return std::string("seat ") + letter_of(*now) + " followed " + std::to_string(standing_size_) + " cards with " +
               std::to_string(s.plays[*now].size());
    standing_ = now;
    standing_size_ = now ? s.plays[*now].size() : 0;
    return "";
}

std::string InvariantChecker::after(const State& s, const Events& events, std::string_view action) {
    if (list_ != &events.list || seen_ > events.list.size()) seen_ = 0;
    list_ = &events.list;
    for (; seen_ < events.list.size(); ++seen_) {
        const Event& e = events.list[seen_];
        const std::string who = std::string("seat ") + letter_of(e.seat);
        switch (e.kind) {
            case EventKind::dealt:
                if (!in_deal_) {
                    in_deal_ = true;
                    dealt_ = {};
                    place_ = {};
                    out_ = {};
                    score_at_start_ = s.scores;
                    standing_.reset();
                    standing_size_ = 0;
                }
                ++dealt_[e.seat];
                break;
            case EventKind::played:
                if (out_[e.seat]) return who + " played after it was out";
                break;
            case EventKind::place:
                if (e.number < 1 || e.number > kSeats) return who + " was given place " + std::to_string(e.number);
                if (place_[e.seat] != 0) return who + " was placed twice";
                for (Seat x : kAllSeats)
                    if (place_[x] == e.number) return "place " + std::to_string(e.number) + " was given twice";
                place_[e.seat] = e.number;
                out_[e.seat] = true;
                break;
            case EventKind::deal_over: {
                for (Seat x : kAllSeats) {
                    if (place_[x] == 0) return std::string("the deal ended without a place for seat ") + letter_of(x);
                    if (dealt_[x] != 36) return std::string("seat ") + letter_of(x) + " was dealt " + std::to_string(dealt_[x]);
                }
                int change = 0;
                for (Seat x : kAllSeats) change += s.scores[x] - score_at_start_[x];
                if (change != 0) return "the score changes of the deal sum to " + std::to_string(change);
                in_deal_ = false;
                break;
            }
            default: break;
        }
    }
    for (const std::string& broken : {check_cards(s), check_plays(s)})
        if (!broken.empty()) return broken;
    if (s.deal_running()) {
        if (std::string broken = follow_size(s); !broken.empty()) return broken;
        if (s.trick.turn && s.is_out(*s.trick.turn) && s.ask != Ask::nothing)
            return std::string("seat ") + letter_of(*s.trick.turn) + " is asked to act but is out";
    }
    (void)action;
    return "";
}

}  // namespace tav::game
