// The tribute between deals. Debts are filed in a table of 15 slots during a
// deal (1-6 smother, 7-12 point, 13-15 place tributes), listed when the deal
// ends, and settled slot by slot once the next deal is dealt: the payer's
// strongest jokers and 2s go to the receiver, who returns as many weak cards.
#include <array>
#include <string>
#include <vector>

#include "table/w_main.h"

namespace tav {
namespace {

constexpr int kSlots = 15;

// Where handed cards are shown face up, by the giving seat; x grows by 68.
struct Spot {
    int x, y;
};
constexpr std::array<Spot, 7> kTributeSpot{{{0, 0}, {1000, 1045}, {1800, 1045}, {1800, 570}, {1000, 570}, {510, 570}, {510, 1045}}};

// Kind of a slot: 1 smother, 3 point, 5 place; the return is kind + 1.
int slot_kind(int slot) { return slot <= 6 ? 1 : (slot <= 12 ? 3 : 5); }

std::string_view kind_text(int type) {
    static constexpr std::array<std::string_view, 7> texts{"", "进扪贡", "还扪贡", "进点贡", "还点贡", "进落贡", "还落贡"};
    return type >= 1 && type <= 6 ? texts[static_cast<std::size_t>(type)] : "";
}

std::string_view opposite(std::string_view seat) {
    static constexpr std::array<std::string_view, 7> opp{"", "D", "E", "F", "A", "B", "C"};
    return opp[static_cast<std::size_t>(seat_index(seat))];
}

// A handed card: card i of the giver's row, shown face up at its spot and
// remembered (the first two) for the announcement.
struct Handed {
    std::array<int, 2> sorts{};
    std::array<std::string, 2> codes{};
    void show(Surface& table, std::string_view giver, int i, int card, bool clear_pointer) {
        if (i <= 2) {
            sorts[static_cast<std::size_t>(i - 1)] = card_info(card).sort;
            codes[static_cast<std::size_t>(i - 1)] = std::string(card_info(card).code);
        }
        const Spot& spot = kTributeSpot[static_cast<std::size_t>(seat_index(giver))];
        const std::string& id = card_id(card);
        std::string cmd = id + ".x=\"" + std::to_string(spot.x + 68 * i) + "\" " + id + ".y=\"" +
                          std::to_string(spot.y) + "\" " + id + ".tag=\"\" " + id + ".filename=\"" +
                          std::string(card_info(card).bmp) + "\"";
        if (clear_pointer) cmd += " " + id + ".pointer=\"\"";
        table.modify(cmd);
        table.set_position(id, true);
    }
};

std::string card_word(int sort, const std::string& code) {
    if (sort == 1) return "大户";
    if (sort == 2) return "小户";
    if (sort == 3) return "钱";
    return "个" + code;
}

}  // namespace

void w_main::wf_showg() {
    if (settings.gb_d) {
        for (int i = 1; i <= 6; ++i) {
            const std::string seat = seat_letter(i);
            if (!open_point(seat)->empty()) continue;
            for (std::size_t slot = 7; slot <= 12; ++slot) {
                if (!is_ke[slot].empty()) continue;
                is_la[slot] = seat;
                is_ke[slot] = std::string(opposite(seat));
                ii_la[slot] = 1;
                break;
            }
        }
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        if (is_la[s].empty()) continue;
        wf_shownote(std::string(seat_name(is_la[s])) + "向" + std::string(seat_name(is_ke[s])) +
                        std::string(kind_text(slot_kind(slot))) + std::to_string(ii_la[s]) + "张",
                    1);
    }
}

void w_main::wf_whogog(std::string_view as_who, const std::array<int, 2>& ai_card,
                       const std::array<std::string, 2>& as_code, int ai_type) {
    std::string text = std::string(seat_name(as_who)) + std::string(kind_text(ai_type));
    if (as_code[0].empty()) {
        text += "无牌";  // a payer without jokers or 2s gives nothing
    } else if (ai_card[0] == ai_card[1]) {
        text += "两" + card_word(ai_card[0], as_code[0]);
    } else {
        text += "一" + card_word(ai_card[0], as_code[0]);
        if (!as_code[1].empty()) text += "，一" + card_word(ai_card[1], as_code[1]);
    }
    wf_shownote(text, 1);
}

void w_main::wf_gog(int ai_cur) {
    for (int slot = ai_cur;; ++slot) {
        ii_cur = slot;
        if (slot > kSlots || slot < 1 || settings.gi_winstyle == 0) {
            // The table holds the debts of the deal just played: once they are
            // settled (or tributes are off) it is emptied for the next one.
            for (int i = 1; i <= kSlots; ++i) {
                is_la[static_cast<std::size_t>(i)].clear();
                is_ke[static_cast<std::size_t>(i)].clear();
                ii_la[static_cast<std::size_t>(i)] = 0;
            }
            if (settings.gb_b3) buy3();
            gamebegin();
            return;
        }
        const auto s = static_cast<std::size_t>(slot);
        const std::string payer = is_la[s], receiver = is_ke[s];
        CardList* from = hand(payer);
        CardList* to = hand(receiver);
        if (!from || !to || from == to) continue;  // an empty or half-filed slot settles nothing
        const int type = slot_kind(slot);

        dw_gog.reset();
        from->copy_all_to(dw_gog);
        dw_gog.set_filter("sort <= 3 and isgo <> '1'");
        dw_gog.sort("sort");
        int n = std::min(std::max(ii_la[s], 0), dw_gog.row_count());
        ii_la[s] = n;

        std::vector<int> cards;
        Handed handed;
        for (int i = 1; i <= n; ++i) {
            const int card = dw_gog.at(i).num;
            cards.push_back(card);
            handed.show(dw_main, payer, i, card, true);
        }
        wf_whogog(payer, handed.sorts, handed.codes, type);

        if (receiver == "A" && (payer == "C" || payer == "E") &&
            !platform.ask_yes_no("提示信息", "要同帮的进贡吗？")) {
            wf_shownote("请钟离云放弃贡", 1);
            wf_sortcard(payer);
            continue;
        }
        for (int card : cards) {
            from->delete_row(from->find_card(card));
            to->append(card, true);
        }
        if (on_action) on_action("tribute", payer);
        if (receiver == "A") {
            // The human picks its return and confirms it with the return button.
            show(cb_gog, true);
            enable(cb_gog, true);
            ib_go = false;
            wf_shownote("请钟离云还贡", 1);
            return;
        }
        auto_return(slot, n);
        if (on_action) on_action("return", receiver);
    }
}

void w_main::auto_return(int slot, int n) {
    const auto s = static_cast<std::size_t>(slot);
    const std::string payer = is_la[s], receiver = is_ke[s];
    CardList* from = hand(payer);
    CardList* to = hand(receiver);
    // Candidates: nines down to fours, weakest last; never a three.
    dw_gog.reset();
    to->copy_all_to(dw_gog);
    dw_gog.set_filter("sort > 8 and code <>'3'");
    dw_gog.sort("sort");
    const int rows = dw_gog.row_count();
    std::vector<bool> chosen(static_cast<std::size_t>(rows) + 1, false);
    std::vector<int> order;  // rows of dw_gog in the order chosen
    auto take = [&](int row) {
        if (row < 1 || chosen[static_cast<std::size_t>(row)]) return;
        chosen[static_cast<std::size_t>(row)] = true;
        order.push_back(row);
    };
    auto held = [&](int row) { return to->count_sort(dw_gog.at(row).sort()); };
    // First the single cards of a rank.
    for (int r = rows; r >= 1 && static_cast<int>(order.size()) < n; --r)
        if (held(r) == 1) take(r);
    // Then a card whose rank is used up or keeps at least two.
    if (static_cast<int>(order.size()) < n) {
        for (int r = rows; r >= 1; --r) {
            if (chosen[static_cast<std::size_t>(r)]) continue;
            const int left = held(r) - (n - static_cast<int>(order.size()));
            if (left == 0 || left >= 2) {
                const bool first = order.empty();
                take(r);
                if (first) take(r - 1);
                break;
            }
        }
    }
    // Then the weakest card left.
    if (static_cast<int>(order.size()) < n) {
        for (int r = rows; r >= 1; --r) {
            if (chosen[static_cast<std::size_t>(r)]) continue;
            const bool first = order.empty();
            take(r);
            if (first) take(r - 1);
            break;
        }
    }
    if (static_cast<int>(order.size()) > n) order.resize(static_cast<std::size_t>(n));
    // Fewer candidates than owed: the return gives what there is.
    const int given = static_cast<int>(order.size());

    Handed handed;
    for (int i = 1; i <= given; ++i) {
        const int card = dw_gog.at(order[static_cast<std::size_t>(i - 1)]).num;
        handed.show(dw_main, receiver, i, card, false);
        to->delete_row(to->find_card(card));
        from->append(card, true);
    }
    ii_la[s] = std::min(ii_la[s], given);
    wf_whogog(receiver, handed.sorts, handed.codes, slot_kind(slot) + 1);
    wf_sortcard(payer);
    wf_sortcard(receiver);
}

void w_main::cb_gog_clicked() {
    if (ib_go || ii_cur < 1 || ii_cur > kSlots) return;  // no return is owed
    const auto s = static_cast<std::size_t>(ii_cur);
    const std::string payer = is_la[s];
    CardList* to = hand(payer);
    if (!to || is_ke[s] != "A") return;
    const int n = ii_la[s];
    if (dw_out.row_count() != n) {
        platform.message("提示信息", "请选择" + std::to_string(n) + "张牌还贡！");
        return;
    }
    // Only cards of the human's own hand, each once, can go back.
    for (int i = 1; i <= n; ++i) {
        const int card = dw_out.at(i).num;
        if (!dw_a.contains(card) || dw_out.find_card(card) != i) return;
    }
    Handed handed;
    for (int i = 1; i <= n; ++i) {
        const int card = dw_out.at(i).num;
        handed.show(dw_main, "A", i, card, true);
        dw_a.delete_row(dw_a.find_card(card));
        to->append(card);
    }
    wf_whogog("A", handed.sorts, handed.codes, slot_kind(ii_cur) + 1);
    wf_sortcard(payer);
    wf_sortcard("A");
    dw_out.reset();
    if (on_action) on_action("return", "A");
    show(cb_gog, false);
    enable(cb_gog, false);
    ib_go = true;
    ii_cur += 1;
    wf_gog(ii_cur);
}

bool w_main::autoreturn_human() {
    if (ib_go || ii_cur < 1 || ii_cur > kSlots) return false;  // no return is owed
    const auto s = static_cast<std::size_t>(ii_cur);
    if (is_ke[s] != "A" || !hand(is_la[s])) return false;
    // Cards the human had picked go back down: the automatic return chooses.
    if (!dw_out.empty()) wf_backall(dw_out, "");
    auto_return(ii_cur, ii_la[s]);
    if (on_action) on_action("return", "A");
    show(cb_gog, false);
    enable(cb_gog, false);
    ib_go = true;
    ii_cur += 1;
    wf_gog(ii_cur);
    return true;
}

}  // namespace tav
