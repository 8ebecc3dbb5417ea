#include "model/cards.h"

#include "model/catalogue.h"

namespace tav::game {

std::string_view card_name(Card c) { return card_info(c).name; }
std::string_view rank_code(Rank r) { return code_of_sort(r); }

bool is_one_rank(std::span<const Card> cards) {
    Rank rank = 0;
    for (Card c : cards) {
        const Rank r = rank_of(c);
        if (is_wild(r)) continue;  // wild cards never set or break the rank
        if (rank == 0)
            rank = r;
        else if (r != rank)
            return false;
    }
    return true;
}

}  // namespace tav::game
