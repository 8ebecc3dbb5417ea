// The lobby driven frame by frame as the server drives it. Every frame any
// connection receives is decoded, and no card of another seat's hand may be
// named in it before the table shows that card; refusals carry their codes
// and change nothing; the limits hold; and tables come back from their
// journals exactly, to be played on.
#include "net/lobby.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "net/lobby_frames.h"
#include "net/protocol.h"
#include "net/refusals.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"
#include "tests/net/net_support.h"

namespace tav::net {
namespace {

using game::Seat;
using namespace std::chrono_literals;
using test::entropy;

TEST(Lobby, ASessionFromHelloToTheEndOfADeal) {
    World w;
    const Connection host = w.hello();
    ASSERT_TRUE(w.last<Welcome>(host));
    w.send(host, Create{"钟离云", {}, game::Level::classic, 30});
    const TableInfo* made = w.last<TableInfo>(host);
    ASSERT_TRUE(made);
    const std::string code = made->code;
    EXPECT_FALSE(made->host);  // not seated yet
    EXPECT_EQ(made->seconds, 30);
    std::vector<Connection> players{host};
    for (int i = 0; i < 5; ++i) {
        const Connection c = w.joins(code, std::nullopt, "玩家" + std::to_string(i));
        const SeatSnapshot* snap = w.last<SeatSnapshot>(c);
        ASSERT_TRUE(snap);
        EXPECT_FALSE(snap->seat);
        EXPECT_TRUE(snap->hand.empty());
        players.push_back(c);
    }
    // Five sit before the start, the last once the deal is under way: the
    // computer plays its seat, under its name, until the next deal.
    for (std::size_t i = 0; i < players.size(); ++i) {
        const Seat seat = game::kAllSeats[i];
        if (i == 5) w.send(host, Start{});
        w.send(players[i], Sit{seat});
        ASSERT_TRUE(w.last<Seated>(players[i]));
        EXPECT_EQ(w.last<Seated>(players[i])->seat, seat);
        EXPECT_EQ(w.last<SeatSnapshot>(players[i])->seat, seat);
    }
    const TableInfo* full = w.last<TableInfo>(host);
    EXPECT_EQ(full->host, Seat::A);
    EXPECT_TRUE(full->started);
    for (Seat s : game::kAllSeats)
        EXPECT_EQ(full->seats[game::array_index(s)].who, s == Seat::F ? Occupant::computer : Occupant::human);
    w.play(code, 5000, [&] { return std::ranges::all_of(players, [&](Connection c) { return deal_over(w, c); }); });
    for (Connection c : players) {
        EXPECT_TRUE(deal_over(w, c)) << c;
        EXPECT_EQ(w.last<AskSeat>(c)->seconds_left, 30);  // the clock never moved
        // The deal over, the newcomer plays its own seat, and everyone is told.
        EXPECT_EQ(w.last<TableInfo>(c)->seats[game::array_index(Seat::F)].who, Occupant::human);
    }
    EXPECT_EQ(w.leaks, 0);
    EXPECT_GT(w.named, 6 * 36);
    // The journal: one entry per call that changed the table, numbered from 0.
    for (std::size_t i = 0; i < w.journal.size(); ++i) EXPECT_EQ(w.journal[i].sequence, i);
    EXPECT_TRUE(w.closed.empty());
}

// A started table: the host at A, a player at C, a spectator, the others the
// computer's; a connected human is asked.
struct Started : World {
    std::string code;
    Connection host = 0, player = 0, watcher = 0, mover = 0, other = 0;
    Started() {
        std::tie(code, host) = open(Create{"钟离云", {}, game::Level::classic, 0});
        player = joins(code, Seat::C);
        watcher = joins(code, std::nullopt, "看客");
        send(host, Start{});
        play(code, 100, [&] { return asked(code) && table(code).state().ask != game::Ask::shuffle; });
        mover = *asked(code);
        other = mover == host ? player : host;
    }
};

TEST(Lobby, EveryRefusalHasItsCodeAndChangesNothing) {
    Started w;
    const Table& t = w.table(w.code);
    const std::int64_t version = static_cast<std::int64_t>(t.version());
    // A card the asked seat does not hold.
    const Seat theirs = game::next_seat(w.seat_of.at(w.mover));
    const game::Decision foreign = game::Decision::play({t.state().hands[theirs][0]});
    const std::string rules = R"("rules":{"threes":true,"smother":false,"points":false,"tributes":true})";
    struct Row {
        const char* what;
        std::function<Connection()> from;
        std::string text;
        ErrorCode code;
        std::string field;
        bool binary = false;
    };
    auto fresh = [&] { return w.hello(); };
    auto unhello = [&] { return w.connect(); };
    auto mover = [&] { return w.mover; };
    auto other = [&] { return w.other; };
    auto watcher = [&] { return w.watcher; };
    const std::vector<Row> rows{
        {"before hello", unhello, encode(Sit{Seat::B}), ErrorCode::not_now, ""},
        {"hello twice", mover, encode(Hello{}), ErrorCode::not_now, ""},
        {"another protocol", unhello, encode(Hello{2}), ErrorCode::protocol_version, "protocol"},
        {"no such table", fresh, encode(Join{"2222222222", "x"}), ErrorCode::unknown_table, "code"},
        {"seat taken", watcher, encode(Sit{Seat::A}), ErrorCode::seat_taken, "seat"},
        {"bad token", fresh, encode(Rejoin{w.code, std::string(32, '0')}), ErrorCode::bad_token, "token"},
        {"an old version", mover, encode(Decide{foreign, version - 1}), ErrorCode::stale_version, "version"},
        {"not asked", other, encode(Decide{game::Decision::pass(), version}), ErrorCode::not_now, ""},
        {"a spectator decides", watcher, encode(Decide{game::Decision::pass(), version}), ErrorCode::not_now, ""},
        {"start by another", [&] { return w.player; }, encode(Start{}), ErrorCode::not_now, ""},
        {"a second table", watcher, encode(Join{w.code, "x"}), ErrorCode::not_now, ""},
        {"chat from nowhere", fresh, encode(Say{"hi"}), ErrorCode::not_now, ""},
        {"against the rules", mover, encode(Decide{foreign, version}), ErrorCode::refused, ""},
        {"too long", fresh, R"({"type":"chat","text":")" + std::string(5000, 'x') + "\"}", ErrorCode::too_long, ""},
        {"binary", fresh, encode(Hello{}), ErrorCode::not_json, "", true},
        {"not json", fresh, "{", ErrorCode::not_json, ""},
        {"not an object", fresh, "[]", ErrorCode::not_object, ""},
        {"unknown type", fresh, R"({"type":"fold"})", ErrorCode::unknown_type, "type"},
        {"missing field", fresh, R"({"type":"sit"})", ErrorCode::missing_field, "seat"},
        {"wrong type", fresh, R"({"type":"sit","seat":1})", ErrorCode::wrong_type, "seat"},
        {"out of bounds", fresh, R"({"type":"create","name":"x",)" + rules + R"(,"level":"thumb","seconds":3})",
         ErrorCode::out_of_bounds, "level"},
        {"unknown field", fresh, R"({"type":"start","now":true})", ErrorCode::unknown_field, "now"},
        {"repeated field", fresh, R"({"type":"sit","seat":"B","seat":"C"})", ErrorCode::repeated_field, "seat"},
    };
    std::set<ErrorCode> reached;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Connection c = row.from();
        const game::State before = t.state();
        const std::size_t journal = w.journal.size();
        const std::size_t got = w.inbox[c].size();
        w.raw(c, row.text, row.binary);
        ASSERT_EQ(w.inbox[c].size(), got + 1);
        const Error* e = std::get_if<Error>(&w.inbox[c].back());
        ASSERT_TRUE(e);
        EXPECT_EQ(code_name(e->code), code_name(row.code)) << e->message;
        EXPECT_EQ(e->field, row.field);
        EXPECT_NE(e->message, "");
        reached.insert(e->code);
        EXPECT_EQ(t.version(), static_cast<std::uint64_t>(version));
        test::expect_same(t.state(), before);
        EXPECT_EQ(w.journal.size(), journal);
        EXPECT_EQ(w.closed.contains(c), row.code == ErrorCode::protocol_version);
    }
    EXPECT_EQ(reached.size() + 1, static_cast<std::size_t>(ErrorCode::rate_limited) + 1);  // the next test's
    // After all that, the player decides as asked.
    w.decide(w.mover, w.code);
    EXPECT_EQ(w.leaks, 0);
}

