// The session's optional helps: numbered deals, auto-play (托管), the hint
// (提示), the whole record of the game, the card counter and the deal
// number label. The session owns one; each help acts through the session,
// as a button would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"
#include "session/card_counter.h"
#include "store/game_record.h"
#include "view/table_marks.h"

namespace tav {

class Session;

class Helps {
public:
    Helps(Session& session, Surface& table);
    Helps(const Helps&) = delete;
    Helps& operator=(const Helps&) = delete;

    // Deal numbers (store/deal_numbers.h): the number the next shuffle deals
    // and the number of the deal on the table (0 before the first). These two
    // plain numbers are all a saved game needs to bring the shuffles back:
    // `prepare_shuffle(rng, next_deal_number())`.
    std::uint64_t next_deal_number() const { return next_deal_; }
    std::uint64_t deal_number() const { return dealt_; }
    // A new game (as the menu's 新游戏) whose first deal is `number`, dealt at
    // once; false, nothing changed, for a number no deal has. An action under
    // way is shown to its end first, as for a new game.
    bool deal_by_number(std::uint64_t number);
    // A saved game's two numbers back (resuming): the generator is brought
    // to where its next shuffle deals `next`. False, nothing changed, when
    // `next` is no deal's number or `dealt` is neither 0 nor one.
    bool restore_deal_numbers(std::uint64_t dealt, std::uint64_t next);

    // 托管: while on, the computer decides for the human (`autoplay_step`),
    // and the same-side question is answered yes without asking.
    bool autoplay() const { return autoplay_; }
    void set_autoplay(bool on);
    // One decision by the computer for the human, when auto-play is on and
    // the human is asked something; false when nothing was done.
    bool autoplay_step();

    // 提示: raises the next of the hint's offers (session/hint.h), the
    // computer's choice first, or says in the note area that it would pass or
    // hold back. False when the human has nothing to decide.
    bool hint();

    // The whole record of the game, grouped by deal.
    const GameRecord& record() const { return record_; }
    // The card counter's numbers as the panel shows them.
    const RankCounts& counter() const { return counter_.shown(); }
    // The settings' view choices (deal number, counter) onto the table.
    void view_options_changed();

private:
    friend class Session;
    bool deal_next();                  // the shuffle, numbered
    void shown(const game::Event& e);  // the helps follow each event shown
    void update_marks();
    // A kept game's numbers and record, its counter and marks onto the table.
    void take_up(std::uint64_t dealt, std::uint64_t next, const GameRecord& record);
    // The counter after each step of an action, shown with that step.
    void count_steps(game::Events& ev);
    void show_counts(std::size_t events_shown);
    void show_count_now();

    Session& s_;
    std::uint64_t next_deal_ = 0, dealt_ = 0, dealing_ = 0;
    bool autoplay_ = false;
    std::vector<game::Decision> hint_offers_;
    std::size_t hint_next_ = 0;
    std::uint64_t actions_ = 0, hint_actions_ = 0;  // the hint's offers hold until the next action
    GameRecord record_;
    CounterPanel counter_;
    TableMarks marks_;
    // The counter after each step of the engine, by the events shown before it.
    std::vector<std::pair<std::size_t, RankCounts>> counts_by_step_;
    std::size_t counts_shown_ = 0;
};

}  // namespace tav
