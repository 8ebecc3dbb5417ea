#include "session/picking.h"

#include <algorithm>

#include "rules/gate.h"

namespace tav {

using game::Ask;
using game::Card;
using game::Seat;

void take_rules(const TableSettings& settings, game::Rules& rules) {
    rules.threes = settings.threes_rule;
    rules.smother = settings.smother_tributes;
    rules.points = settings.point_tributes;
    rules.tributes = settings.win_style == 1;
    rules.levels.fill(settings.computer_level == 1 ? game::Level::strong : game::Level::classic);
}

Picking::Picking(game::State& state, const bool& busy, TableView& view, const TableSettings& settings,
                 std::function<void()> changed)
    : state_(state), busy_(busy), view_(view), settings_(settings), changed_(std::move(changed)) {}

void Picking::drop() {
    for (auto it = picks_.rbegin(); it != picks_.rend(); ++it) view_.raise(*it, false);
    picks_.clear();
    changed_();
}

void Picking::raise(Card c) {
    view_.raise(c, true);
    picks_.insert(picks_.begin(), c);
}

std::vector<Card> Picking::take() {
    std::vector<Card> taken;
    taken.swap(picks_);
    return taken;
}

void Picking::put_back(std::vector<Card> picks) { picks_ = std::move(picks); }

void Picking::click_at(int x, int y) {
    hide_focus();
    const Card c = view_.card_at(x, y);
    if (c) click(c);
}

void Picking::right_click_at(int x, int y) {
    hide_focus();
    const Card c = view_.card_at(x, y);
    if (c) right_click(c);
}

void Picking::click(Card card) {
    if (busy_ || !game::valid_card(card)) return;
    const game::Hand& hand = state_.hands[Seat::A];
    const bool in_hand = hand.contains(card);
    // The human may not pick a three while other cards remain in the hand,
    // by the game's rules as the dialog last set them.
    take_rules(settings_, state_.rules);
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
            for (int i = first; i <= last; ++i) raise(same[static_cast<std::size_t>(i - 1)]);
        } else if (picked == picks_.end()) {
            raise(card);
        } else {
            view_.raise(card, false);
            picks_.erase(picked);
        }
    }
    changed_();
}

void Picking::right_click(Card card) {
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
    changed_();
}

std::vector<Card> Picking::human_row() const {
    std::vector<Card> row;
    for (Card c : state_.hands[Seat::A])
        if (view_.in_human_row(c)) row.push_back(c);
    return row;
}

int Picking::focus() const {
    const std::vector<Card> row = human_row();
    if (row.empty()) return -1;
    const auto on = std::find(row.begin(), row.end(), focus_card_);
    if (focus_card_ && on != row.end()) return static_cast<int>(on - row.begin());
    return std::clamp(focus_, 0, static_cast<int>(row.size()) - 1);
}

Card Picking::focused_card() const {
    const int i = focus();
    return i < 0 ? Card{0} : human_row()[static_cast<std::size_t>(i)];
}

bool Picking::focus_shown() const { return focus_shown_ && focus() >= 0; }

void Picking::focus_left() { move_focus(-1); }

void Picking::focus_right() { move_focus(1); }

void Picking::move_focus(int step) {
    const std::vector<Card> row = human_row();
    if (busy_ || row.empty()) return;
    int i = focus();
    if (focus_shown_) i = std::clamp(i + step, 0, static_cast<int>(row.size()) - 1);
    focus_shown_ = true;
    focus_ = i;
    focus_card_ = row[static_cast<std::size_t>(i)];
    view_.surface().touched();
}

void Picking::hide_focus() {
    if (!focus_shown_) return;
    focus_shown_ = false;
    view_.surface().touched();
}

void Picking::reset_focus() {
    focus_shown_ = false;
    focus_ = 0;
    focus_card_ = 0;
}

}  // namespace tav
