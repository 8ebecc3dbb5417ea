#include "model/notes.h"

#include <array>

namespace tav::game::notes {
namespace {

std::string_view kind_word(DebtKind kind, bool giving_back) {
    switch (kind) {
        case DebtKind::smother: return giving_back ? "还扪贡" : "进扪贡";
        case DebtKind::point: return giving_back ? "还点贡" : "进点贡";
        case DebtKind::place: break;
    }
    return giving_back ? "还落贡" : "进落贡";
}

std::string card_word(Rank r) {
    if (r == kBigJoker) return "大户";
    if (r == kSmallJoker) return "小户";
    if (r == kTwo) return "钱";
    return "个" + std::string(rank_code(r));
}

}  // namespace

std::string leads_first(Seat s) { return std::string(name_of(s)) + "先发牌"; }

std::string play(Seat s, const Makeup& m, bool challenge) {
    std::string text(name_of(s));
    if (m.big > 0) text += std::to_string(m.big) + "大户";
    if (m.small > 0) text += std::to_string(m.small) + "小户";
    if (m.twos > 0) text += std::to_string(m.twos) + "钱";
    if (m.naturals > 0) text += std::to_string(m.naturals) + "个" + std::string(rank_code(m.first_natural));
    if (challenge) text += "，瑟柯牌";
    return text;
}

std::string open_point(Seat s) { return std::string(name_of(s)) + "开点"; }

std::string place(Seat s, int place) {
    static constexpr std::array<std::string_view, 7> labels{"", "头科", "二科", "三科", "四科", "二落", "大落"};
    return std::string(padded_name_of(s)) + "＞" + std::string(labels[static_cast<std::size_t>(place)]);
}

std::string debt(Seat payer, std::optional<Seat> receiver, DebtKind kind, int count) {
    const std::string_view to = receiver ? name_of(*receiver) : std::string_view{};
    return std::string(name_of(payer)) + "向" + std::string(to) + std::string(kind_word(kind, false)) +
           std::to_string(count) + "张";
}

std::string handed(Seat giver, DebtKind kind, bool giving_back, int count, Rank first, Rank second) {
    std::string text = std::string(name_of(giver)) + std::string(kind_word(kind, giving_back));
    if (count == 0) return text + "无牌";  // a payer without jokers or 2s gives nothing
    if (count >= 2 && first == second) return text + "两" + card_word(first);
    text += "一" + card_word(first);
    if (count >= 2) text += "，一" + card_word(second);
    return text;
}

std::string buys_three(Seat s) { return std::string(padded_name_of(s)) + "买３"; }
std::string sells_three(Seat s) { return std::string(padded_name_of(s)) + "卖３"; }

}  // namespace tav::game::notes
