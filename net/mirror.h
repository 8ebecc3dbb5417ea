// What a client of a table knows of it, rebuilt from the server's messages
// alone: the table (names, who sits where, the rules), who is asked what, and
// the game as its seat may know it. A bot, the server's tests and the desktop
// program's network table all read the game from here, and check a pick with
// the engine's own gate before sending it.
//
// The game is rebuilt by carrying out, on the known game, the decisions the
// events show (a play, a pass, a hold-back, the first lead) through the
// engine's own steps: the turn, the trick, places, scores and the ledger then
// follow exactly as they do on the server. The events the engine makes on the
// way must be the ones the server sent next; where they are not, the mirror
// says it has lost step (`in_step`), and the next snapshot sets it right.
// What the engine could do only with every hand in view (the deal, tributes,
// threes bought) is read from the events themselves.
//
// What a seat cannot observe stays unknown, and only there does `known()`
// differ from the seat's view of the real game; the gate reads none of it:
// - the others' hands are face-down cards;
// - a smother tribute filed in the middle of a deal (it hangs on the
//   smothered hand's ranks) is known only when the deal's debts are listed;
// - before the first deal's first lead, who leads and the fours' mark (they
//   come from the fours being dealt);
// - whether the computer made a player's decision when its time ran out:
//   such a whole return marks its cards traded (a pass is read from the
//   events that follow it); after a snapshot, also for a player who had
//   dropped, and how the last challenge before the record was answered;
// - after a snapshot in the middle of the tributes, the debts listed at the
//   end of the deal before (the one being settled is learned from its events);
// - after a snapshot in the middle of a deal, that a seat taken or given up
//   during it changes hands only at the next deal (`table` shows the new
//   holder at once): learned at the seat's next turn, where the server's asks
//   and the mirror's steps part.
//
// What it needs of the server: a `table` before the `events` of the same
// step (a dropped player's seat is played by the computer, whose passes
// count), and an `events` message, empty if need be, whenever the version moves.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/events.h"
#include "model/state.h"
#include "net/protocol.h"

namespace tav::net {

class SeatMirror {
public:
    SeatMirror();

    // One message from the server, decoded. Messages that say nothing of the
    // table (welcome, chat, an error) change nothing.
    void apply(const ServerMessage& m);

    // The seat this connection sits at; none while watching.
    std::optional<game::Seat> seat() const { return seat_; }
    const std::string& token() const { return token_; }
    // The latest state version any message named.
    std::int64_t version() const { return version_; }
    // The table as last told (none before the first `table`).
    const std::optional<TableInfo>& table() const { return table_; }
    // The last `ask`, while it holds: cleared by the events of the next step.
    const std::optional<AskSeat>& asked() const { return asked_; }
    // The game as this seat may know it.
    const game::State& known() const { return known_; }
    // False once the events the mirror's own steps made differ from those the
    // server sent: the game shown may be wrong until the next snapshot.
    bool in_step() const { return in_step_; }

private:
    // ---- mirror.cpp: the messages ----
    void table_info(const TableInfo& t);
    void snapshot(const SeatSnapshot& snap);
    // Between deals the seats' owners become the game's humans, as on the server.
    void take_humans();
    // The seat's own cards are named to it (not to a newcomer mid-deal).
    bool sees(game::Seat s) const { return seat_ == s && own_hand_seen_; }

    // ---- mirror_events.cpp: the game from its events ----
    void events(std::span<const game::Event> list);
    // The event at `i`; may look ahead to tell a player's own pass from the
    // computer's for it. Returns how many events it used.
    std::size_t event(std::span<const game::Event> list, std::size_t i);
    void handled(const game::Event& e);
    void out_of_step(const game::Event& e);
    // Carries out a seat's decision shown by `e` on `s` through the engine's
    // steps; returns the events the steps made, as this seat sees them.
    std::vector<game::Event> decided(game::State& s, const game::Event& e, bool by_human) const;
    // The decision shown by `e` carried out on `k`, read the first way whose
    // steps make the events of `list` from `from` on (else the likeliest).
    struct Reading {
        game::State state;
        std::vector<game::Event> made;
        bool fits = false;
    };
    Reading read(const game::State& k, const game::Event& e, std::span<const game::Event> list, std::size_t from) const;
    game::Event as_seen(const game::Event& e) const;
    void tribute_handed(const game::TributeHanded& t);
    game::Debt* settled_debt();  // the slot being settled; none between slots
    void pay_slot();
    void unpay_slot();
    void tributes_settled();
    void take(game::Seat s, game::Card c);
    void give(game::Seat s, game::Card c);

    std::optional<game::Seat> seat_;
    std::string token_;
    std::int64_t version_ = 0;
    std::optional<TableInfo> table_;
    std::optional<AskSeat> asked_;
    game::State known_;
    bool in_step_ = true;
    bool own_hand_seen_ = true;

    // Whose are the seats as the table last said (the game's humans from the next deal on).
    game::PerSeat<bool> humans_{};
    game::PerSeat<bool> dropped_{};
    // The events the mirror's own steps made that the server's must match next.
    std::deque<game::Event> expected_;
    // Tribute settling: the next slot to look at, and a partner's tribute
    // waiting for its receiver's answer.
    int next_slot_ = 1;
    bool awaiting_take_ = false, paid_ = false;
    game::Play handed_;  // the cards of the tribute being settled
    // The slots the next listed debts of each kind go to.
    int next_smother_ = 1, next_point_ = 7;
};

}  // namespace tav::net
