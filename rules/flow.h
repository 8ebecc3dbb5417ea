// The engine's inner steps, shared by the turn rules and the round's end,
// tribute and threes. One `DealSteps` lives for one action: it changes the state
// and records events. Steps that come next are scheduled in the state and run
// in a loop, so a long chain of computer turns never deepens the stack.
#pragma once

#include <random>
#include <span>

#include "model/events.h"
#include "model/state.h"

namespace tav::game {

struct DealSteps {
    State& s;
    Events& ev;

    // ---- turns (rules/trick.cpp) ----
    void schedule(State::Next next, std::optional<Seat> leader);
    void run();  // every scheduled step, until the human must act
    void end_trick(std::optional<Seat> leader);
    // The seat to act answers the standing play: the human is asked, a
    // computer seat answers at once; the trick ends when the turn comes round.
    void take_next_turn();
    void computer_answer();
    void computer_lead(Seat seat);
    // The same turns with the cards chosen already (none: a pass). A play the
    // rules do not allow is a pass; a lead they do not allow becomes the
    // weakest rank whole.
    void answer_with(std::optional<std::vector<Card>> cards);
    void lead_with(Seat seat, std::vector<Card> cards);
    // Lays `cards` from `seat`'s hand in that order; the play is sorted after.
    void lay(Seat seat, std::span<const Card> cards);
    // After a play by the seat to act: announce it and hand on the turn.
    // False when the play ended the deal.
    bool after_play();
    void clear_play(Seat seat);
    void clear_between(std::optional<Seat> from, std::optional<Seat> to);
    void ask_human(Ask what);
    std::optional<Seat> in_play_from(std::optional<Seat> seat) const;
    std::optional<Seat> in_play_after(std::optional<Seat> seat) const;

    // ---- challenges (rules/trick.cpp) ----
    void open_point(Seat seat);
    void file_smother(Seat player);

    // ---- the deal and its end (model/deal.cpp, round/places.cpp) ----
    void deal(std::mt19937_64& rng);
    void begin_play();
    // After a play by the seat to act: an emptied hand takes its place (the
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
    // The human's answers while a slot waits: whether to take a partner's
    // tribute, and the cards returned (`by_human` false: the computer chose
    // them for the human). Each settles the slot and goes on with the next.
    void answer_partner(bool take);
    void answer_return(std::span<const Card> cards, bool by_human);
    void buy_threes();
};

inline constexpr int kMaxDealSteps = 20000;

}  // namespace tav::game
