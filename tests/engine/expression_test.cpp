#include "surface/expression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "surface/card_list.h"

namespace tav {
namespace {

CardRow card(int num, bool isgo = false) { return CardRow{num, isgo}; }

bool eval(const std::string& text, const CardRow& row, int howhand = 0) {
    std::string error;
    const auto e = Expression::compile(text, &error);
    EXPECT_NE(e, nullptr) << text << ": " << error;
    return e && e->matches(row, howhand);
}

struct Case {
    const char* text;
    std::vector<std::pair<CardRow, bool>> rows;
};

// Every form the game writes, against rows whose answers are known by hand.
// Card 1 大户, 2 小户, 3..6 the 2s, 11 红桃K, 23 红桃10, 43 红桃5, 47 红桃4,
// 51..54 the 3s, 55 the next deck's 大户.
TEST(Expression, GameFormsMatchTheRightRows) {
    const std::vector<Case> cases = {
        {"sort <= 3 and isgo <> '1'",
         {{card(3), true}, {card(3, true), false}, {card(7), false}, {card(1), true}, {card(2, true), false}}},
        {"code = 'Joker1' or code = 'Joker2'", {{card(1), true}, {card(2), true}, {card(55), true}, {card(3), false}}},
        {"id = 'p_12'", {{card(12), true}, {card(66), false}, {card(13), false}}},
        {"code <>'3'", {{card(54), false}, {card(51), false}, {card(3), true}, {card(0), true}}},
        {"code <> '3'", {{card(53), false}, {card(47), true}}},
        {"sort > 8 and code <>'3'", {{card(43), true}, {card(51), false}, {card(23), false}, {card(47), true}}},
        {"sort = 15", {{card(51), true}, {card(108), true}, {card(50), false}}},
        {"sort <> 1 and sort <> 2", {{card(1), false}, {card(2), false}, {card(56), false}, {card(3), true}}},
        {"name = '红桃4'", {{card(47), true}, {card(48), false}, {card(101), true}, {card(0), false}}},
        {"code <> 'Joker1' and code <> 'Joker2' and code <> '2'",
         {{card(1), false}, {card(2), false}, {card(3), false}, {card(6), false}, {card(7), true}}},
        {"code = '2'", {{card(3), true}, {card(6), true}, {card(57), true}, {card(7), false}, {card(1), false}}},
        {"sort = 3", {{card(4), true}, {card(7), false}}},
    };
    for (const Case& c : cases)
        for (const auto& [row, want] : c.rows) EXPECT_EQ(eval(c.text, row), want) << c.text << " on card " << row.num;
}

// Texts written by hand, each against one row: keywords, columns and quotes
// in any case and spacing; `and` before `or`; literals no card has; other
// comparisons by value.
TEST(Expression, HandWrittenTextsOnSingleRows) {
    const struct {
        std::string text;
        int num;
        bool isgo, want;
    } cases[] = {
        {"SORT=3 AND NOT(isgo='1')", 3, false, true},
        {"Code = \"K\"", 11, false, true},
        {"sort=3and isgo='0'", 3, false, true},
        {"\tsort\n>=\r-1 ", 0, false, true},
        {"sort != 4", 3, false, true},
        {"3 < sort", 7, false, true},  // literal first reads as sort > 3
        {"3 < sort", 3, false, false},
        {"sort = 1 or sort = 2 and isgo = '1'", 1, false, true},
        {"(sort = 1 or sort = 2) and isgo = '1'", 1, false, false},
        {"(sort = 1 or sort = 2) and isgo = '1'", 2, true, true},
        {"not sort = 3", 3, false, false},
        {"not not sort = 3", 3, false, true},
        {"not (sort = 3 and isgo = '1')", 3, false, true},
        {"sort = 9 or (sort = 8 or (sort = 3 and not isgo = '1'))", 3, false, true},
        {"code = 'Z'", 3, false, false},
        {"code <> 'Z'", 3, false, true},
        {"id = 'p_999'", 0, false, false},
        {"id = 'P_1'", 1, false, false},
        {"id <> 'p_0'", 0, false, true},
        {"name = '红桃'", 3, false, false},
        {"bmp = 'x.bmp'", 3, false, false},
        // An inserted row without a card has empty texts and sort 0.
        {"id = ''", 0, false, true},
        {"id = ''", 1, false, false},
        {"name = '' and code = '' and sort = 0", 0, false, true},
        {"bmp = 'cards\\h4.bmp'", 47, false, true},
        {"code < 'K'", 3, false, true},    // "2" < "K"
        {"code < 'K'", 15, false, false},  // "Q"
        {"code < 'K'", 1, false, true},    // "Joker1"
        {"code = 10", 23, false, true},    // a numeric text meets a number
        {"code = 10", 11, false, false},
        {"code <> 10", 11, false, true},
        {"sort = '5'", 11, false, true},
        {"sort = 'K'", 11, false, false},
        {"sort <> 'K'", 11, false, true},
        {"sort < 'K'", 11, false, false},
        {"isgo = 1", 3, true, true},
        {"isgo < 'A'", 3, false, true},  // "0" before "A" by bytes
        {"id > 'p_1'", 9, false, true},
        {"name > '红桃'", 3, false, true},
        {"sort = sort and code = code", 30, false, true},
        {"1 = 1", 0, false, true},
        {"'a' = 'b'", 0, false, false},
        {"code = '10' and sort = 8", 23, false, true},
    };
    for (const auto& c : cases) EXPECT_EQ(eval(c.text, card(c.num, c.isgo)), c.want) << c.text << " on card " << c.num;
}

TEST(Expression, HowhandComesFromThePile) {
    const auto e = Expression::compile("howhand >= 4 and sort = 3");
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->uses_howhand());
    EXPECT_TRUE(e->matches(card(3), 4));
    EXPECT_FALSE(e->matches(card(3), 3));
    EXPECT_FALSE(Expression::compile("sort = 3")->uses_howhand());
}

TEST(Expression, MalformedTextsAreRefused) {
    const std::vector<std::string> bad = {
        "",
        "   ",
        "sort",
        "sort =",
        "= 3",
        "sort = 3 and",
        "sort = 3 or",
        "and sort = 3",
        "not",
        "()",
        "(sort = 3",
        "sort = 3)",
        "((sort = 3)",
        "sort = 'abc",
        "sort = \"abc'",
        "colour = 'red'",
        "sort = 3 3",
        "sort == 3",
        "sort = 3 sort = 4",
        "sort = 99999999999",
        "sort ! 3",
        "sort = 3 &",
        "sort = -",
        "sort = 3 and and sort = 4",
        "名字 = 'x'",
        "sort = 3;",
        "sort = 3 not",
        "isgo",
        "1 = 'x' =",
        "sort = 5-3",
        "sort <> = 3",
        std::string("sort = 3\0", 9),
    };
    for (const std::string& text : bad) {
        std::string error;
        EXPECT_EQ(Expression::compile(text, &error), nullptr) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(Expression, NestingIsBoundedButLongChainsAreFine) {
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "(not ";
    deep += "sort = 3";
    for (int i = 0; i < 5000; ++i) deep += ")";
    EXPECT_EQ(Expression::compile(deep), nullptr);

    std::string chain = "sort = 9";
    for (int i = 0; i < 5000; ++i) chain += " or sort = 9 and isgo = '1'";
    chain += " or sort = 3";
    EXPECT_TRUE(eval(chain, card(3)));
    EXPECT_FALSE(eval(chain, card(7)));
}

TEST(Expression, ColumnsByNameOrNumber) {
    EXPECT_EQ(column_by_name("SoRt"), Column::sort);
    EXPECT_EQ(column_by_name("1"), Column::id);
    EXPECT_EQ(column_by_name("7"), Column::howhand);
    EXPECT_EQ(column_by_name("8"), std::nullopt);
    EXPECT_EQ(column_by_name(""), std::nullopt);
    EXPECT_EQ(column_by_name("sorts"), std::nullopt);
}

TEST(Expression, SortTexts) {
    SortKey keys[4];
    int n = -1;
    ASSERT_TRUE(parse_sort("sort", keys, n));
    EXPECT_EQ(n, 1);
    EXPECT_EQ(keys[0].column, Column::sort);
    EXPECT_FALSE(keys[0].descending);
    ASSERT_TRUE(parse_sort(" code A ,  sort desc ", keys, n));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(keys[0].column, Column::code);
    EXPECT_FALSE(keys[0].descending);
    EXPECT_EQ(keys[1].column, Column::sort);
    EXPECT_TRUE(keys[1].descending);
    ASSERT_TRUE(parse_sort("sort d", keys, n));
    EXPECT_TRUE(keys[0].descending);

    for (const char* bad : {"", " ", "sort X", "sort,", ",sort", "sort A D", "foo", "sort,code,isgo,id,name"})
        EXPECT_FALSE(parse_sort(bad, keys, n)) << bad;
}

TEST(ExpressionCache, CompilesEachTextOnce) {
    ExpressionCache cache;
    const auto a = cache.get("sort = 5");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(cache.get("sort = 5"), a);
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.get("sort ="), nullptr);
    EXPECT_EQ(cache.get("sort ="), nullptr);
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_NE(cache.get("sort = 6"), a);
    EXPECT_EQ(cache.size(), 3u);
}

}  // namespace
}  // namespace tav
