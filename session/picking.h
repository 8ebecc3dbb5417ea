// The human's picked cards and the keyboard's focus on the human's row. The
// session owns one and shows the picks' verdict on its buttons; a click or a
// key here changes only the picks and the focus, never the game.
#pragma once

#include <functional>
#include <vector>

#include "model/state.h"
#include "view/table_settings.h"
#include "view/table_view.h"

namespace tav {

// The game's rules as the settings say them now: the rules dialog counts
// from the next action, and from the next pick.
void take_rules(const TableSettings& settings, game::Rules& rules);

class Picking {
public:
    // `state` and `busy` are the session's, read at each use; `changed` is
    // told after every click, so the buttons can follow the picks.
    Picking(game::State& state, const bool& busy, TableView& view, const TableSettings& settings,
            std::function<void()> changed);

    // Clicks on the table (table units) and on a card's picture.
    void click_at(int x, int y);
    void right_click_at(int x, int y);
    void click(game::Card c);
    void right_click(game::Card c);
    // Picked cards, the latest first.
    const std::vector<game::Card>& picks() const { return picks_; }
    // Every picked card back down.
    void drop();

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

private:
    friend class Session;
    friend class Helps;
    void raise(game::Card c);                      // picked, first in the pick
    std::vector<game::Card> take();                // the picks, left unpicked where they lie
    void put_back(std::vector<game::Card> picks);  // a pick taken and refused
    void forget() { picks_.clear(); }              // the table is laid afresh
    void reset_focus();                            // back to the left, out of sight
    void move_focus(int step);
    void hide_focus();

    game::State& state_;
    const bool& busy_;
    TableView& view_;
    const TableSettings& settings_;
    std::function<void()> changed_;
    std::vector<game::Card> picks_;
    int focus_ = 0;              // the focus's place in the row
    game::Card focus_card_ = 0;  // the card it was put on, 0 for none
    bool focus_shown_ = false;
};

}  // namespace tav
