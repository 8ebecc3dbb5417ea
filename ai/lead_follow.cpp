// The computer seats' lead and follow. A seat leads its weakest rank, whole,
// unless it can rush out (split_rush.cpp). It answers a standing play with a
// rank of exactly the needed size, never breaking a group here; it leaves a
// partner's big or last play alone, never answers a big joker, answers a lone
// card with a 2 when it can, 2s with small jokers and small jokers with big
// jokers. It builds its plays from counts, never from the legality test.
#include <array>
#include <iostream>
#include <string>

#include "table/w_main.h"

namespace tav {
namespace {

// Where a seat's play lies: the first card's x and the row's y. Seat A's own
// plays start one step right of 1100, as the human's play button lays them.
struct PlaySpot {
    int x;
    std::string_view y;
};
constexpr std::array<PlaySpot, 7> kPlaySpot{
    {{0, ""}, {1168, "1045"}, {1800, "1045"}, {1800, "570"}, {1000, "570"}, {510, "570"}, {510, "1045"}}};

}  // namespace

void w_main::move_card(std::string_view seat, int row, int placed) {
    const int s = seat_index(seat);
    CardList* h = hand(seat);
    CardList* own = play_pile(seat);
    if (s == 0 || !h || !own || row < 1 || row > h->row_count()) return;
    const CardRow card = h->at(row);
    own->append(card.num);
    const std::string& id = card.id();
    const PlaySpot& spot = kPlaySpot[static_cast<std::size_t>(s)];
    std::string command;
    command.reserve(120);
    command += id;
    command += ".x =\"";
    command += std::to_string(spot.x + 68 * placed);
    command += "\" ";
    command += id;
    command += ".y =\"";
    command += spot.y;
    command += "\" ";
    command += id;
    command += ".tag =\"\"";
    command += id;
    command += ".filename =\"";
    command += card.bmp();
    command += "\"";
    const std::string refused = dw_main.modify(command);
    if (!refused.empty()) std::cerr << "tav: the table refused a card move: " << refused << "\n";
    dw_main.set_position(id, true);
    h->delete_row(row);
}

void w_main::wf_autoplay() {
    if (!chain_running_) {  // a lead that ends the deal ends it after the lead is announced
        run_chain([this] { wf_autoplay(); });
        return;
    }
    const std::string seat = is_current;
    CardList* h = hand(seat);
    CardList* own = play_pile(seat);
    if (!h || !own) return;

    if (!wf_autorush(seat)) {
        const int c = h->row_count();
        if (c == 0) {
            std::cerr << "tav: seat " << seat << " was asked to lead from an empty hand\n";
            return;
        }
        // Hands are sorted strongest first: the last row is the weakest kind.
        // Under the rule on threes the threes are kept back while other cards remain.
        std::string_view lead = h->at(c).code();
        if (settings.gb_b3) {
            lead = h->at(1).code();
            for (int r = c; r >= 1; --r)
                if (h->at(r).code() != "3") {
                    lead = h->at(r).code();
                    break;
                }
        }
        RedrawPause pause(dw_main);
        int placed = 0;
        for (int r = c; r >= 1; --r)
            if (h->at(r).code() == lead) move_card(seat, r, placed++);
    }
    own->sort("sort");
    is_prior = seat;
    wf_checkover();
    turn_after_play();
}

bool w_main::wf_autoout() {
    if (!chain_running_) {
        bool played = false;
        run_chain([this, &played] { played = wf_autoout(); });
        return played;
    }
    const std::string seat = is_current;

    // A partner's play is left alone when it is a challenge (the partner
    // still in play), a big play, or the partner's last rank.
    if (wf_iftogether(is_prior, seat)) {
        if (is_state == "KV" && !wf_checknull(is_prior)) return false;
        if (wf_getpage(is_prior, 2) > 4) return false;
        if (wf_howhand(is_prior) == 1) return false;
    }

    const CardList* prior = play_pile(is_prior);
    CardList* h = hand(seat);
    CardList* own = play_pile(seat);
    if (!prior || !h || !own || prior->empty()) return false;

    const PlayMakeup made = makeup_of(*prior);
    const int big = made.big, small = made.small, twos = made.twos, naturals = made.naturals;
    const int rank = made.last_natural;  // the standing play's natural rank
    const int size = prior->row_count();

    if (big > 0) return false;  // nothing answers a big joker
    if (small > 0 && wf_getpage(seat, 1, 1) < small) return false;

    int placed = 0;
    bool single_two = false;
    if (naturals > 0) {
        if (naturals == 1 && size == 1) {
            // A lone card is answered with a 2 before any natural card.
            const int r = h->find_sort(3);
            if (r > 0) {
                move_card(seat, r, placed++);
                single_two = true;
            }
        }
        if (!single_two) {
            // The 2s of a mixed play are answered with natural cards; its
            // small jokers with big jokers below.
            const int need = naturals < size ? naturals + twos : naturals;
            const int limit = rank < 7 ? 3 : 4;  // kings and above may be met with 2s
            int found = 0;
            for (int s = rank - 1; s >= limit; --s)
                if (wf_getpage(seat, s, 1) == need) {
                    found = s;
                    break;
                }
            if (found > 0) {
                RedrawPause pause(dw_main);
                for (int r = h->row_count(); r >= 1; --r)
                    if (h->at(r).sort() == found) move_card(seat, r, placed++);
            } else {
                if (!wf_splitcard(rank - 1, need)) return false;
                // The jokers below continue the row after the split's cards.
                placed = own->row_count();
            }
        }
    } else if (twos > 0) {
        const int jokers = wf_getpage(seat, 2, 1);
        if (jokers < twos) return false;
        if (twos >= 3 && jokers - twos <= 2) return false;  // the small jokers are kept
        RedrawPause pause(dw_main);
        for (int i = 0; i < twos; ++i) move_card(seat, h->find_sort(2), placed++);
    }

    if (!single_two && small > 0) {
        RedrawPause pause(dw_main);
        for (int i = 0; i < small; ++i) {
            const int r = h->find_sort(1);
            if (r == 0) {
                std::cerr << "tav: seat " << seat << " ran out of big jokers while answering\n";
                break;
            }
            move_card(seat, r, placed++);
        }
    }

    own->sort("sort");
    if (!is_prior.empty()) file_smother_tribute(seat);
    is_prior = seat;
    wf_checkover();
    return true;
}

}  // namespace tav
