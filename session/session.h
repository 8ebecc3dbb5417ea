// One game at the table: the game state, the shuffle's generator, the table
// view, the human's picked cards and the game buttons. The shell forwards
// clicks and button presses here; the decisions go to the engine and its
// events to the view from a queue, with the pause before a play leaves the
// table a delay in that queue and the question about a partner's tribute
// asked through the platform when the queue reaches it. Nothing here waits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/decision.h"
#include "model/events.h"
#include "model/state.h"
#include "session/buttons.h"
#include "session/helps.h"
#include "session/picking.h"
#include "store/saved_game.h"
#include "view/platform.h"
#include "view/table_settings.h"
#include "view/table_view.h"

namespace tav {

class Session {
public:
    // `seed` fixes the shuffle; 0 draws one from the system's entropy source.
    Session(TableSettings& settings, Platform& platform, std::uint64_t seed = 0);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    TableSettings& settings;
    Platform& platform;

    const game::State& state() const { return state_; }
    // The table: the shell draws, sizes and repaints it through the view.
    TableView& view() { return view_; }
    Surface& surface() { return view_.surface(); }
    std::mt19937_64& rng() { return rng_; }

    // ---- the buttons (session/buttons.h) ----
    const Buttons& buttons() const { return buttons_; }
    const Button& button(ButtonId id) const { return buttons_[index_of(id)]; }
    // What the button does; nothing while it is off.
    void press(ButtonId id);
    void shuffle() { press(ButtonId::shuffle); }
    void play() { press(ButtonId::play); }  // the picked cards

    // The human's picks and the keyboard's focus on its row.
    Picking& picking() { return picking_; }
    const Picking& picking() const { return picking_; }
    // The optional helps: deal numbers, auto-play, hint, record, counter.
    Helps& helps() { return helps_; }
    const Helps& helps() const { return helps_; }

    // An action is being shown (the computer seats play, a pause): clicks,
    // keys and buttons do nothing now.
    bool busy() const { return busy_; }
    // The partner question is open: its answer is the next action.
    bool asking() const { return asking_; }
    // The human has something to decide: a play, a pass or hold-back, a return.
    bool human_decides() const;
    // Whatever the queue still holds is shown at once, with the callbacks it
    // brings; an open question is given up (the game still waits on it: a
    // kept game asks again). Before the window closes, a new game or a resume.
    void settle();
    void new_game();  // scores and tributes cleared, the first shuffle due

    // The computer acts in seat A's place, as it acts for its own seats (the
    // simulator and tests). False, nothing done, when nothing is asked of A.
    bool autoplay_human();

    // One action through the engine, shown on the table; then, while a
    // partner pays the human, the human's answer is asked for. False, the
    // game as it was, when the action is refused or fails, or while busy or
    // asking. The game is changed at once; with a pause set the showing
    // (and the question) may come later, from the event loop.
    using Action = std::function<game::Verdict(game::State&, game::Events&)>;
    bool act(const Action& action);

    // The game as it stands, to keep between runs (the picks are not kept),
    // and a kept game taken up where it stood; the rules in the settings
    // become the game's (session/session_resume.cpp).
    SavedGame keep() const;
    void resume(const SavedGame& g);

    // ---- a network table (session/session_remote.cpp) ----
    // From now on the human's decisions go to `send` instead of the engine
    // (false: not sent, the picks stay), and the game moves only by the
    // table's steps. The game is what the player's seat knows, turned so that
    // the seat is A (session/turning.h): the picks, buttons and the gate's
    // verdict work as in a game alone.
    using Sender = std::function<bool(const game::Decision&)>;
    void go_remote(Sender send);
    bool remote() const { return static_cast<bool>(send_); }
    // A step of the table: the game as the seat knows it after `events`,
    // which are shown through the same queue as a local action's (at once
    // when `at_once`: a table joined or taken back in the middle of a deal).
    void remote_step(const game::State& known, std::vector<game::Event> events, bool at_once = false);
    // The table refused a decision: `why` is shown, and when it was the one
    // waiting, its picks come back and the buttons are as they were.
    void remote_refused(const std::string& why);
    // A decision has been sent and the table has not answered yet.
    bool waiting_remote() const { return sent_; }

    struct Callbacks {
        // Told when a button may have changed, and before each event is shown.
        std::function<void()> on_buttons;
        std::function<void(const game::Event&)> before_event;
        // Told when a deal has ended, with its places (the state's scores are
        // the scores after it; its places may already be cleared for the next).
        std::function<void(const game::PerSeat<std::uint8_t>& places)> on_deal_over;
        // Told after each action that changed the game, once it is shown (the
        // game then waits for the human and can be kept; its events all shown).
        std::function<void()> on_changed;
    };
    Callbacks callbacks;

private:
    friend class Helps;
    void pass();
    void hold_back();
    void return_picked();  // the picked cards, for the tribute received
    void play_picked();
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
    void set_shown_ask(game::Ask ask);
    void update_buttons();

    game::State state_;
    std::mt19937_64 rng_;
    TableView view_;
    bool busy_ = false;    // an action is being shown: no other may start
    bool asking_ = false;  // the partner question is open
    Picking picking_;
    Helps helps_;
    game::Ask shown_ask_ = game::Ask::shuffle;  // what the buttons offer, as shown so far
    Buttons buttons_;
    std::vector<game::Event> replay_;  // the events being shown, and how far
    std::size_t replay_at_ = 0;
    bool paused_ = false;  // the pause before the event at replay_at_ has been made
    // Bumped when what waits on a delay or an answer is given up; the
    // token dies with the session: late callbacks then do nothing.
    std::uint64_t generation_ = 0;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    game::PerSeat<std::uint8_t> deal_places_{};  // the places given in the deal so far
    // A network table: where decisions go, and the one sent and not yet answered.
    Sender send_;
    bool send_remote(const game::Decision& d);
    bool sent_ = false;
    game::Ask ask_before_send_ = game::Ask::nothing;
    std::vector<game::Card> sent_picks_;
};

}  // namespace tav
