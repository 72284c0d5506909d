#include "message_store/Categories.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace {

std::vector<int> NumberTable() {
    std::vector<int> numbers(krv::kCategoryTable.size(), 0);
    krv::NumberCategoryLeaves(
        krv::kCategoryTable.size(),
        [](std::size_t i) { return krv::kCategoryTable[i].childCount > 0; },
        [&](std::size_t i, int number) { numbers[i] = number; });
    return numbers;
}

TEST(Categories, TableRowsInTreeOrder) {
    struct Row {
        const char* utf8Caption;
        int level;
        int childCount;
        int imageIndex;
    };
    const std::vector<Row> expected{
        {"Korvan官方信息", 0, 2, 0}, {"Korvan合订本", 1, 0, 1}, {"新书上市", 1, 0, 1},
        {"业界新闻", 0, 0, 0},       {"病毒预警", 0, 0, 0},     {"电子图书", 0, 0, 0},
        {"BBS精华贴", 0, 2, 0},      {"技术类", 1, 0, 0},       {"娱乐类", 1, 0, 0},
    };
    ASSERT_EQ(krv::kCategoryTable.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& row = krv::kCategoryTable[i];
        EXPECT_EQ(platform::GbkToUtf8(row.caption), expected[i].utf8Caption) << "row " << i;
        EXPECT_EQ(row.level, expected[i].level) << "row " << i;
        EXPECT_EQ(row.childCount, expected[i].childCount) << "row " << i;
        EXPECT_EQ(row.imageIndex, expected[i].imageIndex) << "row " << i;
    }
}

// The window builds its tree from the levels: each group is followed by exactly its children.
TEST(Categories, GroupsAreFollowedByTheirChildren) {
    const auto& table = krv::kCategoryTable;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].level != 0) {
            continue;
        }
        std::size_t children = 0;
        while (i + 1 + children < table.size() && table[i + 1 + children].level == 1) {
            ++children;
        }
        EXPECT_EQ(static_cast<int>(children), table[i].childCount) << "row " << i;
    }
}

TEST(Categories, NumberingTheTableGivesTheLeavesOneToSeven) {
    EXPECT_EQ(NumberTable(), (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 6, 7}));
}

TEST(Categories, NumberingAgainStartsFromOne) {
    std::vector<int> assigned;
    const auto run = [&] {
        krv::NumberCategoryLeaves(
            krv::kCategoryTable.size(),
            [](std::size_t i) { return krv::kCategoryTable[i].childCount > 0; },
            [&](std::size_t, int number) { assigned.push_back(number); });
    };
    run();
    run();
    EXPECT_EQ(assigned, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4, 5, 6, 7}));
}

struct NumberingCase {
    std::vector<bool> hasChildren;
    std::vector<int> numbers;  // 0: no number given
};

void PrintTo(const NumberingCase& c, std::ostream* out) {
    if (c.hasChildren.empty()) {
        *out << "none";
    }
    for (const bool group : c.hasChildren) {
        *out << (group ? 'G' : 'L');
    }
}

class CategoriesNumbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(CategoriesNumbering, CountsLeavesOnlyInOrder) {
    const auto& hasChildren = GetParam().hasChildren;
    std::vector<int> numbers(hasChildren.size(), 0);
    krv::NumberCategoryLeaves(
        hasChildren.size(), [&](std::size_t i) { return hasChildren[i]; },
        [&](std::size_t i, int number) {
            EXPECT_EQ(numbers[i], 0) << "node " << i << " numbered twice";
            numbers[i] = number;
        });
    EXPECT_EQ(numbers, GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(Sequences, CategoriesNumbering,
                         ::testing::Values(NumberingCase{{}, {}},
                                           NumberingCase{{false, false, false}, {1, 2, 3}},
                                           NumberingCase{{true, true, false}, {0, 0, 1}},
                                           NumberingCase{{false, true, false, true}, {1, 0, 2, 0}},
                                           NumberingCase{{true}, {0}}));

}  // namespace