TEST(Lobby, LimitsAnswerAndPastTheRefusalsCloseTheConnection) {
    Started w;
    auto errors = [&](Connection c, ErrorCode code) {
        int n = 0;
        for (const ServerMessage& m : w.inbox[c])
            if (const auto* e = std::get_if<Error>(&m)) n += e->code == code ? 1 : 0;
        return n;
    };
    // Messages: a burst of 40, then 20 a second.
    const Connection quick = w.hello();  // one taken
    for (int i = 0; i < 39; ++i) w.send(quick, Start{});
    EXPECT_EQ(errors(quick, ErrorCode::rate_limited), 0);
    w.send(quick, Start{});
    EXPECT_EQ(errors(quick, ErrorCode::rate_limited), 1);
    w.now += 1s;
    for (int i = 0; i < 20; ++i) w.send(quick, Start{});
    EXPECT_EQ(errors(quick, ErrorCode::rate_limited), 1);
    w.send(quick, Start{});
    EXPECT_EQ(errors(quick, ErrorCode::rate_limited), 2);
    // Chat: five lines at once, then one a second.
    const int heard = w.count<ChatLine>(w.watcher);
    for (int i = 0; i < 6; ++i) w.send(w.player, Say{"快点"});
    EXPECT_EQ(w.count<ChatLine>(w.watcher), heard + 5);
    EXPECT_EQ(errors(w.player, ErrorCode::rate_limited), 1);
    w.now += 1s;
    w.send(w.player, Say{"好"});
    EXPECT_EQ(w.count<ChatLine>(w.watcher), heard + 6);
    // Refusals by the rules never close a connection, however many.
    for (int i = 0; i < 30; ++i) {
        w.now += 100ms;
        w.send(w.other, Decide{game::Decision::pass(), 0});
    }
    EXPECT_FALSE(w.closed.contains(w.other));
    // Malformed messages: ten in the window are answered; past them, 1008.
    w.now += 60s;  // the chat line refused above has left the window
    for (int i = 0; i < 10; ++i) w.raw(w.player, "{");
    w.now += 60s;  // the first ten have left the window
    for (int i = 0; i < 10; ++i) w.raw(w.player, "{");
    EXPECT_FALSE(w.closed.contains(w.player));
    w.raw(w.player, "[]");
    ASSERT_TRUE(w.closed.contains(w.player));
    EXPECT_EQ(w.closed.at(w.player), 1008);
    // Closing, it is read no more; gone, its seat is the computer's for its player.
    const std::size_t got = w.inbox[w.player].size();
    w.send(w.player, Say{"还在吗"});
    EXPECT_EQ(w.inbox[w.player].size(), got);
    w.drop(w.player);
    EXPECT_EQ(w.last<TableInfo>(w.watcher)->seats[game::index_of(Seat::C)].who, Occupant::dropped);
    EXPECT_EQ(w.leaks, 0);
}

