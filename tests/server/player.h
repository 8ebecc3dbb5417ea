// A scripted player of the server's tests: a WebSocket client, the mirror of
// its table and the bot that decides for it, with every frame it ever
// received kept for the hidden-information check.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "net/bot.h"
#include "net/mirror.h"
#include "net/protocol.h"
#include "tests/engine/game_support.h"
#include "tests/server/ws_client.h"

namespace tav::test {

using game::Seat;
using Ms = std::chrono::milliseconds;

class Player {
public:
    explicit Player(std::uint64_t seed) : rng_(seed) {}

    // A new connection greeted with `hello`; false when it is not welcomed.
    bool connect(unsigned short port) {
        ws_ = std::make_unique<WsClient>(port);
        if (!ws_->ok()) return false;
        send(net::Hello{});
        return await<net::Welcome>().has_value();
    }
    void drop() {
        if (ws_) ws_->drop();
        ws_.reset();
    }
    bool connected() const { return ws_ != nullptr && ws_->ok(); }
    void send(const net::ClientMessage& m) { send_text(net::encode(m)); }
    void send_text(const std::string& text) { ASSERT_TRUE(ws_ && ws_->send(text)) << "cannot send " << text; }

    // One frame, decoded (strictly: every byte must be a message the
    // protocol names), kept and read by the mirror.
    std::optional<net::ServerMessage> next(Ms wait) {
        if (!ws_) return std::nullopt;
        const std::optional<std::string> text = ws_->receive(wait);
        if (!text) return std::nullopt;
        frames.push_back(*text);
        const net::Decoded<net::ServerMessage> d = net::decode_server(*text);
        EXPECT_TRUE(d.ok()) << "undecodable frame: " << *text;
        if (!d.ok()) return std::nullopt;
        const net::ServerMessage& m = *d.message;
        mirror.apply(m);
        if (const auto* e = std::get_if<net::Error>(&m)) errors.push_back(*e);
        if (const auto* s = std::get_if<net::Seated>(&m)) token = s->token;
        if (const auto* ev = std::get_if<net::StepEvents>(&m))
            for (const game::Event& e : ev->events) {
                if (std::holds_alternative<game::Shuffling>(e)) deal_events.clear();
                deal_events.push_back(e);
                deals_over += std::holds_alternative<game::DealOver>(e);
            }
        if (const auto* snap = std::get_if<net::SeatSnapshot>(&m)) deal_events = snap->record;
        return m;
    }
    // Every frame waiting now (the first for up to `wait`).
    void pump(Ms wait = Ms(0)) {
        for (auto m = next(wait); m; m = next(Ms(0))) {
        }
    }
    // Reads until a message of kind M (for up to `wait` in all).
    template <class M>
    std::optional<M> await(Ms wait = Ms(5000)) {
        const auto until = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < until) {
            const auto left = std::chrono::duration_cast<Ms>(until - std::chrono::steady_clock::now());
            const std::optional<net::ServerMessage> m = next(std::max(left, Ms(1)));
            if (!m) {
                if (!connected()) return std::nullopt;
                continue;
            }
            if (const auto* got = std::get_if<M>(&*m)) return *got;
        }
        return std::nullopt;
    }
    // The bot's decision when asked, once per version asked.
    std::optional<net::Decide> decision() {
        std::optional<net::Decide> d = net::bot_decision(mirror, rng_);
        if (!d || d->version == last_decided_) return std::nullopt;
        return d;
    }
    void decide(const net::Decide& d) {
        last_decided_ = d.version;
        send(d);
    }
    // A fresh mirror for a new connection (a rejoin is answered with a snapshot).
    void forget_table() { mirror = net::SeatMirror(); }

    net::SeatMirror mirror;
    std::vector<std::string> frames;
    std::vector<net::Error> errors;
    std::string token;
    int deals_over = 0;
    std::vector<game::Event> deal_events;  // this deal's, as this seat was told them

private:
    std::unique_ptr<WsClient> ws_;
    std::mt19937_64 rng_;
    std::int64_t last_decided_ = -1;
};

// The six sit at a new table (A is the host) and the game starts.
inline std::string seat_everyone(std::vector<Player>& players, unsigned short port, int seconds) {
    for (Player& p : players) EXPECT_TRUE(p.connect(port));
    players[0].send(net::Create{"A0", {}, game::Level::classic, seconds});
    const auto table = players[0].await<net::TableInfo>();
    EXPECT_TRUE(table);
    if (!table) return {};
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (i > 0) {
            players[i].send(net::Join{table->code, "P" + std::to_string(i)});
            EXPECT_TRUE(players[i].await<net::TableInfo>());
        }
        players[i].send(net::Sit{static_cast<Seat>(i)});
        EXPECT_TRUE(players[i].await<net::Seated>());
    }
    players[0].send(net::Start{});
    return table->code;
}

// Every connected player reads what is waiting and decides when asked,
// except `idle` (who lets its time run out).
inline void step(std::vector<Player>& players, std::optional<std::size_t> idle = std::nullopt) {
    for (Player& p : players) p.pump(Ms(1));
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (!players[i].connected() || i == idle) continue;
        if (auto d = players[i].decision()) players[i].decide(*d);
    }
}

// Steps until `done` or the time runs out.
template <class F>
bool play_until(std::vector<Player>& players, F done, Ms limit = Ms(60000),
                std::optional<std::size_t> idle = std::nullopt) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        step(players, idle);
    }
    return true;
}

// Every frame one seat's player received, in order, read again: no card of
// another seat's hand is ever named before the table has shown it. A card
// not dealt to this seat and not yet shown face up is, by the count of the
// pack, in another seat's hand.
inline void expect_no_hidden_card(const std::vector<std::string>& frames, game::Seat seat) {
    ShownThisDeal deal;
    int named_own = 0;
    const auto may_see = [&](game::Card c, const std::string& where) {
        if (c == 0) return;
        EXPECT_TRUE(deal.shown[c] || deal.dealt[seat][c])
            << "seat " << game::letter_of(seat) << " was told card " << int(c) << " in " << where;
    };
    const auto read = [&](const game::Event& e, const std::string& frame) {
        if (const auto* d = std::get_if<game::Dealt>(&e); d && d->card != 0) {
            EXPECT_EQ(d->seat, seat) << "another seat's card dealt by name: " << frame;
            ++named_own;
        }
        // Face-up events show their cards; every other event may name only
        // what was dealt to this seat or shown before.
        const bool face_up = std::holds_alternative<game::Played>(e) ||
                             std::holds_alternative<game::TributeHanded>(e) ||
                             std::holds_alternative<game::ThreeBought>(e);
        deal.read(e);
        if (!face_up) cards_named(e, [&](game::Card c) { may_see(c, frame); });
    };
    for (const std::string& frame : frames) {
        const net::Decoded<net::ServerMessage> d = net::decode_server(frame);
        ASSERT_TRUE(d.ok()) << frame;
        if (const auto* ev = std::get_if<net::StepEvents>(&*d.message))
            for (const game::Event& e : ev->events) read(e, frame);
        if (const auto* snap = std::get_if<net::SeatSnapshot>(&*d.message)) {
            deal = ShownThisDeal{};
            for (const game::Event& e : snap->record) read(e, frame);
            for (game::Card c : snap->hand) may_see(c, frame);
        }
    }
    EXPECT_GT(named_own, 0) << "seat " << game::letter_of(seat) << " was never told its own cards";
}

}  // namespace tav::test
