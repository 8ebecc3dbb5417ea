#include "server/journal.h"

#include <sqlite3.h>

#include <system_error>

namespace tav::server {

namespace {

// Frees a statement however the block is left.
struct Statement {
    sqlite3_stmt* s = nullptr;
    ~Statement() { sqlite3_finalize(s); }
};

}  // namespace

Journal::Journal(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        error_ = "cannot make " + dir.string() + ": " + ec.message();
        return;
    }
    const std::string file = (dir / "tables.sqlite").string();
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        error_ = "cannot open " + file + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory");
        sqlite3_close(db_);
        db_ = nullptr;
        return;
    }
    // The write-ahead log: a commit is one append and one flush of the log.
    // synchronous=FULL flushes it at every commit, so a commit that returned
    // survives a power cut too.
    const bool ready =
        run("PRAGMA journal_mode=WAL") && run("PRAGMA synchronous=FULL") && run("PRAGMA busy_timeout=5000") &&
        run("CREATE TABLE IF NOT EXISTS entries (code TEXT NOT NULL, seq INTEGER NOT NULL, "
            "text TEXT NOT NULL, PRIMARY KEY (code, seq)) WITHOUT ROWID") &&
        sqlite3_prepare_v2(db_, "INSERT INTO entries (code, seq, text) VALUES (?, ?, ?)", -1, &insert_, nullptr) ==
            SQLITE_OK;
    if (!ready) {
        if (error_.empty()) error_ = std::string("cannot prepare the journal: ") + sqlite3_errmsg(db_);
        error_ = file + ": " + error_;
        sqlite3_finalize(insert_);
        insert_ = nullptr;
        sqlite3_close(db_);
        db_ = nullptr;
    }
}

Journal::~Journal() {
    if (!db_) return;
    // Entries appended and never committed are not kept: their results were
    // never sent.
    if (!sqlite3_get_autocommit(db_)) run("ROLLBACK");
    sqlite3_finalize(insert_);
    sqlite3_close(db_);
}

bool Journal::failed(const std::string& what) {
    error_ = what + ": " + (db_ ? sqlite3_errmsg(db_) : "the journal is not open");
    return false;
}

bool Journal::run(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    error_ = std::string(sql) + ": " + (message ? message : "failed");
    sqlite3_free(message);
    return false;
}

bool Journal::begin() { return !sqlite3_get_autocommit(db_) || run("BEGIN IMMEDIATE"); }

bool Journal::append(const std::vector<net::JournalEntry>& entries) {
    if (!db_) return failed("append");
    if (entries.empty()) return true;
    // One append is kept whole or not at all: a savepoint inside the open transaction.
    if (!begin() || !run("SAVEPOINT append")) return false;
    for (const net::JournalEntry& e : entries) {
        sqlite3_reset(insert_);
        sqlite3_bind_text(insert_, 1, e.table.data(), static_cast<int>(e.table.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert_, 2, static_cast<sqlite3_int64>(e.sequence));
        sqlite3_bind_text(insert_, 3, e.text.data(), static_cast<int>(e.text.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insert_) != SQLITE_DONE) {
            failed("append " + e.table + " entry " + std::to_string(e.sequence));
            sqlite3_reset(insert_);
            const std::string why = error_;
            run("ROLLBACK TO append");
            run("RELEASE append");
            error_ = why;
            return false;
        }
    }
    sqlite3_reset(insert_);
    return run("RELEASE append");
}

bool Journal::commit() {
    if (!db_) return failed("commit");
    if (sqlite3_get_autocommit(db_)) return true;  // nothing appended since the last
    if (run("COMMIT")) return true;
    // A commit that did not happen leaves nothing half kept.
    const std::string why = error_;
    if (!sqlite3_get_autocommit(db_)) run("ROLLBACK");
    error_ = why;
    return false;
}

std::vector<net::JournalEntry> Journal::load() {
    std::vector<net::JournalEntry> out;
    error_.clear();
    if (!db_) {
        failed("load");
        return out;
    }
    Statement select;
    if (sqlite3_prepare_v2(db_, "SELECT code, seq, text FROM entries ORDER BY code, seq", -1, &select.s, nullptr) !=
        SQLITE_OK) {
        failed("load");
        return out;
    }
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(select.s)) == SQLITE_ROW) {
        auto text = [&](int column) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(select.s, column));
            return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(select.s, column))) : "";
        };
        out.push_back({text(0), static_cast<std::uint64_t>(sqlite3_column_int64(select.s, 1)), text(2)});
    }
    if (step != SQLITE_DONE) failed("load");
    return out;
}

bool Journal::forget(const std::string& code) {
    if (!db_) return failed("forget");
    Statement remove;
    if (sqlite3_prepare_v2(db_, "DELETE FROM entries WHERE code = ?", -1, &remove.s, nullptr) != SQLITE_OK)
        return failed("forget " + code);
    sqlite3_bind_text(remove.s, 1, code.data(), static_cast<int>(code.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(remove.s) != SQLITE_DONE) return failed("forget " + code);
    return true;
}

}  // namespace tav::server
