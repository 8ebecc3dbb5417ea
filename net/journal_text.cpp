// A call as one JSON object with short keys: a busy server writes many.
#include "net/journal_text.h"

#include <algorithm>
#include <array>
#include <boost/json.hpp>

#include "model/cards.h"

namespace tav::net {

namespace {

namespace json = boost::json;

constexpr std::array<std::string_view, 10> kKinds{"create", "sit",   "watch",  "leave", "drop",
                                                  "rejoin", "start", "decide", "tick",  "restart"};
constexpr int kMoves = 7;  // game::Move's values

struct Bad {
    std::string why;
};

std::uint64_t number(const json::object& o, std::string_view key) {
    const json::value* v = o.if_contains(key);
    if (!v) throw Bad{"no " + std::string(key)};
    if (v->is_uint64()) return v->get_uint64();
    if (v->is_int64() && v->get_int64() >= 0) return static_cast<std::uint64_t>(v->get_int64());
    throw Bad{std::string(key) + " is not a whole number"};
}
std::uint64_t number(const json::object& o, std::string_view key, std::uint64_t most) {
    const std::uint64_t n = number(o, key);
    if (n > most) throw Bad{std::string(key) + " out of range"};
    return n;
}
bool flag(const json::object& o, std::string_view key) {
    const json::value* v = o.if_contains(key);
    if (!v || !v->is_bool()) throw Bad{"no " + std::string(key)};
    return v->get_bool();
}
const json::array& list(const json::object& o, std::string_view key) {
    const json::value* v = o.if_contains(key);
    if (!v || !v->is_array()) throw Bad{"no " + std::string(key)};
    return v->get_array();
}
std::string text(const json::object& o, std::string_view key) {
    const json::value* v = o.if_contains(key);
    if (!v || !v->is_string()) throw Bad{"no " + std::string(key)};
    return std::string(v->get_string());
}

Token read_token(const std::string& s) {
    const std::optional<Token> t = token_from_text(s);
    if (!t) throw Bad{"a token that is not 32 hex digits"};
    return *t;
}

json::object options_value(const TableOptions& o) {
    return {{"threes", o.rules.threes},           {"smother", o.rules.smother},
            {"points", o.rules.points},           {"tributes", o.rules.tributes},
            {"level", static_cast<int>(o.level)}, {"seconds", o.seconds_per_decision},
            {"grace", o.grace.count()},           {"rejoins", o.rejoin_cap},
            {"watchers", o.most_spectators}};
}
TableOptions read_options(const json::object& o) {
    TableOptions out;
    out.rules.threes = flag(o, "threes");
    out.rules.smother = flag(o, "smother");
    out.rules.points = flag(o, "points");
    out.rules.tributes = flag(o, "tributes");
    out.level = static_cast<game::Level>(number(o, "level", static_cast<int>(game::Level::thumb)));
    out.seconds_per_decision = static_cast<int>(number(o, "seconds", kMostSecondsPerDecision));
    out.grace = Time(static_cast<Time::rep>(number(o, "grace", std::uint64_t{1} << 62)));
    out.rejoin_cap = static_cast<int>(number(o, "rejoins", 1 << 30));
    out.most_spectators = static_cast<int>(number(o, "watchers", 1 << 30));
    return out;
}

Call read(const json::object& o) {
    Call c;
    const std::string kind = text(o, "k");
    const auto* at = std::find(kKinds.begin(), kKinds.end(), kind);
    if (at == kKinds.end()) throw Bad{"no such call: " + kind};
    c.kind = static_cast<CallKind>(at - kKinds.begin());
    c.connection = number(o, "c");
    c.time = Time(static_cast<Time::rep>(number(o, "t", std::uint64_t{1} << 62)));
    c.after = number(o, "v");
    for (const json::value& w : list(o, "e")) {
        if (w.is_uint64())
            c.words.push_back(w.get_uint64());
        else if (w.is_int64() && w.get_int64() >= 0)
            c.words.push_back(static_cast<std::uint64_t>(w.get_int64()));
        else
            throw Bad{"a drawn word that is not a whole number"};
    }
    switch (c.kind) {
        case CallKind::create: {
            const json::value* v = o.if_contains("o");
            if (!v || !v->is_object()) throw Bad{"no options"};
            c.options = read_options(v->get_object());
            break;
        }
        case CallKind::sit:
            c.seat = static_cast<game::Seat>(number(o, "s", game::kSeats - 1));
            c.name = text(o, "n");
            break;
        case CallKind::rejoin: c.token = read_token(text(o, "token")); break;
        case CallKind::restart: c.hold = Time(static_cast<Time::rep>(number(o, "h", std::uint64_t{1} << 62))); break;
        case CallKind::decide: {
            c.version = number(o, "at");
            c.decision.move = static_cast<game::Move>(number(o, "m", kMoves - 1));
            for (const json::value& card : list(o, "cards")) {
                if (!card.is_int64() || card.get_int64() < 1 || card.get_int64() > game::kCards)
                    throw Bad{"a card that is not one"};
                c.decision.cards.push_back(static_cast<game::Card>(card.get_int64()));
            }
            break;
        }
        default: break;
    }
    return c;
}

}  // namespace

std::string call_text(const Call& call) {
    json::object o;
    o["k"] = kKinds[static_cast<std::size_t>(call.kind)];
    o["c"] = call.connection;
    o["t"] = call.time.count();
    o["v"] = call.after;
    json::array words;
    for (std::uint64_t w : call.words) words.push_back(w);
    o["e"] = std::move(words);
    switch (call.kind) {
        case CallKind::create: o["o"] = options_value(call.options); break;
        case CallKind::sit:
            o["s"] = game::index_of(call.seat);
            o["n"] = call.name;
            break;
        case CallKind::rejoin: o["token"] = token_text(call.token); break;
        case CallKind::restart: o["h"] = call.hold.count(); break;
        case CallKind::decide: {
            o["at"] = call.version;
            o["m"] = static_cast<int>(call.decision.move);
            json::array cards;
            for (game::Card card : call.decision.cards) cards.push_back(card);
            o["cards"] = std::move(cards);
            break;
        }
        default: break;
    }
    return json::serialize(o);
}

std::optional<Call> read_call(std::string_view text, std::string& why) {
    try {
        boost::system::error_code ec;
        const json::value v = json::parse(text, ec);
        if (ec) throw Bad{"not JSON: " + ec.message()};
        if (!v.is_object()) throw Bad{"not an object"};
        return read(v.get_object());
    } catch (const Bad& bad) {
        why = bad.why;
    } catch (const std::exception& e) {
        why = e.what();
    }
    return std::nullopt;
}

}  // namespace tav::net
