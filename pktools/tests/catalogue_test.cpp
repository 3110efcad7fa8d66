#include "pktools/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace pktools;

TEST(ToolCatalogue, NamesAreUniqueAndEveryResultIsDescribed) {
    std::set<std::string> names;
    catalogue::forEachRow(CORVANE_FUNCTIONS, [&](const auto& row) {
        const catalogue::FunctionEntry& entry = *row.entry;
        EXPECT_TRUE(names.insert(entry.worksheetName).second) << entry.worksheetName;
        EXPECT_EQ(catalogue::exportName(entry), std::string("xl") + entry.worksheetName);
        EXPECT_FALSE(entry.cells.empty()) << entry.worksheetName;
        EXPECT_EQ(std::string(entry.example).rfind("=" + std::string(entry.worksheetName) + "(", 0),
                  0u)
            << entry.example;
    });
    EXPECT_EQ(names.size(), catalogue::rowCount<decltype(CORVANE_FUNCTIONS)>);
}

TEST(ToolCatalogue, FindsToolsByTheirExactName) {
    ASSERT_NE(catalogue::findEntry(CORVANE_FUNCTIONS, "TciCe"), nullptr);
    EXPECT_EQ(catalogue::findEntry(CORVANE_FUNCTIONS, "TciCe"), &entries::TciCe);
    EXPECT_EQ(catalogue::findEntry(CORVANE_FUNCTIONS, "tcice"), nullptr);
    EXPECT_EQ(catalogue::findEntry(CORVANE_FUNCTIONS, "decrCe"), &entries::decrCe);
    EXPECT_EQ(catalogue::findEntry(CORVANE_FUNCTIONS, ""), nullptr);
    static_assert(catalogue::rowIndex(CORVANE_FUNCTIONS, "Cl2Hyb") == 0);
}
