// What must hold at every moment of a deal, checked from outside the game:
// the simulator's --check and the engine tests call these. Each check returns
// "" when all is well, else a short text saying what broke.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tav {

class w_main;

// During a deal: every card 1..216 lies in exactly one of the pack being
// dealt, the six hands, the six plays and the cleared pile (rows a filter has
// set aside included), and the picked list holds only copies of cards of the
// human's hand, each once.
std::string check_cards(const w_main& w);
// Every play on the table holds one natural rank plus any wild cards.
std::string check_plays(const w_main& w);
// Right after the deal, before tribute and threes: the pack is dealt out,
// every hand holds 36 and nothing lies on the table.
std::string check_dealt(const w_main& w);
// At the end of a deal, before the table is cleared: every place 1..6 has
// been given, each to one seat.
std::string check_places(const w_main& w);

// Follows a game action by action (hand it every w_main::on_action) and checks
// the cards and plays after each one, and what a single snapshot cannot see:
// hands keep their total through tributes and purchases, a purchase keeps
// every hand's size, a follow has as many cards as the play it answers, no
// seat acts once it is out, the score changes of a deal sum to 0, and a deal
// ends within a bound of actions.
class InvariantChecker {
public:
    // Every play takes at least one card and at most seven passes follow a
    // play before its trick ends, so a deal of 216 cards needs fewer actions
    // than this; tributes and purchases add a few dozen at most.
    static constexpr int kMaxActions = 216 * 8 + 64;

    explicit InvariantChecker(const w_main& w) : w_(w) {}

    // "" or what broke after `action` by `seat`.
    std::string after(std::string_view action, std::string_view seat);

    int actions_this_deal() const { return actions_; }
    bool in_deal() const { return in_deal_; }

private:
    std::string turn(std::string_view action, int actor);
    void remember();

    const w_main& w_;
    bool in_deal_ = false;
    int actions_ = 0;
    std::array<int, 7> grade_at_deal_{};
    std::array<int, 7> hand_size_{};  // after the previous action, [1..6] = A..F
    std::array<bool, 7> out_{};       // out after the previous action
    int standing_seat_ = 0;           // whose play stands, 0 for none
    int standing_size_ = 0;
};

}  // namespace tav
