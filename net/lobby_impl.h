// The lobby's insides, shared by its files (net/lobby*.cpp only): the open
// tables with their journals and deal records, and the connections.
#pragma once

#include <bitset>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "net/buckets.h"
#include "net/event_record.h"
#include "net/journal_text.h"
#include "net/lobby.h"
#include "net/protocol.h"

namespace tav::net {

// A table's randomness: drawn from the lobby's and written down, call by
// call, or during a replay read back from what was written down.
struct Draws {
    Entropy* source = nullptr;
    std::vector<std::uint64_t> drawn;  // this call's
    std::deque<std::uint64_t> replay;
    bool replaying = false;
    bool ran_short = false;  // a replayed call wanted more than was written down

    std::uint64_t next() {
        std::uint64_t w = 0;
        if (!replaying) {
            w = (*source)();
        } else if (replay.empty()) {
            ran_short = true;
        } else {
            w = replay.front();
            replay.pop_front();
        }
        drawn.push_back(w);
        return w;
    }
};

// The most events of a deal kept for snapshots: a longer deal keeps its first.
inline constexpr std::size_t kMostRecord = 4096;

struct OpenTable {
    std::string code;
    std::shared_ptr<Draws> draws;
    std::unique_ptr<Table> table;
    std::uint64_t sequence = 0;    // of the next journal entry
    EventRecord record;            // this deal's events, from its shuffle
    std::set<Connection> members;  // seated or watching: who hears chat
};

struct Peer {
    Peer(const LobbyOptions& o)
        : messages(o.messages_per_second, o.message_burst),
          chat(o.chat_per_second, o.chat_burst),
          refusals(o.most_refusals, o.refusal_window) {}
    bool greeted = false;
    bool closing = false;  // told to close: nothing more is read from it
    std::string table;     // the code of its table, if any
    std::string name;      // given on joining or creating; the seat's on rejoining
    std::bitset<game::kSeats> muted;
    TokenBucket messages, chat;
    RefusalWindow refusals;
};

// One call's result on one table.
struct Called {
    Outcome outcome;
    bool journal = false;  // the table changed: the call goes to its journal
};

struct Lobby::Impl {
    LobbyOptions options;
    Entropy entropy;
    Connection next_connection = 1;
    std::map<Connection, Peer> peers;
    std::map<std::string, OpenTable, std::less<>> tables;
    std::vector<std::string> closed;
    std::vector<std::string> touched;  // tables called since release_events

    // Carries out one call on a table: the table's own randomness written
    // down, the deal's record and the members kept. Live calls and replays
    // both come through here.
    Called perform(OpenTable& t, Call& call);
    // A live call: performed, journalled, turned into frames.
    Outcome call(OpenTable& t, Call call, Sent& sent);
    // The frames and closings of an outcome; a table that closed is removed.
    void deliver(OpenTable& t, Outcome& out, Time now, Sent& sent);
    JournalEntry entry(OpenTable& t, const Call& call);
    std::string draw_code();
    // A message from a connection, checked against its limits, and carried out.
    void receive(Connection c, Peer& p, std::string_view text, bool binary, Time now, Sent& sent);
    void handle(Connection c, Peer& p, const ClientMessage& m, Time now, Sent& sent);
    // Answers with the error; a malformed message or a limit counts toward
    // the refusals that close the connection.
    void refuse(Connection c, Peer& p, const Error& e, Time now, Sent& sent);
    OpenTable* table_of(const Peer& p);
    OpenTable& open(const std::string& code, const TableOptions& options, Connection host, Time now, Sent& sent);
    void remove(const std::string& code);
    // Replays one table's entries into a fresh table; empty when it came
    // back whole, else what went wrong, naming the entry.
    std::string replay(const std::vector<const JournalEntry*>& entries, OpenTable& t, Connection& most_connection);
};

}  // namespace tav::net
