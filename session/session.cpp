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

// The play button's tooltip while no picked cards are refused.
constexpr const char* kPlayTag = "请选择一手牌来发牌";

// A game seed: the one given (folded into the numbered range), else a fresh one.
std::uint64_t seed_or_entropy(std::uint64_t seed) {
    if (seed != 0) return seed % (kMaxGameSeed + 1);
    return draw_game_seed();
}

bool is_turn(Ask a) { return a == Ask::lead || a == Ask::follow || a == Ask::follow_or_hold; }

}  // namespace

Session::Session(TableSettings& s, Platform& p, std::uint64_t seed)
    : settings(s), platform(p), view_(s, p), counter_(view_.surface()), marks_(view_.surface()) {
    const std::uint64_t game_seed = seed_or_entropy(seed);
    rng_.seed(game_seed);
    next_deal_ = tav::deal_number(game_seed, 1);
    sync_rules();
    state_ = game::new_game(state_.rules);
    buttons_ = {{
        {"cb_send", "洗牌(&S)", "开始游戏请先洗牌", "Continue!", true, true},
        {"cb_out", "发牌(&O)", kPlayTag, "", false, true},
        {"cb_pass", "过牌(&P)", "不接牌请过牌", "Count!", false, true},
        {"cb_over", "扣牌(&O)", "瑟柯牌扣牌", "RetrieveCancel!", false, true},
        {"cb_gog", "还牌(&O)", "还牌", "MoveMode!", false, false},
        {"cb_quit", "退出(&Q)", "退出本游戏", "Exit!", true, true},
    }};
    view_options_changed();
}

void Session::sync_rules() {
    // The rules are read from the settings at the moment they are needed: a
    // change in the rules dialog counts from the next action on.
    state_.rules.threes = settings.threes_rule;
    state_.rules.smother = settings.smother_tributes;
    state_.rules.points = settings.point_tributes;
    state_.rules.tributes = settings.win_style == 1;
    state_.rules.levels.fill(settings.computer_level == 1 ? game::Level::strong : game::Level::classic);
}

void Session::press(ButtonId id) {
    switch (id) {
        case ButtonId::shuffle: shuffle(); break;
        case ButtonId::play: play(); break;
        case ButtonId::pass: pass(); break;
        case ButtonId::hold_back: hold_back(); break;
        case ButtonId::return_cards: return_picked(); break;
        case ButtonId::quit: quit(); break;
    }
}

bool Session::decide(const Decision& d) {
    return act([this, d](game::State& s, game::Events& ev) {
        return d.move == Move::shuffle ? host::shuffle(s, ev, rng_) : host::decide(s, Seat::A, d, ev);
    });
}

bool Session::act(const Action& action) {
    if (busy_ || asking_) return false;
    sync_rules();
    busy_ = true;
    set_shown_ask(Ask::nothing);
    game::Events ev;
    counts_by_step_.clear();
    // The counter as it stands after each step, shown with that step.
    ev.after_step = [this](const game::State& st, const game::Events& e) {
        counts_by_step_.emplace_back(e.list.size(), unseen_by_human(st));
    };
    const game::Verdict v = run_engine(ev, action);
    if (!v) {
        busy_ = false;
        set_shown_ask(state_.ask);
        return false;
    }
    ++actions_;
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
        if (!act([d](game::State& s, game::Events& e) { return host::decide(s, Seat::A, d, e); }))
            set_shown_ask(state_.ask);
    };
    if (autoplay_) {
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
    replay_step_ = 0;
    paused_ = false;
    view_.surface().set_redraw(false);
    // Only an action's events wait on pauses: a new game's table is laid at once.
    play_on(!busy_);
}

void Session::play_on(bool at_once) {
    Surface& table = view_.surface();
    const bool slow_deal = settings.deal_speed != "0";
    std::size_t& step = replay_step_;
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
        if (std::holds_alternative<game::DealOver>(e) && on_deal_over) on_deal_over(deal_places_);
        if (std::holds_alternative<game::TableReset>(e)) deal_places_ = {};
        if (before_event) before_event(e);
        if (std::holds_alternative<game::Dealt>(e) && slow_deal) {
            table.set_redraw(true);
            view_.show(e);
            shown(e);
            table.set_redraw(false);
            continue;
        }
        view_.show(e);
        shown(e);
        if (const auto* a = std::get_if<game::Asked>(&e)) set_shown_ask(a->ask);
        while (step < counts_by_step_.size() && counts_by_step_[step].first <= i + 1)
            counter_.show(counts_by_step_[step++].second);
    }
    replay_over(at_once);
}

