// The whole game as one value.
//
// How the engine is put together:
// - A `State` says everything about a game in progress: every seat's hand and
//   play on the table, the cleared cards, the trick (whose play stands, whose
//   turn it is, a standing challenge, the passes), places, scores and the
//   tribute ledger, the phase of the deal and what the human is asked. It is
//   a plain value: copy it to ask "what if" without touching the game.
// - Rules are functions of the state (rules/, round/). A seat's choice, the
//   human's or a computer seat's, is a `Decision` (decision.h): which cards to
//   play or return, a pass, a hold-back, an answer. The computer decides from
//   a `SeatView` (ai/view.h) that holds only what that seat may know.
// - `apply` (rules/engine.h) checks one decision of the seat asked against
//   the rules, refuses it with a reason or carries it out, and runs the steps
//   that need nobody's decision until some seat must decide again. The driver
//   (host/driver.h) plays the computer seats until a human must decide. What
//   happened is appended to an `Events` list (events.h) as typed events:
//   cards dealt, played, cleared and handed, places, scores, tributes. The
//   table view turns those into pictures, the note lines are made from them
//   where they are read; the shell pauses where a play leaves the table.
//   Nothing in the engine waits, asks or draws.
// - Randomness comes from outside: the shuffle's decision brings the pack's
//   order, drawn by the driver from the game's generator.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

#include "model/cards.h"
#include "model/rules_settings.h"
#include "model/seat.h"

namespace tav::game {

// Where a deal stands. Dealing and buying threes happen inside one action
// and never leave the game waiting, so they have no phase of their own.
enum class Phase : std::uint8_t {
    between_deals,  // the next shuffle is due
    tribute,        // the previous deal's tributes are being settled
    play,           // tricks are being played
};

// What the game waits for from the seat that must decide now (`current_seat`
// in rules/gate.h): the seat at its turn, the receiver of the tribute being
// settled, or, for the shuffle, the first human seat.
enum class Ask : std::uint8_t {
    nothing,               // nothing is due (a state built by hand, steps still to run)
    shuffle,               // between deals
    lead,                  // a play of any rank
    follow,                // a play that beats the standing one, or a pass
    follow_or_hold,        // a challenge stands: a play that beats it, or hold back
    return_tribute,        // pick the cards to give back for a tribute received
    take_partner_tribute,  // a partner pays: take it (and return), or let it go
};

// How a standing challenge is answered.
enum class ChallengeAnswer : std::uint8_t {
    none,
    opposite_only,  // only the opposite seat may answer; its pass ends the trick
    in_turn,        // every seat in turn, when two or more seats are out
};

struct Trick {
    std::optional<Seat> standing;  // whose play stands; none when a lead is due
    std::optional<Seat> turn;      // who acts; none when nobody is left
    bool challenge = false;        // the standing play is a challenge
    ChallengeAnswer answer = ChallengeAnswer::none;
    int passes = 0;  // passes since the standing play, a human's decided pass not counted
};

enum class DebtKind : std::uint8_t { smother, point, place };

// One tribute owed: `count` of the payer's strongest wild cards to the
// receiver, who gives as many weak cards back.
struct Debt {
    std::optional<Seat> payer, receiver;
    int count = 0;
    bool filed() const { return payer || receiver; }
    bool operator==(const Debt&) const = default;
};

// The ledger has fifteen slots, settled in order: 1-6 smother tributes,
// 7-12 point tributes, 13-15 place tributes (a sweep fills all three).
inline constexpr int kLedgerSlots = 15;
constexpr DebtKind kind_of_slot(int slot) {
    return slot <= 6 ? DebtKind::smother : slot <= 12 ? DebtKind::point : DebtKind::place;
}

// Far more steps than a deal of 216 cards needs: a deal that reaches it is
// going round in a circle and is ended (rules/trick.cpp).
inline constexpr int kMaxDealSteps = 20000;

struct State {
    Rules rules;
    // The seats a human decides at; the computer plays the others. Several
    // rules differ for a human seat: its own pass does not count among those
    // that end a trick and its hold-back ends the trick, it is placed last at
    // once when left alone, only it is asked whether to take a partner's
    // tribute, and its return must be whole and is not marked traded. When
    // the computer decides in a human's place (`Decision::by_computer`) the
    // decision counts as the computer's.
    PerSeat<bool> human{{true, false, false, false, false, false}};

    Phase phase = Phase::between_deals;
    Ask ask = Ask::shuffle;

    PerSeat<Hand> hands;
    PerSeat<Play> plays;             // each seat's play standing on the table
    Cleared cleared;                 // cards taken off the table this deal
    std::bitset<kCards + 1> traded;  // received in a tribute this deal: never paid on

    Trick trick;
    PerSeat<std::uint8_t> places{};  // 1..6 once out, 0 while in play
    int out_count = 0;               // seats out
    PerSeat<bool> open_point{};      // declined a challenge this deal
    PerSeat<int> scores{};

    std::array<Debt, kLedgerSlots + 1> ledger{};  // slots 1..15
    int settling = 1;                             // slot being settled

    std::optional<Seat> first_leader;  // leads the next deal (the last place)
    int fours_mark = 2;                // what a seat's fours must reach to lead first
    int steps = 0;                     // turns this deal, bounding a runaway deal

    bool is_out(Seat s) const { return places[s] != 0; }
    // The seat asked for the shuffle between deals: the first human seat
    // from A on (A when every seat is the computer's).
    Seat shuffler() const {
        for (Seat x : kAllSeats)
            if (human[x]) return x;
        return Seat::A;
    }
    bool deal_running() const { return phase == Phase::play; }
};

}  // namespace tav::game
