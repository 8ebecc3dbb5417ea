// One table of the game as a server holds it: six seats, the people at them
// and the game, driven only by calls. Nothing here waits, keeps a clock,
// opens a socket or draws from a global source: each call brings the time,
// randomness comes from the generator given at creation, and each call
// answers with what every connection is to be sent. The server and the
// desktop program's own hosted table both run it.
//
// The game advances only here: a connected human's decision passes the
// engine's one gate, then the computer plays every empty seat and every
// dropped player's seat until a connected human must decide or the deal is
// over. The shuffle is always the table's own: a client may ask for the deal
// but never send a pack.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"
#include "net/news.h"
#include "net/seats.h"

namespace tav::net {

// 64 bits from a good source (the server's: a cryptographic one). Seat
// tokens are drawn from it, and the seed of the table's shuffles.
using Entropy = std::function<std::uint64_t()>;

struct TableOptions {
    game::Rules rules;
    game::Level level = game::Level::classic;  // the computer's, at every seat it plays
    int seconds_per_decision = 30;             // 0: no time limit
    Time grace = std::chrono::minutes(10);     // for a dropped player, and for a table nobody is at
    int rejoin_cap = 5;                        // rejoins per seat within a minute
    int most_spectators = 32;
};

// Why the host's choices cannot make a table (a level that is not one for
// the table, a time per decision out of range); empty when they can. The
// table is made only from choices this accepts.
std::string options_refused(const TableOptions& options);
inline constexpr int kMostSecondsPerDecision = 600;

class Table {
public:
    // `host` may start the game; it sits or watches like anyone else.
    Table(const TableOptions& options, Connection host, Entropy entropy, Time now);

    // Takes a free seat (before the first deal, also in place of the one it
    // holds); answered with a snapshot holding the seat's token.
    // A seat taken during a deal is the computer's until the next deal.
    Outcome sit(Connection c, game::Seat seat, const std::string& name, Time now);
    // Joins as a spectator, who sees no hand.
    Outcome watch(Connection c, Time now);
    // Gives up the seat (the computer plays it from now on) or stops watching.
    Outcome leave(Connection c, Time now);
    // The connection is gone: its seat is played by the computer at once and
    // kept for the player's token for the grace time.
    Outcome drop(Connection c, Time now);
    // The player of a dropped seat comes back on connection `c`; answered
    // with a snapshot. It decides again from the seat's next decision.
    Outcome rejoin(Connection c, const Token& token, Time now);
    // The server came back from its journal and nobody is connected: every
    // seat a player was at, or that still waits for one, waits for `hold`
    // (at most the grace time; the computer does not play it, no clock runs
    // for it; the grace for its token counts from now), then is a dropped
    // seat like any other. Spectators are gone. A `hold` of zero drops the
    // seats at once.
    Outcome restart(Time now, Time hold);
    // The host deals the first deal.
    Outcome start(Connection c, Time now);
    // The decision of `c`'s seat, made for the state `version`. For the
    // shuffle, a decision with no cards: the table draws the pack.
    Outcome decide(Connection c, std::uint64_t version, game::Decision d, Time now);
    // Time passes: a decision whose time ran out is made by the computer
    // this once; a due deal nobody connected will ask for is dealt; seats
    // whose restart hold is over are played by the computer; dropped seats
    // past their grace become the computer's; a table nobody has been at for
    // the grace time closes.
    Outcome tick(Time now);

    const TableOptions& options() const { return options_; }
    std::uint64_t version() const { return version_; }
    bool started() const { return started_; }
    bool closed() const { return closed_; }
    const game::State& state() const { return state_; }
    // Who holds the seat, its token included: never logged, never sent but
    // to the player who sat.
    const SeatHolder& holder(game::Seat s) const { return seats_[s]; }
    Connection host() const { return host_; }
    std::optional<Time> deadline() const { return deadline_; }
    // The events of the last call as they happened, no card hidden: for the
    // journal and the tests. Never sent to anyone.
    const game::Events& last_events() const { return events_; }
    // Lets the last call's events go once read: a deal's dealing is hundreds
    // of events, not to be held through the wait for the next call.
    void release_events() { forget_events(); }

private:
    std::optional<game::Seat> seat_of(Connection c) const;
    bool watching(Connection c) const;
    bool connected(game::Seat s) const { return seats_[s].holder == Holder::human; }
    // A connected human decides at the seat (not one who sat during this deal).
    bool playing(game::Seat s) const { return connected(s) && !seats_[s].next_deal; }
    // Waits for its player after a restart: nobody decides for it meanwhile.
    bool held(game::Seat s) const { return seats_[s].held_until.has_value(); }
    int members() const;
    // Plays every seat asked that no connected human holds.
    void advance();
    // Between deals: the seats a human holds (or may reclaim) are the humans'.
    bool seats_to_humans();
    // The version moves; true when the seats changed hands as a deal ended.
    bool stepped(Time now);
    void refresh_deadline(Time now);
    Asking asking() const;
    game::PerSeat<SeatInfo> seat_infos() const;
    Snapshot snapshot(std::optional<game::Seat> seat) const;
    // An update for every member but `skip`, when the game moved or the seats changed.
    void tell(Outcome& out, bool moved, bool seats_changed, std::optional<Connection> skip = std::nullopt) const;
    void pass_host();
    void membership_changed(Time now);
    Token new_token();
    // Each call begins with no events of its own.
    void forget_events();
    static Outcome refuse(std::string_view reason) {
        Outcome out;
        out.refused = reason;
        return out;
    }

    TableOptions options_;
    Connection host_;
    Entropy entropy_;
    std::mt19937_64 deals_;
    game::State state_;
    game::Events events_;
    game::PerSeat<SeatHolder> seats_;
    std::vector<Connection> spectators_;
    std::uint64_t version_ = 0;
    bool started_ = false, closed_ = false;
    std::optional<Time> deadline_;
    std::uint64_t deadline_version_ = 0;
    std::optional<game::Seat> deadline_seat_;
    std::optional<Time> empty_since_;
};

}  // namespace tav::net
