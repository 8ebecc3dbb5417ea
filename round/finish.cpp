// Places and the end of a deal. A seat that empties its hand takes the next
// place (头科 .. 大落) with its score change and files the place tributes;
// when five seats are out and only the human is left, the human is placed
// last at once and the deal ends. A side whose three seats are all out before
// any seat of the other side has swept it, and the place tributes become three
// one-card tributes between opposite seats.
#include <array>
#include <string>

#include "table/w_main.h"

namespace tav {
namespace {

struct Place {
    std::string_view label;
    int change;
};
constexpr std::array<Place, 7> kPlaces{
    {{"", 0}, {"头科", 2}, {"二科", 1}, {"三科", 0}, {"四科", 0}, {"二落", -1}, {"大落", -2}}};

}  // namespace

void w_main::wf_checkover() {
    const std::string seat = is_current;
    const CardList* h = hand(seat);
    std::string* mark = finish_mark(seat);
    if (h && mark && h->empty() && mark->empty()) {
        ++ii_order;
        *mark = std::to_string(ii_order);
        wf_showresult(seat, ii_order);
    }

    if (ii_order == 5) {
        const std::string last = wf_getnextcurrent(is_current);
        if (last == "A") {
            // The human is left alone: placed last without playing again.
            ii_order = 6;
            is_a = "6";
            wf_showresult(last, 6);
            wf_over("");
            return;  // nothing of this deal runs after its end
        }
    }

    auto fill_sweep = [this](std::string_view k13, std::string_view k14, std::string_view k15, std::string_view l13,
                             std::string_view l14, std::string_view l15) {
        is_ke[13] = k13;
        is_ke[14] = k14;
        is_ke[15] = k15;
        is_la[13] = l13;
        is_la[14] = l14;
        is_la[15] = l15;
        ii_la[13] = ii_la[14] = ii_la[15] = 1;
    };
    const std::string ace = is_a + is_c + is_e, bdf = is_b + is_d + is_f;
    if (ace.empty() && bdf.size() == 3) {
        wf_shownote("我方已被抓三户", 1);
        fill_sweep("B", "D", "F", "E", "A", "C");
    } else if (bdf.empty() && ace.size() == 3) {
        wf_shownote("对方已被抓三户", 1);
        fill_sweep("E", "A", "C", "B", "D", "F");
    }
}

void w_main::wf_showresult(std::string_view as_current, int ai_order) {
    const int seat = seat_index(as_current);
    if (seat == 0 || ai_order < 1 || ai_order > 6) return;
    const std::string letter = seat_letter(seat);
    const Place& place = kPlaces[static_cast<std::size_t>(ai_order)];

    switch (ai_order) {
        case 1:
            if (is_ke[13].empty()) {
                is_ke[13] = letter;
                ii_la[13] = 2;
            }
            break;
        case 2:
            if (is_ke[14].empty()) {
                is_ke[14] = letter;
                ii_la[14] = 1;
            }
            break;
        case 5:
            if (is_la[14].empty()) is_la[14] = letter;
            break;
        case 6:
            if (is_la[13].empty()) is_la[13] = letter;
            is_firstgo = letter;  // the last place leads the next deal
            break;
        default: break;
    }

    int& score = ii_grade[static_cast<std::size_t>(seat)];
    score += place.change;

    const char lower = static_cast<char>('a' + seat - 1);
    const std::string score_label = std::string("t_c") + lower;
    const std::string place_label = std::string("t_o") + lower;
    const bool was = dw_main.redraw();
    dw_main.set_redraw(false);
    dw_main.modify(score_label + ".text=\"" + dw_main.describe(score_label + ".tag") + std::to_string(score) + "\"");
    dw_main.modify(place_label + ".visible=\"1\" " + place_label + ".text=\"" + std::string(place.label) + "\"");
    wf_shownote(std::string(seat_padded_name(letter)) + "＞" + std::string(place.label), 1);
    dw_main.set_redraw(was);
}

}  // namespace tav
