// The network side of tav-server: WebSocket connections (plain or TLS) on one
// Boost.Asio thread, every frame handed to the service that holds the tables
// (the lobby), its answers sent back. One thread drives the service, so the
// service needs no locks. The same port answers a browser's HTTP requests
// for the page it plays from (web/site.h). Beast lives only in
// transport.cpp; this header is all the rest of the program sees of it.
//
// A result is never sent before it is kept: the answers of every handler that
// ran are gathered, their journal entries appended and committed once, and
// only then are their frames sent. The commit runs on a thread of its own
// that touches only the journal; while it runs, the answers that come in
// wait for the next one (many tables acting at once share one commit, and
// no connection waits on the disk to be read).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/lobby.h"

namespace tav::server {

// What the transport drives: the lobby, or a stand-in in the tests.
class Service {
public:
    virtual ~Service() = default;
    virtual std::optional<net::Connection> connect(net::Time now) = 0;
    virtual net::Sent receive(net::Connection c, std::string_view text, bool binary, net::Time now) = 0;
    virtual net::Sent disconnect(net::Connection c, net::Time now) = 0;
    virtual net::Sent tick(net::Time now) = 0;
    // Tables closed since the last call: their journals may be forgotten.
    virtual std::vector<std::string> closed_tables() = 0;
    virtual std::size_t tables() const = 0;
};

// Where the tables' journal entries are kept. Any failure throws; the
// transport then sends nothing more and stops.
class Keeper {
public:
    virtual ~Keeper() = default;
    virtual void append(const std::vector<net::JournalEntry>& entries) = 0;
    virtual void commit() = 0;
    virtual void forget(const std::string& table) = 0;
};

struct TransportOptions {
    std::string address = "127.0.0.1";  // an IPv4 or IPv6 address, no brackets
    std::uint16_t port = 0;             // 0: any free port
    // Both, or neither: with both the connections are TLS (wss).
    std::string tls_cert, tls_key;
    std::chrono::milliseconds tick{250};
    // The largest frame read at all. Frames a little over the protocol's
    // limit still reach the service, which answers them `too_long`; past
    // this the connection is closed (1009).
    std::size_t read_limit = 64 * 1024;
    // Bytes waiting to be written to one connection: a client that does not
    // read is closed rather than buffered without end.
    std::size_t most_queued_bytes = 2 * 1024 * 1024;
    // No WebSocket handshake within this: the connection is closed. The
    // same for a page's request, after connecting or after the last answer.
    std::chrono::seconds handshake_timeout{30};
    // No frame (not even a ping's answer) within this: the connection is closed.
    std::chrono::seconds idle_timeout{300};
    bool stop_on_signals = false;  // SIGINT and SIGTERM stop the server
};

// The time the service is given: the wall clock in milliseconds, so that
// times kept in a journal still mean something after a restart.
net::Time wall_clock();

class Transport {
public:
    using Log = std::function<void(std::string_view line)>;
    // `keeper` may be null: nothing is kept.
    Transport(TransportOptions options, Service& service, Keeper* keeper, Log log);
    ~Transport();
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // Binds and listens (TLS files read here); the address bound as
    // "127.0.0.1:PORT" or "[::1]:PORT". Throws std::runtime_error saying why.
    std::string listen();
    // Serves on the calling thread until stop() (or a signal, when asked).
    // Returns false when the journal failed.
    bool run();
    // From any thread: stop accepting, keep what is pending, close.
    void stop();

    struct Impl;  // in transport.cpp, with the connections it holds

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace tav::server
