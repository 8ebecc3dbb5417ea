// The engine's inner steps, shared by the turn rules and the round's end,
// tribute and threes. One `DealSteps` lives for one action: it changes the state
// and records events. Steps that come next are scheduled here, not in the
// state, and run in a loop until some seat must decide, so the state between
// actions holds only the game and a long chain of steps never deepens the stack.
#pragma once

#include <span>
#include <string_view>

#include "model/events.h"
#include "model/state.h"

namespace tav::game {

struct DealSteps {
    DealSteps(State& state, Events& events) : s(state), ev(events) {}

    State& s;
    Events& ev;

    // The next step of the engine; `none` when some seat must decide.
    enum class Next : std::uint8_t { none, end_trick, turn };
    Next next = Next::none;
    std::optional<Seat> next_leader;  // for end_trick; none ends the deal
    bool ending = false;              // the deal's end is due: nothing may follow it

    // ---- turns (rules/trick.cpp) ----
    void schedule(Next step, std::optional<Seat> leader);
    void run();  // every scheduled step, until some seat must decide
    void end_trick(std::optional<Seat> leader);
    // The seat to act is asked to answer the standing play; the trick ends
    // when the turn comes round.
    void take_next_turn();
    // The seat at its turn lays `cards` (checked by the gate already): a
    // lead or an answer to the standing play.
    void play(std::span<const Card> cards);
    // The seat at its turn lets the standing play be: a pass, or a
    // hold-back under a challenge. A human's own decision does not count
    // among the passes that end a trick, and its hold-back ends the trick.
    void pass(bool by_human);
    // Lays `cards` from `seat`'s hand in that order; the play is sorted after.
    void lay(Seat seat, std::span<const Card> cards);
    // After a play by the seat to act: announce it and hand on the turn.
    // False when the play ended the deal.
    bool after_play();
    void clear_play(Seat seat);
    void clear_between(std::optional<Seat> from, std::optional<Seat> to);
    // `seat` must decide `what`; a human seat is told so.
    void ask(Seat seat, Ask what);
    std::optional<Seat> in_play_from(std::optional<Seat> seat) const;
    std::optional<Seat> in_play_after(std::optional<Seat> seat) const;
    bool computer_in_play() const;

    // ---- challenges (rules/trick.cpp) ----
    void open_point(Seat seat);
    void file_smother(Seat player);

    // ---- the deal and its end (round/deal.cpp, round/places.cpp) ----
    // Deals the pack in `order` (every card once, checked by the gate).
    void deal(std::span<const Card> order);
    void begin_play();
    // After a play by the seat to act: an emptied hand takes its place (a
    // human left alone is placed last), and a swept side files its tributes.
    void place_and_file_sweeps();
    void take_place(Seat seat, int place);
    // At the deal's end: files the point tributes owed, then notes every debt.
    void file_point_tributes_and_list();
    void reset_table();
    void lay_out(Seat seat);

    // ---- tribute and threes (round/settle.cpp, round/threes.cpp) ----
    void settle_from(int slot);
    void pay_slot(int slot);  // after the partner question, if any
    // Moves the returned cards of `slot` from its receiver to its payer.
    void hand_back(int slot, std::span<const Card> cards, bool by_human);
    // The receiver's answers while a slot waits: whether to take a partner's
    // tribute, and the cards returned (`by_human` false: the computer chose
    // them). Each settles the slot and goes on with the next.
    void answer_partner(bool take);
    void answer_return(std::span<const Card> cards, bool by_human);
    void buy_threes();
};

// What a seat without a three pays for one: its strongest card that is not
// a joker; none when it has nothing but jokers.
std::optional<Card> payment_for_three(const Hand& hand);

}  // namespace tav::game
