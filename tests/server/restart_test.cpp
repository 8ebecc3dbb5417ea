// The real tav-server process, killed with SIGKILL in the middle of a deal
// and started again on the same data: every player comes back with its
// token, finds the table exactly as it had it (its seat waited for it), and
// plays the deal on itself. And the program's command line as a user meets it.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "tests/server/player.h"

namespace tav::test {
namespace {

// A tav-server process; its first line of output names the port.
class ServerProcess {
public:
    explicit ServerProcess(const std::vector<std::string>& args) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(TAV_SERVER_PATH)};
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(TAV_SERVER_PATH, argv.data());
            _exit(127);
        }
        close(out[1]);
        out_ = out[0];
    }
    ~ServerProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
    }
    // The port from "listening on 127.0.0.1:PORT", within five seconds.
    unsigned short port() {
        std::string line;
        char c = 0;
        while (line.find('\n') == std::string::npos) {
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0 || read(out_, &c, 1) != 1) return 0;
            line += c;
        }
        EXPECT_EQ(line.rfind("listening on 127.0.0.1:", 0), 0u) << line;
        return static_cast<unsigned short>(std::atoi(line.c_str() + line.rfind(':') + 1));
    }
    // Signals the process and waits (five seconds at most) for its exit status.
    int stop(int signal) {
        kill(pid_, signal);
        int status = 0;
        for (int i = 0; i < 500; ++i) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

TEST(ServerProcess, KilledMidDealAndStartedAgainEveryPlayerComesBackAndPlaysOn) {
    const std::filesystem::path data = std::filesystem::path(::testing::TempDir()) / "tav_server_restart";
    std::filesystem::remove_all(data);
    const std::vector<std::string> args = {"--listen",    "127.0.0.1:0",    "--data",
                                           data.string(), "--message-rate", "100000"};
    std::vector<Player> players;
    for (std::uint64_t i = 0; i < 6; ++i) players.emplace_back(300 + i);
    std::string code;
    {
        ServerProcess first(args);
        const unsigned short port = first.port();
        ASSERT_NE(port, 0);
        code = seat_everyone(players, port, 0);
        ASSERT_FALSE(code.empty());
        // A whole deal, then into the second.
        ASSERT_TRUE(play_until(players, [&] { return players[0].deals_over >= 1; }));
        for (int i = 0; i < 60; ++i) step(players);
        // What each has been sent is what was committed: read all of it, up
        // to a pause long enough for the results of the last decisions sent.
        for (Player& p : players)
            while (p.next(Ms(300))) {
            }
        ASSERT_EQ(players[0].deals_over, 1) << "the second deal is over already";
        EXPECT_EQ(first.stop(SIGKILL), 128 + SIGKILL);
    }
    ServerProcess second(args);
    const unsigned short port = second.port();
    ASSERT_NE(port, 0);
    for (std::size_t i = 0; i < players.size(); ++i) {
        SCOPED_TRACE(i);
        Player& p = players[i];
        const std::vector<game::Event> had = p.deal_events;
        const std::int64_t version = p.mirror.version();
        const game::Hand hand = p.mirror.known().hands[static_cast<Seat>(i)];
        p.drop();
        p.forget_table();
        ASSERT_TRUE(p.connect(port));
        p.send(net::Rejoin{code, p.token});
        const auto seated = p.await<net::Seated>();
        ASSERT_TRUE(seated);
        EXPECT_EQ(seated->seat, static_cast<Seat>(i));
        const auto snap = p.await<net::SeatSnapshot>();
        ASSERT_TRUE(snap);
        // The deal as this seat had it, to the event: the computer played
        // none of the seats while their players were away.
        EXPECT_EQ(snap->version, version);
        EXPECT_EQ(snap->hand, hand);
        ASSERT_EQ(snap->record.size(), had.size());
        EXPECT_TRUE(std::equal(had.begin(), had.end(), snap->record.begin()));
    }
    // They play the deal on themselves: every step to its end is one of
    // their own decisions, none the computer's in their place.
    const std::int64_t from = players[0].mirror.version();
    int decided = 0;
    const auto over = [](const Player& p) { return p.deals_over >= 2; };
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::ranges::all_of(players, over)) {
        ASSERT_LT(std::chrono::steady_clock::now(), until) << "the deal does not end";
        for (Player& p : players) p.pump(Ms(1));
        for (Player& p : players)
            if (auto d = over(p) ? std::nullopt : p.decision()) {
                p.decide(*d);
                ++decided;
            }
    }
    EXPECT_GT(decided, 0);
    for (Player& p : players) {
        EXPECT_EQ(p.mirror.version(), from + decided);
        EXPECT_TRUE(p.errors.empty()) << p.errors.front().message;
    }
    // And they play on: the next deal.
    ASSERT_TRUE(play_until(players, [&] { return players[0].deals_over >= 3; }));
    for (std::size_t i = 0; i < players.size(); ++i) expect_no_hidden_card(players[i].frames, static_cast<Seat>(i));
    // SIGTERM: the server keeps what it has and ends well.
    EXPECT_EQ(second.stop(SIGTERM), 0);
    std::filesystem::remove_all(data);
}

}  // namespace
}  // namespace tav::test
