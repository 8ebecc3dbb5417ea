// libFuzzer target: the expression compiler and evaluator, directly and
// through a pile (filter, find, count, sort). Any text is either refused with
// a reason or evaluated; a pile never loses, gains or changes a card.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "surface/card_list.h"
#include "surface/expression.h"

namespace {

// The card numbers of a pile, rows set aside by a filter included, in order.
std::vector<int> cards_of(const tav::CardList& pile) {
    std::vector<int> out;
    for (const tav::CardRow& r : pile.rows()) out.push_back(r.num);
    for (const tav::CardRow& r : pile.filtered_rows()) out.push_back(r.num);
    std::sort(out.begin(), out.end());
    return out;
}

void require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::string error;
    const auto e = tav::Expression::compile(text, &error);
    if (!e) require(!error.empty());  // a refusal says why
    if (e) {
        // Every card and an empty row (number 0), moved and not, any pile shape.
        for (int n = 0; n <= tav::kCardCount; ++n) {
            e->matches(tav::CardRow{n, false}, n % 16);
            e->matches(tav::CardRow{n, true}, 1);
        }
    }

    // A small hand with jokers, 2s, a pair and a three; one card already moved.
    tav::CardList pile;
    for (int n : {1, 2, 3, 4, 17, 71, 125, 13, 200, 54}) pile.append(n, n == 71);
    pile.insert_row(3);  // an empty row, as an insert leaves it
    const std::vector<int> before = cards_of(pile);
    const int rows = pile.row_count();

    const int counted = pile.count(text);
    require(counted >= -1 && counted <= rows);
    const int forward = pile.find(text, 1, rows);
    const int backward = pile.find(text, rows, 1);
    require(forward >= -1 && forward <= rows && backward >= -1 && backward <= rows);
    require((forward > 0) == (backward > 0) && (forward > 0) == (counted > 0));

    const int filtered = pile.set_filter(text);
    require(filtered == 1 || filtered == -1);
    if (filtered == 1 && counted >= 0) require(pile.row_count() == counted || pile.filter_text().empty());
    require(cards_of(pile) == before);
    require(pile.set_filter("") == 1 && pile.row_count() == rows);

    const int sorted = pile.sort(text);
    require(sorted == 1 || sorted == -1);
    require(cards_of(pile) == before);
    if (sorted == -1) return 0;
    // A second sort by the same keys changes nothing: the sort is stable.
    std::vector<int> once;
    for (const tav::CardRow& r : pile.rows()) once.push_back(r.num);
    pile.sort(text);
    std::vector<int> twice;
    for (const tav::CardRow& r : pile.rows()) twice.push_back(r.num);
    require(once == twice);
    return 0;
}