TEST(Lobby, ChatReachesTheTableButNotWhoMutedTheSpeaker) {
    World w;
    const auto [code, host] = w.open(Create{"钟离云", {}, game::Level::strong, 0});
    const Connection player = w.joins(code, Seat::B, "柳烟");
    const Connection watcher = w.joins(code, std::nullopt, "看客");
    const Connection elsewhere = w.open(Create{"路人", {}, game::Level::classic, 0}).second;
    const std::vector<Connection> all{host, player, watcher, elsewhere};
    struct Row {
        const char* what;
        Connection from;
        std::optional<Mute> mute;  // sent by `player` first
        std::optional<Seat> seat;  // on the line
        std::set<Connection> hear;
    };
    const std::vector<Row> rows{
        {"a seated player's line", host, std::nullopt, Seat::A, {host, player, watcher}},
        {"muted by one", host, Mute{Seat::A, true}, Seat::A, {host, watcher}},
        {"another seat is still heard", player, std::nullopt, Seat::B, {host, player, watcher}},
        {"a spectator's line has no seat, and no mute stops it",
         watcher,
         Mute{Seat::B, true},
         std::nullopt,
         {host, player, watcher}},
        {"unmuted", host, Mute{Seat::A, false}, Seat::A, {host, player, watcher}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.mute) w.send(player, *row.mute);
        std::map<Connection, int> before;
        for (Connection c : all) before[c] = w.count<ChatLine>(c);
        w.now += 2s;
        w.send(row.from, Say{"好牌"});
        for (Connection c : all) {
            EXPECT_EQ(w.count<ChatLine>(c), before[c] + (row.hear.contains(c) ? 1 : 0)) << c;
            if (!row.hear.contains(c)) continue;
            const ChatLine* line = w.last<ChatLine>(c);
            EXPECT_EQ(line->seat, row.seat);
            EXPECT_EQ(line->name, row.from == host ? "钟离云" : row.from == player ? "柳烟" : "看客");
            EXPECT_EQ(line->text, "好牌");
        }
    }
}

