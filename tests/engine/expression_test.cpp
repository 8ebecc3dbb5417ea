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

TEST(Expression, KeywordsColumnsAndQuotesAreFlexible) {
    EXPECT_TRUE(eval("SORT=3 AND NOT(isgo='1')", card(3)));
    EXPECT_TRUE(eval("Code = \"K\"", card(11)));
    EXPECT_TRUE(eval("sort=3and isgo='0'", card(3)));
    EXPECT_TRUE(eval("\tsort\n>=\r-1 ", card(0)));
    EXPECT_TRUE(eval("sort != 4", card(3)));
    EXPECT_TRUE(eval("3 < sort", card(7)));  // literal first reads as sort > 3
    EXPECT_FALSE(eval("3 < sort", card(3)));
}

TEST(Expression, AndBindsTighterThanOrAndNotNegates) {
    EXPECT_TRUE(eval("sort = 1 or sort = 2 and isgo = '1'", card(1)));
    EXPECT_FALSE(eval("(sort = 1 or sort = 2) and isgo = '1'", card(1)));
    EXPECT_TRUE(eval("(sort = 1 or sort = 2) and isgo = '1'", card(2, true)));
    EXPECT_FALSE(eval("not sort = 3", card(3)));
    EXPECT_TRUE(eval("not not sort = 3", card(3)));
    EXPECT_TRUE(eval("not (sort = 3 and isgo = '1')", card(3)));
    EXPECT_TRUE(eval("sort = 9 or (sort = 8 or (sort = 3 and not isgo = '1'))", card(3)));
}

TEST(Expression, LiteralsThatNoCardHas) {
    EXPECT_FALSE(eval("code = 'Z'", card(3)));
    EXPECT_TRUE(eval("code <> 'Z'", card(3)));
    EXPECT_FALSE(eval("id = 'p_999'", card(0)));
    EXPECT_FALSE(eval("id = 'P_1'", card(1)));
    EXPECT_TRUE(eval("id <> 'p_0'", card(0)));
    EXPECT_FALSE(eval("name = '红桃'", card(3)));
    EXPECT_FALSE(eval("bmp = 'x.bmp'", card(3)));
    // An inserted row without a card has empty texts and sort 0.
    EXPECT_TRUE(eval("id = ''", card(0)));
    EXPECT_FALSE(eval("id = ''", card(1)));
    EXPECT_TRUE(eval("name = '' and code = '' and sort = 0", card(0)));
    EXPECT_TRUE(eval("bmp = 'cards\\h4.bmp'", card(47)));
}

TEST(Expression, OtherComparisonsGoByValue) {
    EXPECT_TRUE(eval("code < 'K'", card(3)));    // "2" < "K"
    EXPECT_FALSE(eval("code < 'K'", card(15)));  // "Q"
    EXPECT_TRUE(eval("code < 'K'", card(1)));    // "Joker1"
    EXPECT_TRUE(eval("code = 10", card(23)));    // a numeric text meets a number
    EXPECT_FALSE(eval("code = 10", card(11)));
    EXPECT_TRUE(eval("code <> 10", card(11)));
    EXPECT_TRUE(eval("sort = '5'", card(11)));
    EXPECT_FALSE(eval("sort = 'K'", card(11)));
    EXPECT_TRUE(eval("sort <> 'K'", card(11)));
    EXPECT_FALSE(eval("sort < 'K'", card(11)));
    EXPECT_TRUE(eval("isgo = 1", card(3, true)));
    EXPECT_TRUE(eval("isgo < 'A'", card(3)));  // "0" before "A" by bytes
    EXPECT_TRUE(eval("id > 'p_1'", card(9)));
    EXPECT_TRUE(eval("name > '红桃'", card(3)));
    EXPECT_TRUE(eval("sort = sort and code = code", card(30)));
    EXPECT_TRUE(eval("1 = 1", card(0)));
    EXPECT_FALSE(eval("'a' = 'b'", card(0)));
    EXPECT_TRUE(eval("code = '10' and sort = 8", card(23)));
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
