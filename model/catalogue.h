// The card catalogue: 54 kinds of card (two jokers, then thirteen ranks in the
// suit order hearts, spades, diamonds, clubs), and the 216 numbered cards of
// four decks built from it. Card number n is catalogue row ((n - 1) mod 54) + 1.
#pragma once

#include <string>
#include <string_view>

namespace tav {

inline constexpr int kCatalogueRows = 54;
inline constexpr int kCardCount = 216;

struct CatalogueRow {
    std::string_view name;  // "红桃2", "大户" ...
    std::string_view bmp;   // "cards\h2.bmp" ...
    int sort;               // 1 strongest (big joker) .. 15 weakest (three)
    std::string_view code;  // "Joker1", "Joker2", "2", "A" ... "3"
};

// Catalogue row 1..54; out-of-range rows give an empty row with sort 0.
const CatalogueRow& catalogue_row(int row);

// The catalogue row of card number 1..216.
inline int catalogue_row_of_card(int card) { return (card - 1) % kCatalogueRows + 1; }
const CatalogueRow& card_info(int card);

// "p_" + number; the card's permanent id and the name of its picture on the table.
const std::string& card_id(int card);

// The number of an id "p_n" (1..216), or 0 when the text is not a card id.
int card_number(std::string_view id);

// The code of a sort value (1 "Joker1" .. 15 "3"), "" outside 1..15.
std::string_view code_of_sort(int sort);

}  // namespace tav
