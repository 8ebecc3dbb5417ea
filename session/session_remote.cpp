// The session at a network table: decisions sent, steps received.
#include "session/session.h"

#include <algorithm>

namespace tav {

void Session::go_remote(Sender send) { send_ = std::move(send); }

bool Session::send_remote(const game::Decision& d) {
    if (busy_ || asking_ || sent_) return false;
    game::Decision out = d;
    out.by_computer = false;                                 // the player's own, whoever chose it
    if (out.move == game::Move::shuffle) out.cards.clear();  // the table draws the pack
    if (!send_(out)) return false;
    sent_ = true;
    ask_before_send_ = shown_ask_;
    set_shown_ask(game::Ask::nothing);  // nothing more to press until the table answers
    return true;
}

void Session::remote_refused(const std::string& why) {
    if (sent_) {
        sent_ = false;
        if (!sent_picks_.empty()) picking_.put_back(std::move(sent_picks_));
        sent_picks_.clear();
        set_shown_ask(ask_before_send_);
    }
    platform.message("提示信息", why);
}

void Session::remote_step(const game::State& known, std::vector<game::Event> events, bool at_once) {
    if (asking_) {
        // The table went on without the answer (its time ran out): the
        // question is given up.
        ++generation_;
        asking_ = false;
    }
    state_ = known;
    sent_ = false;
    // A pick sent as the table moved on (its time ran out) is still the
    // player's while its cards are in the hand.
    const game::Hand& hand = state_.hands[game::Seat::A];
    if (!sent_picks_.empty() && std::all_of(sent_picks_.begin(), sent_picks_.end(), [&](game::Card c) {
            return std::find(hand.begin(), hand.end(), c) != hand.end();
        }))
        picking_.put_back(std::move(sent_picks_));
    sent_picks_.clear();
    if (busy_) {
        // Still showing the step before: this one follows in the same queue.
        replay_.insert(replay_.end(), events.begin(), events.end());
        if (at_once) settle();
        return;
    }
    busy_ = true;
    set_shown_ask(game::Ask::nothing);
    replay_ = std::move(events);
    replay_at_ = 0;
    helps_.counts_shown_ = 0;
    paused_ = false;
    view_.surface().set_redraw(false);
    play_on(at_once);
}

}  // namespace tav
