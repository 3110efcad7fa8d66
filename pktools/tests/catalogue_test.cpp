#include "pktools/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace pktools;

TEST(ToolCatalogue, NamesAreUniqueAndExportNamesFollowThem) {
    std::set<std::string> names;
    for (const ToolEntry& entry : TOOL_CATALOGUE) {
        EXPECT_TRUE(names.insert(entry.worksheetName).second) << entry.worksheetName;
        EXPECT_EQ(std::string(entry.exportName), std::string("xl") + entry.worksheetName);
        EXPECT_EQ(&toolEntry(entry.id), &entry);
    }
}

TEST(ToolCatalogue, FindsToolsByTheirExactName) {
    ASSERT_NE(findTool("TciCe"), nullptr);
    EXPECT_EQ(findTool("TciCe")->id, Tool::TciCe);
    EXPECT_EQ(findTool("tcice"), nullptr);
    EXPECT_EQ(findTool("decrCe")->id, Tool::decrCe);
    EXPECT_EQ(findTool(""), nullptr);
}
