// One game at the table: the game state, the shuffle's generator, the table
// view, the human's picked cards and the game buttons. The shell forwards
// clicks and button presses here; the decisions go to the engine and its
// events to the view from a queue, with the pause before a play leaves the
// table a delay in that queue and the question about a partner's tribute
// asked through the platform when the queue reaches it. Nothing here waits.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"
#include "session/card_counter.h"
#include "store/game_record.h"
#include "view/platform.h"
#include "view/table_marks.h"
#include "view/table_settings.h"
#include "view/table_view.h"

namespace tav {

// A game button as the window shows it.
struct Button {
    std::string name, text, tag, picture;
    bool enabled = true;
    bool visible = true;
};

enum class ButtonId { shuffle, play, pass, hold_back, return_cards, quit };

class Session {
public:
    // `seed` fixes the shuffle; 0 draws one from the system's entropy source.
    Session(TableSettings& settings, Platform& platform, std::uint64_t seed = 0);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    TableSettings& settings;
    Platform& platform;

    const game::State& state() const { return state_; }
    TableView& view() { return view_; }
    Surface& surface() { return view_.surface(); }
    std::mt19937_64& rng() { return rng_; }

    // ---- the buttons ----
    const std::array<Button, 6>& buttons() const { return buttons_; }
    Button& button(ButtonId id) { return buttons_[static_cast<std::size_t>(id)]; }
    void press(ButtonId id);
    void shuffle();
    void play();  // the picked cards
    void pass();
    void hold_back();
    void return_picked();  // the picked cards, for the tribute received
    void quit();

    // ---- picking on the table (table units) ----
    void click_at(int x, int y);
    void right_click_at(int x, int y);
    void click(game::Card c);  // a left click on a card's picture
    void right_click(game::Card c);
    // Picked cards, the latest first.
    const std::vector<game::Card>& picks() const { return picks_; }
    void drop_picks();

    // ---- the keyboard's focus on the human's row ----
    // The human's cards lying in its row, left to right (the hand's order).
    std::vector<game::Card> human_row() const;
    // Which card of the row the keyboard points at: an index into
    // human_row(), -1 while the row is empty. It starts at the leftmost card
    // and stays on its card while that card is in the row; when the card
    // leaves, the focus keeps its place, within the row.
    int focus() const;
    game::Card focused_card() const;  // 0 while the row is empty
    // The focus is shown once a focus key is used, and goes out of sight on
    // a click on the table and when the hand is empty.
    bool focus_shown() const;
    // The first use while the focus is out of sight only shows it.
    void focus_left();
    void focus_right();
    // An action is being shown (the computer seats play, a pause): clicks,
    // keys and buttons do nothing now.
    bool busy() const { return busy_; }
    // The partner question is open: its answer is the next action.
    bool asking() const { return asking_; }
    // Whatever the queue still holds is shown at once, with the callbacks it
    // brings; an open question is given up (the game still waits on it: a
    // kept game asks again). Before the window closes, a new game or a resume.
    void settle();

    // ---- menu and settings ----
    void new_game();  // scores and tributes cleared, the first shuffle due
    void print();
    void card_back_changed();  // the settings' card back onto the table
    void background_changed(int style);
    void resize(int width, int height);

    // The computer acts in seat A's place, as it acts for its own seats (the
    // simulator and tests). False, nothing done, when nothing is asked of A.
    bool autoplay_human();

    // ---- the optional helps (session/session_aids.cpp) ----
    // Deal numbers (store/deal_numbers.h): the number the next shuffle deals
    // and the number of the deal on the table (0 before the first). These two
    // plain numbers are all a saved game needs to bring the shuffles back:
    // `prepare_shuffle(rng, next_deal_number())`.
    std::uint64_t next_deal_number() const { return next_deal_; }
    std::uint64_t deal_number() const { return dealt_; }
    // A new game (as the menu's 新游戏) whose first deal is `number`, dealt at
    // once; false, nothing changed, for a number no deal has or while busy.
    bool deal_by_number(std::uint64_t number);
    // A saved game's two numbers back (resuming): the generator is brought
    // to where its next shuffle deals `next`. False, nothing changed, when
    // `next` is no deal's number or `dealt` is neither 0 nor one.
    bool restore_deal_numbers(std::uint64_t dealt, std::uint64_t next);

    // The human has something to decide: a play, a pass or hold-back, a return.
    bool human_decides() const;
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

    // One action through the engine, shown on the table; then, while a
    // partner pays the human, the human's answer is asked for. False, the
    // game as it was, when the action is refused or fails, or while busy or
    // asking. The game is changed at once; with a pause set the showing
    // (and the question) may come later, from the event loop.
    using Action = std::function<game::Verdict(game::State&, game::Events&)>;
    bool act(const Action& action);

    // The game as it stands, to keep between runs (the picks are not kept),
    // and a kept game taken up where it stood; the rules in the settings
    // become the game's.
    SavedGame keep() const;
    void resume(const SavedGame& g);

    // Told when a button may have changed, and before each event is shown.
    std::function<void()> on_buttons;
    std::function<void(const game::Event&)> before_event;
    // Told when a deal has ended, with its places (the state's scores are
    // the scores after it; its places may already be cleared for the next).
    std::function<void(const game::PerSeat<std::uint8_t>& places)> on_deal_over;
    // Told after each action that changed the game, once it is shown (the
    // game then waits for the human and can be kept; its events all shown).
    std::function<void()> on_changed;

private:
    // Sends a decision (or the computer's choice for seat A) to the engine
    // and shows what happened.
    bool decide(const game::Decision& d);
    // Runs `action` on a copy of the game that replaces it only when the
    // action went through.
    game::Verdict run_engine(game::Events& ev, const Action& action);
    void show(game::Events& ev);
    // Shows the queued events from where the replay stands, up to the next
    // pause (none when `at_once`); then what ends an action's showing.
    void play_on(bool at_once);
    void replay_over(bool at_once);
    // The partner question, answered now under auto-play, else through the platform.
    void ask_partner();
    // Runs `f` later only if this session lives and nothing since gave up
    // what was waiting.
    std::function<void()> guarded(std::function<void()> f);
    void sync_rules();
    void set_shown_ask(game::Ask ask);
    void update_buttons();
    game::Verdict pick_verdict() const;
    void move_focus(int step);
    void hide_focus();

    bool deal_next();                  // the shuffle, numbered
    void shown(const game::Event& e);  // the helps follow each event shown
    void update_marks();

    game::State state_;
    std::mt19937_64 rng_;
    TableView view_;
    std::vector<game::Card> picks_;
    game::Ask shown_ask_ = game::Ask::shuffle;  // what the buttons offer, as shown so far
    std::array<Button, 6> buttons_;
    bool busy_ = false;                // an action is being shown: no other may start
    bool asking_ = false;              // the partner question is open
    std::vector<game::Event> replay_;  // the events being shown, and how far
    std::size_t replay_at_ = 0, replay_step_ = 0;
    bool paused_ = false;  // the pause before the event at replay_at_ has been made
    // Bumped when what waits on a delay or an answer is given up; the
    // token dies with the session: late callbacks then do nothing.
    std::uint64_t generation_ = 0;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    int focus_ = 0;              // the focus's place in the row
    game::Card focus_card_ = 0;  // the card it was put on, 0 for none
    bool focus_shown_ = false;

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
    game::PerSeat<std::uint8_t> deal_places_{};  // the places given in the deal so far
};

}  // namespace tav
