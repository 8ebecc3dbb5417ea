// Every table a server holds, and the connections talking to them, at the
// level of text frames: a frame comes in, frames go out. Nothing here opens a
// socket, keeps a clock or writes a file, so the network server (many tables,
// Boost.Asio) and the desktop program hosting friends (one table, Qt) both
// drive the same lobby, and the tests drive it directly.
//
// Each call returns what the transport must do: frames to send, connections
// to close. A call that changed a table also returns the journal entries that
// bring it back after a crash; the transport writes them, commits, and only
// then sends the frames (a result is never seen before it is kept).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/news.h"
#include "net/table.h"

namespace tav::net {

// One text frame for one connection.
struct Frame {
    Connection to = 0;
    std::string text;
};

// A connection the transport must close once its frames are sent.
struct Closing {
    Connection connection = 0;
    int code = 1000;  // WebSocket close code: 1000 normal, 1008 policy violation
};

// One entry of a table's journal: what a table was made with, or one call
// that changed it, with the time and the randomness it drew. Replayed in
// order, a table's entries rebuild it exactly. `text` is the entry's own
// encoding (written and read only by the lobby); it may hold seat tokens,
// so a journal is private to the server and never a log.
struct JournalEntry {
    std::string table;           // the table's code
    std::uint64_t sequence = 0;  // per table, from 0
    std::string text;
};

// What the transport must do after a call.
struct Sent {
    std::vector<JournalEntry> journal;  // write and commit before sending
    std::vector<Frame> frames;
    std::vector<Closing> closing;
};

struct LobbyOptions {
    std::size_t most_tables = 10000;
    std::size_t most_connections = 20000;
    // Per connection: a token bucket of messages, and one of chat lines.
    double messages_per_second = 20, message_burst = 40;
    double chat_per_second = 1, chat_burst = 5;
    // Malformed messages and limits answered within the window before the
    // connection is closed with 1008.
    int most_refusals = 10;
    Time refusal_window = std::chrono::seconds(60);
    Time grace = std::chrono::minutes(10);  // for tables made here
    int rejoin_cap = 5;
    // After a restart, how long a seat waits for its player before the
    // computer plays it: time for the clients to see the connection gone
    // and come back, not so long that the others wait on a player who went.
    Time restart_hold = std::chrono::minutes(2);
};

class Lobby {
public:
    // `entropy` must be cryptographic in a server: table codes, seat tokens
    // and every table's shuffles are drawn from it.
    Lobby(LobbyOptions options, Entropy entropy);
    ~Lobby();
    Lobby(const Lobby&) = delete;
    Lobby& operator=(const Lobby&) = delete;

    // A new connection: its number (never reused), or none when full.
    std::optional<Connection> connect(Time now);
    // A text frame from `c` (a binary frame is given as text too, marked).
    // Once `c` is in a call's `closing`, nothing more from it is read.
    Sent receive(Connection c, std::string_view text, bool binary, Time now);
    // The connection is gone (closed by either side, or failed): a seat it
    // held is dropped. Call it for every connection, those the lobby closed too.
    Sent disconnect(Connection c, Time now);
    // Time passes: decisions whose time ran out, seats past their grace,
    // tables closing. Call at least once a second.
    Sent tick(Time now);
    // Lets each table called since the last time let go of its last call's
    // events (`Table::last_events`, a deal's dealing is hundreds): a server
    // calls it after every call, a test that reads them does not.
    void release_events();

    // After a restart: the journal's entries, table by table in sequence
    // order, before any connection. Every seat a human held waits for its
    // player (who comes back with the token) for the restart hold as of
    // `now`, then is dropped (Table::restart). Returns the tables rebuilt,
    // and an error naming each table and entry that did not replay (that
    // table is left out, the others are rebuilt). The restarts change the
    // tables: their entries are in `journal`, to be written and committed
    // like any call's.
    struct Restored {
        std::size_t tables = 0;
        std::string error;
        std::vector<JournalEntry> journal;
    };
    Restored restore(const std::vector<JournalEntry>& entries, Time now);

    std::size_t tables() const;
    // The open table with that code, to read (the server's figures, the tests).
    const Table* find(std::string_view code) const;
    std::size_t connections() const;
    // Tables whose journals may be forgotten (closed since the last call).
    std::vector<std::string> closed_tables();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tav::net
