// The engine's events on the wire: {"kind": ..., and the kind's own fields}.
// A card the receiving seat may not see is left out (a card dealt) or
// counted (a pile), never named.
#include <algorithm>
#include <array>
#include <string_view>

#include "net/wire.h"

namespace tav::net::wire {

namespace {

using namespace tav::game;

// The kinds' names, in the order of the variant.
constexpr std::array<std::string_view, std::variant_size_v<Event>> kKinds{
    "shuffling",        "dealt",          "laid_out",        "play_begins",  "first_leader", "played",    "play_called",
    "passed",           "held_back",      "point_opened",    "play_cleared", "trick_taken",  "asked",     "prompted",
    "stopped_at_bound", "placed",         "scored",          "swept",        "play_over",    "deal_over", "table_reset",
    "tribute_filed",    "tribute_handed", "tribute_refused", "three_bought"};
constexpr std::array<std::string_view, 7> kAsks{
    "nothing", "shuffle", "lead", "follow", "follow_or_hold", "return_tribute", "take_partner_tribute"};
constexpr std::array<std::string_view, 3> kDebts{"smother", "point", "place"};
constexpr std::array<std::string_view, 2> kSides{"BDF", "ACE"};  // by Swept::human_side
constexpr int kMostScore = 1000000;                              // far past any game's

// Writing: one overload per kind that has fields.
struct Writer {
    json::object& o;
    void card(std::string_view key, Card c) const {
        if (c != 0) o[key] = c;
    }
    void operator()(const Shuffling&) const {}
    void operator()(const Dealt& e) const {
        o["seat"] = seat_name(e.seat);
        card("card", e.card);
        o["number"] = e.number;
    }
    void operator()(const LaidOut& e) const {
        o["seat"] = seat_name(e.seat);
        o["cards"] = pile_value(e.cards);
    }
    void operator()(const PlayBegins&) const {}
    void operator()(const FirstLeader& e) const { o["seat"] = seat_name(e.seat); }
    void operator()(const Played& e) const {
        o["seat"] = seat_name(e.seat);
        o["cards"] = pile_value(e.cards);
        o["challenge"] = e.challenge;
    }
    void operator()(const PlayCalled& e) const {
        o["seat"] = seat_name(e.seat);
        const Makeup& m = e.makeup;
        o["makeup"] = json::object{{"big", m.big},           {"small", m.small},         {"twos", m.twos},
                                   {"naturals", m.naturals}, {"first", m.first_natural}, {"last", m.last_natural}};
        o["challenge"] = e.challenge;
    }
    template <class E>
    requires std::is_same_v<E, Passed> || std::is_same_v<E, HeldBack> || std::is_same_v<E, PointOpened> ||
        std::is_same_v<E, PlayCleared> || std::is_same_v<E, TributeRefused>
    void operator()(const E& e) const { o["seat"] = seat_name(e.seat); }
    void operator()(const TrickTaken&) const {}
    template <class E>
    requires std::is_same_v<E, Asked> || std::is_same_v<E, Prompted>
    void operator()(const E& e) const {
        o["seat"] = seat_name(e.seat);
        o["ask"] = kAsks[static_cast<std::size_t>(e.ask)];
    }
    void operator()(const StoppedAtBound&) const {}
    void operator()(const Placed& e) const {
        o["seat"] = seat_name(e.seat);
        o["place"] = e.place;
    }
    void operator()(const Scored& e) const {
        o["seat"] = seat_name(e.seat);
        o["score"] = e.score;
    }
    void operator()(const Swept& e) const { o["side"] = kSides[e.human_side ? 1 : 0]; }
    void operator()(const PlayOver&) const {}
    void operator()(const DealOver&) const {}
    void operator()(const TableReset&) const {}
    void operator()(const TributeFiled& e) const {
        o["payer"] = seat_name(e.payer);
        if (e.receiver) o["receiver"] = seat_name(*e.receiver);
        o["debt"] = kDebts[static_cast<std::size_t>(e.kind)];
        o["count"] = e.count;
    }
    void operator()(const TributeHanded& e) const {
        o["giver"] = seat_name(e.giver);
        o["debt"] = kDebts[static_cast<std::size_t>(e.kind)];
        o["back"] = e.back;
        o["cards"] = pile_value(e.cards);
    }
    void operator()(const ThreeBought& e) const {
        o["buyer"] = seat_name(e.buyer);
        o["seller"] = seat_name(e.seller);
        card("payment", e.payment);
        card("three", e.three);
    }
};

Makeup read_makeup(Reader& r) {
    const json::value& v = r.required("makeup");
    Reader m(v, r.field("makeup"));
    Makeup out;
    out.big = static_cast<int>(m.integer("big", 0, 96));
    out.small = static_cast<int>(m.integer("small", 0, 96));
    out.twos = static_cast<int>(m.integer("twos", 0, 96));
    out.naturals = static_cast<int>(m.integer("naturals", 0, 96));
    out.first_natural = static_cast<Rank>(m.integer("first", 0, kRanks));
    out.last_natural = static_cast<Rank>(m.integer("last", 0, kRanks));
    m.done();
    return out;
}

Event read_kind(std::size_t kind, Reader& r) {
    auto seat = [&r] { return r.seat("seat"); };
    auto ask = [&r] { return r.choice<Ask>("ask", kAsks); };
    auto debt = [&r] { return r.choice<DebtKind>("debt", kDebts); };
    switch (kind) {
        case 0: return Shuffling{};
        case 1: {
            Dealt e{seat(), r.card_or_hidden("card"), 0};
            e.number = static_cast<int>(r.integer("number", 1, kCards));
            return e;
        }
        case 2: {
            LaidOut e{seat(), {}};
            e.cards = r.pile("cards");
            return e;
        }
        case 3: return PlayBegins{};
        case 4: return FirstLeader{seat()};
        case 5: {
            Played e{seat(), {}, false};
            e.cards = r.pile("cards");
            e.challenge = r.boolean("challenge");
            return e;
        }
        case 6: {
            PlayCalled e{seat(), {}, false};
            e.makeup = read_makeup(r);
            e.challenge = r.boolean("challenge");
            return e;
        }
        case 7: return Passed{seat()};
        case 8: return HeldBack{seat()};
        case 9: return PointOpened{seat()};
        case 10: return PlayCleared{seat()};
        case 11: return TrickTaken{};
        case 12: {
            Asked e{seat()};
            e.ask = ask();
            return e;
        }
        case 13: {
            Prompted e{seat()};
            e.ask = ask();
            return e;
        }
        case 14: return StoppedAtBound{};
        case 15: {
            Placed e{seat()};
            e.place = static_cast<int>(r.integer("place", 1, kSeats));
            return e;
        }
        case 16: {
            Scored e{seat()};
            e.score = static_cast<int>(r.integer("score", -kMostScore, kMostScore));
            return e;
        }
        case 17: return Swept{r.choice<std::size_t>("side", kSides) == 1};
        case 18: return PlayOver{};
        case 19: return DealOver{};
        case 20: return TableReset{};
        case 21: {
            TributeFiled e;
            e.payer = r.seat("payer");
            e.receiver = r.optional_seat("receiver");
            e.kind = debt();
            e.count = static_cast<int>(r.integer("count", 0, 96));
            return e;
        }
        case 22: {
            TributeHanded e;
            e.giver = r.seat("giver");
            e.kind = debt();
            e.back = r.boolean("back");
            e.cards = r.pile("cards");
            return e;
        }
        case 23: return TributeRefused{seat()};
        default: {
            ThreeBought e;
            e.buyer = r.seat("buyer");
            e.seller = r.seat("seller");
            e.payment = r.card_or_hidden("payment");
            e.three = r.card_or_hidden("three");
            return e;
        }
    }
}

}  // namespace

json::object event_value(const Event& e) {
    json::object o;
    o["kind"] = kKinds[e.index()];
    std::visit(Writer{o}, e);
    return o;
}

Event read_event(const json::value& v, const std::string& path) {
    Reader r(v, path);
    const std::string name = r.text("kind");
    const auto kind = static_cast<std::size_t>(std::find(kKinds.begin(), kKinds.end(), name) - kKinds.begin());
    if (kind >= kKinds.size()) fail(ErrorCode::unknown_type, r.field("kind"), "no such kind of event");
    Event e = read_kind(kind, r);
    r.done();
    return e;
}

}  // namespace tav::net::wire
