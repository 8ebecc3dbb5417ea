// Clients that know a table only from the server's messages: a lobby's table
// played to its end, each connection's mirror fed the frames the lobby sends
// it, decoded as a client decodes them. After every call each mirror's game is
// the game as its seat may know it, its seat's choices are the gate's on the
// real game, and the humans play the bot's picks, which the lobby must take.
// Players who drop and come back rebuild the deal from the snapshot and agree
// from there on.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "model/observation.h"
#include "net/bot.h"
#include "net/lobby.h"
#include "net/mirror.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"
#include "tests/net/net_support.h"

namespace tav::net {
namespace {

using game::Seat;
using game::State;

// The game as a mirror should know it: the seat's own view of the real game,
// with what no event shows taken from the mirror (never read by the gate).
// `rebuilt`: the mirror was rebuilt from a snapshot; `stood_in`: in this deal
// the computer decided for a connected player whose time ran out.
State expected_known(const State& real, std::optional<Seat> seat, bool rebuilt, bool stood_in, const State& mine) {
    State e = seat ? game::known_to(real, *seat) : game::known_to(game::known_to(real, Seat::A), Seat::B);
    e.fours_mark = mine.fours_mark;  // set by the fours of hands being dealt
    if (e.phase == game::Phase::tribute || (rebuilt && e.phase == game::Phase::between_deals))
        e.first_leader = mine.first_leader;  // until the first lead
    if (e.rules.smother && e.phase == game::Phase::play)
        for (int slot = 1; slot <= 6; ++slot)
            e.ledger[static_cast<std::size_t>(slot)] = mine.ledger[static_cast<std::size_t>(slot)];
    if (rebuilt || stood_in) {
        // No event says which decisions the computer made for a player (the
        // record not even for a player who had dropped): such a return marks
        // its cards traded, such a pass counts towards the trick's end.
        e.traded = mine.traded;
        e.trick.passes = mine.trick.passes;
    }
    if (rebuilt) {
        // A seat given up or taken in this deal changes hands at the next;
        // the mirror learns it where its steps and the server's asks part.
        if (e.phase != game::Phase::between_deals) e.human = mine.human;
        // The way the last challenge before the record began was answered.
        if (!e.trick.challenge) e.trick.answer = mine.trick.answer;
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
    bool rebuilt = false;
};

// A lobby holding one table, made by a connection that watches it; each
// connection's mirror is fed the frames the lobby sends it, and humans play
// the bot's picks through `decide` frames.
struct Game : World {
    std::mt19937_64 rng;
    std::string code;
    Connection host = 0;
    std::map<Connection, Client> clients;
    int deals = 0, asked_compared = 0;
    std::optional<Connection> deaf;  // misses what it is sent
    bool stood_in = false;           // in this deal

    Game(const game::Rules& r, std::uint64_t seed, int seconds = 0) : World(test::unhurried(), seed), rng(seed) {
        host = hello();
        clients[host];
        send(host, Create{"东家", {r.threes, r.smother, r.points, r.tributes}, game::Level::classic, seconds});
        if (const auto& t = clients[host].mirror.table()) code = t->code;
        EXPECT_TRUE(lobby.find(code));
        truth[code] = {};
        compare();
    }
    const Table& table() const { return World::table(code); }
    std::optional<Connection> asked() const { return World::asked(code); }

    void read(const Frame& f, const ServerMessage& m) override {
        EXPECT_FALSE(std::holds_alternative<Error>(m)) << f.text;
        if (const auto* step = std::get_if<StepEvents>(&m); step && f.to == host)
            for (const game::Event& e : step->events) {
                deals += std::holds_alternative<game::DealOver>(e) ? 1 : 0;
                if (std::holds_alternative<game::Shuffling>(e)) stood_in = false;
            }
        if (f.to == deaf || !clients.contains(f.to)) return;
        SeatMirror& mirror = clients[f.to].mirror;
        mirror.apply(m);
        if (mirror.seat() == Seat::A) damaged(m, mirror);
    }
    void called() override { compare(); }
    // A mirror fed seat A's messages with one event in five lost: it must
    // say it lost step, and a snapshot must set it right.
    SeatMirror stray;
    int stray_events = 0, stray_lost = 0;
    void damaged(ServerMessage m, const SeatMirror& sound) {
        if (auto* step = std::get_if<StepEvents>(&m))
            std::erase_if(step->events, [this](const game::Event&) { return ++stray_events % 5 == 0; });
        const bool snapshot = std::holds_alternative<SeatSnapshot>(m);
        stray_lost += snapshot && !stray.in_step() ? 1 : 0;
        stray.apply(m);
        if (snapshot) {
            EXPECT_TRUE(stray.in_step());
            test::expect_same(stray.known(), sound.known());
        }
    }
    void compare() {
        if (code.empty()) return;  // the table is being made
        const State& real = table().state();
        for (auto& [c, client] : clients) {
            if (c == deaf) continue;
            SCOPED_TRACE("connection " + std::to_string(c) + " at version " + std::to_string(table().version()));
            const SeatMirror& m = client.mirror;
            const std::optional<Seat> seat = m.seat() && !table().holder(*m.seat()).next_deal ? m.seat() : std::nullopt;
            EXPECT_TRUE(m.in_step());  // fed every frame, a mirror never loses step
            EXPECT_EQ(m.version(), static_cast<std::int64_t>(table().version()));
            test::expect_same(m.known(), expected_known(real, seat, client.rebuilt, stood_in, m.known()));
            EXPECT_EQ(game::current_seat(m.known()), game::current_seat(real));
            if (seat && game::current_seat(real) == seat && real.ask != game::Ask::shuffle) {
                EXPECT_EQ(game::legal_decisions(m.known()), game::legal_decisions(real));
                ++asked_compared;
            }
        }
    }
    // A newcomer comes to watch, then sits (from a snapshot in the middle of a deal).
    void sit(Seat s) {
        const Connection c = hello();
        clients[c].rebuilt = table().state().phase != game::Phase::between_deals;
        send(c, Join{code, "玩家" + std::to_string(c)});
        send(c, Sit{s});
    }
    void start() { send(host, Start{}); }
    // One call: the asked human's bot decides, which the table must take, or time passes.
    void step() {
        const std::optional<Connection> c = asked();
        if (!c) {
            tick(std::chrono::seconds(1));
            return;
        }
        const std::optional<Decide> pick = bot_decision(clients.at(*c).mirror, rng);
        ASSERT_TRUE(pick.has_value()) << "the bot at connection " << *c << " was not asked";
        const std::uint64_t before = table().version();
        send(*c, *pick);
        EXPECT_GT(table().version(), before);
    }
    // The player at `c` drops and comes back with its token on a new
    // connection, its mirror with it.
    void drop_and_rejoin(Connection c) {
        Client client = std::move(clients.at(c));
        client.rebuilt = true;
        clients.erase(c);
        drop(c);
        const Connection back = hello();
        const std::string token = client.mirror.token();
        clients[back] = std::move(client);
        send(back, Rejoin{code, token});
    }
    void leave(Connection c) {
        clients.erase(c);
        send(c, Leave{});
        drop(c);
    }
    // The player asked takes too long: the computer decides for it this once.
    void run_out_of_time() {
        stood_in = true;
        const std::uint64_t version = table().version();
        tick(std::chrono::seconds(table().options().seconds_per_decision));
        EXPECT_GT(table().version(), version);
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
            for (Seat s : humans) g.sit(s);
            g.start();
            for (int calls = 0; g.deals < 3 && !testing::Test::HasFailure(); ++calls) {
                ASSERT_LT(calls, 100000);
                g.step();
            }
            if (testing::Test::HasFailure()) return;
            asked += g.asked_compared;
        }
    EXPECT_GT(asked, 1000);
}

// Players drop and come back (their mirror set right by the snapshot, even
// one that missed a message), or run out of time and the computer decides
// for them: every mirror still agrees.
TEST(Mirror, MirrorsAgreeThroughDropsRejoinsAndTimeOuts) {
    // Under every tribute, so that players come back in the middle of the
    // tributes as well as of the tricks and between deals.
    Game g({.smother = true, .points = true}, 5, 30);
    // Computer seats in play too, so a player's pass and the computer's count differently.
    for (Seat s : {Seat::A, Seat::B, Seat::C, Seat::E}) g.sit(s);
    g.start();
    std::map<game::Ask, int> came_back;
    int timed_out = 0, missed = 0, changed_hands = 0;
    for (int calls = 0; g.deals < 5 && !testing::Test::HasFailure(); ++calls) {
        ASSERT_LT(calls, 100000);
        const std::optional<Connection> c = g.asked();
        if (!c) {
            g.step();
            continue;
        }
        std::vector<Connection> players;
        for (const auto& [k, client] : g.clients)
            if (client.mirror.seat()) players.push_back(k);
        const Connection other = players[static_cast<std::size_t>(calls) % players.size()];
        // Now and then the player asked, or another, drops and comes back;
        // each time a tribute is to be returned or taken, for a while.
        const game::Ask ask = g.table().state().ask;
        // Once, in the middle of a deal, a player gives up its seat and
        // another sits at a computer's: both change hands at the next deal
        // only, which a mirror rebuilt from a snapshot learns from the asks.
        // Once more in the middle of the tributes.
        const auto change_hands = [&](Seat leaving, Seat taken, Seat back) {
            ++changed_hands;
            g.leave(g.table().holder(leaving).connection);
            g.sit(taken);
            g.drop_and_rejoin(g.table().holder(back).connection);
        };
        if (calls >= 150 && g.table().holder(Seat::C).holder == Holder::human && ask == game::Ask::follow) {
            change_hands(Seat::C, Seat::D, Seat::A);
            continue;
        }
        if (g.deals >= 2 && g.table().holder(Seat::E).holder == Holder::human && ask == game::Ask::return_tribute) {
            change_hands(Seat::E, Seat::F, Seat::B);
            continue;
        }
        const bool tribute = ask == game::Ask::return_tribute || ask == game::Ask::take_partner_tribute;
        if (calls % 23 == 0 || (tribute && came_back[ask] < 10)) {
            ++came_back[ask];
            g.drop_and_rejoin(calls % 2 == 0 ? *c : other);
        } else if (calls % 17 == 0 && g.deals % 2 == 0) {
            // Every other deal only: in the others, whose decision the
            // computer made is known to every mirror not rebuilt.
            ++timed_out;
            g.run_out_of_time();
        } else if (calls % 29 == 0) {
            // A player misses a message, then comes back.
            ++missed;
            g.deaf = other;
            g.step();
            g.deaf.reset();
            g.drop_and_rejoin(other);
        } else {
            g.step();
        }
    }
    EXPECT_GT(came_back[game::Ask::follow] + came_back[game::Ask::follow_or_hold] + came_back[game::Ask::lead], 5);
    EXPECT_GT(came_back[game::Ask::return_tribute] + came_back[game::Ask::take_partner_tribute], 0);
    EXPECT_GT(timed_out, 5);
    EXPECT_GT(missed, 3);
    EXPECT_GT(g.stray_lost, 3);
    EXPECT_EQ(changed_hands, 2);
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
