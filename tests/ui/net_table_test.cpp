// The network table in the window: the game turned so the player's seat is
// at the bottom, the address a player types, and a table hosted in the
// program, joined by a second client over loopback and played through.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <algorithm>
#include <array>
#include <bitset>
#include <random>

#include "model/observation.h"
#include "net/bot.h"
#include "net/mirror.h"
#include "rules/engine.h"
#include "rules/gate.h"
#include "session/own_row.h"
#include "session/stand_ins.h"
#include "session/turning.h"
#include "tests/ui/window_support.h"
#include "ui/chat_panel.h"
#include "ui/language.h"
#include "ui/net_client.h"
#include "ui/net_host.h"
#include "ui/net_table.h"

namespace tav::ui {
namespace {

// Runs the event loop until `cond` holds, at most `ms`; otherwise the test
// fails here. (Qt's QTRY macros tell only QTest of a timeout and return
// quietly: under GoogleTest the test would pass.)

using game::Seat;

TEST(NetAddress, WhatAPlayerTypesBecomesAWebSocketAddress) {
    const struct {
        const char* typed;
        const char* url;  // "" for refused
    } cases[] = {
        {"127.0.0.1", "ws://127.0.0.1:47061"},
        {" 127.0.0.1:5000 ", "ws://127.0.0.1:5000"},
        {"ws://localhost", "ws://localhost:47061"},
        {"wss://localhost:443/t", "wss://localhost:443/t"},
        {"[::1]:9", "ws://[::1]:9"},
        {"", ""},
        {"http://host", ""},
        {"two words", ""},
        {"ws://", ""},
    };
    for (const auto& c : cases) {
        const QUrl url = NetClient::address_url(QString::fromUtf8(c.typed), 47061);
        EXPECT_EQ(url.isValid() ? url.toString() : QString(), QString::fromUtf8(c.url)) << c.typed;
    }
}

// Turned so that the seat is A, the game answers every question for the
// seat as it does unturned: who acts, what it may decide, its hand, scores.
TEST(Turning, EverySeatSeesTheSameGameFromTheBottom) {
    for (int combination : {0, 9, 15}) {
        for (Seat local : {Seat::B, Seat::C, Seat::F}) {
            SCOPED_TRACE(testing::Message() << "rules " << combination << " seat " << game::letter_of(local));
            game::State s = test::game_under_rules(combination);
            s.human.v.fill(true);
            std::mt19937_64 rng(17 + combination);
            int asked = 0;
            for (int step = 0; step < 4000 && !(step > 0 && s.phase == game::Phase::between_deals); ++step) {
                const game::State known = game::known_to(s, local);
                const game::State t = turned(known, local);
                EXPECT_EQ(t.hands[Seat::A], known.hands[local]);
                for (Seat x : game::kAllSeats) EXPECT_EQ(t.scores[turned(x, local)], known.scores[x]);
                // (The shuffle is asked of the first human from A: the session
                // asks it by the table's events, not by the turned game.)
                const std::optional<Seat> now = game::current_seat(known);
                if (known.ask != game::Ask::shuffle) {
                    EXPECT_EQ(game::current_seat(t), now ? std::optional(turned(*now, local)) : std::nullopt);
                }
                if (now == local && known.ask != game::Ask::shuffle) {
                    ++asked;
                    EXPECT_EQ(game::legal_decisions(t), game::legal_decisions(known));
                }
                // Turned there and back, nothing is lost.
                test::expect_same(turned(t, game::seat_at(game::kSeats - game::index_of(local))), known);

                game::Events ev;
                if (s.ask == game::Ask::shuffle) {
                    ASSERT_TRUE(host::shuffle(s, ev, rng));
                } else {
                    const std::vector<game::Decision> options = game::legal_decisions(s);
                    ASSERT_FALSE(options.empty());
                    const Seat who = *game::current_seat(s);
                    ASSERT_TRUE(game::apply(s, who, options[rng() % options.size()], ev));
                }
                for (const game::Event& e : ev.list) {
                    const game::Event back = turned(turned(e, local), game::seat_at(-game::index_of(local)));
                    EXPECT_EQ(back, e);
                }
            }
            EXPECT_GT(asked, 0);
        }
    }
    // From B, D or F the side at the bottom is the other one.
    const game::Event swept = game::Swept{true};
    EXPECT_EQ(turned(swept, Seat::C), swept);
    EXPECT_EQ(turned(swept, Seat::D), game::Event(game::Swept{false}));
    const game::Event filed = game::TributeFiled{Seat::B, Seat::E, game::DebtKind::place, 1};
    EXPECT_EQ(turned(filed, Seat::E), game::Event(game::TributeFiled{Seat::D, Seat::A, game::DebtKind::place, 1}));
}

// Every face-down card of another seat is drawn as a picture no other card
// uses, and the pictures each hand holds are the ones drawn there: dealt to
// it, laid out in it, and never one that has left the hand face up.
TEST(StandIns, EachFaceDownCardHasAPictureOfItsOwnWhereItLies) {
    for (int combination : {0, 6, 9, 15}) {
        for (Seat local : game::kAllSeats) {
            SCOPED_TRACE(testing::Message() << "rules " << combination << " seat " << game::letter_of(local));
            game::State s = test::game_under_rules(combination);
            s.human[local] = true;
            std::mt19937_64 rng(3 + combination);
            StandIns pictures;
            // Where each picture was last put: a seat's hand, -1 elsewhere,
            // kHanded in sight where a tribute is handed (the receiver's).
            constexpr int kHanded = -2;
            std::array<int, game::kCards + 1> at{};
            at.fill(-1);
            int deals = 0;
            for (int step = 0; step < 60000 && deals < 8; ++step) {
                game::Events ev;
                if (s.ask == game::Ask::shuffle) {
                    ++deals;
                    ASSERT_TRUE(host::shuffle(s, ev, rng));
                } else {
                    ASSERT_TRUE(host::computer_decides(s, ev));
                }
                std::vector<game::Event> seen;
                for (const game::Event& e : game::observe(ev.list, local)) seen.push_back(turned(e, local));
                for (const game::Event& e : pictures.shown(seen)) {
                    if (std::holds_alternative<game::TableReset>(e)) at.fill(-1);
                    if (const auto* d = std::get_if<game::Dealt>(&e)) {
                        ASSERT_NE(d->card, 0);
                        EXPECT_EQ(at[d->card], -1) << "a picture dealt twice: " << int(d->card);
                        at[d->card] = game::index_of(d->seat);
                    }
                    if (const auto* l = std::get_if<game::LaidOut>(&e))
                        for (game::Card c : l->cards) {
                            ASSERT_NE(c, 0);
                            at[c] = game::index_of(l->seat);
                        }
                    if (const auto* p = std::get_if<game::Played>(&e))
                        for (game::Card c : p->cards) at[c] = -1;
                    if (const auto* t = std::get_if<game::TributeHanded>(&e))
                        for (game::Card c : t->cards) at[c] = kHanded;
                    if (const auto* b = std::get_if<game::ThreeBought>(&e)) {  // traded face up, kept in sight
                        at[b->payment] = game::index_of(b->seller);
                        at[b->three] = game::index_of(b->buyer);
                    }
                }
                const game::State known = turned(game::known_to(s, local), local);
                const game::State shown = pictures.shown(known);
                std::bitset<game::kCards + 1> drawn;
                for (Seat x : game::kAllSeats) {
                    EXPECT_EQ(shown.hands[x].size(), known.hands[x].size()) << game::letter_of(x);
                    for (game::Card c : shown.hands[x]) {
                        EXPECT_FALSE(drawn[c]) << "one picture in two places: " << int(c);
                        drawn.set(c);
                        // The player's own cards are laid out by the table itself.
                        if (x != Seat::A && at[c] != kHanded) {
                            EXPECT_EQ(at[c], game::index_of(x)) << int(c);
                        }
                    }
                    for (game::Card c : shown.plays[x]) EXPECT_FALSE(drawn[c]) << int(c);
                }
                EXPECT_EQ(shown.hands[Seat::A], known.hands[Seat::A]);
            }
            EXPECT_GE(deals, 8);
        }
    }
}

// The player's row is laid out, sorted, where the table lays out only its
// own seat A's: after the deal, and after a three bought or sold.
TEST(OwnRow, LaidOutAfterTheDealAndAfterEachThreeTraded) {
    const auto hand = [](std::initializer_list<game::Card> cards) {
        game::Hand h;
        for (game::Card c : cards) h.push(c);
        return h;
    };
    const auto sorted = [](game::Hand h) {
        h.sort_by_rank();
        return game::Event(game::LaidOut{Seat::A, h});
    };
    const game::Event begins = game::PlayBegins{};
    const game::Event b_buys = game::ThreeBought{Seat::B, Seat::C, 30, 3};
    const struct {
        const char* what;
        game::Hand before;
        std::vector<game::Event> in, out;
    } cases[] = {
        {"dealt",
         {},
         {game::Shuffling{}, game::Dealt{Seat::A, 120, 1}, game::Dealt{Seat::B, 0, 2}, game::Dealt{Seat::A, 7, 3},
          game::Dealt{Seat::B, 0, 4}, begins},
         {game::Shuffling{}, game::Dealt{Seat::A, 120, 1}, game::Dealt{Seat::B, 0, 2}, game::Dealt{Seat::A, 7, 3},
          game::Dealt{Seat::B, 0, 4}, sorted(hand({120, 7})), begins}},
        {"a three bought, then one sold, in the step after the deal",
         hand({120, 7, 44}),
         {b_buys, game::ThreeBought{Seat::A, Seat::D, 44, 57}, game::ThreeBought{Seat::E, Seat::A, 2, 120}, begins},
         {b_buys, game::ThreeBought{Seat::A, Seat::D, 44, 57}, game::ThreeBought{Seat::E, Seat::A, 2, 120},
          sorted(hand({7, 57, 2})), begins}},
        {"the table's own lay-out, sorted, is enough",
         hand({120, 7}),
         {game::ThreeBought{Seat::A, Seat::D, 7, 57}, game::LaidOut{Seat::A, hand({120, 57})}},
         {game::ThreeBought{Seat::A, Seat::D, 7, 57}, sorted(hand({120, 57}))}},
        {"other seats' trades leave the row alone", hand({120}), {b_buys, begins}, {b_buys, begins}},
    };
    for (const auto& c : cases) EXPECT_EQ(own_row_laid_out(c.in, c.before), c.out) << c.what;
}

// A second player on its own connection: sits, plays its seat with random
// legal decisions, and says a line once the game has started.
struct Friend {
    NetClient client;
    net::SeatMirror mirror;
    std::mt19937_64 rng{5};
    std::vector<net::ChatLine> heard;
    std::vector<net::Error> errors;
    std::int64_t decided = -1;  // the version last decided for
    std::string first_error() const {
        return errors.empty() ? std::string() : std::string(net::code_name(errors[0].code)) + " " + errors[0].message;
    }
    // Joins the table `code`, or with no code opens one and sits at A.
    Friend(const QUrl& url, const std::string& code) {
        QObject::connect(&client, &NetClient::welcomed, [this, code] {
            if (code.empty()) {
                net::Create c;
                c.name = "柳烟";
                c.seconds = 0;
                client.send(c);
            } else {
                client.send(net::Join{code, "柳烟"});
            }
        });
        QObject::connect(&client, &NetClient::received, [this](const net::ServerMessage& m) {
            mirror.apply(m);
            if (const auto* t = std::get_if<net::TableInfo>(&m); t && !mirror.seat() && !sat) {
                for (Seat s : game::kAllSeats)
                    if (t->seats[game::array_index(s)].who == net::Occupant::open) {
                        sat = client.send(net::Sit{s});
                        break;
                    }
            }
            if (const auto* c = std::get_if<net::ChatLine>(&m)) heard.push_back(*c);
            // A bot answering every message of a step is told that the table
            // has moved on, or, in a burst, to slow down: no fault of the window's.
            if (const auto* e = std::get_if<net::Error>(&m); e && e->code != net::ErrorCode::stale_version &&
                                                             e->code != net::ErrorCode::not_now &&
                                                             e->code != net::ErrorCode::rate_limited)
                errors.push_back(*e);
            // One decision a version: the step's other messages ask nothing new.
            if (std::optional<net::Decide> d = net::bot_decision(mirror, rng); d && !paused && d->version != decided) {
                decided = d->version;
                client.send(*d);
            }
        });
        client.open(url);
    }
    bool sat = false;
    bool paused = false;  // decides nothing while set
};

// A decision the table refuses: what was picked comes back, the buttons
// offer it again, the refusal is shown and the game is as it was.
TEST(RemoteSession, ARefusedDecisionGivesThePicksBack) {
    Settings settings = quick_settings();
    ScriptedPlatform platform;
    Session s(settings, platform, 11);
    s.shuffle();
    ASSERT_TRUE(s.human_decides());
    std::vector<game::Decision> sent;
    s.go_remote([&](const game::Decision& d) {
        sent.push_back(d);
        return true;
    });
    const game::State before = s.state();
    // A card whose quick pick makes a play.
    for (game::Card c : before.hands[Seat::A]) {
        s.picking().drop();
        s.picking().click(c);
        if (s.button(ButtonId::play).enabled) break;
    }
    const std::vector<game::Card> play = s.picking().picks();
    ASSERT_TRUE(s.button(ButtonId::play).enabled);
    s.play();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_FALSE(sent[0].by_computer);
    EXPECT_TRUE(s.waiting_remote());
    EXPECT_FALSE(s.button(ButtonId::play).enabled);  // one decision at a time
    s.play();
    EXPECT_EQ(sent.size(), 1u);

    s.remote_refused("不能这样出牌");
    EXPECT_EQ(platform.messages.back(), "提示信息|不能这样出牌");
    std::vector<game::Card> picks = s.picking().picks(), want = play;
    std::sort(picks.begin(), picks.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(picks, want);
    EXPECT_TRUE(s.button(ButtonId::play).enabled);
    test::expect_same(s.state(), before);
    s.play();
    EXPECT_EQ(sent.size(), 2u);
}

QUrl loopback(quint16 port) {
    QUrl url;
    url.setScheme("ws");
    url.setHost("127.0.0.1");
    url.setPort(port);
    return url;
}

// A connection refused ends as a lost one does, and may be tried again:
// the program's reconnections go on while a server restarts.
TEST(NetClient, ARefusedConnectionEndsClosedAndCanBeTriedAgain) {
    quint16 port = 0;
    {
        QTcpServer probe;  // a port nobody listens on once it is closed
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    NetClient client;
    int closed = 0, failed = 0;
    QObject::connect(&client, &NetClient::closed, [&] { ++closed; });
    QObject::connect(&client, &NetClient::failed, [&] { ++failed; });
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_TRUE(client.open(loopback(port))) << attempt;
        WAIT_UNTIL(closed == attempt, 5000);
        EXPECT_EQ(failed, attempt);
        EXPECT_FALSE(client.connected());
    }
    QTest::qWait(100);
    EXPECT_EQ(closed, 2);  // once each
}

TEST(NetTableWindow, HostsAFriendJoinsAndTheDealBegins) {
    Settings settings = quick_settings();
    MainWindow w(settings, 3);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    BoxAnswerer boxes;
    net::Create create;
    create.name = "钟离云";
    create.seconds = 0;  // no clock: the deal goes at the test's pace
    ASSERT_TRUE(w.host_table(create, 0));
    NetTable* table = w.net_table();
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(w.session().remote());
    WAIT_UNTIL(table->seat().has_value() && table->has_info(), 5000);
    EXPECT_TRUE(table->hosting());
    EXPECT_EQ(table->info().code.size(), static_cast<std::size_t>(net::kTableCodeLength));

    // Before the first deal the host moves to a free seat from the table's dialog.
    auto* room = w.findChild<QDialog*>("w_room");
    ASSERT_NE(room, nullptr);
    auto* seats = room->findChild<QListWidget*>("lw_seats");
    auto* move = room->findChild<QPushButton*>("pb_move");
    seats->setCurrentRow(0);
    EXPECT_FALSE(move->isEnabled());  // its own
    seats->setCurrentRow(2);
    ASSERT_TRUE(move->isEnabled());
    move->click();
    WAIT_UNTIL(table->seat() == Seat::C && table->info().seats[0].who == net::Occupant::open, 5000);

    Friend other(loopback(w.net_host()->port()), table->info().code);
    WAIT_UNTIL(other.mirror.seat().has_value(), 5000);
    const Seat mine = *table->seat(), theirs = *other.mirror.seat();
    ASSERT_NE(mine, theirs);
    // The friend's name stands on its seat as this player sees the table.
    WAIT_UNTIL(QString::fromStdString(w.session()
                                          .surface()
                                          .object(std::string("t_") + char('a' + game::index_of(turned(theirs, mine))))
                                          ->text) == QString("柳烟"),
               5000);

    table->start();  // the table deals the first deal itself
    WAIT_UNTIL(w.session().state().phase != game::Phase::between_deals, 10000);
    EXPECT_TRUE(table->started());

    // The hand in the player's row is the seat's hand, card for card.
    WAIT_UNTIL(!w.session().busy(), 10000);
    game::Hand hand = table->mirror().known().hands[mine];
    ASSERT_GT(hand.size(), 0);
    for (game::Card c : hand) EXPECT_TRUE(w.session().view().in_human_row(c)) << int(c);
    hand.sort_by_rank();
    EXPECT_EQ(w.session().state().hands[Seat::A], hand);

    // A line said by the friend reaches the window's chat.
    other.client.send(net::Say{"好牌！"});
    WAIT_UNTIL(!table->chat_lines().isEmpty(), 5000);
    EXPECT_TRUE(table->chat_lines().last().endsWith("好牌！"));

    // A decision the rules refuse is shown as refused and changes nothing.
    WAIT_UNTIL(w.session().human_decides() && !w.session().busy(), 20000);
    const std::int64_t version = table->mirror().version();
    const game::Hand held = w.session().state().hands[Seat::A];
    const int boxes_before = boxes.answered();
    game::Card foreign = 1;
    while (std::find(held.begin(), held.end(), foreign) != held.end()) ++foreign;
    ASSERT_TRUE(table->send_decision(game::Decision::play({foreign})));
    WAIT_UNTIL(boxes.answered() > boxes_before, 5000);
    EXPECT_EQ(table->mirror().version(), version);
    EXPECT_EQ(w.session().state().hands[Seat::A], held);
    EXPECT_TRUE(w.session().human_decides());

    EXPECT_TRUE(other.errors.empty()) << other.first_error();
    EXPECT_TRUE(table->mirror().in_step());

    // Leaving brings back the game alone, as it was.
    other.client.close();
    w.leave_table();
    EXPECT_EQ(w.net_table(), nullptr);
    EXPECT_FALSE(w.session().remote());
    EXPECT_EQ(w.session().state().phase, game::Phase::between_deals);
}

// The window joins a table another hosts, at seat B: the table is turned so
// B is at the bottom, the host's name stands where A sits from B, and the
// player's hand lies sorted as in a game alone; then it either plays the
// deal through on auto-play or loses its connection and comes back.
void join_elsewhere(bool whole_deal) {
    NetHost host;
    ASSERT_TRUE(host.listen(QHostAddress(QHostAddress::LocalHost), 0));
    Friend hosting(loopback(host.port()), "");
    WAIT_UNTIL(hosting.mirror.seat().has_value() && hosting.mirror.table(), 5000);
    ASSERT_EQ(*hosting.mirror.seat(), Seat::A);

    Settings settings = quick_settings();
    MainWindow w(settings, 4);
    w.show();
    BoxAnswerer boxes;
    ASSERT_TRUE(w.join_table(loopback(host.port()), QString::fromStdString(hosting.mirror.table()->code), "钟离云"));
    NetTable* table = w.net_table();
    WAIT_UNTIL(table->seat().has_value(), 5000);
    EXPECT_EQ(*table->seat(), Seat::B);
    EXPECT_FALSE(table->hosting());
    // From B, the host at A sits where F's label is.
    WAIT_UNTIL(QString::fromStdString(w.session().surface().object("t_f")->text) == QString("柳烟"), 5000);
    EXPECT_EQ(QString::fromStdString(w.session().surface().object("t_a")->text), QString("钟离云"));
    // Every window calls a seat by the table's own name for it: the empty
    // seat C (B from here) is 石坚, and this seat's score is B's, 柳烟's.
    EXPECT_EQ(QString::fromStdString(w.session().surface().object("t_b")->text), QString("石坚"));
    EXPECT_EQ(w.session().surface().object("t_ca")->text, std::string(game::padded_name_of(Seat::B)) + "得分：0");

    hosting.client.send(net::Start{});  // the host's bot shuffles when asked
    // Once the dealing has been shown, the seat's hand lies sorted in the
    // player's row, card for card (the table may still be moving cards, as
    // threes are bought: hence waiting for all of it to agree at once).
    const auto hand_shown = [&] {
        game::Hand hand = table->mirror().known().hands[Seat::B];
        hand.sort_by_rank();
        return hand.size() > 0 && !w.session().busy() && w.session().state().hands[Seat::A] == hand &&
               std::ranges::all_of(hand, [&](game::Card c) { return w.session().view().in_human_row(c); });
    };
    WAIT_UNTIL(table->started() && table->mirror().known().hands[Seat::B].size() > 0, 10000);

    if (whole_deal) {
        WAIT_UNTIL(hand_shown(), 10000);
        w.set_autoplay(true);
        WAIT_UNTIL(w.session().state().phase == game::Phase::between_deals && !w.session().busy(), 60000);
    } else {
        // A connection lost in the middle of the deal is opened again and the
        // seat taken back with its token: the same seat, its hand in the row.
        WAIT_UNTIL(hand_shown(), 10000);
        // The host's bot waits meanwhile, so the deal stands where it was.
        hosting.paused = true;
        table->client().drop();
        WAIT_UNTIL(!table->client().connected(), 5000);
        WAIT_UNTIL(table->chat_lines().contains(tx("已重新连接。")) && table->client().connected() && hand_shown(),
                   10000);
        hosting.paused = false;
        EXPECT_EQ(table->seat(), Seat::B);
        EXPECT_NE(w.net_table(), nullptr);
    }
    EXPECT_TRUE(table->mirror().in_step());
    EXPECT_TRUE(hosting.errors.empty()) << hosting.first_error();
    EXPECT_EQ(boxes.answered(), 0);
    w.leave_table();
}

TEST(NetTableWindow, JoinsElsewhereSeesTheTableFromItsSeatAndComesBackAfterADrop) { join_elsewhere(false); }

// Auto-play sends only what the rules allow (a refused choice stood the deal
// still), and a three bought at seat B comes into the row.
TEST(NetTableWindow, AutoPlayPlaysADealToItsEndAtANetworkTable) { join_elsewhere(true); }

}  // namespace
}  // namespace tav::ui
