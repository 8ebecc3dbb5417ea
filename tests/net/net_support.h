// What the tests of the server's tables share: their randomness, the player
// a table waits for, a client's decision, and a lobby driven frame by frame
// as the server drives it, every frame any connection receives decoded and
// checked: no card of another seat's hand may be named in it before the
// table shows that card.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "net/lobby.h"
#include "net/lobby_frames.h"
#include "net/protocol.h"
#include "net/table.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"

namespace tav::test {

inline net::Entropy entropy(std::uint64_t seed) {
    return [rng = std::mt19937_64(seed)]() mutable { return rng(); };
}

// The connection of the seat asked, when a connected human is asked (not a
// seat taken for the next deal, which the computer plays until then).
inline std::optional<net::Connection> asked_connection(const net::Table& t) {
    const std::optional<game::Seat> seat = t.started() ? game::current_seat(t.state()) : std::nullopt;
    if (!seat || !t.state().human[*seat]) return std::nullopt;
    const net::SeatHolder& h = t.holder(*seat);
    if (h.holder != net::Holder::human || h.next_deal) return std::nullopt;
    return h.connection;
}

// Players who may send as fast as they like, and come back as often.
inline net::LobbyOptions unhurried() {
    net::LobbyOptions o;
    o.messages_per_second = o.message_burst = 1e9;
    o.rejoin_cap = 1000;
    return o;
}

// A legal decision at random, as a client sends it (a shuffle with no pack).
inline game::Decision random_decision(const game::State& s, std::mt19937_64& rng) {
    if (s.ask == game::Ask::shuffle) return {game::Move::shuffle, {}};
    const std::vector<game::Decision> legal = game::legal_decisions(s);
    return legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)];
}

}  // namespace tav::test

namespace tav::net {

// A lobby and every frame it sends, each checked as it comes.
struct World {
    Lobby lobby;
    Time now{0};
    std::mt19937_64 chooser{3};
    std::map<Connection, std::vector<ServerMessage>> inbox;
    std::map<Connection, std::string> table_of;        // from the `table` frames each received
    std::map<Connection, game::Seat> seat_of;          // from `seated`
    std::map<Connection, std::int64_t> heard;          // the last version named to each
    std::map<std::string, test::ShownThisDeal> truth;  // per table, up to the last call
    std::vector<JournalEntry> journal;
    std::map<Connection, int> closed;
    int leaks = 0, named = 0;
    std::string current;

    explicit World(LobbyOptions o = {}, std::uint64_t seed = 1) : lobby(o, test::entropy(seed)) {}
    World(LobbyOptions o, Entropy e) : lobby(o, std::move(e)) {}
    virtual ~World() = default;
    // What a test adds: each frame as its client reads it, then the call done.
    virtual void read(const Frame&, const ServerMessage&) {}
    virtual void called() {}

    const Table& table(const std::string& code) const { return *lobby.find(code); }

    // What connection `c` may see of card `card` now, by `known`.
    void may_name(Connection c, game::Card card, const test::ShownThisDeal& known) {
        if (card == 0) return;
        ++named;
        const Table* t = table_of.contains(c) ? lobby.find(table_of[c]) : nullptr;
        std::optional<game::Seat> sees = seat_of.contains(c) ? std::optional(seat_of[c]) : std::nullopt;
        if (t && sees && t->holder(*sees).next_deal) sees.reset();
        const bool ok =
            known.shown[card] ||
            (sees && (known.dealt[*sees][card] || (t && std::ranges::count(t->state().hands[*sees], card))));
        leaks += ok ? 0 : 1;
        EXPECT_TRUE(ok) << "connection " << c << " was sent " << game::card_name(card) << " in "
                        << current.substr(0, 200);
    }