// Several tables played through the lobby, under different rules, with a
// time limit run out, a drop and a rejoin.
struct Played : World {
    struct Made {
        std::string code;
        std::vector<Connection> players;
    };
    std::vector<Made> made;
    std::map<Connection, std::string> tokens;

    Played() : World({}, 21) {
        const std::vector<Create> rules{{"甲", {true, false, false, true}, game::Level::classic, 0},
                                        {"乙", {false, true, true, true}, game::Level::strong, 0},
                                        {"丙", {true, true, false, false}, game::Level::classic, 5}};
        for (const Create& r : rules) {
            auto [code, host] = open(r);
            made.push_back({code, {host, joins(code, Seat::D)}});
            joins(code, std::nullopt, "看客");
            send(host, Start{});
        }
        for (const Made& m : made)
            for (Connection c : m.players) tokens[c] = last<Seated>(c)->token;
        // Players decide; on the timed table the host lets its time run out once.
        for (int round = 0; round < 3; ++round)
            for (const Made& m : made) play(m.code, 60);
        Made& timed = made[2];
        play(timed.code, 200, [&] { return asked(timed.code).has_value(); });
        // Someone coming to watch 3.5 s into the 5 s is told 2 s are left (rounded up).
        now += 3500ms;
        const Connection late = joins(timed.code, std::nullopt, "迟到");
        EXPECT_EQ(last<AskSeat>(late)->seconds_left, 2);
        const std::uint64_t before = table(timed.code).version();
        tick(2s);
        EXPECT_GT(table(timed.code).version(), before);
        // A drop and a rejoin on a new connection.
        drop(made[0].players[1]);
        play(made[0].code, 40);
        const Connection back = hello();
        send(back, Rejoin{made[0].code, tokens[made[0].players[1]]});
        EXPECT_TRUE(last<Seated>(back));
        tokens[back] = tokens[made[0].players[1]];
        made[0].players[1] = back;
        for (const Made& m : made) play(m.code, 60);
    }
};

