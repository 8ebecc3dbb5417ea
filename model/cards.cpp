#include "model/cards.h"

#include "model/catalogue.h"

namespace tav::game {

std::string_view card_name(Card c) { return card_info(c).name; }
std::string_view rank_code(Rank r) { return code_of_sort(r); }

}  // namespace tav::game
