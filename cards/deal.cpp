// Shuffle and deal: the pack in the middle of the table is dealt card by card,
// each picture moving first to a staging place beside its seat and then into
// the seat's row. The draw comes from the game's one generator, seeded once,
// so every card is equally likely to reach every seat.
#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "table/w_main.h"

namespace tav {
namespace {

void append_number(std::string& out, int n) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// The whole part of a + b × i / 6, the position of the i-th card dealt.
int at_sixth(int a, int b, int i) { return static_cast<int>(std::floor(a + b * i / 6.0)); }

struct Place {
    int x, y;
};

// Where card i of the deal is staged and where it comes to rest.
struct DealMove {
    Place staging, final;
};

DealMove deal_move(int seat, int i) {
    switch (seat) {
        case 2: return {{2400, 300}, {2521, at_sixth(1285, -8, i)}};          // B, right lower
        case 3: return {{2400, 1000}, {2521, at_sixth(583, -8, i)}};          // C, right upper
        case 1: return {{at_sixth(0, 70, i), 1500}, {at_sixth(0, 70, i), 1696}};  // A, the human
        case 6: return {{300, 1000}, {30, at_sixth(1000, 8, i)}};             // F, left lower
        case 5: return {{300, 300}, {30, at_sixth(300, 8, i)}};               // E, left upper
        default: return {{at_sixth(790, 28, i), 420}, {at_sixth(790, 28, i), 30}};  // D, top
    }
}

// Seat of the i-th card: B, C, A, F, E, D round the table.
constexpr std::array<int, 6> kSeatByRest{4, 2, 3, 1, 6, 5};

}  // namespace

void w_main::cb_send_clicked() {
    if (!cb_send.enabled) return;
    wf_shownote("瑟柯洗牌开始", 1);
    sendout();
    enable(cb_send, false);
}

void w_main::sendout() {
    // A deal needs the table cleared by newgame: dealing over cards still out
    // would put a card in two places.
    for (const CardList* pile : {&dw_a, &dw_b, &dw_c, &dw_d, &dw_e, &dw_f, &dw_1, &dw_2, &dw_3, &dw_4, &dw_5,
                                 &dw_6, &dw_out, &dw_ok})
        if (!pile->empty()) return;

    dw_sendout.reset();
    dw_all.copy_all_to(dw_sendout);
    // The fast deal is drawn once, finished; the slow one shows every move.
    const bool fast = settings.gs_sends == "0";
    const bool was_drawing = dw_main.redraw();
    if (fast) dw_main.set_redraw(false);
    ii_4page = 2;

    std::string command;
    for (int i = 1; i <= kCardCount; ++i) {
        std::uniform_int_distribution<int> draw(1, kCardCount + 1 - i);
        const int r = draw(rng_);
        const CardRow row = dw_sendout.at(r);
        dw_sendout.delete_row(r);
        const std::string& id = row.id();
        const int seat = kSeatByRest[static_cast<std::size_t>(i % 6)];
        const DealMove move = deal_move(seat, i);
        const bool human = seat == 1;
        // The commands are built in one buffer: this runs for every card of every deal.
        auto hide = [&] {
            command += "p_t";
            append_number(command, kCardCount + 1 - i);
            command += ".visible=\"0\"";
        };
        auto at = [&](Place p) {
            command += id;
            command += ".x=\"";
            append_number(command, p.x);
            command += "\" ";
            command += id;
            command += ".y=\"";
            append_number(command, p.y);
            command += "\" ";
        };
        auto face = [&] {
            command += id;
            command += ".filename=\"";
            if (human) command += row.bmp();
            else command += settings.gs_bgcard;
            command += "\" ";
            if (human) {
                command += id;
                command += ".tag=\"my\" ";
            }
            command += id;
            command += ".visible=\"1\"";
        };
        auto pointer = [&] {
            if (!human) return;
            command += ' ';
            command += id;
            command += ".pointer=\"HyperLink!\"";
        };
        command.clear();
        if (fast) {
            // Nothing is drawn before the deal is done: the staging place
            // would never be seen, so each card goes to its seat at once.
            dw_main.set_position(id, true);
            hide();
            command += ' ';
            at(move.final);
            face();
            pointer();
            dw_main.modify(command);
        } else {
            hide();
            dw_main.modify(command);
            dw_main.set_position(id, true);
            command.clear();
            at(move.staging);
            face();
            dw_main.modify(command);
            command.clear();
            at(move.final);
            pointer();
            dw_main.modify(command);
        }

        const std::string letter = seat_letter(seat);
        hand(letter)->append(row.num);
        if (is_firstgo.empty()) is_firstgo = wf_getfirstgo(letter);
    }

    dw_main.modify("t_oa.visible=\"0\" t_ob.visible=\"0\" t_oc.visible=\"0\" t_od.visible=\"0\" "
                   "t_oe.visible=\"0\" t_of.visible=\"0\"");
    dw_sendout.reset();
    // The human's hand reads strongest-left; laid out before drawing resumes
    // so the fast deal shows only the finished table.
    wf_sortcard("A");
    if (fast) dw_main.set_redraw(was_drawing);
    if (on_action) on_action("deal", "");
    wf_gog(ii_cur);
}

// A seat leads first when its fours are strong enough: pairs of a suit's four
// score 1, three or four copies score 2, and the total must reach ii_4page.
std::string w_main::wf_getfirstgo(std::string_view seat) {
    const CardList* h = hand(seat);
    if (!h) return is_firstgo;
    // Scored after every card dealt: only the fours are read by name.
    constexpr std::array<std::string_view, 4> kSuits{"红桃4", "黑桃4", "方块4", "梅花4"};
    std::array<int, 4> copies{};
    for (const CardRow& r : h->rows()) {
        if (r.code() != "4") continue;
        for (std::size_t k = 0; k < kSuits.size(); ++k)
            if (r.name() == kSuits[k]) {
                ++copies[k];
                break;
            }
    }
    int total = 0;
    for (int c : copies) total += c >= 3 ? 2 : c == 2 ? 1 : 0;
    if (total < ii_4page) return is_firstgo;
    ii_4page = total + 1;
    return seat_letter(seat_index(seat));
}

}  // namespace tav