// A table brought back by a restart at `at`: the game exactly as it was,
// every seat a player was at (or that still waited for one) waiting for its
// player through the hold, with no clock running; the others as they were.
void expect_restarted(const Table& was, const Table& back, Time at) {
    const Time hold = LobbyOptions{}.restart_hold;
    EXPECT_EQ(was.version(), back.version());
    EXPECT_EQ(was.started(), back.started());
    EXPECT_EQ(back.deadline(), std::nullopt);
    test::expect_same(was.state(), back.state());
    for (Seat s : game::kAllSeats) {
        SCOPED_TRACE(game::letter_of(s));
        const SeatHolder &a = was.holder(s), &b = back.holder(s);
        const bool waits = a.holder == Holder::human || a.held_until;
        EXPECT_EQ(b.holder, waits ? Holder::dropped : a.holder);
        EXPECT_EQ(b.held_until, waits ? std::optional(at + hold) : a.held_until);
        EXPECT_EQ(b.dropped_at, waits ? at : a.dropped_at);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.token, b.token);
        EXPECT_EQ(a.rejoins, b.rejoins);
    }
}

// The tables of a lobby as they are now, to compare with later.
std::map<std::string, Table> tables_of(const World& w, const std::vector<JournalEntry>& journal) {
    std::map<std::string, Table> out;
    for (const JournalEntry& e : journal)
        if (const Table* t = w.lobby.find(e.table)) out.try_emplace(e.table, *t);
    return out;
}

