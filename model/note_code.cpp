#include "model/note_code.h"

#include <charconv>
#include <type_traits>

namespace tav::game::notes {
namespace {

std::string seat(Seat s) { return std::string(1, letter_of(s)); }

struct Coder {
    std::string operator()(const Shuffling&) const { return "shuffling"; }
    std::string operator()(const PlayBegins&) const { return "begins"; }
    std::string operator()(const FirstLeader& e) const { return "leader " + seat(e.seat); }
    std::string operator()(const PlayCalled& e) const {
        const Makeup& m = e.makeup;
        std::string out = "play " + seat(e.seat);
        for (int n : {m.big, m.small, m.twos, m.naturals, int{m.first_natural}, int{m.last_natural}, int{e.challenge}})
            out += " " + std::to_string(n);
        return out;
    }
    std::string operator()(const PointOpened& e) const { return "point " + seat(e.seat); }
    std::string operator()(const TrickTaken&) const { return "taken"; }
    std::string operator()(const Prompted& e) const {
        return "prompt " + seat(e.seat) + " " + std::to_string(static_cast<int>(e.ask));
    }
    std::string operator()(const StoppedAtBound&) const { return "bound"; }
    std::string operator()(const Placed& e) const { return "place " + seat(e.seat) + " " + std::to_string(e.place); }
    std::string operator()(const Swept& e) const { return e.human_side ? "swept 1" : "swept 0"; }
    std::string operator()(const PlayOver&) const { return "over"; }
    std::string operator()(const TributeFiled& e) const {
        return "owes " + seat(e.payer) + " " + (e.receiver ? seat(*e.receiver) : "-") + " " +
               std::to_string(static_cast<int>(e.kind)) + " " + std::to_string(e.count);
    }
    std::string operator()(const TributeHanded& e) const {
        std::string out =
            "handed " + seat(e.giver) + " " + std::to_string(static_cast<int>(e.kind)) + (e.back ? " 1" : " 0");
        for (Card c : e.cards) out += " " + std::to_string(c);
        return out;
    }
    std::string operator()(const TributeRefused& e) const { return "refused " + seat(e.seat); }
    std::string operator()(const ThreeBought& e) const {
        return "three " + seat(e.buyer) + " " + seat(e.seller) + " " + std::to_string(e.payment) + " " +
               std::to_string(e.three);
    }
    template <class Silent>
    std::string operator()(const Silent&) const {
        return "";
    }
};

// The words of a line of code, read one by one; any fault leaves it failed.
struct Words {
    std::string_view rest;
    bool ok = true;

    std::string_view next() {
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        const std::size_t end = std::min(rest.find(' '), rest.size());
        const std::string_view w = rest.substr(0, end);
        rest.remove_prefix(end);
        if (w.empty()) ok = false;
        return w;
    }
    int number(int low, int high) {
        const std::string_view w = next();
        int n = 0;
        const auto [end, error] = std::from_chars(w.data(), w.data() + w.size(), n);
        if (error != std::errc{} || end != w.data() + w.size() || n < low || n > high) ok = false;
        return ok ? n : low;
    }
    Seat seat() {
        const std::string_view w = next();
        const std::optional<Seat> s = w.size() == 1 ? seat_from_letter(w[0]) : std::nullopt;
        if (!s) ok = false;
        return s.value_or(Seat::A);
    }
    std::optional<Seat> seat_or_none() {
        if (Words ahead = *this; ahead.next() == "-") {
            *this = ahead;
            return std::nullopt;
        }
        return seat();
    }
    bool done() {
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        return ok && rest.empty();
    }
};

std::optional<Event> event_of(std::string_view kind, Words& w) {
    constexpr int kMost = kCards;
    if (kind == "shuffling") return Shuffling{};
    if (kind == "begins") return PlayBegins{};
    if (kind == "leader") return FirstLeader{w.seat()};
    if (kind == "play") {
        PlayCalled e{w.seat(), {}, false};
        e.makeup.big = w.number(0, kMost);
        e.makeup.small = w.number(0, kMost);
        e.makeup.twos = w.number(0, kMost);
        e.makeup.naturals = w.number(0, kMost);
        e.makeup.first_natural = static_cast<Rank>(w.number(0, kRanks));
        e.makeup.last_natural = static_cast<Rank>(w.number(0, kRanks));
        e.challenge = w.number(0, 1) == 1;
        return e;
    }
    if (kind == "point") return PointOpened{w.seat()};
    if (kind == "taken") return TrickTaken{};
    if (kind == "prompt") {
        const Seat s = w.seat();
        return Prompted{s, static_cast<Ask>(w.number(0, static_cast<int>(Ask::take_partner_tribute)))};
    }
    if (kind == "bound") return StoppedAtBound{};
    if (kind == "place") {
        const Seat s = w.seat();
        return Placed{s, w.number(1, kSeats)};
    }
    if (kind == "swept") return Swept{w.number(0, 1) == 1};
    if (kind == "over") return PlayOver{};
    if (kind == "owes") {
        TributeFiled e;
        e.payer = w.seat();
        e.receiver = w.seat_or_none();
        e.kind = static_cast<DebtKind>(w.number(0, static_cast<int>(DebtKind::place)));
        e.count = w.number(0, kMost);
        return e;
    }
    if (kind == "handed") {
        TributeHanded e;
        e.giver = w.seat();
        e.kind = static_cast<DebtKind>(w.number(0, static_cast<int>(DebtKind::place)));
        e.back = w.number(0, 1) == 1;
        while (w.ok && !w.done())
            if (!e.cards.push(static_cast<Card>(w.number(1, kCards)))) w.ok = false;
        return e;
    }
    if (kind == "refused") return TributeRefused{w.seat()};
    if (kind == "three") {
        ThreeBought e;
        e.buyer = w.seat();
        e.seller = w.seat();
        e.payment = static_cast<Card>(w.number(1, kCards));
        e.three = static_cast<Card>(w.number(1, kCards));
        return e;
    }
    return std::nullopt;
}

}  // namespace

std::string code_of(const Entry& entry) {
    if (const auto* text = std::get_if<std::string>(&entry)) return "t " + *text;
    return std::visit(Coder{}, std::get<Event>(entry));
}

std::optional<Entry> entry_of(std::string_view code) {
    if (code.substr(0, 2) == "t ") return Entry{std::string(code.substr(2))};
    Words w{code};
    const std::string_view kind = w.next();
    std::optional<Event> e = event_of(kind, w);
    if (!e || !w.done()) return std::nullopt;
    return Entry{*e};
}

}  // namespace tav::game::notes