    void take(Sent sent) {
        journal.insert(journal.end(), sent.journal.begin(), sent.journal.end());
        for (const Closing& c : sent.closing) closed[c.connection] = c.code;
        std::set<Connection> stepped;  // heard a step's events in this call
        for (const Frame& f : sent.frames) {
            current = f.text;
            EXPECT_LE(f.text.size(), kMaxServerMessage);
            const Decoded<ServerMessage> d = decode_server(f.text);
            ASSERT_TRUE(d.ok()) << code_name(d.error.code) << " " << d.error.field << " in " << f.text.substr(0, 200);
            const ServerMessage& m = *d.message;
            if (const auto* info = std::get_if<TableInfo>(&m)) {
                // Who sits where comes before the step's events, which a client reads knowing it.
                EXPECT_FALSE(stepped.contains(f.to)) << "a table after the events of its step";
                table_of[f.to] = info->code;
            }
            if (const auto* s = std::get_if<Seated>(&m)) seat_of[f.to] = s->seat;
            const Table* t = table_of.contains(f.to) ? lobby.find(table_of[f.to]) : nullptr;
            if (const auto* step = std::get_if<StepEvents>(&m)) {
                // Event by event, against what the table had shown up to that event.
                ASSERT_TRUE(t);
                const std::vector<game::Event>& raw = t->last_events().list;
                ASSERT_EQ(raw.size(), step->events.size());
                test::ShownThisDeal known = truth[table_of[f.to]];
                for (std::size_t i = 0; i < raw.size(); ++i) {
                    known.read(raw[i]);
                    test::cards_named(step->events[i], [&](game::Card c) { may_name(f.to, c, known); });
                }
                EXPECT_EQ(step->version, static_cast<std::int64_t>(t->version()));
                stepped.insert(f.to);
                heard[f.to] = step->version;
            } else if (const auto* snap = std::get_if<SeatSnapshot>(&m)) {
                ASSERT_TRUE(t);
                test::ShownThisDeal known = truth[table_of[f.to]];
                for (const game::Event& e : t->last_events().list) known.read(e);
                for (game::Card c : snap->hand) may_name(f.to, c, known);
                for (const game::Play& p : snap->plays)
                    for (game::Card c : p) may_name(f.to, c, known);
                for (const game::Event& e : snap->record)
                    test::cards_named(e, [&](game::Card c) { may_name(f.to, c, known); });
                heard[f.to] = snap->version;
            }
            read(f, m);
            inbox[f.to].push_back(m);
        }
        // Every player at a table has heard of its version: a decision it
        // makes now is not refused as out of date.
        for (const auto& [c, seat] : seat_of)
            if (const Table* t = table_of.contains(c) ? lobby.find(table_of[c]) : nullptr;
                t && t->holder(seat).holder == Holder::human && t->holder(seat).connection == c) {
                EXPECT_EQ(heard[c], static_cast<std::int64_t>(t->version())) << "connection " << c;
                // ... and knows who sits where, and who plays for whom.
                const TableInfo* seen = last<TableInfo>(c);
                EXPECT_TRUE(seen && *seen == table_info(table_of[c], *t)) << "connection " << c;
            }
        for (auto& [code, known] : truth)
            if (const Table* t = lobby.find(code))
                for (const game::Event& e : t->last_events().list) known.read(e);
        called();
    }

    Connection connect() { return *lobby.connect(now); }
    Connection hello() {
        const Connection c = connect();
        send(c, Hello{});
        EXPECT_EQ(inbox[c].size(), 1u) << "hello is answered with one welcome";
        EXPECT_TRUE(last<Welcome>(c));
        return c;
    }
    void send(Connection c, const ClientMessage& m) { take(lobby.receive(c, encode(m), false, now)); }
    void raw(Connection c, std::string_view text, bool binary = false) { take(lobby.receive(c, text, binary, now)); }
    void tick(Time step) {
        now += step;
        take(lobby.tick(now));
    }
    void drop(Connection c) { take(lobby.disconnect(c, now)); }

    // The messages of one type `c` received, in order.
    template <class M>
    std::vector<const M*> all(Connection c) const {
        std::vector<const M*> out;
        if (inbox.contains(c))
            for (const ServerMessage& m : inbox.at(c))
                if (const M* one = std::get_if<M>(&m)) out.push_back(one);
        return out;
    }
    template <class M>
    const M* last(Connection c) const {
        const std::vector<const M*> got = all<M>(c);
        return got.empty() ? nullptr : got.back();
    }
    template <class M>
    int count(Connection c) const {
        return static_cast<int>(all<M>(c).size());
    }

    // A new table made by a new connection, which sits at `seat`.
    std::pair<std::string, Connection> open(const Create& rules, std::optional<game::Seat> seat = game::Seat::A) {
        const Connection host = hello();
        send(host, rules);
        const TableInfo* info = last<TableInfo>(host);
        EXPECT_TRUE(info);
        const std::string code = info ? info->code : "";
        truth[code] = {};
        if (seat) send(host, Sit{*seat});
        return {code, host};
    }
    Connection joins(const std::string& code, std::optional<game::Seat> seat, const std::string& name = "柳烟") {
        const Connection c = hello();
        send(c, Join{code, name});
        if (seat) send(c, Sit{*seat});
        return c;
    }

    // The connection the table waits for, if a connected human is asked.
    std::optional<Connection> asked(const std::string& code) const { return test::asked_connection(table(code)); }
    // A legal decision at random, sent for the version the last `ask` named.
    void decide(Connection c, const std::string& code) {
        const Table& t = table(code);
        const AskSeat* ask = last<AskSeat>(c);
        ASSERT_TRUE(ask);
        ASSERT_EQ(ask->version, static_cast<std::int64_t>(t.version()));
        ASSERT_EQ(ask->seat, seat_of.at(c));
        const game::Decision d = test::random_decision(t.state(), chooser);
        const std::uint64_t before = t.version();
        now += std::chrono::milliseconds(100);  // a player's pace, well within the limit on messages
        send(c, Decide{d, ask->version});
        EXPECT_GT(table(code).version(), before);
    }
    // Humans decide, time passes when nobody connected is asked, for
    // `steps` calls or until `done`.
    void play(
        const std::string& code, int steps, const std::function<bool()>& done = [] { return false; }) {
        for (int i = 0; i < steps && !done() && !::testing::Test::HasFatalFailure(); ++i) {
            if (const std::optional<Connection> c = asked(code))
                decide(*c, code);
            else
                tick(std::chrono::seconds(1));
        }
    }
};

inline bool deal_over(const World& w, Connection c) {
    return std::ranges::any_of(w.all<StepEvents>(c), [](const StepEvents* step) {
        return std::ranges::any_of(step->events,
                                   [](const game::Event& e) { return std::holds_alternative<game::DealOver>(e); });
    });
}

}  // namespace tav::net
