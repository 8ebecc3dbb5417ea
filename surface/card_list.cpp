#include "surface/card_list.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <utility>

namespace tav {
namespace {

bool blank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

bool valid_card(int num) { return num >= 1 && num <= kCardCount; }

// The sort of every card number, read from the catalogue once: the direct
// loops below run on every move the players think about.
struct Sorts {
    std::array<std::uint8_t, kCardCount + 1> of{};  // [0]: an empty row
    Sorts() {
        for (int n = 1; n <= kCardCount; ++n)
            of[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(card_info(n).sort);
    }
};

int sort_of(const Sorts& sorts, int num) { return valid_card(num) ? sorts.of[static_cast<std::size_t>(num)] : 0; }

const Sorts& sorts() {
    static const Sorts s;  // built once, never changed
    return s;
}

// For sorting, every text column's values are ranked once in byte order, so
// a sort compares small numbers instead of texts.
struct TextRanks {
    std::array<std::array<std::uint8_t, kCardCount + 1>, 4> rank{};  // id, name, bmp, code

    static std::string_view text(int column, int num) {
        const CatalogueRow& c = card_info(num);
        switch (column) {
            case 0: return card_id(num);
            case 1: return c.name;
            case 2: return c.bmp;
            default: return c.code;
        }
    }

    TextRanks() {
        for (int column = 0; column < 4; ++column) {
            std::array<std::pair<std::string_view, int>, kCardCount + 1> order;
            for (int num = 0; num <= kCardCount; ++num) order[static_cast<std::size_t>(num)] = {text(column, num), num};
            std::sort(order.begin(), order.end());
            int r = 0;
            for (std::size_t i = 0; i < order.size(); ++i) {
                if (i > 0 && order[i].first != order[i - 1].first) ++r;
                rank[static_cast<std::size_t>(column)][static_cast<std::size_t>(order[i].second)] =
                    static_cast<std::uint8_t>(r);
            }
        }
    }
};

int sort_rank(Column column, const CardRow& row) {
    static const TextRanks ranks;  // built once, never changed
    const auto num = static_cast<std::size_t>(valid_card(row.num) ? row.num : 0);
    switch (column) {
        case Column::id: return ranks.rank[0][num];
        case Column::name: return ranks.rank[1][num];
        case Column::bmp: return ranks.rank[2][num];
        case Column::code: return ranks.rank[3][num];
        case Column::sort: return sort_of(sorts(), row.num);
        case Column::isgo: return row.isgo ? 1 : 0;
        case Column::howhand: return 0;  // the same for every row of the pile
    }
    return 0;
}

int number_of(std::string_view s) {
    int n = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return (ec == std::errc() && ptr == s.data() + s.size() && !s.empty()) ? n : 0;
}

}  // namespace

CardList::CardList(std::shared_ptr<ExpressionCache> cache)
    : cache_(cache ? std::move(cache) : std::make_shared<ExpressionCache>()) {}

std::shared_ptr<const Expression> CardList::compiled(std::string_view text) const { return cache_->get(text); }

void CardList::reset() {
    rows_.clear();
    filtered_.clear();
    filter_text_.clear();
}

int CardList::insert_row(int before) {
    if (before == 0) before = row_count() + 1;
    if (before < 1 || before > row_count() + 1) return -1;
    rows_.insert(rows_.begin() + (before - 1), CardRow{});
    return before;
}

int CardList::append(int num, bool isgo) {
    if (!valid_card(num)) return -1;
    rows_.push_back(CardRow{num, isgo});
    return row_count();
}

int CardList::delete_row(int row) {
    if (row < 1 || row > row_count()) return -1;
    rows_.erase(rows_.begin() + (row - 1));
    return 1;
}

int CardList::rows_copy(int first, int last, CardList& target, int before) const {
    if (first < 1 || last < first || last > row_count()) return -1;
    if (before < 1 || before > target.row_count() + 1) return -1;
    const auto from = rows_.begin() + (first - 1);
    const auto to = rows_.begin() + last;
    if (&target == this) {
        // Inserting a vector's own range into it is not allowed: copy first.
        const std::vector<CardRow> slice(from, to);
        target.rows_.insert(target.rows_.begin() + (before - 1), slice.begin(), slice.end());
    } else {
        target.rows_.insert(target.rows_.begin() + (before - 1), from, to);
    }
    return 1;
}

int CardList::sort(std::string_view order) {
    SortKey keys[4];
    int n = 0;
    if (!parse_sort(order, keys, n)) return -1;
    // Each key ranks below 256, so up to four keys pack into one number.
    std::vector<std::pair<std::uint32_t, CardRow>> keyed;
    keyed.reserve(rows_.size());
    for (const CardRow& row : rows_) {
        std::uint32_t key = 0;
        for (int k = 0; k < n; ++k) {
            const int r = sort_rank(keys[k].column, row);
            key = (key << 8) | static_cast<std::uint32_t>(keys[k].descending ? 255 - r : r);
        }
        keyed.emplace_back(key, row);
    }
    std::uint32_t lo = ~std::uint32_t{0}, hi = 0;
    for (const auto& k : keyed) {
        lo = std::min(lo, k.first);
        hi = std::max(hi, k.first);
    }
    if (!keyed.empty() && hi - lo < 256) {
        // Few distinct keys (sorting by sort has sixteen): a counting sort,
        // stable because rows are placed in their old order.
        std::array<int, 257> start{};
        for (const auto& k : keyed) ++start[k.first - lo + 1];
        for (std::uint32_t b = 1; b <= hi - lo; ++b) start[b] += start[b - 1];
        for (const auto& k : keyed) rows_[static_cast<std::size_t>(start[k.first - lo]++)] = k.second;
        return 1;
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) rows_[i] = keyed[i].second;
    return 1;
}

int CardList::set_filter(std::string_view expression) {
    std::shared_ptr<const Expression> e;
    if (!blank(expression)) {
        e = compiled(expression);
        if (!e) return -1;
    }
    // A new filter looks at every row, the ones set aside before included.
    rows_.insert(rows_.end(), filtered_.begin(), filtered_.end());
    filtered_.clear();
    filter_text_.assign(e ? expression : std::string_view{});
    if (!e) return 1;
    const int hh = e->uses_howhand() ? howhand() : 0;
    std::size_t kept = 0;
    for (const CardRow& row : rows_) {
        if (e->matches(row, hh))
            rows_[kept++] = row;  // never ahead of `row`: the loop reads before it writes
        else
            filtered_.push_back(row);
    }
    rows_.resize(kept);
    return 1;
}

int CardList::find(std::string_view expression, int first, int last) const {
    const auto e = compiled(expression);
    if (!e) return -1;
    if (rows_.empty()) return 0;
    first = std::clamp(first, 1, row_count());
    last = std::clamp(last, 1, row_count());
    const int hh = e->uses_howhand() ? howhand() : 0;
    const int step = first <= last ? 1 : -1;
    for (int r = first;; r += step) {
        if (e->matches(at(r), hh)) return r;
        if (r == last) return 0;
    }
}

int CardList::count(std::string_view expression) const {
    const auto e = compiled(expression);
    if (!e) return -1;
    const int hh = e->uses_howhand() ? howhand() : 0;
    int n = 0;
    for (const CardRow& row : rows_) n += e->matches(row, hh) ? 1 : 0;
    return n;
}

std::string CardList::get_string(int row, std::string_view column) const {
    const auto col = column_by_name(column);
    if (!col || row < 1 || row > row_count()) return {};
    const CardRow& r = at(row);
    switch (*col) {
        case Column::id: return card_id(r.num);
        case Column::name: return std::string(r.name());
        case Column::bmp: return std::string(r.bmp());
        case Column::sort: return std::to_string(r.sort());
        case Column::code: return std::string(r.code());
        case Column::isgo: return r.isgo ? "1" : "0";
        case Column::howhand: return std::to_string(howhand());
    }
    return {};
}

int CardList::get_number(int row, std::string_view column) const {
    const auto col = column_by_name(column);
    if (!col || row < 1 || row > row_count()) return 0;
    const CardRow& r = at(row);
    switch (*col) {
        case Column::sort: return r.sort();
        case Column::howhand: return howhand();
        case Column::isgo: return r.isgo ? 1 : 0;
        default: return number_of(get_string(row, column));
    }
}

int CardList::set_item(int row, std::string_view column, std::string_view value) {
    const auto col = column_by_name(column);
    if (!col || row < 1 || row > row_count()) return -1;
    CardRow& r = at(row);
    switch (*col) {
        case Column::id: {
            const int num = card_number(value);
            if (num == 0) return -1;
            r.num = num;
            return 1;
        }
        case Column::isgo:
            if (value != "0" && value != "1") return -1;
            r.isgo = value == "1";
            return 1;
        default:
            // Name, picture, code and sort belong to the card; howhand to the pile.
            return get_string(row, column) == value ? 1 : -1;
    }
}

int CardList::howhand() const {
    // Each code has exactly one sort, so distinct sorts count distinct codes.
    const Sorts& s = sorts();
    std::uint32_t seen = 0;
    for (const CardRow& row : rows_) seen |= std::uint32_t{1} << sort_of(s, row.num);
    return std::popcount(seen & ~std::uint32_t{1});  // sort 0 is an empty row
}

int CardList::find_card(int num) const {
    if (!valid_card(num)) return 0;  // an empty row holds no card
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].num == num) return static_cast<int>(i) + 1;
    return 0;
}

int CardList::count_sort(int sort) const {
    // The players count kinds many times a turn: one table read a row.
    const auto& of = sorts().of;
    int n = 0;
    for (const CardRow& row : rows_) {
        const auto num = static_cast<unsigned>(row.num);
        n += (num < of.size() ? of[num] : 0) == sort ? 1 : 0;
    }
    return n;
}

int CardList::find_sort(int sort) const {
    const Sorts& s = sorts();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (sort_of(s, rows_[i].num) == sort) return static_cast<int>(i) + 1;
    return 0;
}

}  // namespace tav
