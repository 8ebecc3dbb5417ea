// The lobby's tables: calls carried out and journalled, time passing, and
// tables rebuilt from their journals after a restart.
#include <algorithm>
#include <optional>

#include "net/lobby_frames.h"
#include "net/lobby_impl.h"

namespace tav::net {

namespace {

// What a call may change of a table that the journal must see: a tick, or a
// restart with nobody at the table, that changes none of it is left out of
// the journal.
struct Mark {
    std::uint64_t version = 0;
    bool closed = false;
    Connection host = 0;
    std::array<std::pair<Holder, Connection>, game::kSeats> seats{};
    // A restart hold begun or ended changes what the computer may play.
    std::array<std::optional<Time>, game::kSeats> held{};
    bool operator==(const Mark&) const = default;
};

Mark mark(const Table& t) {
    Mark m{t.version(), t.closed(), t.host(), {}, {}};
    for (game::Seat s : game::kAllSeats) {
        m.seats[game::index_of(s)] = {t.holder(s).holder, t.holder(s).connection};
        m.held[game::index_of(s)] = t.holder(s).held_until;
    }
    return m;
}

Entropy drawing(const std::shared_ptr<Draws>& draws) {
    return [draws] { return draws->next(); };
}

}  // namespace

Called Lobby::Impl::perform(OpenTable& t, Call& call) {
    Table& table = *t.table;
    const Mark before = mark(table);
    // A restart sends the members away (spectators too, whom no mark shows).
    const bool quiet = call.kind == CallKind::tick || (call.kind == CallKind::restart && t.members.empty());
    t.draws->drawn.clear();
    Called r;
    Outcome& out = r.outcome;
    const Connection c = call.connection;
    switch (call.kind) {
        case CallKind::sit: out = table.sit(c, call.seat, call.name, call.time); break;
        case CallKind::watch: out = table.watch(c, call.time); break;
        case CallKind::leave: out = table.leave(c, call.time); break;
        case CallKind::drop: out = table.drop(c, call.time); break;
        case CallKind::rejoin: out = table.rejoin(c, call.token, call.time); break;
        case CallKind::start: out = table.start(c, call.time); break;
        case CallKind::decide: out = table.decide(c, call.version, call.decision, call.time); break;
        case CallKind::tick: out = table.tick(call.time); break;
        case CallKind::restart: out = table.restart(call.time, call.hold); break;
        case CallKind::create: out.refused = "a table is made only once"; break;
    }
    call.words = std::move(t.draws->drawn);
    t.draws->drawn.clear();
    call.after = table.version();
    if (!out.ok()) return r;
    for (const game::Event& e : table.last_events().list) {
        if (std::holds_alternative<game::Shuffling>(e)) t.record.clear();
        if (t.record.size() < kMostRecord) t.record.push(e);
    }
    touched.push_back(t.code);  // its events are let go by release_events
    switch (call.kind) {
        case CallKind::sit:
        case CallKind::watch:
        case CallKind::rejoin: t.members.insert(c); break;
        case CallKind::leave:
        case CallKind::drop: t.members.erase(c); break;
        case CallKind::restart: t.members.clear(); break;
        default: break;
    }
    if (out.released) t.members.erase(*out.released);
    r.journal = !out.closed && (!quiet || !(mark(table) == before));
    return r;
}

JournalEntry Lobby::Impl::entry(OpenTable& t, const Call& call) {
    return JournalEntry{t.code, t.sequence++, call_text(call)};
}

Outcome Lobby::Impl::call(OpenTable& t, Call call, Sent& sent) {
    Called r = perform(t, call);
    if (r.journal) sent.journal.push_back(entry(t, call));
    return std::move(r.outcome);
}

void Lobby::Impl::deliver(OpenTable& t, Outcome& out, Time now, Sent& sent) {
    std::vector<std::string> texts;
    FrameCache cache;
    for (const Message& m : out.messages) {
        texts.clear();
        add_frames(m, t.code, *t.table, t.record, now, texts, cache);
        for (std::string& text : texts) sent.frames.push_back({m.to, std::move(text)});
    }
    if (out.released) {
        // Its seat came back on another connection: this one is presumably dead.
        sent.closing.push_back({*out.released, 1000});
        if (auto p = peers.find(*out.released); p != peers.end()) {
            p->second.table.clear();
            p->second.closing = true;
        }
    }
    if (out.closed) remove(std::string(t.code));
}

void Lobby::Impl::remove(const std::string& code) {
    const auto it = tables.find(code);
    if (it == tables.end()) return;
    for (Connection c : it->second.members)
        if (auto p = peers.find(c); p != peers.end()) p->second.table.clear();
    tables.erase(it);
    closed.push_back(code);
}

std::string Lobby::Impl::draw_code() {
    // Five bits at a time, those past the alphabet thrown back: every
    // character equally likely.
    static_assert(kTableCodeAlphabet.size() <= 32);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string code;
        while (code.size() < static_cast<std::size_t>(kTableCodeLength)) {
            std::uint64_t w = entropy();
            for (int i = 0; i < 12 && code.size() < static_cast<std::size_t>(kTableCodeLength); ++i, w >>= 5)
                if ((w & 31) < kTableCodeAlphabet.size()) code += kTableCodeAlphabet[w & 31];
        }
        if (!tables.contains(code)) return code;
    }
    return "";  // a generator that keeps repeating itself
}

