// Expressions over card rows, in the text the table's filter, find and sort
// commands take: column names, 'text', whole numbers, = <> < <= > >=, and, or, not,
// parentheses. Compiled once per distinct text; evaluation touches no strings.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tav {

struct CardRow;

enum class Column { id, name, bmp, sort, code, isgo, howhand };

// Column by name (case-insensitive): "id", "name", "bmp", "sort", "code",
// "isgo", "howhand"; also the numbers 1..7 in that order.
std::optional<Column> column_by_name(std::string_view name);

class Expression {
public:
    // Compiles the text; on a malformed text returns null and, when `error` is
    // given, a description of what is wrong.
    static std::shared_ptr<const Expression> compile(std::string_view text, std::string* error = nullptr);

    // `howhand` is the pile's number of distinct codes, used only when the
    // expression names that column.
    bool matches(const CardRow& row, int howhand) const;
    bool uses_howhand() const { return uses_howhand_; }

    struct Node;
    ~Expression();
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

private:
    Expression() = default;
    std::unique_ptr<Node[]> nodes_;
    int root_ = -1;
    bool uses_howhand_ = false;
    friend struct ExpressionParser;
};

// Compiled expressions by text. Malformed texts are remembered too (as null),
// so a refusal costs no second parse.
class ExpressionCache {
public:
    std::shared_ptr<const Expression> get(std::string_view text);
    std::size_t size() const { return cache_.size(); }

private:
    std::unordered_map<std::string, std::shared_ptr<const Expression>> cache_;
};

// A sort order: "sort", "sort A", "sort D", "code A, sort D" ...
struct SortKey {
    Column column;
    bool descending;
};
// Parses a sort text into at most four keys; false when malformed or empty.
bool parse_sort(std::string_view text, SortKey (&keys)[4], int& count);

}  // namespace tav
