// Buying threes: with the rule on threes, every seat dealt no three buys one
// from a seat dealt two or more, paying with its strongest card that is not a
// joker. Both exchanged cards are shown face up at the exchange spots.
#include <array>
#include <string>

#include "table/w_main.h"

namespace tav {
namespace {

// Sellers tried by each buyer: opposite, next, previous, two after, two before.
constexpr std::array<std::string_view, 7> kSellers{"", "DBFCE", "ECADF", "FDBEA", "AECFB", "BFDAC", "CAEBD"};

struct Spot {
    int x, y;
};
constexpr std::array<Spot, 7> kExchangeSpot{{{0, 0}, {1068, 1045}, {1868, 1045}, {1868, 570}, {1068, 570}, {578, 570}, {578, 1045}}};

}  // namespace

void w_main::buy3() {
    std::array<int, 7> threes{};
    for (int i = 1; i <= 6; ++i) threes[static_cast<std::size_t>(i)] = wf_getpage(seat_letter(i), 15, 1);
    bool human_traded = false;
    for (int b = 1; b <= 6; ++b) {
        if (threes[static_cast<std::size_t>(b)] != 0) continue;
        for (char s : kSellers[static_cast<std::size_t>(b)]) {
            const std::string seller(1, s);
            if (threes[static_cast<std::size_t>(seat_index(seller))] < 2) continue;
            // A seller that has sold out to an earlier buyer cannot sell again:
            // the buyer tries the next seller in its order.
            if (wf_buy3(seat_letter(b), seller)) {
                human_traded = human_traded || b == 1 || seller == "A";
                if (on_action) on_action("buy3", seat_letter(b));
                break;
            }
        }
    }
    // The human's hand is laid out again so the three it bought, or the card
    // it was paid, can be picked like any other card of its hand.
    if (human_traded) wf_sortcard("A");
}

bool w_main::wf_buy3(std::string_view as_buyer, std::string_view as_seller) {
    CardList* buyer = hand(as_buyer);
    CardList* seller = hand(as_seller);
    if (!buyer || !seller || buyer == seller) return false;
    const int three_row = seller->find("code = '3'", 1, seller->row_count());
    if (three_row <= 0) return false;  // never take a payment without a three in return

    dw_temp.reset();
    buyer->copy_all_to(dw_temp);
    dw_temp.set_filter("sort <> 1 and sort <> 2");
    dw_temp.sort("sort");
    if (dw_temp.row_count() == 0) return false;
    const int payment = dw_temp.at(1).num;
    const int three = seller->at(three_row).num;

    wf_shownote(std::string(seat_padded_name(as_buyer)) + "买３", 1);
    wf_shownote(std::string(seat_padded_name(as_seller)) + "卖３", 1);

    buyer->delete_row(buyer->find_card(payment));
    seller->delete_row(seller->find_card(three));
    buyer->append(three);
    seller->append(payment);

    auto show = [this](int card, std::string_view spot_seat) {
        const Spot& spot = kExchangeSpot[static_cast<std::size_t>(seat_index(spot_seat))];
        const std::string& id = card_id(card);
        std::string cmd = id + ".x=\"" + std::to_string(spot.x) + "\" " + id + ".y=\"" + std::to_string(spot.y) +
                          "\" " + id + ".tag=\"\" " + id + ".filename=\"" + std::string(card_info(card).bmp) + "\"";
        if (spot_seat == "A") cmd += " " + id + ".pointer=\"\"";
        dw_main.modify(cmd);
        dw_main.set_position(id, true);
    };
    show(payment, as_buyer);
    show(three, as_seller);
    return true;
}

}  // namespace tav