void Session::replay_over(bool at_once) {
    replay_.clear();
    replay_at_ = 0;
    counts_by_step_.clear();
    counter_.show(unseen_by_human(state_));
    if (state_.hands[Seat::A].empty()) {
        // The deal is over: the focus waits, out of sight, for the leftmost
        // card of the next hand.
        focus_shown_ = false;
        focus_ = 0;
        focus_card_ = 0;
    }
    view_.surface().set_redraw(true);
    if (!busy_) return;  // a new game's table, no action
    busy_ = false;
    if (on_changed) on_changed();
    // Free again: what may be pressed follows, and auto-play's next step
    // (after the save that on_changed may have set going, as without pauses).
    if (on_buttons) on_buttons();
    // Given up at once (the window closing, a new game): the game waits on
    // the question and a kept game asks it again.
    if (state_.ask == Ask::take_partner_tribute && !at_once) ask_partner();
}

void Session::set_shown_ask(Ask ask) {
    shown_ask_ = ask;
    update_buttons();
}

game::Verdict Session::pick_verdict() const { return game::check(state_, Seat::A, Decision::play(picks_)); }

void Session::update_buttons() {
    const bool returning = shown_ask_ == Ask::return_tribute;
    const game::Verdict play = is_turn(shown_ask_) ? pick_verdict() : game::Verdict{"nothing to play now"};
    const std::array<std::pair<bool, bool>, 6> want{{
        {shown_ask_ == Ask::shuffle, true},
        {play.ok(), true},
        {shown_ask_ == Ask::follow, true},
        {shown_ask_ == Ask::follow_or_hold, true},
        {returning, returning},
        {true, true},
    }};
    // Picked cards that make no play: the play button says why (its tooltip),
    // in the words of the rule gate.
    Button& play_button = buttons_[static_cast<std::size_t>(ButtonId::play)];
    const std::string tag = is_turn(shown_ask_) && !picks_.empty() && !play.ok() ? play.reason : kPlayTag;
    bool changed = play_button.tag != tag;
    play_button.tag = tag;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        changed = changed || buttons_[i].enabled != want[i].first || buttons_[i].visible != want[i].second;
        buttons_[i].enabled = want[i].first;
        buttons_[i].visible = want[i].second;
    }
    if (changed && on_buttons) on_buttons();
}

void Session::shuffle() {
    if (!button(ButtonId::shuffle).enabled) return;
    deal_next();
}

void Session::play() {
    if (!button(ButtonId::play).enabled) return;
    // The weakest card lies leftmost.
    std::vector<Card> cards = picks_;
    std::stable_sort(cards.begin(), cards.end(), [](Card a, Card b) { return game::rank_of(a) < game::rank_of(b); });
    std::reverse(cards.begin(), cards.end());
    const std::vector<Card> picked = picks_;
    picks_.clear();
    if (!decide(Decision::play(cards))) {
        picks_ = picked;
        update_buttons();
    }
}

void Session::pass() {
    if (!button(ButtonId::pass).enabled) return;
    drop_picks();
    decide(Decision::pass());
}

void Session::hold_back() {
    if (!button(ButtonId::hold_back).enabled) return;
    drop_picks();
    decide(Decision{Move::hold_back, {}});
}

void Session::return_picked() {
    if (state_.ask != Ask::return_tribute || busy_) return;
    const int owed = state_.ledger[static_cast<std::size_t>(state_.settling)].count;
    if (static_cast<int>(picks_.size()) != owed) {
        platform.message("提示信息", "请选择" + std::to_string(owed) + "张牌还贡！");
        return;
    }
    const std::vector<Card> picked = picks_;
    picks_.clear();
    if (!decide(Decision{Move::return_tribute, picked})) picks_ = picked;
}

void Session::quit() { platform.close(); }

void Session::drop_picks() {
    for (auto it = picks_.rbegin(); it != picks_.rend(); ++it) view_.raise(*it, false);
    picks_.clear();
    update_buttons();
}

void Session::click_at(int x, int y) {
    hide_focus();
    const Card c = view_.card_at(x, y);
    if (c) click(c);
}

void Session::right_click_at(int x, int y) {
    hide_focus();
    const Card c = view_.card_at(x, y);
    if (c) right_click(c);
}

