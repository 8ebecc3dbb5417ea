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

// The events as a spectator sees them: no seat's hand.
std::vector<game::Event> unseated(const std::vector<game::Event>& events) {
    return game::observe(game::observe(events, Seat::A), Seat::B);
}

// The game as a mirror should know it: the seat's own view of the real game,
// with what no event shows taken from the mirror (never read by the gate).
// `rebuilt`: the mirror was rebuilt from a snapshot; `stood_in`: the computer
// decided for a connected player whose time ran out.
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

// A table of the server, its connections' mirrors, and humans playing the bot's picks.
struct Game {
    TableOptions options;
    Table table;
    Time now{0};
    std::mt19937_64 rng;
    std::map<Connection, Client> clients;
    std::map<Connection, Token> tokens;
    std::vector<game::Event> deal;  // the events since the last shuffle, as they happened
    int deals = 0, asked_compared = 0;
    std::optional<Connection> deaf;  // misses what it is sent
    bool stood_in = false;

    Game(const game::Rules& rules, std::uint64_t seed, int seconds = 0)
        : options{.rules = rules, .seconds_per_decision = seconds, .rejoin_cap = 1000},
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
        if (c == deaf) return;
        SeatMirror& mirror = clients[c].mirror;
        mirror.apply(over_the_wire(m));
        if (mirror.seat() == Seat::A) damaged(m, mirror);
    }
    // A mirror fed seat A's messages with one event in five lost: it must
    // say it lost step, and a snapshot must set it right.
    SeatMirror stray;
    int stray_events = 0, stray_lost = 0;
    template <class M>
    void damaged(M m, const SeatMirror& sound) {
        if constexpr (std::is_same_v<M, StepEvents>)
            std::erase_if(m.events, [this](const game::Event&) { return ++stray_events % 5 == 0; });
        if constexpr (std::is_same_v<M, SeatSnapshot>) stray_lost += stray.in_step() ? 0 : 1;
        stray.apply(m);
        if constexpr (std::is_same_v<M, SeatSnapshot>) {
            EXPECT_TRUE(stray.in_step());
            test::expect_same(stray.known(), sound.known());
        }
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
                // A newcomer in the middle of a deal sees it as a spectator does.
                s.record = table.holder(*snap.seat).next_deal ? unseated(deal) : game::observe(deal, *snap.seat);
                send(m.to, s);
            }
            ask(m.to, snap.asking);
        }
        compare();
    }
    void compare() {
        const State& real = table.state();
        for (auto& [c, client] : clients) {
            if (c == deaf) continue;
            SCOPED_TRACE("connection " + std::to_string(c) + " at version " + std::to_string(table.version()));
            const SeatMirror& m = client.mirror;
            const std::optional<Seat> seat = m.seat() && !table.holder(*m.seat()).next_deal ? m.seat() : std::nullopt;
            EXPECT_TRUE(m.in_step());
            EXPECT_EQ(m.version(), static_cast<std::int64_t>(table.version()));
            test::expect_same(m.known(), expected_known(real, seat, client.rebuilt, stood_in, m.known()));
            EXPECT_EQ(game::current_seat(m.known()), game::current_seat(real));
            if (seat && game::current_seat(real) == seat && real.ask != game::Ask::shuffle) {
                EXPECT_EQ(game::legal_decisions(m.known()), game::legal_decisions(real));
                ++asked_compared;
            }
        }
    }
    void sit(Connection c, Seat s) {
        clients[c].rebuilt = table.state().phase != game::Phase::between_deals;  // from the snapshot
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
    // The player at `c` drops and comes back on `back`, its mirror with it.
    void drop_and_rejoin(Connection c, Connection back) {
        Client client = std::move(clients.at(c));
        client.rebuilt = true;
        clients.erase(c);
        deliver(table.drop(c, now));
        clients[back] = std::move(client);
        deliver(table.rejoin(back, tokens.at(c), now));
        tokens[back] = tokens.at(c);
    }
    void leave(Connection c) {
        clients.erase(c);
        deliver(table.leave(c, now));
    }
    // The player asked takes too long: the computer decides for it this once.
    void run_out_of_time() {
        stood_in = true;
        const std::uint64_t version = table.version();
        now += std::chrono::seconds(options.seconds_per_decision);
        deliver(table.tick(now));
        EXPECT_GT(table.version(), version);
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

// Players drop and come back (their mirror set right by the snapshot, even
// one that missed a message), or run out of time and the computer decides
// for them: every mirror still agrees.
TEST(Mirror, MirrorsAgreeThroughDropsRejoinsAndTimeOuts) {
    // Under every tribute, so that players come back in the middle of the
    // tributes as well as of the tricks and between deals.
    Game g({.smother = true, .points = true}, 5, 30);
    g.deliver(g.table.watch(kWatcher, g.now));
    // Computer seats in play too, so a player's pass and the computer's count differently.
    for (Seat s : {Seat::A, Seat::B, Seat::C, Seat::E}) g.sit(1 + game::index_of(s), s);
    g.deliver(g.table.start(kWatcher, g.now));
    std::map<game::Ask, int> came_back;
    int timed_out = 0, missed = 0, changed_hands = 0;
    Connection next = 1000;
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
        const game::Ask ask = g.table.state().ask;
        // Once, in the middle of a deal, a player gives up its seat and
        // another sits at a computer's: both change hands at the next deal
        // only, which a mirror rebuilt from a snapshot learns from the asks.
        // Once more in the middle of the tributes.
        const auto change_hands = [&](Seat leaving, Seat taken, Seat back) {
            ++changed_hands;
            g.leave(g.table.holder(leaving).connection);
            g.sit(next++, taken);
            g.drop_and_rejoin(g.table.holder(back).connection, next++);
        };
        if (calls >= 150 && g.table.holder(Seat::C).holder == Holder::human && ask == game::Ask::follow) {
            change_hands(Seat::C, Seat::D, Seat::A);
            continue;
        }
        if (g.deals >= 2 && g.table.holder(Seat::E).holder == Holder::human && ask == game::Ask::return_tribute) {
            change_hands(Seat::E, Seat::F, Seat::B);
            continue;
        }
        const bool tribute = ask == game::Ask::return_tribute || ask == game::Ask::take_partner_tribute;
        if (calls % 23 == 0 || (tribute && came_back[ask] < 10)) {
            ++came_back[ask];
            g.drop_and_rejoin(calls % 2 == 0 ? *c : other, next++);
        } else if (calls % 17 == 0) {
            ++timed_out;
            g.run_out_of_time();
        } else if (calls % 29 == 0) {
            // A player misses a message, then comes back.
            ++missed;
            g.deaf = other;
            g.step();
            g.deaf.reset();
            g.drop_and_rejoin(other, next++);
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
