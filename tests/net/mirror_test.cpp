// Clients that know a table only from the server's messages: a server's table
// played to its end, every message sent as the wire carries it (encoded, then
// decoded), each connection's mirror fed what that connection is sent. After
// every call each mirror's game is the game as its seat may know it, its
// seat's choices are the gate's on the real game, and the humans play with
// the bot's picks, which the table must take. Players who drop and come back
// rebuild the deal from the snapshot and agree from there on.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "model/observation.h"
#include "net/bot.h"
#include "net/mirror.h"
#include "net/table.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"

namespace tav::net {
namespace {

using game::Seat;
using game::State;

constexpr Connection kWatcher = 100;

template <class M>
M over_the_wire(const M& m) {
    const Decoded<ServerMessage> d = decode_server(encode(ServerMessage{m}));
    EXPECT_TRUE(d.ok()) << d.error.field << ": " << d.error.message;
    return d.ok() ? std::get<M>(*d.message) : m;
}

// The game as a mirror should know it: the seat's own view of the real game,
// with what no event shows taken from the mirror (never read by the gate).
State expected_known(const State& real, std::optional<Seat> seat, bool rejoined, const State& mine) {
    State e = seat ? game::known_to(real, *seat) : game::known_to(game::known_to(real, Seat::A), Seat::B);
    e.fours_mark = mine.fours_mark;  // set by the fours of hands being dealt
    if (e.phase == game::Phase::tribute || (rejoined && e.phase == game::Phase::between_deals))
        e.first_leader = mine.first_leader;  // until the first lead
    if (e.rules.smother && e.phase == game::Phase::play)
        for (int slot = 1; slot <= 6; ++slot)
            e.ledger[static_cast<std::size_t>(slot)] = mine.ledger[static_cast<std::size_t>(slot)];
    if (rejoined) {
        // The way the last challenge before the record began was answered.
        if (!e.trick.challenge) e.trick.answer = mine.trick.answer;
        // The record does not say which decisions the computer made for a
        // player who had dropped: such a return marks its cards traded, and
        // such a pass counts towards the trick's end.
        e.traded = mine.traded;
        e.trick.passes = mine.trick.passes;
        // The debts listed before this deal's record began: the one being
        // settled is checked through the seat asked and what it owes.
        if (e.phase != game::Phase::play) {
            EXPECT_EQ(game::current_seat(mine), game::current_seat(e));
            if (e.ask == game::Ask::return_tribute) {
                EXPECT_EQ(mine.ledger[static_cast<std::size_t>(mine.settling)].count,
                          e.ledger[static_cast<std::size_t>(e.settling)].count);
            }
            e.ledger = mine.ledger;
            e.settling = mine.settling;
        }
    }
    return e;
}

struct Client {
    SeatMirror mirror;
    bool rejoined = false;
};

// A table of the server, its connections' mirrors, and humans playing the bot's picks.
struct Game {
    TableOptions options;
    Table table;
    Time now{0};
    std::mt19937_64 rng;
    std::map<Connection, Client> clients;
    std::map<Connection, Token> tokens;
    std::vector<game::Event> deal;  // the events since the last shuffle, as they happened
    int deals = 0, compared = 0, asked_compared = 0;

    Game(const game::Rules& rules, std::uint64_t seed)
        : options{.rules = rules, .seconds_per_decision = 0, .rejoin_cap = 1000},
          table(
              options, kWatcher, [r = std::mt19937_64(seed)]() mutable { return r(); }, now),
          rng(seed) {}