OpenTable& Lobby::Impl::open(const std::string& code, const TableOptions& options, Connection host, Time now,
                             Sent& sent) {
    OpenTable t;
    t.code = code;
    t.draws = std::make_shared<Draws>();
    t.draws->source = &entropy;
    t.table = std::make_unique<Table>(options, host, drawing(t.draws), now);
    Call made{.kind = CallKind::create, .connection = host, .time = now, .options = options};
    made.words = std::move(t.draws->drawn);
    t.draws->drawn.clear();
    made.after = t.table->version();
    OpenTable& placed = tables.emplace(code, std::move(t)).first->second;
    sent.journal.push_back(entry(placed, made));
    return placed;
}

Sent Lobby::tick(Time now) {
    Sent sent;
    std::vector<std::string> codes;
    codes.reserve(impl_->tables.size());
    for (const auto& [code, t] : impl_->tables) codes.push_back(code);
    for (const std::string& code : codes) {
        OpenTable& t = impl_->tables.at(code);
        Outcome out = impl_->call(t, Call{.kind = CallKind::tick, .time = now}, sent);
        if (out.ok()) impl_->deliver(t, out, now, sent);
    }
    return sent;
}

std::string Lobby::Impl::replay(const std::vector<const JournalEntry*>& entries, OpenTable& t,
                                Connection& most_connection) {
    auto at = [](std::size_t i, const std::string& why) { return "entry " + std::to_string(i) + ": " + why; };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->sequence != i)
            return at(i, "sequence " + std::to_string(entries[i]->sequence) + " out of order");
        std::string why;
        std::optional<Call> call = read_call(entries[i]->text, why);
        if (!call) return at(i, why);
        if ((i == 0) != (call->kind == CallKind::create)) return at(i, "a table begins with its making, once");
        most_connection = std::max(most_connection, call->connection);
        t.draws->replay.assign(call->words.begin(), call->words.end());
        const std::uint64_t after = call->after;
        if (i == 0) {
            if (why = options_refused(call->options); !why.empty()) return at(i, why);
            t.draws->source = &entropy;
            t.table = std::make_unique<Table>(call->options, call->connection, drawing(t.draws), call->time);
            t.draws->drawn.clear();
        } else {
            Called r = perform(t, *call);
            if (!r.outcome.ok()) return at(i, "refused: " + r.outcome.refused);
            if (r.outcome.closed) return at(i, "the table closed");
        }
        if (t.draws->ran_short || !t.draws->replay.empty()) return at(i, "randomness drawn differs");
        if (t.table->version() != after)
            return at(i, "version " + std::to_string(t.table->version()) + ", not " + std::to_string(after));
    }
    t.sequence = entries.size();
    t.draws->replaying = false;
    return "";
}

Lobby::Restored Lobby::restore(const std::vector<JournalEntry>& entries, Time now) {
    Restored restored;
    std::map<std::string, std::vector<const JournalEntry*>> by_table;
    for (const JournalEntry& e : entries) by_table[e.table].push_back(&e);
    Connection most_connection = 0;
    std::vector<std::string> rebuilt;
    for (auto& [code, list] : by_table) {
        std::ranges::stable_sort(list, {}, &JournalEntry::sequence);
        std::string why;
        if (impl_->tables.contains(code)) why = "already open";
        OpenTable t;
        t.code = code;
        t.draws = std::make_shared<Draws>();
        t.draws->replaying = true;
        if (why.empty()) why = impl_->replay(list, t, most_connection);
        if (!why.empty()) {
            if (!restored.error.empty()) restored.error += "; ";
            restored.error.append("table ").append(code).append(" ").append(why);
            continue;
        }
        impl_->tables.emplace(code, std::move(t));
        rebuilt.push_back(code);
        ++restored.tables;
    }
    impl_->next_connection = std::max(impl_->next_connection, most_connection + 1);
    // Nobody is connected after a restart: every player comes back with a
    // token, and the seats wait for them a while.
    Sent sent;
    for (const std::string& code : rebuilt)
        impl_->call(impl_->tables.at(code),
                    Call{.kind = CallKind::restart, .time = now, .hold = impl_->options.restart_hold}, sent);
    restored.journal = std::move(sent.journal);
    return restored;
}

std::size_t Lobby::tables() const { return impl_->tables.size(); }
std::size_t Lobby::connections() const { return impl_->peers.size(); }

const Table* Lobby::find(std::string_view code) const {
    const auto it = impl_->tables.find(code);
    return it == impl_->tables.end() ? nullptr : it->second.table.get();
}

std::vector<std::string> Lobby::closed_tables() { return std::exchange(impl_->closed, {}); }

}  // namespace tav::net