void Session::click(Card card) {
    if (busy_ || !game::valid_card(card)) return;
    const game::Hand& hand = state_.hands[Seat::A];
    const bool in_hand = hand.contains(card);
    // The human may not pick a three while other cards remain in the hand,
    // by the game's rules as the dialog last set them.
    sync_rules();
    if (in_hand && game::rank_of(card) == game::kThree && game::threes_kept_back(state_.rules, hand)) return;
    if (in_hand && view_.in_human_row(card)) {
        const auto picked = std::find(picks_.begin(), picks_.end(), card);
        if (picks_.empty() && state_.ask != Ask::return_tribute) {
            // Quick pick: as many cards of the clicked rank as the play needs.
            std::vector<Card> same;
            for (Card c : hand)
                if (game::rank_of(c) == game::rank_of(card)) same.push_back(c);
            const int p = static_cast<int>(same.size());
            int first = 1, last = p;
            if (state_.trick.standing) {
                const int k = state_.plays[*state_.trick.standing].size();
                if (k < p) {
                    const int r = static_cast<int>(std::find(same.begin(), same.end(), card) - same.begin()) + 1;
                    if (p - r + 1 >= k) {
                        first = r;
                        last = r + k - 1;
                    } else {
                        first = p - k + 1;
                        last = p;
                    }
                }
            }
            for (int i = first; i <= last; ++i) {
                const Card c = same[static_cast<std::size_t>(i - 1)];
                view_.raise(c, true);
                picks_.insert(picks_.begin(), c);
            }
        } else if (picked == picks_.end()) {
            view_.raise(card, true);
            picks_.insert(picks_.begin(), card);
        } else {
            view_.raise(card, false);
            picks_.erase(picked);
        }
    }
    update_buttons();
}

void Session::right_click(Card card) {
    if (busy_) return;
    // Every picked card of the clicked rank goes back down.
    if (view_.in_human_row(card) && state_.hands[Seat::A].contains(card) &&
        std::find(picks_.begin(), picks_.end(), card) != picks_.end()) {
        for (auto it = picks_.end(); it != picks_.begin();) {
            --it;
            if (game::rank_of(*it) != game::rank_of(card)) continue;
            view_.raise(*it, false);
            it = picks_.erase(it);
        }
    }
    update_buttons();
}

std::vector<Card> Session::human_row() const {
    std::vector<Card> row;
    for (Card c : state_.hands[Seat::A])
        if (view_.in_human_row(c)) row.push_back(c);
    return row;
}

int Session::focus() const {
    const std::vector<Card> row = human_row();
    if (row.empty()) return -1;
    const auto on = std::find(row.begin(), row.end(), focus_card_);
    if (focus_card_ && on != row.end()) return static_cast<int>(on - row.begin());
    return std::clamp(focus_, 0, static_cast<int>(row.size()) - 1);
}

Card Session::focused_card() const {
    const int i = focus();
    return i < 0 ? Card{0} : human_row()[static_cast<std::size_t>(i)];
}

bool Session::focus_shown() const { return focus_shown_ && focus() >= 0; }

void Session::focus_left() { move_focus(-1); }

void Session::focus_right() { move_focus(1); }

void Session::move_focus(int step) {
    const std::vector<Card> row = human_row();
    if (busy_ || row.empty()) return;
    int i = focus();
    if (focus_shown_) i = std::clamp(i + step, 0, static_cast<int>(row.size()) - 1);
    focus_shown_ = true;
    focus_ = i;
    focus_card_ = row[static_cast<std::size_t>(i)];
    view_.surface().touched();
}

void Session::hide_focus() {
    if (!focus_shown_) return;
    focus_shown_ = false;
    view_.surface().touched();
}

void Session::new_game() {
    settle();  // the action under way shown to its end first: its deal counts
    picks_.clear();
    view_.clear_notes();
    view_.reset_scores();
    record_.clear();
    game::Events ev;
    game::reset_game(state_, ev);
    show(ev);
    dealt_ = 0;  // nothing dealt in the new game yet: no number on the table
    update_marks();
}

void Session::print() { platform.print(); }

void Session::card_back_changed() { view_.show_card_back(state_); }

void Session::background_changed(int style) { view_.paint_background(style); }

void Session::resize(int width, int height) { view_.resize(width, height); }

bool Session::autoplay_human() {
    if (busy_ || state_.ask == Ask::nothing || state_.ask == Ask::shuffle) return false;
    if (!picks_.empty()) drop_picks();
    return act([](game::State& s, game::Events& ev) { return host::computer_decides(s, ev); });
}

}  // namespace tav
