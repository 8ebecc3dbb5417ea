#include "table/invariants.h"

#include <array>
#include <string>
#include <utility>

#include "table/w_main.h"

namespace tav {
namespace {

struct NamedPile {
    const CardList* pile;
    const char* name;
};

// The piles a card can be in during a deal, in a fixed order.
std::array<NamedPile, 14> card_piles(const w_main& w) {
    return {{{&w.dw_sendout, "dw_sendout"},
             {&w.dw_a, "dw_a"}, {&w.dw_b, "dw_b"}, {&w.dw_c, "dw_c"},
             {&w.dw_d, "dw_d"}, {&w.dw_e, "dw_e"}, {&w.dw_f, "dw_f"},
             {&w.dw_1, "dw_1"}, {&w.dw_2, "dw_2"}, {&w.dw_3, "dw_3"},
             {&w.dw_4, "dw_4"}, {&w.dw_5, "dw_5"}, {&w.dw_6, "dw_6"},
             {&w.dw_ok, "dw_ok"}}};
}

const CardList& hand_of(const w_main& w, int seat) {
    const std::array<const CardList*, 7> hands{nullptr, &w.dw_a, &w.dw_b, &w.dw_c, &w.dw_d, &w.dw_e, &w.dw_f};
    return *hands[static_cast<std::size_t>(seat)];
}

const CardList& play_of(const w_main& w, int seat) {
    const std::array<const CardList*, 7> plays{nullptr, &w.dw_1, &w.dw_2, &w.dw_3, &w.dw_4, &w.dw_5, &w.dw_6};
    return *plays[static_cast<std::size_t>(seat)];
}

const std::string& mark_of(const w_main& w, int seat) {
    const std::array<const std::string*, 7> marks{nullptr, &w.is_a, &w.is_b, &w.is_c, &w.is_d, &w.is_e, &w.is_f};
    return *marks[static_cast<std::size_t>(seat)];
}

int size_of(const CardList& pile) { return pile.row_count() + static_cast<int>(pile.filtered_rows().size()); }

template <typename F>
void each_row(const CardList& pile, F&& f) {
    for (const CardRow& r : pile.rows()) f(r);
    for (const CardRow& r : pile.filtered_rows()) f(r);
}

std::string seat_text(int seat) { return "seat " + seat_letter(seat); }

}  // namespace

std::string check_cards(const w_main& w) {
    std::array<const char*, kCardCount + 1> where{};
    for (const NamedPile& p : card_piles(w)) {
        std::string broken;
        each_row(*p.pile, [&](const CardRow& r) {
            if (!broken.empty()) return;
            if (r.num < 1 || r.num > kCardCount) {
                broken = std::string(p.name) + " holds a row without a card";
                return;
            }
            const char*& seen = where[static_cast<std::size_t>(r.num)];
            if (seen) broken = card_id(r.num) + " is in " + seen + " and in " + p.name;
            seen = p.name;
        });
        if (!broken.empty()) return broken;
    }
    for (int n = 1; n <= kCardCount; ++n)
        if (!where[static_cast<std::size_t>(n)]) return card_id(n) + " is in no pile";

    std::array<bool, kCardCount + 1> picked{};
    std::string broken;
    each_row(w.dw_out, [&](const CardRow& r) {
        if (!broken.empty()) return;
        if (r.num < 1 || r.num > kCardCount) {
            broken = "dw_out holds a row without a card";
        } else if (picked[static_cast<std::size_t>(r.num)]) {
            broken = "dw_out holds " + card_id(r.num) + " twice";
        } else if (!w.dw_a.contains(r.num)) {
            broken = "dw_out holds " + card_id(r.num) + ", which is not in dw_a";
        }
        if (r.num >= 1 && r.num <= kCardCount) picked[static_cast<std::size_t>(r.num)] = true;
    });
    return broken;
}

std::string check_plays(const w_main& w) {
    for (int seat = 1; seat <= 6; ++seat) {
        int natural = 0;
        std::string broken;
        each_row(play_of(w, seat), [&](const CardRow& r) {
            const int s = r.sort();
            if (s <= 3 || !broken.empty()) return;  // jokers and 2s go with any rank
            if (natural == 0) natural = s;
            else if (s != natural)
                broken = seat_text(seat) + "'s play mixes " + std::string(code_of_sort(natural)) + " and " +
                         std::string(r.code());
        });
        if (!broken.empty()) return broken;
    }
    return "";
}

std::string check_dealt(const w_main& w) {
    if (size_of(w.dw_sendout) != 0) return "dw_sendout still holds " + std::to_string(size_of(w.dw_sendout)) + " cards";
    for (int seat = 1; seat <= 6; ++seat) {
        const int n = size_of(hand_of(w, seat));
        if (n != 36) return seat_text(seat) + " was dealt " + std::to_string(n) + " cards, not 36";
        if (size_of(play_of(w, seat)) != 0) return seat_text(seat) + " has a play on the table before play starts";
    }
    if (size_of(w.dw_ok) != 0) return "dw_ok holds cards before play starts";
    return "";
}

std::string check_places(const w_main& w) {
    std::array<int, 7> given{};  // seat of each place
    for (int seat = 1; seat <= 6; ++seat) {
        const std::string& mark = mark_of(w, seat);
        const int place = mark.size() == 1 && mark[0] >= '1' && mark[0] <= '6' ? mark[0] - '0' : 0;
        if (place == 0) return seat_text(seat) + " has no place (\"" + mark + "\")";
        int& holder = given[static_cast<std::size_t>(place)];
        if (holder != 0) return "place " + mark + " was given to " + seat_text(holder) + " and to " + seat_text(seat);
        holder = seat;
    }
    return "";
}

std::string InvariantChecker::after(std::string_view action, std::string_view seat) {
    const bool dealt = action == "deal";
    if (dealt) {
        in_deal_ = true;
        actions_ = 0;
        grade_at_deal_ = w_.ii_grade;
        out_.fill(false);
        standing_seat_ = 0;
        standing_size_ = 0;
    } else if (!in_deal_) {
        return std::string(action) + " outside a deal";
    }
    if (++actions_ > kMaxActions) return "the deal is still running after " + std::to_string(kMaxActions) + " actions";

    std::string broken = check_cards(w_);
    if (broken.empty()) broken = check_plays(w_);
    if (!broken.empty()) return broken;

    if (dealt) {
        broken = check_dealt(w_);
    } else if (action == "tribute" || action == "return" || action == "buy3") {
        int total = 0;
        for (int s = 1; s <= 6; ++s) {
            total += size_of(hand_of(w_, s));
            if (size_of(play_of(w_, s)) != 0) return seat_text(s) + " has a play on the table before play starts";
            if (action == "buy3" && size_of(hand_of(w_, s)) != hand_size_[static_cast<std::size_t>(s)])
                return "buying a three changed the size of " + seat_text(s) + "'s hand";
        }
        if (total != kCardCount) return "the hands hold " + std::to_string(total) + " cards, not 216";
    } else if (action == "deal end") {
        broken = check_places(w_);
        int change = 0;
        for (std::size_t s = 1; s <= 6; ++s) change += w_.ii_grade[s] - grade_at_deal_[s];
        if (broken.empty() && change != 0) broken = "the score changes of the deal sum to " + std::to_string(change);
        in_deal_ = false;
    } else {
        broken = turn(action, seat_index(seat));
    }
    remember();
    return broken;
}

std::string InvariantChecker::turn(std::string_view action, int actor) {
    const std::string what(action);
    if (actor == 0) return what + " by no seat";
    if (out_[static_cast<std::size_t>(actor)]) return seat_text(actor) + " is out but was asked to act (" + what + ")";
    if (action == "lead" || action == "follow") {
        const int played = size_of(play_of(w_, actor));
        if (played == 0) return seat_text(actor) + " played no card (" + what + ")";
        if (seat_index(w_.is_prior) != actor)
            return seat_text(actor) + " played but is_prior is \"" + w_.is_prior + "\"";
        if (action == "follow") {
            if (standing_seat_ == 0 || standing_seat_ == actor)
                return seat_text(actor) + " followed with no standing play of another seat";
            if (played != standing_size_)
                return seat_text(actor) + " followed " + std::to_string(standing_size_) + " cards with " +
                       std::to_string(played);
        }
        standing_seat_ = actor;
        standing_size_ = played;
    } else if (action != "pass" && action != "hold") {
        return "unknown action " + what;
    }
    return "";
}

void InvariantChecker::remember() {
    for (int s = 1; s <= 6; ++s) {
        hand_size_[static_cast<std::size_t>(s)] = size_of(hand_of(w_, s));
        out_[static_cast<std::size_t>(s)] = !mark_of(w_, s).empty();
    }
}

}  // namespace tav