std::vector<JournalEntry> joined(std::vector<JournalEntry> a, const std::vector<JournalEntry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Lobby, TablesComeBackFromTheirJournalsAndPlayOn) {
    Played w;
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(w.leaks, 0);
    // The server dies; the tables come back as they were, their seats waiting for their players.
    const std::vector<JournalEntry> kept = w.journal;
    for (const char* kind : {"create", "watch", "sit", "start", "decide", "tick", "drop", "rejoin"})
        EXPECT_TRUE(std::ranges::any_of(kept, [&](const JournalEntry& e) {
            return e.text.find("\"k\":\"" + std::string(kind) + "\"") != std::string::npos;
        })) << kind;
    const std::map<std::string, Table> was = tables_of(w, kept);
    World again({}, 99);
    again.now = w.now + 5s;
    const Time restart = again.now, hold = LobbyOptions{}.restart_hold;
    const Lobby::Restored restored = again.lobby.restore(kept, restart);
    EXPECT_EQ(restored.error, "");
    EXPECT_EQ(restored.tables, w.made.size());
    EXPECT_EQ(again.lobby.tables(), w.made.size());
    for (const auto& m : w.made) {
        SCOPED_TRACE(m.code);
        ASSERT_TRUE(again.lobby.find(m.code));
        expect_restarted(was.at(m.code), again.table(m.code), restart);
        // Each table waits on a player, the timed one too: nothing may move in the hold.
        const std::optional<Seat> asked = game::current_seat(again.table(m.code).state());
        ASSERT_TRUE(asked && again.table(m.code).holder(*asked).held_until);
    }
    auto versions = [&] {
        std::map<std::string, std::uint64_t> v;
        for (const auto& m : w.made) v[m.code] = again.table(m.code).version();
        return v;
    };
    const std::map<std::string, std::uint64_t> at_restart = versions();
    for (int i = 0; i < 30; ++i) again.tick(1s);
    EXPECT_EQ(versions(), at_restart);
    // The asked players of the first two tables come back with their tokens
    // on connections numbered above any the journal holds, and find their
    // tables as they were; the comeback is not counted among their rejoins.
    // The second table's decides itself at once, the first's takes its time.
    std::vector<Connection> back;
    for (const auto& m : {w.made[0], w.made[1]}) {
        SCOPED_TRACE(m.code);
        const Seat asked = *game::current_seat(again.table(m.code).state());
        const auto player = std::ranges::find_if(m.players, [&](Connection c) { return w.seat_of.at(c) == asked; });
        ASSERT_NE(player, m.players.end());
        const Connection c = again.hello();
        for (const JournalEntry& e : w.journal)
            EXPECT_EQ(e.text.find("\"c\":" + std::to_string(c) + ","), std::string::npos);
        again.truth[m.code] = w.truth[m.code];
        again.send(c, Rejoin{m.code, w.tokens.at(*player)});
        ASSERT_TRUE(again.last<SeatSnapshot>(c));
        EXPECT_EQ(again.last<SeatSnapshot>(c)->version, static_cast<std::int64_t>(was.at(m.code).version()));
        EXPECT_EQ(again.table(m.code).holder(asked).rejoins, was.at(m.code).holder(asked).rejoins);
        EXPECT_EQ(again.table(m.code).holder(asked).held_until, std::nullopt);
        EXPECT_EQ(again.asked(m.code), c);
        back.push_back(c);
    }
    const std::string code = w.made[1].code;
    again.decide(back[1], code);
    ASSERT_FALSE(HasFatalFailure());
    // A second restart in the hold rebuilds every table exactly, and holds its seats again from then.
    const std::vector<JournalEntry> in_hold = joined(joined(kept, restored.journal), again.journal);
    World third({}, 5);
    third.now = again.now + 1s;
    EXPECT_EQ(third.lobby.restore(in_hold, third.now).error, "");
    for (const auto& m : w.made) expect_restarted(again.table(m.code), third.table(m.code), third.now);
    // Nobody else comes back: the hold ends and the computer plays the seats
    // when asked (the first table still waits for its player, who is back),
    // and their tokens keep the grace from the restart.
    const std::map<std::string, std::uint64_t> in_the_hold = versions();
    while (again.now + 1s < restart + hold) again.tick(1s);
    EXPECT_EQ(versions(), in_the_hold);
    again.tick(1s);
    for (const auto& m : w.made) {
        SCOPED_TRACE(m.code);
        if (m.code == w.made[0].code)
            EXPECT_EQ(again.table(m.code).version(), in_the_hold.at(m.code));
        else
            EXPECT_GT(again.table(m.code).version(), in_the_hold.at(m.code));
        for (Seat s : game::kAllSeats) {
            const SeatHolder& h = again.table(m.code).holder(s);
            EXPECT_EQ(h.held_until, std::nullopt);
            if (h.holder == Holder::dropped) {
                EXPECT_EQ(h.dropped_at, restart);
            }
        }
    }
    // A restart after the hold rebuilds the tables exactly too.
    const std::vector<JournalEntry> after_hold = joined(joined(kept, restored.journal), again.journal);
    World fourth({}, 6);
    EXPECT_EQ(fourth.lobby.restore(after_hold, again.now).error, "");
    for (const auto& m : w.made) expect_restarted(again.table(m.code), fourth.table(m.code), again.now);
    // The player who came back plays on.
    const std::uint64_t before = again.table(code).version();
    again.play(code, 100);
    EXPECT_GT(again.table(code).version(), before + 20);
    EXPECT_GT(again.count<StepEvents>(back[1]), 0);
    EXPECT_EQ(again.leaks, 0);
}

