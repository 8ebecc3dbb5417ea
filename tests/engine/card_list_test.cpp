#include "surface/card_list.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace tav {
namespace {

// Card 1 大户, 2 小户, 3..6 the 2s, 11..14 the Ks, 23 红桃10, 43..46 the 5s,
// 47 红桃4, 51..54 the 3s; 57 is the next deck's 红桃2.
CardList pile(std::initializer_list<int> nums, std::shared_ptr<ExpressionCache> cache = nullptr) {
    CardList list(std::move(cache));
    for (const int n : nums) EXPECT_GT(list.append(n), 0) << n;
    return list;
}

std::vector<int> nums(const CardList& list) {
    std::vector<int> out;
    for (const CardRow& r : list.rows()) out.push_back(r.num);
    return out;
}

std::vector<int> nums(const std::vector<CardRow>& rows) {
    std::vector<int> out;
    for (const CardRow& r : rows) out.push_back(r.num);
    return out;
}

using V = std::vector<int>;

// Rows first..last of 3 47 54 copied into 1 2 before row `before` (or of
// 3 4 5 into itself): a range out of bounds copies nothing.
TEST(CardList, CopyRowsKeepsTheirOrderWhereverTheyGo) {
    struct Row {
        const char* what;
        bool into_itself;
        int first, last, before;
        int result;
        V after;  // the target
    };
    const Row rows[] = {
        {"before the first row", false, 1, 3, 1, 1, {3, 47, 54, 1, 2}},
        {"at the end", false, 2, 3, 3, 1, {1, 2, 47, 54}},
        {"in the middle", false, 1, 1, 2, 1, {1, 3, 2}},
        {"into itself, in the middle", true, 1, 3, 2, 1, {3, 3, 4, 5, 4, 5}},
        {"into itself, at the end", true, 1, 2, 4, 1, {3, 4, 5, 3, 4}},
        {"no row 0", false, 0, 2, 1, -1, {1, 2}},
        {"past the last row", false, 1, 4, 1, -1, {1, 2}},
        {"last before first", false, 3, 2, 1, -1, {1, 2}},
        {"before row 0", false, 1, 3, 0, -1, {1, 2}},
        {"before past the end", false, 1, 3, 4, -1, {1, 2}},
        {"before a negative row", false, 1, 3, -1, -1, {1, 2}},
        {"into itself, before past the end", true, 1, 3, 5, -1, {3, 4, 5}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        CardList src = r.into_itself ? pile({3, 4, 5}) : pile({3, 47, 54});
        CardList dst = pile({1, 2});
        CardList& target = r.into_itself ? src : dst;
        EXPECT_EQ(src.rows_copy(r.first, r.last, target, r.before), r.result);
        EXPECT_EQ(nums(target), r.after);
        if (!r.into_itself) {
            EXPECT_EQ(nums(src), (V{3, 47, 54}));
        }
    }
    const CardList src = pile({3, 47, 54});
    CardList empty;
    EXPECT_EQ(src.copy_all_to(empty), 1);
    EXPECT_EQ(nums(empty), (V{3, 47, 54}));
    EXPECT_EQ(CardList().copy_all_to(empty), 1);
    EXPECT_EQ(empty.row_count(), 3);
}

TEST(CardList, FilterHidesRowsFromEveryVerbUntilCleared) {
    CardList p = pile({3, 11, 12, 47, 13, 54});
    ASSERT_EQ(p.set_filter("sort = 5"), 1);
    EXPECT_EQ(p.filter_text(), "sort = 5");
    EXPECT_EQ(nums(p), (V{11, 12, 13}));
    EXPECT_EQ(nums(p.filtered_rows()), (V{3, 47, 54}));
    EXPECT_EQ(p.count("sort = 5"), 3);
    EXPECT_EQ(p.count("sort <> 5"), 0);
    EXPECT_EQ(p.find("id = 'p_47'", 1, 10), 0);
    EXPECT_EQ(p.find("id = 'p_13'", 1, 10), 3);
    EXPECT_EQ(p.get_string(1, "code"), "K");
    EXPECT_EQ(p.get_string(4, "code"), "");
    EXPECT_EQ(p.howhand(), 1);
    CardList other;
    EXPECT_EQ(p.copy_all_to(other), 1);
    EXPECT_EQ(nums(other), (V{11, 12, 13}));

    ASSERT_EQ(p.set_filter(""), 1);
    EXPECT_EQ(p.filter_text(), "");
    EXPECT_EQ(nums(p), (V{11, 12, 13, 3, 47, 54}));
    EXPECT_TRUE(p.filtered_rows().empty());
}

TEST(CardList, NewFilterLooksAtEveryRow) {
    CardList p = pile({3, 11, 12, 47, 13, 54});
    ASSERT_EQ(p.set_filter("sort = 5"), 1);
    ASSERT_EQ(p.set_filter("sort = 14 or sort = 3"), 1);
    EXPECT_EQ(nums(p), (V{3, 47}));
    EXPECT_EQ(nums(p.filtered_rows()), (V{11, 12, 13, 54}));
    ASSERT_EQ(p.set_filter("howhand = 2"), 1);  // howhand of the whole pile, 4
    EXPECT_EQ(p.row_count(), 0);
    EXPECT_EQ(p.filtered_rows().size(), 6u);
    p.reset();
    EXPECT_TRUE(p.empty());
    EXPECT_TRUE(p.filtered_rows().empty());
    EXPECT_EQ(p.filter_text(), "");
}

TEST(CardList, MalformedFilterChangesNothing) {
    CardList p = pile({3, 11, 12, 47});
    ASSERT_EQ(p.set_filter("sort = 5"), 1);
    EXPECT_EQ(p.set_filter("sort ="), -1);
    EXPECT_EQ(p.set_filter("colour = 'red'"), -1);
    EXPECT_EQ(p.filter_text(), "sort = 5");
    EXPECT_EQ(nums(p), (V{11, 12}));
    EXPECT_EQ(nums(p.filtered_rows()), (V{3, 47}));
}

TEST(CardList, SortIsStableAscendingAndDescending) {
    CardList p = pile({5, 47, 3, 48, 6, 1});
    ASSERT_EQ(p.sort("sort"), 1);
    EXPECT_EQ(nums(p), (V{1, 5, 3, 6, 47, 48}));
    ASSERT_EQ(p.sort("sort D"), 1);
    EXPECT_EQ(nums(p), (V{47, 48, 5, 3, 6, 1}));
    EXPECT_EQ(p.sort("sort X"), -1);
    EXPECT_EQ(nums(p), (V{47, 48, 5, 3, 6, 1}));

    CardList q = pile({11, 3, 23});
    q.at(2).isgo = true;
    ASSERT_EQ(q.sort("isgo d, sort a"), 1);
    EXPECT_EQ(nums(q), (V{3, 11, 23}));
}

TEST(CardList, SortWholePileKeepsEqualCardsInOrder) {
    CardList p;
    for (int n = kCardCount; n >= 1; --n) p.append(n);
    ASSERT_EQ(p.sort("sort D, isgo"), 1);
    ASSERT_EQ(p.row_count(), kCardCount);
    for (int r = 2; r <= p.row_count(); ++r) {
        const CardRow& a = p.at(r - 1);
        const CardRow& b = p.at(r);
        ASSERT_GE(a.sort(), b.sort()) << r;
        if (a.sort() == b.sort()) {
            ASSERT_GT(a.num, b.num) << r;  // as they were: highest number first
        }
    }
}

TEST(CardList, SortByTextGoesByBytes) {
    CardList p = pile({11, 23, 3, 1});  // codes K, 10, 2, Joker1
    ASSERT_EQ(p.sort("code"), 1);
    EXPECT_EQ(nums(p), (V{23, 3, 1, 11}));
    ASSERT_EQ(p.sort("id"), 1);  // "p_1" < "p_11" < "p_23" < "p_3"
    EXPECT_EQ(nums(p), (V{1, 11, 23, 3}));
}

TEST(CardList, FindForwardBackwardAndClipped) {
    const CardList p = pile({3, 11, 57, 11});
    EXPECT_EQ(p.find("sort = 3", 1, 4), 1);
    EXPECT_EQ(p.find("sort = 3", 4, 1), 3);
    EXPECT_EQ(p.find("sort = 3", 2, 100), 3);
    EXPECT_EQ(p.find("sort = 3", 100, 0), 3);
    EXPECT_EQ(p.find("sort = 3", 2, 2), 0);
    EXPECT_EQ(p.find("sort = 5", -5, 1), 0);
    EXPECT_EQ(p.find("sort = 9", 1, 4), 0);
    EXPECT_EQ(p.find("sort = ", 1, 4), -1);
    EXPECT_EQ(p.count("sort = 3"), 2);
    EXPECT_EQ(p.count("sort"), -1);
    EXPECT_EQ(CardList().find("sort = 3", 1, 1), 0);
    EXPECT_EQ(CardList().count("sort = 3"), 0);
}

TEST(CardList, InsertAppendDelete) {
    CardList p = pile({3, 4});
    EXPECT_EQ(p.insert_row(0), 3);
    EXPECT_EQ(p.insert_row(1), 1);
    EXPECT_EQ(p.insert_row(p.row_count() + 1), 5);
    EXPECT_EQ(p.insert_row(p.row_count() + 2), -1);
    EXPECT_EQ(p.insert_row(-1), -1);
    EXPECT_EQ(nums(p), (V{0, 3, 4, 0, 0}));
    EXPECT_EQ(p.get_string(1, "id"), "");
    EXPECT_EQ(p.get_string(1, "sort"), "0");
    EXPECT_EQ(p.set_item(1, "id", "p_5"), 1);
    EXPECT_EQ(p.get_string(1, "name"), "方块2");
    EXPECT_EQ(p.append(0), -1);
    EXPECT_EQ(p.append(217), -1);
    EXPECT_EQ(p.append(216, true), 6);
    EXPECT_EQ(p.delete_row(0), -1);
    EXPECT_EQ(p.delete_row(7), -1);
    EXPECT_EQ(p.delete_row(4), 1);
    EXPECT_EQ(nums(p), (V{5, 3, 4, 0, 216}));
}

TEST(CardList, ReadColumnsByNameOrNumber) {
    CardList p = pile({23, 47});
    p.at(2).isgo = true;
    EXPECT_EQ(p.get_string(1, "id"), "p_23");
    EXPECT_EQ(p.get_string(1, "1"), "p_23");
    EXPECT_EQ(p.get_string(2, "NAME"), "红桃4");
    EXPECT_EQ(p.get_string(2, "bmp"), "cards\\h4.bmp");
    EXPECT_EQ(p.get_string(1, "4"), "8");
    EXPECT_EQ(p.get_string(1, "code"), "10");
    EXPECT_EQ(p.get_string(1, "isgo"), "0");
    EXPECT_EQ(p.get_string(2, "6"), "1");
    EXPECT_EQ(p.get_string(1, "howhand"), "2");
    EXPECT_EQ(p.get_string(0, "id"), "");
    EXPECT_EQ(p.get_string(3, "id"), "");
    EXPECT_EQ(p.get_string(1, "8"), "");
    EXPECT_EQ(p.get_string(1, "colour"), "");
    EXPECT_EQ(p.get_number(1, "sort"), 8);
    EXPECT_EQ(p.get_number(1, "code"), 10);
    EXPECT_EQ(p.get_number(2, "code"), 4);
    EXPECT_EQ(p.get_number(2, "isgo"), 1);
    EXPECT_EQ(p.get_number(1, "howhand"), 2);
    EXPECT_EQ(p.get_number(1, "id"), 0);
    EXPECT_EQ(p.get_number(5, "sort"), 0);
}

TEST(CardList, SetItemRefusesWhatACardCannotBe) {
    CardList p = pile({11});
    for (const char* bad : {"p_0", "p_217", "x", "", "p_05", "P_3"}) EXPECT_EQ(p.set_item(1, "id", bad), -1) << bad;
    EXPECT_EQ(p.set_item(1, "isgo", "2"), -1);
    EXPECT_EQ(p.set_item(1, "isgo", ""), -1);
    EXPECT_EQ(p.set_item(1, "name", "红桃Q"), -1);
    EXPECT_EQ(p.set_item(1, "sort", "6"), -1);
    EXPECT_EQ(p.set_item(1, "code", "Q"), -1);
    EXPECT_EQ(p.set_item(1, "howhand", "3"), -1);
    EXPECT_EQ(p.set_item(1, "colour", "1"), -1);
    EXPECT_EQ(p.set_item(2, "isgo", "1"), -1);
    EXPECT_EQ(p.set_item(0, "isgo", "1"), -1);
    EXPECT_EQ(p.at(1).num, 11);
    EXPECT_FALSE(p.at(1).isgo);

    EXPECT_EQ(p.set_item(1, "name", "红桃K"), 1);
    EXPECT_EQ(p.set_item(1, "sort", "5"), 1);
    EXPECT_EQ(p.set_item(1, "howhand", "1"), 1);
    EXPECT_EQ(p.set_item(1, "isgo", "1"), 1);
    EXPECT_TRUE(p.at(1).isgo);
    EXPECT_EQ(p.set_item(1, "id", "p_65"), 1);
    EXPECT_EQ(p.at(1).num, 65);
}

TEST(CardList, HowhandCountsDistinctCodes) {
    EXPECT_EQ(pile({1, 2, 3, 43, 44, 45}).howhand(), 4);
    EXPECT_EQ(CardList().howhand(), 0);
    CardList p = pile({3, 57, 111});  // the same 2 from three decks
    EXPECT_EQ(p.howhand(), 1);
    p.insert_row(0);
    EXPECT_EQ(p.howhand(), 1);  // an empty row is no code
    EXPECT_EQ(p.count("howhand = 1"), 4);
}

TEST(CardList, DirectLookups) {
    const CardList p = pile({11, 3, 57, 47});
    EXPECT_EQ(p.find_card(57), 3);
    EXPECT_EQ(p.find_card(111), 0);
    EXPECT_EQ(p.find_card(0), 0);
    EXPECT_TRUE(p.contains(47));
    EXPECT_FALSE(p.contains(48));
    EXPECT_EQ(p.count_sort(3), 2);
    EXPECT_EQ(p.count_sort(15), 0);
    EXPECT_EQ(p.find_sort(3), 2);
    EXPECT_EQ(p.find_sort(14), 4);
    EXPECT_EQ(p.find_sort(1), 0);
}

TEST(CardList, PilesShareOneCache) {
    auto cache = std::make_shared<ExpressionCache>();
    const CardList a = pile({3}, cache);
    const CardList b = pile({4}, cache);
    EXPECT_EQ(a.count("sort = 3"), 1);
    EXPECT_EQ(b.count("sort = 3"), 1);
    EXPECT_EQ(b.count("sort ="), -1);
    EXPECT_EQ(cache->size(), 2u);
    EXPECT_EQ(&a.cache(), &b.cache());
}

}  // namespace
}  // namespace tav
