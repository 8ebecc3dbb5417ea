// Test helpers: piles from short card strings ("K K 2 BJ SJ 10"), where BJ is
// a big joker, SJ a small joker and any other word is a rank code. Each word
// takes a card of that rank not used yet by the same builder, so a string
// never names one card twice.
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "cards/card_list.h"
#include "table/w_main.h"

namespace tav::test {

class CardPicker {
public:
    // The number of an unused card of that word; 0 when all copies are used.
    int take(const std::string& word) {
        const std::string code = word == "BJ" ? "Joker1" : word == "SJ" ? "Joker2" : word;
        for (int n = 1; n <= kCardCount; ++n) {
            if (used_[static_cast<std::size_t>(n)]) continue;
            if (card_info(n).code == code) {
                used_[static_cast<std::size_t>(n)] = true;
                return n;
            }
        }
        return 0;
    }
    std::vector<int> take_all(const std::string& words) {
        std::vector<int> out;
        std::istringstream in(words);
        for (std::string w; in >> w;) out.push_back(take(w));
        return out;
    }
    void fill(CardList& pile, const std::string& words) {
        for (int n : take_all(words)) pile.append(n);
    }

private:
    std::array<bool, kCardCount + 1> used_{};
};

// A pile built from a card string with a fresh picker.
inline CardList pile_of(const std::string& words) {
    CardList pile;
    CardPicker().fill(pile, words);
    return pile;
}

// The codes of a pile in order, joined by blanks ("Joker1" shown as BJ, "Joker2" as SJ).
inline std::string codes(const CardList& pile) {
    std::string out;
    for (const CardRow& r : pile.rows()) {
        if (!out.empty()) out += ' ';
        const std::string_view c = r.code();
        out += c == "Joker1" ? "BJ" : c == "Joker2" ? "SJ" : std::string(c);
    }
    return out;
}

}  // namespace tav::test
