// Challenge plays ("瑟柯牌"): a play holding a joker, made of 2s only, or
// strong enough in aces, kings, queens, jacks or tens (2s count with every
// rank). While fewer than two seats are out it is aimed at the opposite seat
// alone; a declined challenge marks its player ("开点"). Every play is
// announced here in the game's own words.
#include <array>
#include <string>
#include <utility>

#include "table/w_main.h"

namespace tav {

bool w_main::wf_ifkv() {
    const CardList* pile = play_pile(is_current);
    // An empty play is no play: nothing to classify or announce.
    if (!pile || pile->empty()) return false;

    const PlayMakeup made = makeup_of(*pile);
    const int big = made.big, small = made.small, twos = made.twos, naturals = made.naturals;
    const std::string_view rank = code_of_sort(made.first_natural);

    bool challenge = big > 0 || small > 0 || naturals == 0;
    if (!challenge) {
        // Aces and kings need two, queens three, jacks four, tens five.
        constexpr std::array<std::pair<int, int>, 5> needs{{{4, 2}, {5, 2}, {6, 3}, {7, 4}, {8, 5}}};
        for (const auto& [sort, need] : needs)
            if (pile->count_sort(sort) + twos >= need) {
                challenge = true;
                break;
            }
    }

    std::string text(seat_name(is_current));
    if (big > 0) text += std::to_string(big) + "大户";
    if (small > 0) text += std::to_string(small) + "小户";
    if (twos > 0) text += std::to_string(twos) + "钱";
    if (naturals > 0) text += std::to_string(naturals) + "个" + std::string(rank);
    if (challenge) text += "，瑟柯牌";
    wf_shownote(text, 1);
    return challenge;
}

std::string w_main::wf_gettav(std::string_view seat) {
    const int i = seat_index(seat);
    if (i == 0) return "";
    const std::string opposite = seat_letter((i + 2) % 6 + 1);
    return wf_checknull(opposite) ? "" : opposite;
}

bool w_main::wf_ifbm(std::string_view seat) {
    const CardList* h = hand(seat);
    return h && !h->empty() && h->howhand() == 1;
}

bool w_main::wf_whokd(std::string_view seat) {
    std::string* mark = open_point(seat);
    if (!mark || !mark->empty()) return false;
    *mark = "1";
    wf_shownote(std::string(seat_name(seat)) + "开点", 1);
    return true;
}

void w_main::file_smother_tribute(std::string_view player) {
    if (!settings.gb_m || is_prior.empty() || seat_index(player) == 0) return;
    if (!wf_ifbm(is_prior)) return;
    for (std::size_t slot = 1; slot <= 6; ++slot) {
        if (!is_ke[slot].empty()) continue;
        is_la[slot] = is_prior;
        is_ke[slot] = seat_letter(seat_index(player));
        ii_la[slot] = 1;
        return;
    }
}

}  // namespace tav
