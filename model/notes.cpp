#include "model/notes.h"

#include <array>
#include <optional>
#include <string_view>
#include <type_traits>

namespace tav::game::notes {

std::string_view tribute_word(DebtKind kind, bool giving_back) {
    switch (kind) {
        case DebtKind::smother: return giving_back ? "还扪贡" : "进扪贡";
        case DebtKind::point: return giving_back ? "还点贡" : "进点贡";
        case DebtKind::place: break;
    }
    return giving_back ? "还落贡" : "进落贡";
}

namespace {

std::string card_word(Rank r) {
    if (r == kBigJoker) return "大户";
    if (r == kSmallJoker) return "小户";
    if (r == kTwo) return "钱";
    return "个" + std::string(rank_code(r));
}

}  // namespace

std::string leads_first(Seat s) { return std::string(name_of(s)) + "先发牌"; }

std::string play(Seat s, const Makeup& m, bool challenge) {
    std::string text(name_of(s));
    if (m.big > 0) text += std::to_string(m.big) + "大户";
    if (m.small > 0) text += std::to_string(m.small) + "小户";
    if (m.twos > 0) text += std::to_string(m.twos) + "钱";
    if (m.naturals > 0) text += std::to_string(m.naturals) + "个" + std::string(rank_code(m.first_natural));
    if (challenge) text += "，瑟柯牌";
    return text;
}

std::string open_point(Seat s) { return std::string(name_of(s)) + "开点"; }

std::string_view place_word(int place) {
    static constexpr std::array<std::string_view, 7> kWords{"", "头科", "二科", "三科", "四科", "二落", "大落"};
    return place >= 1 && place <= 6 ? kWords[static_cast<std::size_t>(place)] : std::string_view{};
}

std::string place(Seat s, int place) { return std::string(padded_name_of(s)) + "＞" + std::string(place_word(place)); }

std::string debt(Seat payer, std::optional<Seat> receiver, DebtKind kind, int count) {
    const std::string_view to = receiver ? name_of(*receiver) : std::string_view{};
    return std::string(name_of(payer)) + "向" + std::string(to) + std::string(tribute_word(kind, false)) +
           std::to_string(count) + "张";
}

std::string handed(Seat giver, DebtKind kind, bool giving_back, int count, Rank first, Rank second) {
    std::string text = std::string(name_of(giver)) + std::string(tribute_word(kind, giving_back));
    if (count == 0) return text + "无牌";  // a payer without jokers or 2s gives nothing
    if (count >= 2 && first == second) return text + "两" + card_word(first);
    text += "一" + card_word(first);
    if (count >= 2) text += "，一" + card_word(second);
    return text;
}

std::string buys_three(Seat s) { return std::string(padded_name_of(s)) + "买３"; }
std::string sells_three(Seat s) { return std::string(padded_name_of(s)) + "卖３"; }

namespace {

Rank rank_at(const Play& cards, int i) { return i < cards.size() ? rank_of(cards[i]) : 0; }

// A line written for the human at seat A, said to the human at `seat`.
std::string for_seat(std::string_view line_for_a, Seat seat) {
    std::string line(line_for_a);
    if (seat == Seat::A) return line;
    const std::string_view a = name_of(Seat::A);
    if (const std::size_t at = line.find(a); at != std::string::npos) line.replace(at, a.size(), name_of(seat));
    return line;
}

// The line that tells a human seat what it must decide, as written for seat
// A (the same words name another human seat); none for a prompt without a
// line. Only seat A is asked to shuffle in the note area.
const char* prompt_for_a(Seat seat, Ask ask) {
    switch (ask) {
        case Ask::lead: return kHumanLeads;
        case Ask::follow: return kHumanFollows;
        case Ask::follow_or_hold: return kHumanFollowsOrHolds;
        case Ask::return_tribute: return kHumanReturns;
        case Ask::shuffle: return seat == Seat::A ? kShuffleFirst : nullptr;
        default: return nullptr;
    }
}

struct Chinese {
    std::vector<std::string>& out;
    void line(std::string text) { out.push_back(std::move(text)); }

    void operator()(const Shuffling&) { line(kShuffling); }
    void operator()(const PlayBegins&) { line(kPlayBegins); }
    void operator()(const FirstLeader& e) { line(leads_first(e.seat)); }
    void operator()(const PlayCalled& e) { line(play(e.seat, e.makeup, e.challenge)); }
    void operator()(const PointOpened& e) { line(open_point(e.seat)); }
    void operator()(const TrickTaken&) { line(kTrickTaken); }
    void operator()(const Prompted& e) {
        const char* text = prompt_for_a(e.seat, e.ask);
        if (!text) return;
        if (e.ask == Ask::shuffle) line(" ");  // a deal's lines end with a blank one
        line(for_seat(text, e.seat));
    }
    void operator()(const StoppedAtBound&) { line(kStoppedAtBound); }
    void operator()(const Placed& e) { line(place(e.seat, e.place)); }
    void operator()(const Swept& e) { line(e.human_side ? kWeAreSwept : kTheyAreSwept); }
    void operator()(const PlayOver&) {
        line(kGameOver);
        line(kRule);
    }
    void operator()(const TributeFiled& e) { line(debt(e.payer, e.receiver, e.kind, e.count)); }
    void operator()(const TributeHanded& e) {
        line(handed(e.giver, e.kind, e.back, e.cards.size(), rank_at(e.cards, 0), rank_at(e.cards, 1)));
    }
    void operator()(const TributeRefused& e) { line(for_seat(kHumanRefuses, e.seat)); }
    void operator()(const ThreeBought& e) {
        line(buys_three(e.buyer));
        line(sells_three(e.seller));
    }
    template <class Silent>
    void operator()(const Silent&) {}
};

}  // namespace

void write(const Event& e, std::vector<std::string>& out) { std::visit(Chinese{out}, e); }

bool writes(const Event& e) {
    return std::visit(
        [](const auto& x) {
            using E = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<E, Prompted>)
                return prompt_for_a(x.seat, x.ask) != nullptr;
            else
                return E::kKept == Keep::lines || std::is_same_v<E, Placed>;
        },
        e);
}

void write(const Entry& entry, Wording wording, std::vector<std::string>& out) {
    if (const auto* text = std::get_if<std::string>(&entry)) {
        out.push_back(*text);
        return;
    }
    wording(std::get<Event>(entry), out);
}

}  // namespace tav::game::notes
