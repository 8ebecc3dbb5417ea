// The six game buttons, derived from what the table shows: the question on
// show (nothing while an action is being shown or the partner question is
// open) and the verdict of the rule gate on the human's picked cards.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "model/decision.h"
#include "model/state.h"

namespace tav {

// A game button as the window shows it.
struct Button {
    std::string name, text, tag, picture;
    bool enabled = true;
    bool visible = true;
    bool operator==(const Button&) const = default;
};

enum class ButtonId { shuffle, play, pass, hold_back, return_cards, quit };

using Buttons = std::array<Button, 6>;

inline std::size_t index_of(ButtonId id) { return static_cast<std::size_t>(id); }

// The play button's tooltip while no picked cards are refused.
inline constexpr const char* kPlayTag = "请选择一手牌来发牌";

// Whether `ask` is a turn to play: the picks may then make a play.
bool is_turn(game::Ask ask);

// The buttons for the question on show. `picked`: the human has cards
// picked; `pick_verdict`: the gate's word on playing them (read on a turn
// only). Picked cards that make no play name the gate's reason on the play
// button; the return button shows only while a return is chosen.
Buttons game_buttons(game::Ask shown, bool picked, const game::Verdict& pick_verdict);

}  // namespace tav
