// Inside the card pile expressions: the compiled form an expression is turned
// into (expression_compiler.cpp) and run over card rows (expression.cpp),
// and the few text helpers both sides read with. Not for other code.
#pragma once

#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "surface/expression.h"

namespace tav {
namespace detail {

enum class Op : std::uint8_t { eq, ne, lt, le, gt, ge };

// The compiled form is a little program run left to right over one bool
// register: tests set it, jumps give `and` / `or` their short cut, `negate`
// is `not`. No recursion while matching, however long the text.
enum class Kind : std::uint8_t {
    done,
    jump_false,  // to `lo` when the register is false
    jump_true,   // to `lo` when the register is true
    negate,
    constant,  // register = lo != 0
    // Whole-number tests: register = (lo <= x <= hi) != invert, x being
    sort_in,     // the row's sort
    num_in,      // the row's card number
    row_in,      // the row's catalogue row (0 for an empty row)
    isgo_in,     // isgo as 0 / 1
    howhand_in,  // the pile's howhand
    generic,     // any other comparison, by value
};

struct Operand {
    bool is_column = false;
    Column column = Column::id;
    bool is_number = false;  // a number literal
    int number = 0;
    std::string text;  // a text literal
};

// A comparison that could not be reduced to a number test.
struct Comparison {
    Operand lhs, rhs;
    Op op = Op::eq;
};

// Compares by value, as a `generic` node does for a row and the pile's howhand.
bool compare(const Comparison& c, const CardRow& row, int howhand);

inline char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool same_word(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

inline bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A whole number, optionally negative, filling the whole text.
inline std::optional<int> whole_number(std::string_view s) {
    if (s.empty()) return std::nullopt;
    int n = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return n;
}

}  // namespace detail

struct Expression::Node {
    detail::Kind kind = detail::Kind::done;
    bool invert = false;
    bool last = false;       // the program's answer is ready after this node
    int lo = 0;              // range start; a jump's target; a constant's value
    std::uint32_t span = 0;  // hi - lo, so one unsigned compare tests the range
    std::unique_ptr<const detail::Comparison> generic;
};

}  // namespace tav
