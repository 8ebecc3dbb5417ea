// A card pile: an ordered list of card rows with the verbs the game uses on
// every pile (reset, count, insert, delete, copy rows, sort, filter, find,
// get and set a column). Rows are numbered from 1. While a filter is set the
// rows that do not match are set aside: counting, reading, finding and
// copying see only the matching rows; clearing the filter ("") brings the
// others back after them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue.h"
#include "surface/expression.h"

namespace tav {

// A row is small: the card's number (its id is "p_" + number) and whether it
// has already changed hands in a tribute. Name, picture, sort and code come
// from the catalogue by number. An inserted row has number 0 until its id is set.
struct CardRow {
    int num = 0;
    bool isgo = false;

    int sort() const { return card_info(num).sort; }
    std::string_view code() const { return card_info(num).code; }
    std::string_view name() const { return card_info(num).name; }
    std::string_view bmp() const { return card_info(num).bmp; }
    const std::string& id() const { return card_id(num); }
};

class CardList {
public:
    // Piles of one game share one cache of compiled expressions.
    explicit CardList(std::shared_ptr<ExpressionCache> cache = nullptr);

    void reset();  // all rows gone, filter cleared
    int row_count() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    // Inserts an empty row before `before` (0 or row_count() + 1 appends);
    // returns its number, or -1 when `before` is out of range.
    int insert_row(int before);
    // Appends a row for card `num`; returns its row number (-1 for a bad number).
    int append(int num, bool isgo = false);
    int append(const CardRow& row) { return append(row.num, row.isgo); }
    // Removes a row; 1 on success, -1 when there is no such row.
    int delete_row(int row);

    // Copies rows first..last into `target` before its row `before`
    // (target.row_count() + 1 appends), keeping their order. 1, or -1 when a
    // row number is out of range (nothing copied).
    int rows_copy(int first, int last, CardList& target, int before) const;
    // Copies every row to the end of `target`.
    int copy_all_to(CardList& target) const {
        return rows_.empty() ? 1 : rows_copy(1, row_count(), target, target.row_count() + 1);
    }

    // Sorts by a sort text ("sort" ascending, "sort D" descending ...);
    // stable, so equal values keep their order. 1, or -1 when malformed.
    int sort(std::string_view order);
    // Sets and applies a filter ("" removes it). 1, or -1 when malformed
    // (nothing changed).
    int set_filter(std::string_view expression);
    const std::string& filter_text() const { return filter_text_; }

    // First matching row in first..last (searching backwards when first >
    // last, the range clipped to the rows), 0 when none, -1 when malformed.
    int find(std::string_view expression, int first, int last) const;
    // Number of rows matching, -1 when malformed.
    int count(std::string_view expression) const;

    // Column values by name or number; "" / 0 for a row or column that does
    // not exist.
    std::string get_string(int row, std::string_view column) const;
    int get_number(int row, std::string_view column) const;
    // Stores a value: "id" takes "p_n" (the row becomes card n), "isgo"
    // takes "0" or "1"; the catalogue columns take only the value the
    // card already has. 1, or -1 when refused (nothing changed).
    int set_item(int row, std::string_view column, std::string_view value);

    // Number of distinct codes among the rows.
    int howhand() const;

    // Direct access for the engine's hot paths; `row` is 1-based.
    const CardRow& at(int row) const { return rows_[static_cast<std::size_t>(row - 1)]; }
    CardRow& at(int row) { return rows_[static_cast<std::size_t>(row - 1)]; }
    const std::vector<CardRow>& rows() const { return rows_; }
    // Row holding card `num` (0 when absent); rows with `sort` s.
    int find_card(int num) const;
    int count_sort(int sort) const;
    int find_sort(int sort) const;  // first row with that sort, 0 when none
    bool contains(int num) const { return find_card(num) != 0; }

    // Rows set aside by the filter (for checks that every card is somewhere).
    const std::vector<CardRow>& filtered_rows() const { return filtered_; }
    ExpressionCache& cache() const { return *cache_; }

private:
    std::shared_ptr<const Expression> compiled(std::string_view text) const;

    std::vector<CardRow> rows_;
    std::vector<CardRow> filtered_;
    std::string filter_text_;
    std::shared_ptr<ExpressionCache> cache_;
};

}  // namespace tav
