// What a client of a table knows of it, rebuilt from the server's messages
// alone: the table (names, who sits where, the rules), who is asked what, and
// the game as its seat may know it. A bot, the server's tests and the desktop
// program's network table all read the game from here, and check a pick with
// the engine's own gate before sending it.
//
// The game is rebuilt by carrying out, on the known game, the decisions the
// events show (a play, a pass, a hold-back, a tribute handed), through the
// engine's own steps: the turn, the trick, places, scores and the ledger then
// follow exactly as they do on the server. The events the engine makes on the
// way must be the ones the server sent next; where they are not, the mirror
// says it has lost step (`in_step`), and the next snapshot sets it right.
//
// What a seat cannot observe stays as a seat sees it: the others' hands are
// face-down cards, and a smother tribute filed in the middle of a deal (it
// hangs on the smothered hand's ranks) is known only when the deal's debts
// are listed at its end.
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
    // Carries out a seat's decision shown by `e` on `s` through the engine's
    // steps; returns the events the steps made, as this seat sees them.
    std::vector<game::Event> decided(game::State& s, const game::Event& e, bool by_human) const;
    game::Event as_seen(const game::Event& e) const;
    void tribute_handed(const game::TributeHanded& t);
    void pay_slot();
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
    bool awaiting_take_ = false;
    game::Play handed_;  // the cards of the tribute being settled
    // The slots the next listed debts of each kind go to.
    int next_smother_ = 1, next_point_ = 7;
};

}  // namespace tav::net
