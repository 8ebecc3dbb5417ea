// Six scripted players on 127.0.0.1 play whole deals through the server (the
// lobby behind the real transport, in this process): drops and rejoins with
// the seat token, a decision whose time ran out, decisions from the wrong
// seat, for an old version and malformed, all refused without changing the
// game; and every byte each player received shows no hidden card.
#include <gtest/gtest.h>

#include <thread>

#include "net/lobby.h"
#include "server/lobby_service.h"
#include "server/transport.h"
#include "tests/net/net_support.h"
#include "tests/server/in_process.h"
#include "tests/server/player.h"

namespace tav::test {
namespace {

using game::Seat;

// The seat asked now (from the host's mirror) and its player's decision.
std::optional<std::pair<std::size_t, net::Decide>> asked_decision(std::vector<Player>& players) {
    for (int tries = 0; tries < 2000; ++tries) {
        for (Player& p : players) p.pump(Ms(1));
        for (std::size_t i = 0; i < players.size(); ++i)
            if (players[i].connected())
                if (auto d = players[i].decision()) return std::pair{i, *d};
    }
    return std::nullopt;
}

bool has_error(Player& p, net::ErrorCode code, const std::string& field = {}) {
    const auto e = p.await<net::Error>(Ms(3000));
    EXPECT_TRUE(e) << "no error " << net::code_name(code);
    if (!e) return false;
    EXPECT_EQ(e->code, code) << e->message;
    if (!field.empty()) {
        EXPECT_EQ(e->field, field);
    }
    p.errors.pop_back();
    return e->code == code;
}

TEST(ServedGame, SixPlayersPlayAHundredDealsWithDropsRejoinsTimeoutsAndRefusals) {
    InProcessServer server(unhurried(), InProcessServer::fast());
    std::vector<Player> players;
    for (std::uint64_t i = 0; i < 6; ++i) players.emplace_back(100 + i);
    // Two seconds a decision: a player who lets it run out is decided for.
    const std::string code = seat_everyone(players, server.port, 2);
    ASSERT_FALSE(code.empty());
    Player& host = players[0];
    const auto deals = [&host](int n) { return [&host, n] { return host.deals_over >= n; }; };

    ASSERT_TRUE(play_until(players, deals(3)));

    {  // Refusals reach the player with their codes and fields (the lobby's
        // tests prove each code), and change nothing: the seat asked still
        // decides at the same version afterwards.
        const auto asked = asked_decision(players);
        ASSERT_TRUE(asked);
        const auto [who, d] = *asked;
        players[who].send(net::Decide{d.decision, d.version - 1});
        has_error(players[who], net::ErrorCode::stale_version);
        players[who].send_text(R"({"type":"decide","decision":{"move":"play","cards":[300]},"version":)" +
                               std::to_string(d.version) + "}");
        has_error(players[who], net::ErrorCode::out_of_bounds, "decision.cards[0]");
        players[who].send_text(R"({"type":"decide","decision":{"move":"pass","cards":[]}})");
        has_error(players[who], net::ErrorCode::missing_field, "version");
        for (Player& p : players) {
            // Every player has read up to the ask (their frames may still be on the way).
            for (int i = 0; i < 100 && p.mirror.version() < d.version; ++i) p.pump(Ms(10));
            EXPECT_EQ(p.mirror.version(), d.version);
        }
        players[who].decide(d);
        const auto moved = players[who].await<net::StepEvents>();
        ASSERT_TRUE(moved);
        EXPECT_GT(moved->version, d.version);
    }

    {  // A player lets the time run out: the computer decides for it once,
        // and its decision then is for an old version.
        const auto asked = asked_decision(players);
        ASSERT_TRUE(asked);
        const auto [who, d] = *asked;
        const auto since = std::chrono::steady_clock::now();
        ASSERT_TRUE(play_until(
            players, [&] { return players[who].mirror.version() > d.version; }, Ms(10000), who));
        EXPECT_GE(std::chrono::steady_clock::now() - since, Ms(1500));
        players[who].decide(d);
        has_error(players[who], net::ErrorCode::stale_version);
    }

    {  // Drops: the game goes on without the player, who comes back with
        // the token (not with a wrong one) and plays on.
        for (std::size_t who : {3u, 5u}) {
            const std::string token = players[who].token;
            players[who].drop();
            const int before = host.deals_over;
            ASSERT_TRUE(play_until(players, deals(before + 1)));
            players[who].forget_table();
            ASSERT_TRUE(players[who].connect(server.port));
            std::string wrong = token;
            wrong[0] = wrong[0] == 'a' ? 'b' : 'a';
            players[who].send(net::Rejoin{code, wrong});
            has_error(players[who], net::ErrorCode::bad_token);
            players[who].send(net::Rejoin{code, token});
            const auto seated = players[who].await<net::Seated>();
            ASSERT_TRUE(seated);
            EXPECT_EQ(seated->seat, static_cast<Seat>(who));
            const auto snap = players[who].await<net::SeatSnapshot>();
            ASSERT_TRUE(snap);
            EXPECT_EQ(snap->seat, static_cast<Seat>(who));
        }
    }

    ASSERT_TRUE(play_until(players, deals(100), Ms(240000)));
    // No refusal but the scripted ones (a decision may race a time running out).
    for (const Player& p : players)
        for (const net::Error& e : p.errors) EXPECT_EQ(e.code, net::ErrorCode::stale_version) << e.message;
    // Every byte each player received names no card it may not see.
    for (std::size_t i = 0; i < players.size(); ++i) expect_no_hidden_card(players[i].frames, static_cast<Seat>(i));
}

TEST(ServedGame, ASoakOfRandomAndMalformedFramesLeavesTheServerAnsweringAGoodClient) {
    InProcessServer server{net::LobbyOptions{}, InProcessServer::fast()};
    std::mt19937_64 rng(77);
    const std::vector<std::string> shapes = {
        R"({"type":"hello","protocol":1})",
        R"({"type":"create","name":"x","rules":{"threes":true,"smother":false,"points":false,"tributes":true},"level":"classic","seconds":30})",
        R"({"type":"join","code":"2345678923","name":"y"})",
        R"({"type":"sit","seat":"C"})",
        R"({"type":"decide","decision":{"move":"play","cards":[1,2]},"version":3})",
        R"({"type":"rejoin","code":"2345678923","token":"00000000000000000000000000000000"})",
        R"({"type":"chat","text":"hi"})",
        R"({"type":"start"})",
    };
    const auto random_frame = [&](bool& binary) {
        binary = rng() % 8 == 0;
        std::string f = shapes[rng() % shapes.size()];
        switch (rng() % 6) {
            case 0:  // cut short
                f.resize(rng() % f.size());
                break;
            case 1:  // a byte changed, any byte
                f[rng() % f.size()] = static_cast<char>(rng());
                break;
            case 2:  // noise
                f.assign(rng() % 200, '\0');
                for (char& c : f) c = static_cast<char>(rng());
                break;
            case 3:  // nested past the limit
                f = std::string(40, '[') + std::string(40, ']');
                break;
            case 4:  // longer than a client may send
                f = R"({"type":"chat","text":")" + std::string(5000, 'a') + R"("})";
                break;
            default:  // as it is, in any order
                break;
        }
        return f;
    };
    int connections = 0, closed = 0;
    for (int client = 0; client < 3; ++client) {
        WsClient bad(server.port);
        ASSERT_TRUE(bad.ok());
        ++connections;
        std::unique_ptr<WsClient> current;
        WsClient* c = &bad;
        for (int i = 0; i < 400; ++i) {
            bool binary = false;
            const std::string frame = random_frame(binary);
            if (!c->send(frame, binary) || !c->ok()) {
                // Closed for its refusals, as it should be: a new connection.
                ++closed;
                current = std::make_unique<WsClient>(server.port);
                ASSERT_TRUE(current->ok());
                ++connections;
                c = current.get();
                continue;
            }
            while (c->receive(Ms(0))) {
            }
        }
    }
    EXPECT_GT(closed, 0) << "a connection sending only refusals is never closed";
    // A good client still gets through: a table made, a seat taken.
    Player good(9);
    ASSERT_TRUE(good.connect(server.port));
    good.send(net::Create{"G", {}, game::Level::classic, 30});
    ASSERT_TRUE(good.await<net::TableInfo>());
    good.send(net::Sit{Seat::B});
    EXPECT_TRUE(good.await<net::Seated>());
    EXPECT_TRUE(good.errors.empty());
}

}  // namespace
}  // namespace tav::test
