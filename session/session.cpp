#include "session/session.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "host/driver.h"
#include "rules/engine.h"
#include "rules/gate.h"
#include "store/deal_numbers.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::Move;
using game::Seat;

// A game seed: the one given (folded into the numbered range), else a fresh one.
std::uint64_t seed_or_entropy(std::uint64_t seed) {
    if (seed != 0) return seed % (kMaxGameSeed + 1);
    return draw_game_seed();
}

}  // namespace

Session::Session(TableSettings& s, Platform& p, std::uint64_t seed)
    : settings(s),
      platform(p),
      view_(s, p),
      picking_(state_, busy_, view_, s, [this] { update_buttons(); }),
      helps_(*this, view_.surface()),
      buttons_(game_buttons(shown_ask_, false, {})) {
    const std::uint64_t game_seed = seed_or_entropy(seed);
    rng_.seed(game_seed);
    helps_.next_deal_ = tav::deal_number(game_seed, 1);
    take_rules(settings, state_.rules);
    state_ = game::new_game(state_.rules);
    helps_.view_options_changed();
}

void Session::press(ButtonId id) {
    switch (id) {
        case ButtonId::shuffle:
            if (button(id).enabled) helps_.deal_next();
            break;
        case ButtonId::play: play_picked(); break;
        case ButtonId::pass: pass(); break;
        case ButtonId::hold_back: hold_back(); break;
        case ButtonId::return_cards: return_picked(); break;
        case ButtonId::quit: platform.close(); break;
    }
}

bool Session::decide(const Decision& d) {
    if (remote()) return send_remote(d);
    return act([this, d](game::State& s, game::Events& ev) {
        return d.move == Move::shuffle ? host::shuffle(s, ev, rng_) : host::decide(s, Seat::A, d, ev);
    });
}

bool Session::act(const Action& action) {
    if (busy_ || asking_) return false;
    // The rules are read from the settings at the moment they are needed: a
    // change in the rules dialog counts from the next action on.
    take_rules(settings, state_.rules);
    busy_ = true;
    set_shown_ask(Ask::nothing);
    game::Events ev;
    helps_.count_steps(ev);
    const game::Verdict v = run_engine(ev, action);
    if (!v) {
        busy_ = false;
        set_shown_ask(state_.ask);
        return false;
    }
    ++helps_.actions_;
    // The game has moved on already; the queue only shows it (replay_over
    // ends the action).
    show(ev);
    return true;
}

void Session::ask_partner() {
    // A partner pays the human: the human says whether to take it, and the
    // answer goes in as the next action. Under auto-play the computer says
    // yes, as it does for its own seats.
    const auto answer = [this](bool yes) {
        asking_ = false;
        if (state_.ask != Ask::take_partner_tribute) return;
        const Decision d{yes ? Move::take_tribute : Move::let_tribute_go, {}};
        // A refused answer leaves the game as it was, with its buttons.
        if (!decide(d)) set_shown_ask(state_.ask);
    };
    if (helps_.autoplay()) {
        answer(true);
        return;
    }
    asking_ = true;
    const std::uint64_t generation = generation_;
    const std::weak_ptr<char> alive = alive_;
    platform.ask_yes_no_then("提示信息", "要同帮的进贡吗？", [this, alive, generation, answer](bool yes) {
        if (alive.expired() || generation != generation_) return;
        answer(yes);
    });
}

std::function<void()> Session::guarded(std::function<void()> f) {
    return [this, alive = std::weak_ptr<char>(alive_), generation = generation_, f = std::move(f)] {
        if (alive.expired() || generation != generation_) return;
        f();
    };
}

void Session::settle() {
    if (!busy_ && !asking_) return;
    ++generation_;  // the delay and the question under way run nothing now
    asking_ = false;
    if (!busy_) return;
    view_.surface().set_redraw(false);
    play_on(true);
}

game::Verdict Session::run_engine(game::Events& ev, const Action& action) {
    // The engine works on a copy that replaces the game only when the action
    // went through: whatever goes wrong inside leaves the game as it was,
    // with the buttons it offered, never a table waiting for nobody.
    game::State next = state_;
    const std::mt19937_64 rng_before = rng_;
    try {
        game::Verdict v = action(next, ev);
        if (v) state_ = next;
        return v;
    } catch (const std::exception& e) {
        std::cerr << "tav: the game could not carry out the last action: " << e.what() << '\n';
    }
    rng_ = rng_before;
    ev.clear();
    return game::Verdict{"the action could not be carried out"};
}

void Session::show(game::Events& ev) {
    replay_ = std::move(ev.list);
    ev.clear();
    replay_at_ = 0;
    helps_.counts_shown_ = 0;
    paused_ = false;
    view_.surface().set_redraw(false);
    // Only an action's events wait on pauses: a new game's table is laid at once.
    play_on(!busy_);
}

