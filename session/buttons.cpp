#include "session/buttons.h"

namespace tav {

using game::Ask;

bool is_turn(Ask a) { return a == Ask::lead || a == Ask::follow || a == Ask::follow_or_hold; }

Buttons game_buttons(Ask shown, bool picked, const game::Verdict& pick_verdict) {
    const bool turn = is_turn(shown);
    const bool playable = turn && pick_verdict.ok();
    const bool returning = shown == Ask::return_tribute;
    const std::string play_tag = turn && picked && !pick_verdict.ok() ? pick_verdict.reason : kPlayTag;
    return {{
        {"cb_send", "洗牌(&S)", "开始游戏请先洗牌", "Continue!", shown == Ask::shuffle, true},
        {"cb_out", "发牌(&O)", play_tag, "", playable, true},
        {"cb_pass", "过牌(&P)", "不接牌请过牌", "Count!", shown == Ask::follow, true},
        {"cb_over", "扣牌(&O)", "瑟柯牌扣牌", "RetrieveCancel!", shown == Ask::follow_or_hold, true},
        {"cb_gog", "还牌(&O)", "还牌", "MoveMode!", returning, returning},
        {"cb_quit", "退出(&Q)", "退出本游戏", "Exit!", true, true},
    }};
}

}  // namespace tav
