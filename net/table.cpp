#include "net/table.h"

#include <algorithm>
#include <utility>

#include "host/driver.h"
#include "model/observation.h"
#include "net/refusals.h"
#include "rules/engine.h"
#include "rules/gate.h"

namespace tav::net {

using game::Ask;
using game::Seat;

namespace {

// What a spectator sees of an event: seen as one seat, then as another, no
// seat's hand card is left, whatever kinds of event hide cards.
game::Event unseated(const game::Event& e) { return game::observed(game::observed(e, Seat::A), Seat::B); }

}  // namespace

std::string options_refused(const TableOptions& options) {
    // The rules of thumb read a hand they should not see: never a table's level.
    if (options.level != game::Level::classic && options.level != game::Level::strong)
        return std::string(refusal::kNoSuchLevel);
    if (options.seconds_per_decision < 0 || options.seconds_per_decision > kMostSecondsPerDecision)
        return std::string(refusal::kSecondsOutOfRange);
    return "";
}

Table::Table(const TableOptions& options, Connection host, Entropy entropy, Time now)
    : options_(options), host_(host), entropy_(std::move(entropy)), empty_since_(now) {
    std::seed_seq seed{entropy_(), entropy_(), entropy_(), entropy_()};
    deals_.seed(seed);
    game::Rules rules = options_.rules;
    rules.levels.fill(options_.level);
    state_ = game::new_game(rules);
    seats_to_humans();
}

std::optional<Seat> Table::seat_of(Connection c) const {
    for (Seat s : game::kAllSeats)
        if (seats_[s].holder == Holder::human && seats_[s].connection == c) return s;
    return std::nullopt;
}

bool Table::watching(Connection c) const { return std::ranges::find(spectators_, c) != spectators_.end(); }

int Table::members() const {
    int n = static_cast<int>(spectators_.size());
    for (Seat s : game::kAllSeats) n += connected(s) ? 1 : 0;
    return n;
}

void Table::advance() {
    for (;;) {
        host::play_computer_seats(state_, events_);
        const std::optional<Seat> seat = game::current_seat(state_);
        if (!seat || state_.ask == Ask::shuffle || playing(*seat) || held(*seat)) return;
        // A human's seat nobody is connected to: the computer decides for it.
        if (!host::computer_decides(state_, events_)) return;
    }
}

bool Table::seats_to_humans() {
    // Only between deals: a seat's rules (which passes count, who is asked
    // about a partner's tribute) must not change in the middle of one.
    if (state_.phase != game::Phase::between_deals) return false;
    bool changed = false;
    for (Seat s : game::kAllSeats) {
        changed |= seats_[s].next_deal;  // its player decides from this deal on
        seats_[s].next_deal = false;
        const bool human = seats_[s].holder != Holder::computer;
        changed |= state_.human[s] != human;
        state_.human[s] = human;
    }
    return changed;
}

bool Table::stepped(Time now) {
    const bool turned = seats_to_humans();  // a deal that just ended: the next is dealt to whoever sits now
    ++version_;
    refresh_deadline(now);
    return turned;
}

void Table::refresh_deadline(Time now) {
    const std::optional<Seat> seat = started_ ? game::current_seat(state_) : std::nullopt;
    if (!seat || !playing(*seat) || options_.seconds_per_decision <= 0) {
        deadline_.reset();
        return;
    }
    // The clock starts when a connected human is first asked this decision.
    if (deadline_ && deadline_version_ == version_ && deadline_seat_ == seat) return;
    deadline_ = now + std::chrono::seconds(options_.seconds_per_decision);
    deadline_version_ = version_;
    deadline_seat_ = seat;
}

Asking Table::asking() const {
    Asking a;
    a.seat = started_ ? game::current_seat(state_) : std::nullopt;
    if (!a.seat) return a;
    a.ask = state_.ask;
    if (a.ask == Ask::return_tribute) a.owed = state_.ledger[static_cast<std::size_t>(state_.settling)].count;
    a.deadline = deadline_;
    return a;
}

game::PerSeat<SeatInfo> Table::seat_infos() const {
    game::PerSeat<SeatInfo> out;
    for (Seat s : game::kAllSeats) out[s] = {seats_[s].holder, seats_[s].name};
    return out;
}

Snapshot Table::snapshot(std::optional<Seat> seat) const {
    Snapshot snap;
    snap.seat = seat;
    snap.version = version_;
    snap.started = started_;
    snap.rules = state_.rules;
    snap.seconds_per_decision = options_.seconds_per_decision;
    snap.seats = seat_infos();
    snap.phase = state_.phase;
    if (seat && !seats_[*seat].next_deal) snap.hand.assign(state_.hands[*seat].begin(), state_.hands[*seat].end());
    for (Seat s : game::kAllSeats) {
        snap.hand_sizes[s] = state_.hands[s].size();
        snap.plays[s].assign(state_.plays[s].begin(), state_.plays[s].end());
    }
    snap.cleared.assign(state_.cleared.begin(), state_.cleared.end());
    snap.places = state_.places;
    snap.scores = state_.scores;
    snap.asking = asking();
    return snap;
}

void Table::tell(Outcome& out, bool moved, bool seats_changed, std::optional<Connection> skip) const {
    if (!moved && !seats_changed) return;
    auto update = [&](std::vector<game::Event> events) {
        Update u{version_, std::move(events), asking(), std::nullopt, moved};
        if (seats_changed) u.seats = seat_infos();
        return u;
    };
    std::vector<game::Event> unseated_events;
    unseated_events.reserve(events_.list.size());
    for (const game::Event& e : events_.list) unseated_events.push_back(unseated(e));
    for (Seat s : game::kAllSeats)
        if (connected(s) && seats_[s].connection != skip)
            out.messages.push_back({seats_[s].connection,
                                    update(seats_[s].next_deal ? unseated_events : game::observe(events_.list, s))});
    for (Connection c : spectators_)
        if (c != skip) out.messages.push_back({c, update(unseated_events)});
}

void Table::pass_host() {
    for (Seat s : game::kAllSeats)
        if (connected(s)) {
            host_ = seats_[s].connection;
            return;
        }
    if (!spectators_.empty()) host_ = spectators_.front();
}

void Table::membership_changed(Time now) {
    if (members() > 0)
        empty_since_.reset();
    else if (!empty_since_)
        empty_since_ = now;
}

void Table::forget_events() {
    events_.clear();
    // A deal's dealing is hundreds of events: its room is not kept through
    // the long waits for a human between calls, at every table a server holds.
    if (events_.list.capacity() > 32) events_.list.shrink_to_fit();
}

Token Table::new_token() {
    Token t{};
    for (std::size_t half = 0; half < 2; ++half) {
        const std::uint64_t bits = entropy_();
        for (std::size_t i = 0; i < 8; ++i) t[half * 8 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return t;
}

Outcome Table::sit(Connection c, Seat seat, const std::string& name, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    if (game::index_of(seat) >= game::kSeats) return refuse(refusal::kNoSuchSeat);
    // Before the first deal a player may move to another free seat.
    const std::optional<Seat> held = seat_of(c);
    if (held && (started_ || *held == seat)) return refuse(refusal::kHoldsASeat);
    if (std::string why = name_refused(name); !why.empty()) return refuse(why);
    if (seats_[seat].holder != Holder::computer) return refuse(refusal::kSeatTaken);
    if (held) seats_[*held] = SeatHolder{};  // back to the computer, its token void
    std::erase(spectators_, c);              // a spectator may take a seat
    forget_events();
    seats_[seat] =
        SeatHolder{Holder::human, name, c, new_token(), {}, 0, {}, state_.phase != game::Phase::between_deals, {}};
    const bool moved = seats_to_humans();
    if (moved) stepped(now);
    refresh_deadline(now);
    membership_changed(now);
    Outcome out;
    Snapshot snap = snapshot(seat);
    snap.token = seats_[seat].token;
    out.messages.push_back({c, std::move(snap)});
    tell(out, moved, true, c);
    return out;
}

Outcome Table::watch(Connection c, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    if (seat_of(c) || watching(c)) return refuse(refusal::kAtTheTable);
    if (std::cmp_greater_equal(spectators_.size(), options_.most_spectators)) return refuse(refusal::kNoRoomToWatch);
    forget_events();  // nothing happened in the game: the last call's events are not this one's
    spectators_.push_back(c);
    membership_changed(now);
    Outcome out;
    out.messages.push_back({c, snapshot(std::nullopt)});
    return out;
}

Outcome Table::leave(Connection c, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    forget_events();
    const std::uint64_t before = version_;
    const std::optional<Seat> seat = seat_of(c);
    if (seat) {
        seats_[*seat] = SeatHolder{};
        if (seats_to_humans()) stepped(now);
        if (started_) advance();
        if (!events_.list.empty()) stepped(now);
    } else if (watching(c)) {
        std::erase(spectators_, c);
    } else {
        return refuse(refusal::kNotAtTheTable);
    }
    if (c == host_) pass_host();
    membership_changed(now);
    refresh_deadline(now);
    Outcome out;
    tell(out, version_ != before, seat.has_value());
    return out;
}

Outcome Table::drop(Connection c, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    forget_events();
    const std::uint64_t before = version_;
    const std::optional<Seat> seat = seat_of(c);
    if (seat) {
        // The seat stays the player's (its token, and the host's right to
        // start) through the grace time; the computer plays it meanwhile.
        seats_[*seat].holder = Holder::dropped;
        seats_[*seat].dropped_at = now;
        if (started_) advance();
        if (!events_.list.empty()) stepped(now);
    } else if (watching(c)) {
        std::erase(spectators_, c);
        if (c == host_) pass_host();
    } else {
        return refuse(refusal::kNotAtTheTable);
    }
    membership_changed(now);
    refresh_deadline(now);
    Outcome out;
    tell(out, version_ != before, seat.has_value());
    return out;
}

Outcome Table::rejoin(Connection c, const Token& token, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    if (seat_of(c) || watching(c)) return refuse(refusal::kAtTheTable);
    std::optional<Seat> seat;
    for (Seat s : game::kAllSeats)  // every seat compared: no early way out
        if (seats_[s].holder != Holder::computer && same_token(seats_[s].token, token)) seat = s;
    if (!seat) return refuse(refusal::kNoSuchToken);
    SeatHolder& h = seats_[*seat];
    // Coming back after the server's restart is no drop of the player's own:
    // it does not count toward the cap.
    const bool after_restart = h.held_until.has_value();
    // A player may come back often (a browser's page is reloaded, a phone
    // drops its connection whenever it sleeps), but not in a loop: the cap
    // counts the rejoins within a minute.
    if (!after_restart && now - h.rejoins_since >= std::chrono::minutes(1)) {
        h.rejoins_since = now;
        h.rejoins = 0;
    }
    if (!after_restart && h.rejoins >= options_.rejoin_cap) return refuse(refusal::kTooManyRejoins);
    forget_events();
    Outcome out;
    if (h.holder == Holder::human) out.released = h.connection;
    if (h.connection == host_) host_ = c;
    h.holder = Holder::human;
    h.connection = c;
    h.held_until.reset();
    if (!after_restart) ++h.rejoins;
    membership_changed(now);
    refresh_deadline(now);
    out.messages.push_back({c, snapshot(seat)});
    tell(out, false, true, c);
    return out;
}

Outcome Table::restart(Time now, Time hold) {
    if (closed_) return refuse(refusal::kClosed);
    forget_events();
    const std::uint64_t before = version_;
    for (Seat s : game::kAllSeats) {
        SeatHolder& h = seats_[s];
        // A seat its player had already dropped before the restart stays a
        // dropped seat the computer plays; it is not taken back from it.
        if (h.holder != Holder::human && !held(s)) continue;
        h.holder = Holder::dropped;
        h.dropped_at = now;  // nobody could come back while the server was down
        h.held_until.reset();
        // Never past the token's grace, when the seat becomes the computer's.
        if (hold > Time::zero()) h.held_until = now + std::min(hold, options_.grace);
    }
    spectators_.clear();
    membership_changed(now);
    if (started_) advance();
    if (!events_.list.empty()) stepped(now);
    refresh_deadline(now);
    Outcome out;
    tell(out, version_ != before, true);  // nobody is connected: nothing is sent
    return out;
}

Outcome Table::start(Connection c, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    if (c != host_) return refuse(refusal::kOnlyTheHost);
    if (started_) return refuse(refusal::kStarted);
    forget_events();
    started_ = true;
    seats_to_humans();
    if (game::Verdict v = host::shuffle(state_, events_, deals_); !v) {
        started_ = false;
        return refuse(v.reason);
    }
    advance();
    stepped(now);
    Outcome out;
    tell(out, true, true);  // the table is started: every member hears it with the deal
    return out;
}

Outcome Table::decide(Connection c, std::uint64_t version, game::Decision d, Time now) {
    if (closed_) return refuse(refusal::kClosed);
    if (!started_) return refuse(refusal::kNotStarted);
    const std::optional<Seat> seat = seat_of(c);
    if (!seat) return refuse(refusal::kNoSeat);
    if (version != version_) return refuse(refusal::kMovedOn);
    if (seats_[*seat].next_deal) return refuse(refusal::kNextDeal);
    const std::optional<Seat> asked = game::current_seat(state_);
    if (asked != seat || !state_.human[*seat]) return refuse(refusal::kNotYourTurn);
    d.by_computer = false;  // only the table decides for the computer
    forget_events();
    game::Verdict v;
    if (d.move == game::Move::shuffle) {
        if (!d.cards.empty()) return refuse(refusal::kNoPack);
        v = host::shuffle(state_, events_, deals_);
    } else if (v = game::check(state_, *seat, d); v) {
        v = host::decide(state_, *seat, d, events_);
    }
    if (!v) return refuse(v.reason);
    advance();
    const bool turned = stepped(now);
    Outcome out;
    tell(out, true, turned);
    return out;
}

Outcome Table::tick(Time now) {
    if (closed_) return refuse(refusal::kClosed);
    forget_events();
    const std::uint64_t before = version_;
    bool seats_changed = false, hold_over = false;
    for (Seat s : game::kAllSeats) {
        SeatHolder& h = seats_[s];
        if (h.held_until && now >= *h.held_until) {
            h.held_until.reset();  // an ordinary dropped seat from now on
            hold_over = true;
        }
        if (h.holder != Holder::dropped || now - h.dropped_at < options_.grace) continue;
        const bool was_host = h.connection == host_;
        h = SeatHolder{};
        if (was_host) pass_host();
        seats_changed = true;
    }
    if (seats_to_humans()) {
        stepped(now);
        seats_changed = true;
    }
    if (hold_over && started_) {
        // The seats nobody came back to are the computer's to play at once.
        advance();
        if (!events_.list.empty()) seats_changed |= stepped(now);
    }
    const std::optional<Seat> asked = started_ ? game::current_seat(state_) : std::nullopt;
    if (asked) {
        const bool timed_out = deadline_ && now >= *deadline_;
        const bool shuffle = state_.ask == Ask::shuffle;
        // A due deal that no connected human will ask for is dealt by the
        // table, one deal a tick, so that a table of computers never runs away.
        if (timed_out || (shuffle && !playing(*asked) && !held(*asked))) {
            const game::Verdict v =
                shuffle ? host::shuffle(state_, events_, deals_) : host::computer_decides(state_, events_);
            if (v) {
                advance();
                seats_changed |= stepped(now);
            }
        }
    }
    Outcome out;
    if (members() == 0 && empty_since_ && now - *empty_since_ >= options_.grace) {
        closed_ = true;
        out.closed = true;
        return out;
    }
    tell(out, version_ != before, seats_changed);
    return out;
}

}  // namespace tav::net
