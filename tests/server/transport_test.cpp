// The transport on its own, driving a stand-in service: what reaches the
// service, what the clients get back and when, and that no client, however
// it misbehaves, stops the server or keeps it from answering the others.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>

#include "server/options.h"
#include "server/transport.h"
#include "tests/server/certificate.h"
#include "tests/server/ws_client.h"

namespace tav::test {
namespace {

using net::Connection;
using net::Sent;
using server::Transport;
using server::TransportOptions;

// Answers commands: "echo X" (X journalled, then sent back), "close N",
// "flood" (far more than a client may leave unread), "throw"; any other
// frame is answered with its length and whether it came binary.
class StandIn final : public server::Service {
public:
    std::optional<Connection> connect(net::Time) override {
        std::lock_guard lock(m);
        if (full) return std::nullopt;
        return ++last;
    }
    Sent receive(Connection c, std::string_view text, bool binary, net::Time) override {
        Sent s;
        const std::string t(text);
        if (t.rfind("echo ", 0) == 0) {
            s.journal.push_back({"T", sequence++, t.substr(5)});
            s.frames.push_back({c, t.substr(5)});
        } else if (t.rfind("close ", 0) == 0) {
            s.frames.push_back({c, "bye"});
            s.closing.push_back({c, std::stoi(t.substr(6))});
        } else if (t == "flood") {
            for (int i = 0; i < 200; ++i) s.frames.push_back({c, std::string(60000, 'x')});
        } else if (t.rfind("retire ", 0) == 0) {  // the table closes, nobody is told
            std::lock_guard lock(m);
            retired.push_back(t.substr(7));
        } else if (t == "throw") {
            throw std::runtime_error("a fault in the service");
        } else {
            s.frames.push_back({c, (binary ? "binary " : "text ") + std::to_string(text.size())});
        }
        return s;
    }
    Sent disconnect(Connection c, net::Time) override {
        std::lock_guard lock(m);
        gone.insert(c);
        return {};
    }
    Sent tick(net::Time) override {
        ++ticks;
        return {};
    }
    std::vector<std::string> closed_tables() override {
        std::lock_guard lock(m);
        return std::exchange(retired, {});
    }
    std::size_t tables() const override { return 0; }

