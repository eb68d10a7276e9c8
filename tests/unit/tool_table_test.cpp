#include "catalogue/tool_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(ToolTable, RowsAreIndexedByToolIndex) {
    for (int i = 1; i <= ToolCount; ++i)
        EXPECT_EQ(FindTool(i)->toolIndex, i);
    EXPECT_EQ(FindTool(0), nullptr);
    EXPECT_EQ(FindTool(9), nullptr);
    EXPECT_STREQ(FindTool(4)->lookupHeading, "LINK\\LIB\\DUMPBIN\\EDITBIN");
    EXPECT_STREQ(FindTool(5)->lookupHeading, "RC (\"C\" Errors)");
    EXPECT_STREQ(FindTool(6)->moduleStem, "rcw");
}

TEST(ToolTable, OrdersVisitEveryToolOnce) {
    for (const int* order : {LookupHeadingOrder, CatalogueLoadOrder}) {
        std::set<int> seen(order, order + ToolCount);
        EXPECT_EQ(seen.size(), std::size_t(ToolCount));
        EXPECT_EQ(*seen.begin(), 1);
        EXPECT_EQ(*seen.rbegin(), ToolCount);
    }
}

TEST(ToolTable, EachToolHasItsBrowserHeading) {
    const char* const expected[ToolCount] = {
        "ML", "CVTRES", "NMAKE", "LINK\\LIB\\DUMPBIN\\EDITBIN", "RC", "RC", "H2INC", "MIDL",
    };
    for (int i = 1; i <= ToolCount; ++i)
        EXPECT_STREQ(BrowserHeadingTexts[FindTool(i)->browserSlot], expected[i - 1]) << i;
}
