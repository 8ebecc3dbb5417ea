// The messages as JSON objects, {"type": ..., and the type's own fields}.
#include "net/protocol.h"

#include <algorithm>
#include <array>

#include "net/seats.h"
#include "net/table.h"
#include "net/wire.h"

namespace tav::net {

namespace {

using namespace wire;
using game::Seat;

static_assert(kMaxSecondsPerDecision == kMostSecondsPerDecision, "one bound on the time per decision");

constexpr std::array<std::string_view, std::variant_size_v<ClientMessage>> kClientTypes{"hello", "create", "join",
                                                                                        "sit",   "start",  "decide",
                                                                                        "chat",  "rejoin", "leave",
                                                                                        "mute"};
constexpr std::array<std::string_view, std::variant_size_v<ServerMessage>> kServerTypes{"welcome", "table", "seated",
                                                                                        "events",  "ask",   "snapshot",
                                                                                        "chat",    "error"};
constexpr std::array<std::string_view, 7> kMoves{"shuffle",        "play",         "pass",          "hold_back",
                                                 "return_tribute", "take_tribute", "let_tribute_go"};
constexpr std::array<std::string_view, 2> kLevels{"classic", "strong"};
constexpr std::array<std::string_view, 4> kOccupants{"open", "human", "computer", "dropped"};
constexpr std::array<std::string_view, 7> kAsks{
    "nothing", "shuffle", "lead", "follow", "follow_or_hold", "return_tribute", "take_partner_tribute"};
constexpr std::array<std::string_view, 17> kCodes{"not_json",         "not_object",    "too_long",
                                                  "unknown_type",     "missing_field", "wrong_type",
                                                  "out_of_bounds",    "unknown_field", "repeated_field",
                                                  "protocol_version", "not_now",       "unknown_table",
                                                  "seat_taken",       "bad_token",     "stale_version",
                                                  "refused",          "rate_limited"};
constexpr std::string_view kHex = "0123456789abcdef";
constexpr int kMostCards = 96;  // a hand's most

template <std::size_t N>
std::string_view name_in(const std::array<std::string_view, N>& names, auto value) {
    return names[static_cast<std::size_t>(value)];
}

json::object rules_value(const TableRules& r) {
    return {{"threes", r.threes}, {"smother", r.smother}, {"points", r.points}, {"tributes", r.tributes}};
}
TableRules read_rules(Reader& parent) {
    Reader r(parent.required("rules"), parent.field("rules"));
    TableRules out;
    out.threes = r.boolean("threes");
    out.smother = r.boolean("smother");
    out.points = r.boolean("points");
    out.tributes = r.boolean("tributes");
    r.done();
    return out;
}

json::array events_value(const std::vector<game::Event>& events) {
    json::array a;
    for (const game::Event& e : events) a.push_back(event_value(e));
    return a;
}
std::vector<game::Event> read_events(Reader& r, std::string_view key) {
    const json::array& a = r.array(key, 4096);
    std::vector<game::Event> out;
    out.reserve(a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        out.push_back(read_event(a[i], r.field(key) + "[" + std::to_string(i) + "]"));
    return out;
}

template <class T>
json::array six(const std::array<T, game::kSeats>& v) {
    json::array a;
    for (const T& x : v) a.push_back(json::value_from(x));
    return a;
}
std::array<int, game::kSeats> read_six(Reader& r, std::string_view key, int lo, int hi) {
    const json::array& a = r.array(key, game::kSeats);
    if (a.size() != game::kSeats) fail(ErrorCode::out_of_bounds, r.field(key), "not six entries");
    std::array<int, game::kSeats> out{};
    for (std::size_t i = 0; i < a.size(); ++i)
        out[i] = static_cast<int>(read_number(a[i], r.field(key) + "[" + std::to_string(i) + "]", lo, hi));
    return out;
}

// ---- writing ----
struct ClientWriter {
    json::object& o;
    void operator()(const Hello& m) const { o["protocol"] = m.protocol; }
    void operator()(const Create& m) const {
        o["name"] = m.name;
        o["rules"] = rules_value(m.rules);
        o["level"] = m.level == game::Level::strong ? "strong" : "classic";
        o["seconds"] = m.seconds;
    }
    void operator()(const Join& m) const {
        o["code"] = m.code;
        o["name"] = m.name;
    }
    void operator()(const Sit& m) const { o["seat"] = seat_name(m.seat); }
    void operator()(const Start&) const {}
    void operator()(const Decide& m) const {
        json::array cards;
        for (game::Card c : m.decision.cards) cards.push_back(c);
        o["decision"] = json::object{{"move", name_in(kMoves, m.decision.move)}, {"cards", std::move(cards)}};
        o["version"] = m.version;
    }
    void operator()(const Say& m) const { o["text"] = m.text; }
    void operator()(const Rejoin& m) const {
        o["code"] = m.code;
        o["token"] = m.token;
    }
    void operator()(const Leave&) const {}
    void operator()(const Mute& m) const {
        o["seat"] = seat_name(m.seat);
        o["muted"] = m.muted;
    }
};

struct ServerWriter {
    json::object& o;
    void operator()(const Welcome& m) const { o["protocol"] = m.protocol; }
    void operator()(const TableInfo& m) const {
        o["code"] = m.code;
        json::array seats;
        for (const SeatEntry& s : m.seats)
            seats.push_back(json::object{{"name", s.name}, {"who", name_in(kOccupants, s.who)}});
        o["seats"] = std::move(seats);
        if (m.host) o["host"] = seat_name(*m.host);
        o["started"] = m.started;
        o["rules"] = rules_value(m.rules);
        o["level"] = m.level == game::Level::strong ? "strong" : "classic";
        o["seconds"] = m.seconds;
    }
    void operator()(const Seated& m) const {
        o["seat"] = seat_name(m.seat);
        o["token"] = m.token;
    }
    void operator()(const StepEvents& m) const {
        o["version"] = m.version;
        o["events"] = events_value(m.events);
    }
    void operator()(const AskSeat& m) const {
        o["seat"] = seat_name(m.seat);
        o["ask"] = name_in(kAsks, m.ask);
        o["version"] = m.version;
        o["seconds_left"] = m.seconds_left;
    }
    void operator()(const SeatSnapshot& m) const {
        if (m.seat) o["seat"] = seat_name(*m.seat);
        o["version"] = m.version;
        o["hand"] = pile_value(m.hand);
        o["hand_sizes"] = six(m.hand_sizes);
        json::array plays;
        for (const game::Play& p : m.plays) plays.push_back(pile_value(p));
        o["plays"] = std::move(plays);
        o["places"] = six(m.places);
        o["scores"] = six(m.scores);
        o["record"] = events_value(m.record);
    }
    void operator()(const ChatLine& m) const {
        if (m.seat) o["seat"] = seat_name(*m.seat);
        o["name"] = m.name;
        o["text"] = m.text;
    }
    void operator()(const Error& m) const {
        o["code"] = code_name(m.code);
        if (!m.field.empty()) o["field"] = m.field;
        o["message"] = m.message;
    }
};

// ---- reading ----
// A player's name, held to the table's bound on bytes as well.
std::string read_name(Reader& r) {
    std::string name = r.line("name", kMaxNameLength);
    if (name.size() > kMaxNameBytes)
        fail(ErrorCode::out_of_bounds, r.field("name"), "longer than " + std::to_string(kMaxNameBytes) + " bytes");
    return name;
}
game::Level read_level(Reader& r) {
    return r.choice<std::size_t>("level", kLevels) == 1 ? game::Level::strong : game::Level::classic;
}

ClientMessage read_client(std::size_t type, Reader& r) {
    switch (type) {
        case 0: return Hello{static_cast<int>(r.integer("protocol", 1, 65535))};
        case 1: {
            Create m;
            m.name = read_name(r);
            m.rules = read_rules(r);
            m.level = read_level(r);
            m.seconds = static_cast<int>(r.integer("seconds", 0, kMaxSecondsPerDecision));
            return m;
        }
        case 2: {
            Join m;
            m.code = r.code("code", kTableCodeLength, kTableCodeAlphabet);
            m.name = read_name(r);
            return m;
        }
        case 3: return Sit{r.seat("seat")};
        case 4: return Start{};
        case 5: {
            Decide m;
            Reader d(r.required("decision"), r.field("decision"));
            m.decision.move = d.choice<game::Move>("move", kMoves);
            m.decision.cards = d.cards("cards", kMostCards);
            if (m.decision.move == game::Move::shuffle && !m.decision.cards.empty())
                fail(ErrorCode::out_of_bounds, d.field("cards"), "a shuffle names no cards: the server draws the pack");
            d.done();
            m.version = r.integer("version", 0, kMaxVersion);
            return m;
        }
        case 6: return Say{r.line("text", kMaxChatLength)};
        case 7: {
            Rejoin m;
            m.code = r.code("code", kTableCodeLength, kTableCodeAlphabet);
            m.token = r.code("token", kSeatTokenLength, kHex);
            return m;
        }
        case 8: return Leave{};
        default: {
            Mute m;
            m.seat = r.seat("seat");
            m.muted = r.boolean("muted");
            return m;
        }
    }
}

ServerMessage read_server(std::size_t type, Reader& r) {
    switch (type) {
        case 0: return Welcome{static_cast<int>(r.integer("protocol", 1, 65535))};
        case 1: {
            TableInfo m;
            m.code = r.code("code", kTableCodeLength, kTableCodeAlphabet);
            const json::array& seats = r.array("seats", game::kSeats);
            if (seats.size() != game::kSeats) fail(ErrorCode::out_of_bounds, r.field("seats"), "not six entries");
            for (std::size_t i = 0; i < seats.size(); ++i) {
                Reader s(seats[i], r.field("seats") + "[" + std::to_string(i) + "]");
                m.seats[i].who = s.choice<Occupant>("who", kOccupants);
                m.seats[i].name = m.seats[i].who == Occupant::open ? s.text("name") : read_name(s);
                if (m.seats[i].who == Occupant::open && !m.seats[i].name.empty())
                    fail(ErrorCode::out_of_bounds, s.field("name"), "an open seat has no name");
                s.done();
            }
            m.host = r.optional_seat("host");
            m.started = r.boolean("started");
            m.rules = read_rules(r);
            m.level = read_level(r);
            m.seconds = static_cast<int>(r.integer("seconds", 0, kMaxSecondsPerDecision));
            return m;
        }
        case 2: {
            Seated m;
            m.seat = r.seat("seat");
            m.token = r.code("token", kSeatTokenLength, kHex);
            return m;
        }
        case 3: {
            StepEvents m;
            m.version = r.integer("version", 0, kMaxVersion);
            m.events = read_events(r, "events");
            return m;
        }
        case 4: {
            AskSeat m;
            m.seat = r.seat("seat");
            m.ask = r.choice<game::Ask>("ask", kAsks);
            m.version = r.integer("version", 0, kMaxVersion);
            m.seconds_left = static_cast<int>(r.integer("seconds_left", 0, kMaxSecondsPerDecision));
            return m;
        }
        case 5: {
            SeatSnapshot m;
            m.seat = r.optional_seat("seat");
            m.version = r.integer("version", 0, kMaxVersion);
            m.hand = r.pile("hand");
            m.hand_sizes = read_six(r, "hand_sizes", 0, kMostCards);
            const json::array& plays = r.array("plays", game::kSeats);
            if (plays.size() != game::kSeats) fail(ErrorCode::out_of_bounds, r.field("plays"), "not six entries");
            for (std::size_t i = 0; i < plays.size(); ++i)
                m.plays[i] = read_pile(plays[i], r.field("plays") + "[" + std::to_string(i) + "]");
            m.places = read_six(r, "places", 0, game::kSeats);
            m.scores = read_six(r, "scores", -1000000, 1000000);
            m.record = read_events(r, "record");
            return m;
        }
        case 6: {
            ChatLine m;
            m.seat = r.optional_seat("seat");
            m.name = read_name(r);
            m.text = r.line("text", kMaxChatLength);
            return m;
        }
        default: {
            Error m;
            m.code = r.choice<ErrorCode>("code", kCodes);
            if (r.optional("field")) {
                m.field = r.text("field");
                if (m.field.empty()) fail(ErrorCode::out_of_bounds, "field", "empty: leave it out");
            }
            m.message = r.text("message");
            return m;
        }
    }
}

template <class Message, std::size_t N>
Decoded<Message> decode_with(std::string_view text, std::size_t most, const std::array<std::string_view, N>& types,
                             Message (*read)(std::size_t, Reader&)) {
    Decoded<Message> out;
    try {
        json::value storage;
        parse_object(text, most, storage);
        Reader r(storage, "");
        const std::string type = r.text("type");
        const auto i = static_cast<std::size_t>(std::find(types.begin(), types.end(), type) - types.begin());
        if (i >= N) fail(ErrorCode::unknown_type, "type", "no such message");
        Message m = read(i, r);
        r.done();
        out.message = std::move(m);
    } catch (const Failure& f) {
        out.error = f.error;
    } catch (const std::exception& e) {  // the allocator's, in the end: refuse, never pass on
        out.error = {ErrorCode::not_json, "", e.what()};
    }
    return out;
}

}  // namespace

std::string_view code_name(ErrorCode c) { return name_in(kCodes, c); }

Decoded<ClientMessage> decode_client(std::string_view text) {
    return decode_with<ClientMessage>(text, kMaxClientMessage, kClientTypes, read_client);
}
Decoded<ServerMessage> decode_server(std::string_view text) {
    return decode_with<ServerMessage>(text, kMaxServerMessage, kServerTypes, read_server);
}

std::string encode(const ClientMessage& m) {
    json::object o;
    o["type"] = kClientTypes[m.index()];
    std::visit(ClientWriter{o}, m);
    return to_text(o);
}
std::string encode(const ServerMessage& m) {
    json::object o;
    o["type"] = kServerTypes[m.index()];
    std::visit(ServerWriter{o}, m);
    return to_text(o);
}

}  // namespace tav::net