// Messages at random, whole or with bytes changed, from connections that
// come and go: every answer decodes, no card leaks, nothing throws, and the
// journal of all that still rebuilds every table exactly.
TEST(Lobby, RandomFramesNeitherBreakTheLobbyNorItsJournal) {
    Started w;
    std::mt19937_64 rng(17);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    std::vector<Connection> pool{w.host, w.player, w.watcher, w.hello(), w.hello()};
    for (int i = 0; i < 4000; ++i) {
        const Table* t = w.lobby.find(w.code);
        ASSERT_TRUE(t);
        const auto version = static_cast<std::int64_t>(t->version()) - static_cast<std::int64_t>(pick(2));
        std::vector<game::Decision> legal = game::legal_decisions(t->state());
        const std::vector<ClientMessage> messages{Hello{},
                                                  Create{"新", {}, game::Level::classic, 5},
                                                  Join{w.code, "又来"},
                                                  Sit{game::kAllSeats[pick(6)]},
                                                  Start{},
                                                  Decide{legal[pick(legal.size())], version},
                                                  Say{"哈"},
                                                  Rejoin{w.code, std::string(32, "0af"[pick(3)])},
                                                  Leave{},
                                                  Mute{game::kAllSeats[pick(6)], pick(2) == 0}};
        std::string text = encode(messages[pick(messages.size())]);
        if (legal[0].move == game::Move::shuffle) text = encode(Decide{{game::Move::shuffle, {}}, version});
        for (std::size_t bytes = pick(4); bytes > 0 && !text.empty(); --bytes)
            text[pick(text.size())] = static_cast<char>(rng());
        Connection& c = pool[pick(pool.size())];
        if (w.closed.contains(c) || pick(200) == 0) {
            w.drop(c);
            c = w.hello();
        }
        w.now += 20ms;
        w.raw(c, text, pick(100) == 0);
        if (pick(25) == 0) w.tick(1s);
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(w.leaks, 0);
    World again({}, 2);
    EXPECT_EQ(again.lobby.restore(w.journal, w.now).error, "");
    std::set<std::string> codes;
    for (const JournalEntry& e : w.journal) codes.insert(e.table);
    EXPECT_GT(codes.size(), 1u);  // tables made at random too
    EXPECT_GT(w.table(w.code).version(), 100u);
    for (const std::string& code : codes) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(again.lobby.find(code));
        expect_restarted(w.table(code), again.table(code), w.now);
    }
}

