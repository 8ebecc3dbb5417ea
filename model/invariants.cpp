#include "model/invariants.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tav::game {
namespace {

std::string seat_text(Seat s) { return std::string("seat ") + letter_of(s); }

// Says which card is not in exactly one place, or that a pile holds no card.
std::string where_cards_are(const State& s) {
    std::array<int, kCards + 1> seen{};
    auto count = [&](auto const& pile) {
        for (Card c : pile) {
            if (!valid_card(c)) return false;
            ++seen[c];
        }
        return true;
    };
    for (Seat seat : kAllSeats)
        if (!count(s.hands[seat]) || !count(s.plays[seat]))
            return std::string("a pile holds a card number outside 1..216");
    if (!count(s.cleared)) return std::string("the cleared pile holds a card number outside 1..216");
    for (int c = 1; c <= kCards; ++c)
        if (seen[static_cast<std::size_t>(c)] != 1)
            return "card " + std::to_string(c) + " (" + std::string(card_name(static_cast<Card>(c))) + ") lies in " +
                   std::to_string(seen[static_cast<std::size_t>(c)]) + " places";
    return std::string();
}

}  // namespace

std::string check_cards(const State& s) {
    // The quick look, run after every step of the simulator: a count for each
    // card number, compared with one for each of 1..216 and none for any other.
    static constexpr std::array<std::uint8_t, 256> kOnce = [] {
        std::array<std::uint8_t, 256> once{};
        for (int c = 1; c <= kCards; ++c) once[static_cast<std::size_t>(c)] = 1;
        return once;
    }();
    std::array<std::uint8_t, 256> seen{};
    int total = 0;
    auto count = [&](auto const& pile) {
        for (Card c : pile) ++seen[c];
        total += pile.size();
    };
    for (Seat seat : kAllSeats) {
        count(s.hands[seat]);
        count(s.plays[seat]);
    }
    count(s.cleared);
    if (total == 0 && s.phase == Phase::between_deals) return "";
    // With 216 cards in all no count can wrap round.
    if (total == kCards && std::memcmp(seen.data(), kOnce.data(), seen.size()) == 0) return "";
    return where_cards_are(s);
}

std::string check_plays(const State& s) {
    for (Seat seat : kAllSeats) {
        const Play& p = s.plays[seat];
        if (!is_one_rank({p.begin(), p.end()}))
            return std::string("seat ") + letter_of(seat) + "'s play holds more than one natural rank";
    }
    return "";
}

// A play laid answers another seat's play with as many cards, and stands.
std::string InvariantChecker::laid(Seat seat, int size) {
    if (standing_) {
        if (standing_->seat == seat) return seat_text(seat) + " followed its own play";
        if (standing_->size != size)
            return seat_text(seat) + " followed " + std::to_string(standing_->size) + " cards with " +
                   std::to_string(size);
    }
    standing_ = Laid{seat, size};
    return "";
}

std::string InvariantChecker::dealt_in_full() {
    if (dealt_checked_) return "";
    dealt_checked_ = true;
    for (Seat x : kAllSeats)
        if (dealt_[x] != 36) return seat_text(x) + " was dealt " + std::to_string(dealt_[x]) + " cards, not 36";
    return "";
}