    TableInfo info(const game::PerSeat<SeatInfo>& seats) const {
        TableInfo t;
        t.code = "K7QXM4TB9C";
        for (Seat s : game::kAllSeats) {
            const Holder h = seats[s].holder;
            t.seats[game::array_index(s)] = {seats[s].name, h == Holder::human     ? Occupant::human
                                                            : h == Holder::dropped ? Occupant::dropped
                                                                                   : Occupant::open};
        }
        t.started = table.started();
        t.rules = {options.rules.threes, options.rules.smother, options.rules.points, options.rules.tributes};
        t.seconds = 0;
        return t;
    }
    template <class M>
    void send(Connection c, const M& m) {
        clients[c].mirror.apply(over_the_wire(m));
    }
    void ask(Connection c, const Asking& a) {
        if (a.seat) send(c, AskSeat{*a.seat, a.ask, static_cast<std::int64_t>(table.version()), 0});
    }
    // What the lobby sends for the table's answer: the seats first (whose
    // seat the computer plays decides how its passes count), then the events.
    void deliver(const Outcome& out) {
        ASSERT_TRUE(out.ok()) << out.refused;
        for (const game::Event& e : table.last_events().list) {
            if (std::holds_alternative<game::Shuffling>(e)) deal.clear();
            deal.push_back(e);
            deals += std::holds_alternative<game::DealOver>(e) ? 1 : 0;
        }
        for (const Message& m : out.messages) {
            if (const auto* u = std::get_if<Update>(&m.payload)) {
                if (u->seats) send(m.to, info(*u->seats));
                // A version that moved with no event (the seats changed
                // between deals) is a step too: decisions name it.
                const auto version = static_cast<std::int64_t>(u->version);
                if (!u->events.empty() || version != clients[m.to].mirror.version())
                    send(m.to, StepEvents{version, u->events});
                ask(m.to, u->asking);
                continue;
            }
            const auto& snap = std::get<Snapshot>(m.payload);
            if (snap.seat) send(m.to, Seated{*snap.seat, std::string(kSeatTokenLength, 'a')});
            send(m.to, info(snap.seats));
            if (snap.seat) {
                SeatSnapshot s;
                s.seat = *snap.seat;
                s.version = static_cast<std::int64_t>(snap.version);
                s.hand = test::pile(snap.hand);
                for (Seat x : game::kAllSeats) {
                    const std::size_t i = game::array_index(x);
                    s.hand_sizes[i] = snap.hand_sizes[x];
                    s.plays[i] = test::pile(snap.plays[x]);
                    s.places[i] = snap.places[x];
                    s.scores[i] = snap.scores[x];
                }
                // The deal so far as the seat saw it, from its shuffle.
                s.record = game::observe(deal, *snap.seat);
                send(m.to, s);
            }
            ask(m.to, snap.asking);
        }
        compare();
    }
    void compare() {
        const State& real = table.state();
        for (auto& [c, client] : clients) {
            SCOPED_TRACE("connection " + std::to_string(c) + " at version " + std::to_string(table.version()));
            const SeatMirror& m = client.mirror;
            const std::optional<Seat> seat = m.seat();
            EXPECT_TRUE(m.in_step());
            EXPECT_EQ(m.version(), static_cast<std::int64_t>(table.version()));
            test::expect_same(m.known(), expected_known(real, seat, client.rejoined, m.known()));
            EXPECT_EQ(game::current_seat(m.known()), game::current_seat(real));
            if (seat && game::current_seat(real) == seat && real.ask != game::Ask::shuffle) {
                EXPECT_EQ(game::legal_decisions(m.known()), game::legal_decisions(real));
                ++asked_compared;
            }
            ++compared;
        }
    }
    void sit(Connection c, Seat s) {
        const Outcome out = table.sit(c, s, "玩家" + std::to_string(c), now);
        ASSERT_TRUE(out.ok()) << out.refused;
        tokens[c] = std::get<Snapshot>(out.messages.at(0).payload).token.value();
        deliver(out);
    }
    // The connection of the human asked, when one is.
    std::optional<Connection> asked() const {
        const std::optional<Seat> seat = table.started() ? game::current_seat(table.state()) : std::nullopt;
        if (!seat || !table.state().human[*seat]) return std::nullopt;
        const SeatHolder& h = table.holder(*seat);
        if (h.holder != Holder::human || h.next_deal) return std::nullopt;
        return h.connection;
    }
    // One call: the asked human's bot decides, through the wire, or time passes.
    void step() {
        const std::optional<Connection> c = asked();
        if (!c) {
            now += std::chrono::seconds(1);
            deliver(table.tick(now));
            return;
        }
        const std::optional<Decide> pick = bot_decision(clients.at(*c).mirror, rng);
        ASSERT_TRUE(pick.has_value()) << "the bot at connection " << *c << " was not asked";
        const Decoded<ClientMessage> d = decode_client(encode(ClientMessage{*pick}));
        ASSERT_TRUE(d.ok());
        const auto& decide = std::get<Decide>(*d.message);
        deliver(table.decide(*c, static_cast<std::uint64_t>(decide.version), decide.decision, now));
    }
    // The player at `c` drops and comes back on `back` with a new mirror.
    void drop_and_rejoin(Connection c, Connection back) {
        clients.erase(c);
        deliver(table.drop(c, now));
        clients[back].rejoined = true;
        deliver(table.rejoin(back, tokens.at(c), now));
        tokens[back] = tokens.at(c);
    }
};

TEST(Mirror, EverySeatsMirrorKnowsWhatItsSeatMayKnowThroughWholeDeals) {
    const std::vector<std::vector<Seat>> seatings = {{},
                                                     {Seat::D},
                                                     {Seat::A, Seat::B, Seat::E},
                                                     {Seat::A, Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}};
    int asked = 0;
    for (int combination = 0; combination < 16; ++combination)
        for (const std::vector<Seat>& humans : seatings) {
            SCOPED_TRACE("rules " + std::to_string(combination) + ", humans " + std::to_string(humans.size()));
            Game g(test::game_under_rules(combination).rules, 40 + static_cast<std::uint64_t>(combination));
            g.deliver(g.table.watch(kWatcher, g.now));
            Connection c = 1;
            for (Seat s : humans) g.sit(c++, s);
            g.deliver(g.table.start(kWatcher, g.now));
            for (int calls = 0; g.deals < 3 && !testing::Test::HasFailure(); ++calls) {
                ASSERT_LT(calls, 100000);
                g.step();
            }
            if (testing::Test::HasFailure()) return;
            asked += g.asked_compared;
        }
    EXPECT_GT(asked, 1000);
}

TEST(Mirror, APlayerWhoDropsAndComesBackAgreesFromTheSnapshotOn) {
    // Under every tribute, so that players come back in the middle of the
    // tributes as well as of the tricks and between deals.
    Game g({.smother = true, .points = true}, 5);
    g.deliver(g.table.watch(kWatcher, g.now));
    for (Seat s : game::kAllSeats) g.sit(1 + game::index_of(s), s);
    g.deliver(g.table.start(kWatcher, g.now));
    std::map<game::Ask, int> came_back;
    Connection next = 10;
    for (int calls = 0; g.deals < 4 && !testing::Test::HasFailure(); ++calls) {
        ASSERT_LT(calls, 100000);
        // Now and then the player asked, or another, drops and comes back;
        // each time a tribute is to be returned or taken, for a while.
        const game::Ask ask = g.table.state().ask;
        const bool tribute = ask == game::Ask::return_tribute || ask == game::Ask::take_partner_tribute;
        if (const std::optional<Connection> c = g.asked(); c && (calls % 23 == 0 || (tribute && came_back[ask] < 10))) {
            std::vector<Connection> players;
            for (const auto& [k, client] : g.clients)
                if (client.mirror.seat()) players.push_back(k);
            const Connection who = calls % 2 == 0 ? *c : players[static_cast<std::size_t>(calls) % players.size()];
            ++came_back[ask];
            g.drop_and_rejoin(who, next++);
            continue;
        }
        g.step();
    }
    EXPECT_GT(came_back[game::Ask::follow] + came_back[game::Ask::lead], 5);
    EXPECT_GT(came_back[game::Ask::return_tribute] + came_back[game::Ask::take_partner_tribute], 0);
}

// The bot asks for the deal with no pack, and picks nothing when its seat is
// not asked or the version has moved on.
TEST(Mirror, TheBotDecidesOnlyWhenItsSeatIsAskedForThisVersion) {
    SeatMirror m;
    std::mt19937_64 rng(1);
    EXPECT_FALSE(bot_decision(m, rng));
    m.apply(Seated{Seat::C, std::string(kSeatTokenLength, 'b')});
    m.apply(AskSeat{Seat::C, game::Ask::shuffle, 4, 0});
    const std::optional<Decide> shuffle = bot_decision(m, rng);
    ASSERT_TRUE(shuffle);
    EXPECT_EQ(shuffle->decision, (game::Decision{game::Move::shuffle, {}}));
    EXPECT_EQ(shuffle->version, 4);
    m.apply(AskSeat{Seat::D, game::Ask::shuffle, 5, 0});
    EXPECT_FALSE(bot_decision(m, rng));
    // Asked to lead by a message, while its game asks nobody: no pick.
    m.apply(AskSeat{Seat::C, game::Ask::lead, 6, 0});
    EXPECT_FALSE(bot_decision(m, rng));
}

}  // namespace
}  // namespace tav::net