    std::mutex m;
    bool full = false;
    Connection last = 0;
    std::uint64_t sequence = 0;
    std::set<Connection> gone;
    std::vector<std::string> retired;
    std::atomic<int> ticks{0};
};

class Keeping final : public server::Keeper {
public:
    void append(const std::vector<net::JournalEntry>& entries) override {
        std::lock_guard lock(m);
        for (const auto& e : entries) appended.push_back(e.text);
    }
    void commit() override {
        // A commit takes a moment, as on a disk: a frame sent before it
        // returned would reach its client before it is marked kept.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(m);
        if (fail) throw std::runtime_error("disk full");
        committed.insert(appended.begin(), appended.end());
        appended.clear();
        ++commits;
    }
    void forget(const std::string& table) override {
        std::lock_guard lock(m);
        forgotten.insert(table);
    }
    bool was_forgotten(const std::string& table) {
        for (int i = 0; i < 200; ++i) {
            {
                std::lock_guard lock(m);
                if (forgotten.count(table) > 0) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    bool kept(const std::string& text) {
        std::lock_guard lock(m);
        return committed.count(text) > 0;
    }

    std::mutex m;
    bool fail = false;
    std::vector<std::string> appended;
    std::set<std::string> committed, forgotten;
    int commits = 0;
};

// A server on its own thread for the length of a test.
struct Running {
    explicit Running(TransportOptions options = fast(), bool keep = true)
        : transport(std::move(options), service, keep ? &keeper : nullptr, [this](std::string_view line) {
              std::lock_guard lock(m);
              log.emplace_back(line);
          }) {
        const std::string bound = transport.listen();
        port = static_cast<unsigned short>(std::stoi(bound.substr(bound.rfind(':') + 1)));
        thread = std::thread([this] { result = transport.run(); });
    }
    ~Running() { finish(); }
    void finish() {
        if (!thread.joinable()) return;
        transport.stop();
        thread.join();
    }
    static TransportOptions fast() {
        TransportOptions o;
        o.tick = std::chrono::milliseconds(20);
        o.handshake_timeout = std::chrono::seconds(1);
        return o;
    }
    Connection connections() {
        std::lock_guard lock(service.m);
        return service.last;
    }
    // The connection the service numbered after `before` (the handshake's
    // answer may reach the client before the service is told).
    Connection connected_after(Connection before) {
        for (int i = 0; i < 200; ++i) {
            if (const Connection c = connections(); c > before) return c;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 0;
    }
    bool disconnected(Connection c) {
        for (int i = 0; i < 200; ++i) {
            {
                std::lock_guard lock(service.m);
                if (service.gone.count(c) > 0) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    StandIn service;
    Keeping keeper;
    std::mutex m;
    std::vector<std::string> log;
    Transport transport;
    unsigned short port = 0;
    std::atomic<bool> result{true};
    std::thread thread;
};

TEST(Transport, FramesReachTheServiceAndAnswersComeBackOnlyOnceKept) {
    Running server;
    WsClient a(server.port), b(server.port);
    ASSERT_TRUE(a.ok() && b.ok());
    for (int i = 0; i < 50; ++i) {
        const std::string text = "m" + std::to_string(i);
        ASSERT_TRUE(a.send("echo a" + text) && b.send("echo b" + text));
        for (WsClient* c : {&a, &b}) {
            const auto got = c->receive();
            ASSERT_TRUE(got);
            EXPECT_TRUE(server.keeper.kept(*got)) << *got << " was sent before it was committed";
        }
    }
    EXPECT_LE(server.keeper.commits, 100);
    // Binary frames reach the service marked; a frame a little over the
    // protocol's limit still reaches it, so that it can say so.
    ASSERT_TRUE(a.send("xyz", true));
    EXPECT_EQ(a.receive(), "binary 3");
    ASSERT_TRUE(a.send(std::string(5000, 'y')));
    EXPECT_EQ(a.receive(), "text 5000");
    EXPECT_GT(server.service.ticks.load(), 0);
    // A table that closes quietly has its journal forgotten all the same.
    ASSERT_TRUE(a.send("retire T1"));
    EXPECT_TRUE(server.keeper.was_forgotten("T1"));
}

TEST(Transport, MisbehavingClientsAreClosedAndTheOthersStillServed) {
    Running server;
    WsClient good(server.port);
    ASSERT_TRUE(good.ok());
    const auto answered = [&] { return good.send("echo still") && good.receive() == "still"; };

    struct Case {
        const char* what;
        std::string frame;
        bool closed;              // the server closes the connection
        std::optional<int> code;  // with this close code, when the client can see it
    };
    const std::vector<Case> cases = {
        {"the service asks to close", "close 1008", true, 1008},
        // 1009 is sent, but the client may see its unread bytes reset first.
        {"a frame past the hard cap", std::string(70 * 1024, 'z'), true, std::nullopt},
        {"the service throws", "throw", false, std::nullopt},
        {"it never reads what it is sent", "flood", true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Connection before = server.connections();
        WsClient bad(server.port);
        ASSERT_TRUE(bad.ok());
        const Connection id = server.connected_after(before);
        ASSERT_NE(id, 0u);
        // The server may close before a frame past the cap is all written.
        const bool sent = bad.send(c.frame);
        if (!c.closed) {
            ASSERT_TRUE(sent);
        }
        if (c.code) {
            EXPECT_EQ(bad.receive(), "bye");
            EXPECT_EQ(bad.receive(), std::nullopt);
            EXPECT_EQ(bad.close_code(), c.code);
        }
        if (c.closed) {
            EXPECT_TRUE(server.disconnected(id));
        } else {
            EXPECT_TRUE(bad.send("echo after"));
            EXPECT_EQ(bad.receive(), "after");
        }
        EXPECT_TRUE(answered());
    }
    // A socket that never says a word is closed after the handshake time.
    const int raw = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(server.port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(raw, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    timeval wait{5, 0};
    setsockopt(raw, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    char byte = 0;
    EXPECT_EQ(recv(raw, &byte, 1, 0), 0) << "the silent socket was not closed";
    close(raw);
    EXPECT_TRUE(answered());
}

TEST(Transport, AFullServiceRefusesTheConnectionPolitely) {
    Running server;
    server.service.full = true;
    WsClient c(server.port);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.receive(), std::nullopt);
    EXPECT_EQ(c.close_code(), 1013);
}

TEST(Transport, AJournalThatFailsStopsTheServerBeforeAnythingUnkeptIsSent) {
    Running server;
    WsClient c(server.port);
    ASSERT_TRUE(c.ok());
    ASSERT_TRUE(c.send("echo kept"));
    EXPECT_EQ(c.receive(), "kept");
    {
        std::lock_guard lock(server.keeper.m);
        server.keeper.fail = true;
    }
    ASSERT_TRUE(c.send("echo lost"));
    EXPECT_EQ(c.receive(std::chrono::milliseconds(2000)), std::nullopt);
    server.thread.join();
    EXPECT_FALSE(server.result.load());
}

TEST(Transport, TlsConnectionsAreServedWithTheGivenCertificate) {
    const std::string dir = ::testing::TempDir();
    const std::string cert = dir + "tav_server_cert.pem", key = dir + "tav_server_key.pem";
    ASSERT_TRUE(make_self_signed(cert, key));
    TransportOptions options = Running::fast();
    options.tls_cert = cert;
    options.tls_key = key;
    Running server(options);
    WsClient secure(server.port, true);
    ASSERT_TRUE(secure.ok());
    ASSERT_TRUE(secure.send("echo over tls"));
    EXPECT_EQ(secure.receive(), "over tls");
    // A plain client gets nothing from a TLS server, and does not stop it.
    WsClient plain(server.port, false, std::chrono::milliseconds(1000));
    EXPECT_FALSE(plain.ok());
    WsClient again(server.port, true);
    ASSERT_TRUE(again.ok() && again.send("echo again"));
    EXPECT_EQ(again.receive(), "again");
    // A missing key file is refused with a reason before listening.
    options.tls_key = dir + "no_such_key.pem";
    StandIn idle;
    Transport refused(options, idle, nullptr, [](std::string_view) {});
    EXPECT_THROW(refused.listen(), std::runtime_error);
}

TEST(Transport, ListensOnTheAddressGivenAndSaysWhichPort) {
    StandIn idle;
    struct Case {
        std::string address, starts;
    };
    for (const Case& c : std::vector<Case>{{"127.0.0.1", "127.0.0.1:"}, {"::1", "[::1]:"}}) {
        TransportOptions options;
        options.address = c.address;
        Transport t(options, idle, nullptr, [](std::string_view) {});
        const std::string bound = t.listen();
        EXPECT_EQ(bound.rfind(c.starts, 0), 0u) << bound;
        EXPECT_NE(bound, c.starts + "0");
    }
    TransportOptions taken;
    taken.address = "not an address";
    Transport t(taken, idle, nullptr, [](std::string_view) {});
    EXPECT_THROW(t.listen(), std::runtime_error);
}

TEST(ServerCommand, ReadsTheOptionsAndRefusesBadOnes) {
    using server::ServerCommand;
    using Action = ServerCommand::Action;
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string address;
        int port;
    };
    const std::vector<Case> cases = {
        {{"--listen", "127.0.0.1:8080"}, Action::serve, "127.0.0.1", 8080},
        {{"--listen", "[::1]:0", "--data", "/tmp/d"}, Action::serve, "::1", 0},
        {{"--listen", "0.0.0.0:443", "--tls-cert", "c", "--tls-key", "k"}, Action::serve, "0.0.0.0", 443},
        {{"--help"}, Action::help, "", 0},
        {{"--listen", "bad", "--version"}, Action::refuse, "", 0},
        {{"--version"}, Action::version, "", 0},
        {{}, Action::refuse, "", 0},
        {{"--listen"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:65536"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:-1"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80x"}, Action::refuse, "", 0},
        {{"--listen", "::1:80"}, Action::refuse, "", 0},
        {{"--listen", "[127.0.0.1]:80"}, Action::refuse, "", 0},
        {{"--listen", "[::1:80"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--tls-cert", "c"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--data"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--data", ""}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--listen", "127.0.0.1:81"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--port", "1"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--message-rate", "0"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--message-rate", "20x"}, Action::refuse, "", 0},
        {{"--listen", "127.0.0.1:80", "--message-rate"}, Action::refuse, "", 0},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const auto& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const ServerCommand got = server::parse_server_command(c.args, "1.0.0");
        EXPECT_EQ(got.action, c.action);
        if (c.action == Action::serve) {
            EXPECT_EQ(got.listen.address, c.address);
            EXPECT_EQ(got.listen.port, c.port);
        }
        if (c.action == Action::refuse) {
            EXPECT_NE(got.text.find("usage: tav-server"), std::string::npos);
        }
    }
    EXPECT_EQ(server::parse_server_command({"--version"}, "1.0.0").text, "tav-server 1.0.0\n");
    EXPECT_EQ(server::parse_server_command({"--listen", "[::1]:1", "--message-rate", "5000"}, "1").message_rate, 5000);
    EXPECT_EQ(server::parse_server_command({"--listen", "[::1]:1"}, "1").message_rate, 20);
}

}  // namespace
}  // namespace tav::test