void Session::play_on(bool at_once) {
    Surface& table = view_.surface();
    const bool slow_deal = settings.deal_speed != "0";
    for (; replay_at_ < replay_.size(); ++replay_at_) {
        const std::size_t i = replay_at_;
        const game::Event& e = replay_[i];
        if (std::holds_alternative<game::PlayCleared>(e) && settings.play_pause > 0 && !at_once && !paused_) {
            // The play stays in sight for a moment before it leaves the
            // table; the queue goes on when the delay is over.
            paused_ = true;
            table.set_redraw(true);
            platform.after(settings.play_pause, guarded([this] {
                               view_.surface().set_redraw(false);
                               play_on(false);
                           }));
            return;
        }
        paused_ = false;
        if (const auto* p = std::get_if<game::Placed>(&e)) deal_places_[p->seat] = static_cast<std::uint8_t>(p->place);
        if (std::holds_alternative<game::DealOver>(e) && callbacks.on_deal_over) callbacks.on_deal_over(deal_places_);
        if (std::holds_alternative<game::TableReset>(e)) deal_places_ = {};
        if (callbacks.before_event) callbacks.before_event(e);
        if (std::holds_alternative<game::Dealt>(e) && slow_deal) {
            table.set_redraw(true);
            view_.show(e);
            helps_.shown(e);
            table.set_redraw(false);
            continue;
        }
        view_.show(e);
        helps_.shown(e);
        // At a table of several players, what another seat is asked is no question to this one.
        if (const auto* a = std::get_if<game::Asked>(&e)) set_shown_ask(a->seat == Seat::A ? a->ask : Ask::nothing);
        helps_.show_counts(i + 1);
    }
    replay_over(at_once);
}

void Session::replay_over(bool at_once) {
    replay_.clear();
    replay_at_ = 0;
    helps_.show_count_now();
    // The deal is over: the focus waits, out of sight, for the leftmost
    // card of the next hand.
    if (state_.hands[Seat::A].empty()) picking_.reset_focus();
    view_.surface().set_redraw(true);
    if (!busy_) return;  // a new game's table, no action
    busy_ = false;
    if (callbacks.on_changed) callbacks.on_changed();
    // Free again: what may be pressed follows, and auto-play's next step
    // (after the save that on_changed may have set going, as without pauses).
    if (callbacks.on_buttons) callbacks.on_buttons();
    // Given up at once (the window closing, a new game): the game waits on
    // the question and a kept game asks it again.
    if (state_.ask == Ask::take_partner_tribute && game::current_seat(state_) == Seat::A && !at_once) ask_partner();
}

void Session::set_shown_ask(Ask ask) {
    shown_ask_ = ask;
    update_buttons();
}

void Session::update_buttons() {
    const std::vector<Card>& picks = picking_.picks();
    // The gate is asked about the picks only on a turn, where they may make a play.
    const game::Verdict verdict = is_turn(shown_ask_) ? game::check(state_, Seat::A, Decision::play(picks))
                                                      : game::Verdict{"nothing to play now"};
    const Buttons now = game_buttons(shown_ask_, !picks.empty(), verdict);
    if (now == buttons_) return;
    buttons_ = now;
    if (callbacks.on_buttons) callbacks.on_buttons();
}

void Session::play_picked() {
    if (!button(ButtonId::play).enabled) return;
    std::vector<Card> picked = picking_.take();
    // The weakest card lies leftmost.
    std::vector<Card> cards = picked;
    std::stable_sort(cards.begin(), cards.end(), [](Card a, Card b) { return game::rank_of(a) < game::rank_of(b); });
    std::reverse(cards.begin(), cards.end());
    if (!decide(Decision::play(cards))) {
        picking_.put_back(std::move(picked));
        update_buttons();
    } else if (remote()) {
        sent_picks_ = std::move(picked);  // back to the picks if the table refuses them
    }
}

void Session::pass() {
    if (!button(ButtonId::pass).enabled) return;
    picking_.drop();
    decide(Decision::pass());
}

void Session::hold_back() {
    if (!button(ButtonId::hold_back).enabled) return;
    picking_.drop();
    decide(Decision{Move::hold_back, {}});
}

void Session::return_picked() {
    if (state_.ask != Ask::return_tribute || game::current_seat(state_) != Seat::A || busy_) return;
    const int owed = state_.ledger[static_cast<std::size_t>(state_.settling)].count;
    if (static_cast<int>(picking_.picks().size()) != owed) {
        platform.message("提示信息", "请选择" + std::to_string(owed) + "张牌还贡！");
        return;
    }
    std::vector<Card> picked = picking_.take();
    if (!decide(Decision{Move::return_tribute, picked}))
        picking_.put_back(std::move(picked));
    else if (remote())
        sent_picks_ = std::move(picked);
}

void Session::new_game() {
    settle();  // the action under way shown to its end first: its deal counts
    picking_.forget();
    view_.clear_notes();
    view_.reset_scores();
    helps_.record_.clear();
    game::Events ev;
    game::reset_game(state_, ev);
    show(ev);
    helps_.dealt_ = 0;  // nothing dealt in the new game yet: no number on the table
    helps_.update_marks();
}

bool Session::human_decides() const {
    // As the buttons offer it: from the moment the question is shown.
    switch (shown_ask_) {
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold:
        case Ask::return_tribute: return true;
        default: return false;
    }
}

bool Session::autoplay_human() {
    if (busy_ || state_.ask == Ask::nothing || state_.ask == Ask::shuffle) return false;
    if (!picking_.picks().empty()) picking_.drop();
    if (remote()) {
        // The computer's choice for the seat, sent as the player's own.
        std::optional<Decision> d = human_decides() ? host::computer_choice(state_) : std::nullopt;
        return d && send_remote(*d);
    }
    return act([](game::State& s, game::Events& ev) { return host::computer_decides(s, ev); });
}

}  // namespace tav
