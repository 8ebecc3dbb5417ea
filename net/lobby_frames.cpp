#include "net/lobby_frames.h"

#include <algorithm>
#include <variant>

#include "model/observation.h"

namespace tav::net {

using game::Seat;

namespace {

// What a seat sees of an event when it may see no hand: as one seat, then as
// another, no hand's card is left.
game::Event unseated(const game::Event& e) { return game::observed(game::observed(e, Seat::A), Seat::B); }

std::vector<game::Event> record_for(std::span<const game::Event> record, std::optional<Seat> sees) {
    if (sees) return game::observe(record, *sees);
    std::vector<game::Event> out;
    out.reserve(record.size());
    for (const game::Event& e : record) out.push_back(unseated(e));
    return out;
}

// Whole seconds to the deadline, rounded up. A deadline just past still
// shows a second: 0 would say there is no limit.
int seconds_left(const Asking& a, Time now) {
    if (!a.deadline) return 0;
    const auto ms = (*a.deadline - now).count();
    const auto seconds = (ms + 999) / 1000;
    return static_cast<int>(std::clamp<decltype(ms)>(seconds, 1, kMaxSecondsPerDecision));
}

void add_ask(const Asking& a, std::uint64_t version, Time now, std::vector<std::string>& out, FrameCache& cache) {
    if (!a.seat) return;
    if (cache.ask.empty()) cache.ask = encode(AskSeat{*a.seat, a.ask, wire_version(version), seconds_left(a, now)});
    out.push_back(cache.ask);
}

const std::string& table_text(const std::string& code, const Table& table, FrameCache& cache) {
    if (cache.table.empty()) cache.table = encode(table_info(code, table));
    return cache.table;
}

template <int N>
game::Pile<N> pile(const std::vector<game::Card>& cards) {
    game::Pile<N> p;
    for (game::Card c : cards) p.push(c);
    return p;
}

}  // namespace

std::int64_t wire_version(std::uint64_t v) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(v, static_cast<std::uint64_t>(kMaxVersion)));
}

TableInfo table_info(const std::string& code, const Table& table) {
    TableInfo info;
    info.code = code;
    for (Seat s : game::kAllSeats) {
        const SeatHolder& h = table.holder(s);
        SeatEntry& e = info.seats[game::index_of(s)];
        e.name = h.holder == Holder::computer ? "" : h.name;
        // A player who sat during a deal: the computer plays the seat, under
        // the player's name, until the next deal.
        e.who = h.holder == Holder::computer  ? Occupant::open
                : h.holder == Holder::dropped ? Occupant::dropped
                : h.next_deal                 ? Occupant::computer
                                              : Occupant::human;
        if (h.holder != Holder::computer && h.connection == table.host()) info.host = s;
    }
    info.started = table.started();
    const game::Rules& r = table.state().rules;
    info.rules = {r.threes, r.smother, r.points, r.tributes};
    info.level = table.options().level;
    info.seconds = table.options().seconds_per_decision;
    return info;
}

std::string error_text(ErrorCode code, std::string field, std::string message) {
    return encode(Error{code, std::move(field), std::move(message)});
}

void add_frames(const Message& m, const std::string& code, const Table& table, const EventRecord& record, Time now,
                std::vector<std::string>& out, FrameCache& cache) {
    if (const auto* u = std::get_if<Update>(&m.payload)) {
        // Who sits where before the step's events: a dropped player's seat
        // is the computer's, whose passes count, and a client reads the
        // events knowing it.
        if (u->seats) out.push_back(table_text(code, table, cache));
        if (!u->events.empty() || u->moved) {
            // Most steps look the same from every seat: each different view is written once.
            auto same = std::ranges::find_if(cache.events, [&](const auto& seen) { return seen.first == u->events; });
            if (same == cache.events.end())
                same = cache.events.insert(same, {u->events, encode(StepEvents{wire_version(u->version), u->events})});
            out.push_back(same->second);
        }
        add_ask(u->asking, u->version, now, out, cache);
        return;
    }
    const Snapshot& snap = std::get<Snapshot>(m.payload);
    // A seat's snapshot goes only to its player, on sitting (the token is
    // new) and on coming back (the same token): both are told `seated`.
    if (snap.seat)
        out.push_back(encode(Seated{*snap.seat, token_text(snap.token.value_or(table.holder(*snap.seat).token))}));
    out.push_back(table_text(code, table, cache));
    SeatSnapshot s;
    s.seat = snap.seat;
    s.version = wire_version(snap.version);
    s.hand = pile<96>(snap.hand);
    for (Seat x : game::kAllSeats) {
        const auto i = static_cast<std::size_t>(game::index_of(x));
        s.hand_sizes[i] = snap.hand_sizes[x];
        s.plays[i] = pile<96>(snap.plays[x]);
        s.places[i] = snap.places[x];
        s.scores[i] = snap.scores[x];
    }
    // A seat taken during a deal sees this deal as a spectator does.
    const bool sees = snap.seat && !table.holder(*snap.seat).next_deal;
    s.record = record_for(record.events(), sees ? snap.seat : std::nullopt);
    // A frame past the limit would be refused by every client: a record
    // that long keeps its first events (the state is in the other fields).
    std::string text = encode(s);
    while (text.size() > kMaxServerMessage && !s.record.empty()) {
        s.record.resize(s.record.size() * 3 / 4);
        text = encode(s);
    }
    out.push_back(std::move(text));
    add_ask(snap.asking, snap.version, now, out, cache);
}

}  // namespace tav::net
