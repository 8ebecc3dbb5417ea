// What a play is and what beats what. A play is any number of cards of one
// natural rank plus any number of wild cards (jokers and 2s); a play made of
// wild cards alone is legal too. A follow has as many cards as the standing
// play and, paired strongest with strongest, every card strictly stronger.
#include <cstdlib>
#include <string>

#include "table/w_main.h"

namespace tav {

bool w_main::wf_checkout() {
    if (!is_prior.empty()) {
        const CardList* prior = play_pile(is_prior);
        if (!prior || wf_checkbig(*prior) != 0) return false;
    }
    int rank = 0, mismatches = 0;
    for (const CardRow& r : dw_out.rows()) {
        const int s = r.sort();
        if (s >= 1 && s <= 3) continue;  // wild cards never set or break the rank
        if (rank == 0)
            rank = s;
        else if (s != rank)
            ++mismatches;
    }
    return mismatches == 0;
}

int w_main::wf_checkbig(const CardList& adw_prior) {
    if (dw_out.row_count() != adw_prior.row_count()) return 1;
    dw_out.sort("sort");
    for (int i = 1; i <= dw_out.row_count(); ++i)
        if (dw_out.at(i).sort() >= adw_prior.at(i).sort()) return 1;
    return 0;
}

int w_main::wf_howhand(std::string_view seat) {
    const CardList* h = hand(seat);
    if (!h || h->empty()) return 0;
    int figure = h->howhand();
    for (int wild = 1; wild <= 3; ++wild)
        if (wf_getpage(seat, wild, 1) > 0) --figure;
    return figure;
}

int w_main::wf_getpage(std::string_view seat, int sort, int place) {
    const CardList* pile = nullptr;
    if (place == 1)
        pile = hand(seat);
    else if (place == 2)
        pile = play_pile(seat);
    else
        pile = &dw_ok;
    if (!pile) return 0;
    return pile->count_sort(sort);
}

int w_main::wf_getpage(std::string_view seat, int place) {
    const CardList* pile = place == 1 ? hand(seat) : play_pile(seat);
    return pile ? pile->row_count() : 0;
}

bool w_main::wf_checknull(std::string_view seat) {
    const std::string* mark = finish_mark(seat);
    return mark && !mark->empty();
}

bool w_main::wf_iftogether(std::string_view as_a, std::string_view as_b) {
    const int a = seat_index(as_a), b = seat_index(as_b);
    if (a == 0 || b == 0) return false;
    return std::abs(a - b) % 2 == 0;
}

}  // namespace tav
