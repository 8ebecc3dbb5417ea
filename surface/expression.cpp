// Card pile expressions at work: running a compiled expression over a card
// row, the cache of compiled texts, column names and sort texts. The
// compiler is in expression_compiler.cpp.
#include "surface/expression.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/catalogue.h"
#include "surface/card_list.h"
#include "surface/expression_program.h"

namespace tav {

using namespace detail;

namespace {

template <typename T>
bool apply(T a, Op op, T b) {
    switch (op) {
        case Op::eq: return a == b;
        case Op::ne: return a != b;
        case Op::lt: return a < b;
        case Op::le: return a <= b;
        case Op::gt: return a > b;
        case Op::ge: return a >= b;
    }
    return false;
}

struct Value {
    bool number = false;
    int n = 0;
    std::string_view text;
};

// Numbers compare numerically, texts by bytes; a text meets a number only
// when it is itself a whole number, otherwise only <> holds.
bool compare_values(const Value& a, Op op, const Value& b) {
    if (a.number && b.number) return apply(a.n, op, b.n);
    if (!a.number && !b.number) return apply(a.text.compare(b.text), op, 0);
    const auto other = whole_number(a.number ? b.text : a.text);
    if (!other) return op == Op::ne;
    return a.number ? apply(a.n, op, *other) : apply(*other, op, b.n);
}

// Sort and catalogue row of every card number, read from the catalogue once,
// so a test on a row is one array read.
struct CardFacts {
    std::array<std::uint8_t, kCardCount + 1> sort{}, row{};  // [0]: an empty row
    CardFacts() {
        for (int n = 1; n <= kCardCount; ++n) {
            sort[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(card_info(n).sort);
            row[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(catalogue_row_of_card(n));
        }
    }
};

const CardFacts& facts() {
    static const CardFacts f;  // built once, never changed
    return f;
}

// Anything but a card number reads as the empty row.
std::size_t slot(int num) {
    return static_cast<unsigned>(num) <= static_cast<unsigned>(kCardCount) ? static_cast<std::size_t>(num) : 0;
}

bool in_range(int x, const Expression::Node& n) {
    return (static_cast<std::uint32_t>(x) - static_cast<std::uint32_t>(n.lo) <= n.span) != n.invert;
}

Value value_of(const Operand& o, const CardRow& row, int howhand) {
    if (!o.is_column) return o.is_number ? Value{true, o.number, {}} : Value{false, 0, o.text};
    switch (o.column) {
        case Column::id: return {false, 0, card_id(row.num)};
        case Column::name: return {false, 0, row.name()};
        case Column::bmp: return {false, 0, row.bmp()};
        case Column::sort: return {true, row.sort(), {}};
        case Column::code: return {false, 0, row.code()};
        case Column::isgo: return {false, 0, row.isgo ? "1" : "0"};
        case Column::howhand: return {true, howhand, {}};
    }
    return {};
}

}  // namespace

// Kept out of line: the common tests stay small and fast.
[[gnu::noinline]] bool detail::compare(const Comparison& c, const CardRow& row, int howhand) {
    return compare_values(value_of(c.lhs, row, howhand), c.op, value_of(c.rhs, row, howhand));
}

std::optional<Column> column_by_name(std::string_view name) {
    static constexpr std::string_view kNames[] = {"id", "name", "bmp", "sort", "code", "isgo", "howhand"};
    for (int i = 0; i < 7; ++i) {
        if (same_word(name, kNames[i])) return static_cast<Column>(i);
        if (name.size() == 1 && name[0] == '1' + i) return static_cast<Column>(i);
    }
    return std::nullopt;
}

Expression::~Expression() = default;

bool Expression::matches(const CardRow& row, int howhand) const {
    const CardFacts& f = facts();
    const std::size_t card = slot(row.num);
    const Node* const prog = nodes_.get();
    bool r = false;
    for (const Node* n = prog + root_;; ++n) {
        switch (n->kind) {
            case Kind::done: return r;
            case Kind::jump_false:
                if (!r) n = prog + n->lo - 1;
                break;
            case Kind::jump_true:
                if (r) n = prog + n->lo - 1;
                break;
            case Kind::negate: r = !r; break;
            case Kind::constant: r = n->lo != 0; break;
            case Kind::sort_in: r = in_range(f.sort[card], *n); break;
            case Kind::num_in: r = in_range(static_cast<int>(card), *n); break;
            case Kind::row_in: r = in_range(f.row[card], *n); break;
            case Kind::isgo_in: r = in_range(row.isgo ? 1 : 0, *n); break;
            case Kind::howhand_in: r = in_range(howhand, *n); break;
            case Kind::generic: r = compare(*n->generic, row, howhand); break;
        }
        if (n->last) return r;
    }
}

std::shared_ptr<const Expression> ExpressionCache::get(std::string_view text) {
    std::string key(text);
    auto it = cache_.find(key);
    if (it != cache_.end()) return it->second;
    auto e = Expression::compile(text);
    cache_.emplace(std::move(key), e);
    return e;
}

bool parse_sort(std::string_view text, SortKey (&keys)[4], int& count) {
    int n = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string_view part = text.substr(start, comma - start);
        // Up to two words: the column and an optional direction.
        std::string_view words[3];
        int w = 0;
        std::size_t i = 0;
        while (i < part.size()) {
            while (i < part.size() && is_blank(part[i])) ++i;
            const std::size_t b = i;
            while (i < part.size() && !is_blank(part[i])) ++i;
            if (i > b) {
                if (w == 2) return false;
                words[w++] = part.substr(b, i - b);
            }
        }
        if (w == 0 || n == 4) return false;
        const auto col = column_by_name(words[0]);
        if (!col) return false;
        bool descending = false;
        if (w == 2) {
            if (same_word(words[1], "d") || same_word(words[1], "desc"))
                descending = true;
            else if (!same_word(words[1], "a") && !same_word(words[1], "asc"))
                return false;
        }
        keys[n++] = SortKey{*col, descending};
        if (comma == text.size()) break;
        start = comma + 1;
    }
    count = n;
    return true;
}

}  // namespace tav
