#include "model/catalogue.h"

#include <array>
#include <charconv>

namespace tav {
namespace {

constexpr std::array<std::string_view, 13> kRankCodes{"2", "A", "K", "Q", "J", "10", "9", "8", "7", "6", "5", "4", "3"};

struct Tables {
    std::array<std::string, kCatalogueRows> names;
    std::array<std::string, kCatalogueRows> bmps;
    std::array<CatalogueRow, kCatalogueRows + 1> rows{};  // [0] is the empty row
    std::array<std::string, kCardCount + 1> ids;

    Tables() {
        names[0] = "大户";
        bmps[0] = "cards\\Joker1.bmp";
        names[1] = "小户";
        bmps[1] = "cards\\Joker2.bmp";
        const std::array<std::string_view, 4> suit_words{"红桃", "黑桃", "方块", "梅花"};
        const std::array<char, 4> suit_letters{'h', 's', 'd', 'c'};
        for (int r = 0; r < 13; ++r) {
            for (int j = 0; j < 4; ++j) {
                const int i = 2 + 4 * r + j;
                names[i] = std::string(suit_words[j]) + std::string(kRankCodes[r]);
                bmps[i] = std::string("cards\\") + suit_letters[j] + std::string(kRankCodes[r]) + ".bmp";
            }
        }
        for (int i = 0; i < kCatalogueRows; ++i) {
            const int sort = i < 2 ? i + 1 : (i - 2) / 4 + 3;
            rows[i + 1] = CatalogueRow{names[i], bmps[i], sort, code_of_sort(sort)};
        }
        for (int n = 1; n <= kCardCount; ++n) ids[n] = "p_" + std::to_string(n);
    }
};

const Tables& tables() {
    static const Tables t;  // built once, never changed
    return t;
}

}  // namespace

std::string_view code_of_sort(int sort) {
    if (sort == 1) return "Joker1";
    if (sort == 2) return "Joker2";
    if (sort >= 3 && sort <= 15) return kRankCodes[sort - 3];
    return "";
}

const CatalogueRow& catalogue_row(int row) {
    const auto& t = tables();
    if (row < 1 || row > kCatalogueRows) return t.rows[0];
    return t.rows[row];
}

const CatalogueRow& card_info(int card) {
    if (card < 1 || card > kCardCount) return catalogue_row(0);
    return catalogue_row(catalogue_row_of_card(card));
}

const std::string& card_id(int card) {
    const auto& t = tables();
    if (card < 1 || card > kCardCount) return t.ids[0];
    return t.ids[card];
}

int card_number(std::string_view id) {
    if (id.size() < 3 || id[0] != 'p' || id[1] != '_') return 0;
    int n = 0;
    const char* first = id.data() + 2;
    const char* last = id.data() + id.size();
    auto [ptr, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || ptr != last || id[2] == '0') return 0;
    return (n >= 1 && n <= kCardCount) ? n : 0;
}

}  // namespace tav
