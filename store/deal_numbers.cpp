#include "store/deal_numbers.h"

#include <limits>

#include "model/shuffle.h"

namespace tav {

std::optional<DealPlace> place_of(std::uint64_t number) {
    const std::uint64_t index = number % 1000;
    if (index == 0 || number > kLastDealNumber) return std::nullopt;
    return DealPlace{number / 1000, index};
}

std::uint64_t next_deal_number(std::uint64_t number) {
    const std::optional<DealPlace> p = place_of(number);
    if (!p || number == kLastDealNumber) return kFirstDealNumber;
    if (p->index < kDealsPerSeed) return number + 1;
    return deal_number(p->seed + 1, 1);
}

ParsedDealNumber parse_deal_number(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    const std::string range = "（1 至 " + std::to_string(kLastDealNumber) + "，末三位不能都是 0）";
    if (text.empty()) return {0, "请输入牌局编号" + range};
    std::uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return {0, "牌局编号只能由数字组成" + range};
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (n > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return {0, "没有这个牌局编号" + range};
        n = n * 10 + digit;
    }
    if (!place_of(n)) return {0, "没有这个牌局编号" + range};
    return {n, ""};
}

void prepare_shuffle(std::mt19937_64& rng, std::uint64_t number) {
    const DealPlace p = place_of(number).value_or(DealPlace{});
    rng.seed(p.seed);
    for (std::uint64_t k = 1; k < p.index; ++k) game::shuffle_order(rng);
}

std::uint64_t draw_game_seed() {
    std::random_device rd;
    const std::uint64_t wide = (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
    return wide % 999'999 + 1;
}

}  // namespace tav
