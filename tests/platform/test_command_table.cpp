#include "platform/command_table.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

// A table with one id in two menus (handler on the first row only), a
// separator, a key-only command and a row without a handler.
struct SmallTable {
    std::vector<int> ran;
    CommandTable table;
    SmallTable()
        : table({"A", "B"},
                {{1, "A", nullptr, "&One", "g", [this](int id) { return ran.push_back(id), true; }},
                 {0, "A", nullptr, nullptr, nullptr, nullptr},
                 {2, "A", "Sub", "Two", nullptr, [this](int id) { return ran.push_back(id), false; }},
                 {1, "B", nullptr, "One again", nullptr, nullptr},
                 {3, nullptr, nullptr, nullptr, "Shift+1", [this](int id) { return ran.push_back(id), false; }},
                 {4, "B", nullptr, "Four", nullptr, nullptr}})
    {
    }
};

} // namespace

TEST(CommandTable, DispatchFindsTheHandlerOfEveryRowOfAnId)
{
    SmallTable t;
    bool known = false;
    EXPECT_TRUE(t.table.dispatch(1, &known));
    EXPECT_TRUE(known);
    EXPECT_FALSE(t.table.dispatch(2, &known));
    EXPECT_FALSE(t.table.dispatch(3));
    EXPECT_EQ(t.ran, (std::vector<int>{1, 2, 3}));
    // Unknown numbers, separators and rows without a handler run nothing.
    for (int id : {0, 4, 99}) {
        EXPECT_FALSE(t.table.dispatch(id, &known));
        EXPECT_FALSE(known) << id;
    }
    EXPECT_EQ(t.ran.size(), 3u);
    EXPECT_EQ(t.table.idsWithoutHandler(), std::vector<int>{4});
}

TEST(CommandTable, KeysAndLabelsAreLookedUpAsScriptsNameThem)
{
    SmallTable t;
    EXPECT_EQ(t.table.commandForKey("g"), 1);
    EXPECT_EQ(t.table.commandForKey("Shift+1"), 3);
    EXPECT_EQ(t.table.commandForKey("G"), 0); // keys are named exactly
    EXPECT_EQ(t.table.commandForKey(""), 0);
    ASSERT_NE(t.table.find(1), nullptr);
    EXPECT_STREQ(t.table.find(1)->label, "&One"); // the first labelled row
    EXPECT_STREQ(t.table.find(2)->submenu, "Sub");
    EXPECT_EQ(t.table.find(3), nullptr); // no menu item
    EXPECT_EQ(t.table.find(0), nullptr); // a separator is no command
}
