// The server's journal of every table's calls, in SQLite: DIR/tables.sqlite,
// one row per entry (code, sequence, text). Entries are appended inside an
// open transaction and made durable together by one commit, so that a server
// whose many tables act at once pays one disk flush for all of them; the
// server sends no result before the commit that keeps it has returned.
//
// With the write-ahead log and synchronous=FULL, a commit that returned is on
// the disk: a crash or a power cut loses only entries appended since the last
// commit, whose results nobody has been sent.
//
// Nothing here throws: each call says whether it worked, and error() why not.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "net/lobby.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tav::server {

class Journal {
public:
    // Opens (creating the folder and the file if need be) DIR/tables.sqlite.
    explicit Journal(const std::filesystem::path& dir);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    bool ok() const { return db_ != nullptr; }
    // Why the last call that failed did.
    const std::string& error() const { return error_; }

    // Adds the entries to the open transaction (opening one if none is).
    bool append(const std::vector<net::JournalEntry>& entries);
    // Makes everything appended since the last commit durable at once.
    bool commit();
    // Every entry, by table code and then sequence: a restart's first step,
    // before anything is appended. error() is empty after a load that read
    // them all.
    std::vector<net::JournalEntry> load();
    // A closed table's entries go (with the next commit, if one is open).
    bool forget(const std::string& code);

private:
    bool run(const char* sql);
    bool failed(const std::string& what);
    bool begin();

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    std::string error_;
};

}  // namespace tav::server