std::string InvariantChecker::read(const State& s, const Event& e) {
    if (const auto* d = std::get_if<Dealt>(&e)) {
        if (in_deal_ && dealt_checked_) return seat_text(d->seat) + " was dealt a card before the last deal ended";
        if (!in_deal_) {
            in_deal_ = true;
            dealt_checked_ = false;
            checks_ = 0;
            dealt_ = {};
            place_ = {};
            out_ = {};
            score_at_start_ = s.scores;
            standing_.reset();
        }
        ++dealt_[d->seat];
    } else if (const auto* p = std::get_if<Played>(&e)) {
        if (!in_deal_) return seat_text(p->seat) + " played outside a deal";
        if (out_[p->seat]) return seat_text(p->seat) + " played after it was out";
        if (p->cards.empty()) return seat_text(p->seat) + " laid a play of no cards";
        return laid(p->seat, p->cards.size());
    } else if (const auto* c = std::get_if<PlayCleared>(&e)) {
        // The standing play leaves the table only when its trick ends.
        if (standing_ && standing_->seat == c->seat) standing_.reset();
    } else if (const auto* t = std::get_if<ThreeBought>(&e)) {
        // Cards never go back to a hand once play starts, so neither card
        // may still lie with the seat that gave it.
        if (t->buyer == t->seller) return seat_text(t->buyer) + " bought a three from itself";
        if (s.hands[t->buyer].contains(t->payment) || s.plays[t->buyer].contains(t->payment))
            return seat_text(t->buyer) + " bought a three and kept its payment";
        if (s.hands[t->seller].contains(t->three) || s.plays[t->seller].contains(t->three))
            return seat_text(t->seller) + " sold a three and kept it";
    } else if (const auto* pl = std::get_if<Placed>(&e)) {
        const std::string who = seat_text(pl->seat);
        if (pl->place < 1 || pl->place > kSeats) return who + " was given place " + std::to_string(pl->place);
        if (place_[pl->seat] != 0) return who + " was placed twice";
        for (Seat x : kAllSeats)
            if (place_[x] == pl->place) return "place " + std::to_string(pl->place) + " was given twice";
        place_[pl->seat] = pl->place;
        out_[pl->seat] = true;
    } else if (std::holds_alternative<DealOver>(e)) {
        if (std::string broken = dealt_in_full(); !broken.empty()) return broken;
        for (Seat x : kAllSeats)
            if (place_[x] == 0) return "the deal ended without a place for " + seat_text(x);
        int change = 0;
        for (Seat x : kAllSeats) change += s.scores[x] - score_at_start_[x];
        if (change != 0) return "the score changes of the deal sum to " + std::to_string(change);
        in_deal_ = false;
        standing_.reset();
    }
    return "";
}

// What the state must show, given what the events told.
std::string InvariantChecker::table(const State& s) const {
    if (s.phase != Phase::play) {
        for (Seat x : kAllSeats)
            if (!s.plays[x].empty()) return seat_text(x) + " has a play on the table before play starts";
        if (!s.cleared.empty()) return "cards were cleared before play starts";
        return "";
    }
    if (standing_) {
        if (s.trick.standing != standing_->seat)
            return seat_text(standing_->seat) + " played last but its play does not stand";
        if (s.plays[standing_->seat].size() != standing_->size)
            return seat_text(standing_->seat) + " laid " + std::to_string(standing_->size) +
                   " cards but its play holds " + std::to_string(s.plays[standing_->seat].size());
    }
    if (s.trick.standing && s.plays[*s.trick.standing].empty())
        return seat_text(*s.trick.standing) + "'s play stands with no cards";
    if (s.trick.turn && s.is_out(*s.trick.turn)) return seat_text(*s.trick.turn) + " is to act but is out";
    return "";
}

std::string InvariantChecker::after(const State& s, const Events& events, std::string_view action) {
    (void)action;
    if (list_ != &events.list || seen_ > events.list.size()) seen_ = 0;
    list_ = &events.list;
    for (; seen_ < events.list.size(); ++seen_)
        if (std::string broken = read(s, events.list[seen_]); !broken.empty()) {
            ++seen_;
            return broken;
        }
    if (in_deal_) {
        if (std::string broken = dealt_in_full(); !broken.empty()) return broken;
        if (++checks_ > kMaxActions)
            return "the deal is still running after " + std::to_string(kMaxActions) + " checks";
    }
    if (std::string broken = check_cards(s); !broken.empty()) return broken;
    if (std::string broken = check_plays(s); !broken.empty()) return broken;
    return table(s);
}

}  // namespace tav::game