TEST(Lobby, ADamagedJournalIsReportedAndOnlyItsTableLeftOut) {
    Played w;
    ASSERT_FALSE(HasFatalFailure());
    const std::string damaged = w.made[1].code;
    std::vector<std::size_t> at;  // the damaged table's entries
    for (std::size_t i = 0; i < w.journal.size(); ++i)
        if (w.journal[i].table == damaged) at.push_back(i);
    ASSERT_GT(at.size(), 10u);
    auto replace = [](std::string text, const std::string& from, const std::string& to) {
        const std::size_t p = text.find(from);
        return p == std::string::npos ? text : text.replace(p, from.size(), to);
    };
    struct Row {
        const char* what;
        std::function<void(std::vector<JournalEntry>&)> damage;
        std::string says;  // in the error, after the table's code
    };
    const std::vector<Row> rows{
        {"not JSON", [&](auto& j) { j[at[5]].text = "{\"k\":"; }, "entry 5: not JSON"},
        {"a gap", [&](auto& j) { j.erase(j.begin() + static_cast<long>(at[6])); }, "entry 6: sequence 7 out of order"},
        {"an unknown call", [&](auto& j) { j[at[4]].text = replace(j[at[4]].text, "\"k\":\"", "\"k\":\"x"); },
         "entry 4: no such call"},
        {"a version that does not come out",
         [&](auto& j) { j[at.back()].text = replace(j[at.back()].text, "\"v\":", "\"v\":1"); },
         "entry " + std::to_string(at.size() - 1) + ": version"},
        {"no making first", [&](auto& j) { j.erase(j.begin() + static_cast<long>(at[0])); }, "entry 0:"},
        {"randomness missing",
         [&](auto& j) {
             for (std::size_t i : at)
                 if (j[i].text.find("\"k\":\"sit\"") != std::string::npos) {
                     j[i].text = replace(j[i].text, "\"e\":[", "\"e\":[1,");
                     return;
                 }
         },
         "randomness drawn differs"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<JournalEntry> journal = w.journal;
        row.damage(journal);
        World again({}, 7);
        const Lobby::Restored restored = again.lobby.restore(journal, w.now);
        EXPECT_EQ(restored.error.find("table " + damaged + " entry "), 0u) << restored.error;
        EXPECT_NE(restored.error.find(row.says), std::string::npos) << restored.error;
        EXPECT_EQ(restored.tables, w.made.size() - 1);
        EXPECT_FALSE(again.lobby.find(damaged));
        EXPECT_TRUE(again.lobby.find(w.made[0].code));
    }
}

// A deal's record, kept in its compact form, gives back every event exactly:
// whole deals under every combination of the rules.
TEST(Lobby, ADealsRecordGivesBackEveryEventExactly) {
    std::size_t events = 0;
    for (int rules = 0; rules < 16; ++rules) {
        game::State s = test::game_under_rules(rules);
        std::mt19937_64 rng(static_cast<std::uint64_t>(rules));
        game::Events ev;
        for (int step = 0; step < 400; ++step) ASSERT_TRUE(test::autoplay(s, ev, rng));
        EventRecord record;
        for (const game::Event& e : ev.list) record.push(e);
        const std::vector<game::Event> back = record.events();
        ASSERT_EQ(back.size(), ev.list.size());
        for (std::size_t i = 0; i < back.size(); ++i) EXPECT_TRUE(back[i] == ev.list[i]) << rules << " " << i;
        events += back.size();
    }
    EXPECT_GT(events, 16u * 1000);
}

// The longest record a deal may leave still fits in one frame a client reads.
TEST(Lobby, ASnapshotOfAnOverlongDealStaysWithinTheFrameLimit) {
    const Table table({}, 1, entropy(1), Time{0});
    game::Play many;
    for (game::Card c = 1; c <= 40; ++c) many.push(c);
    EventRecord record;
    for (int i = 0; i < 4096; ++i) record.push(game::Played{Seat::B, many, false});
    std::vector<std::string> frames;
    FrameCache cache;
    add_frames({1, Snapshot{}}, "2222222222", table, record, Time{0}, frames, cache);
    ASSERT_EQ(frames.size(), 2u);  // table, snapshot
    EXPECT_LE(frames[1].size(), kMaxServerMessage);
    const Decoded<ServerMessage> d = decode_server(frames[1]);
    ASSERT_TRUE(d.ok()) << d.error.message;
    const std::vector<game::Event>& kept = std::get<SeatSnapshot>(*d.message).record;
    EXPECT_GT(kept.size(), 1000u);
    EXPECT_LT(kept.size(), record.size());
}

// Table codes: ten characters of the alphabet, drawn five bits at a time
// with the bits past the alphabet thrown back; never two open tables alike.
TEST(Lobby, TableCodesAreDrawnFairlyAndNeverRepeated) {
    auto repeat = [](std::uint64_t chunk) {
        std::uint64_t w = 0;
        for (int i = 0; i < 12; ++i) w |= chunk << (5 * i);
        return w;
    };
    struct Row {
        const char* what;
        std::vector<std::uint64_t> words;  // then zeros for ever
        std::string first, second;         // the codes made; empty: refused
        std::size_t most_tables = 10;
    };
    const std::vector<Row> rows{
        {"a generator stuck at zero makes one table", {}, "2222222222", ""},
        {"31s thrown back", {repeat(31), 1}, "3222222222", "2222222222"},
        {"30s thrown back", {repeat(30), 29}, "Z222222222", "2222222222"},
        {"no room for a second table", {7}, "9222222222", "", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        LobbyOptions o;
        o.most_tables = row.most_tables;
        World w(o, [words = row.words, i = std::size_t{0}]() mutable { return i < words.size() ? words[i++] : 0; });
        for (const std::string& expected : {row.first, row.second}) {
            const Connection c = w.hello();
            w.send(c, Create{"x", {}, game::Level::classic, 0});
            if (expected.empty()) {
                ASSERT_TRUE(w.last<Error>(c));
                EXPECT_EQ(w.last<Error>(c)->message, refusal::kNoRoomForTables);
            } else {
                ASSERT_TRUE(w.last<TableInfo>(c));
                EXPECT_EQ(w.last<TableInfo>(c)->code, expected);
            }
        }
    }
}

}  // namespace
}  // namespace tav::net
