#include "platform/paper_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

namespace quarlo {
namespace {

TEST(PaperTable, HasSixtySixRowsWithUniqueAscendingCodesAndUniqueNames) {
  const auto rows = PaperTable();
  ASSERT_EQ(rows.size(), 66u);
  std::set<int> seen;
  std::set<std::string_view> names;
  int previous = 0;
  for (const TPaperInfo& row : rows) {
    EXPECT_GT(row.code, previous) << "rows must stay in code order";
    previous = row.code;
    EXPECT_TRUE(seen.insert(row.code).second) << row.code;
    // A name is how a paper list shows the paper and how a choice is found again.
    EXPECT_FALSE(row.name.empty()) << row.code;
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    EXPECT_GT(row.width, 0) << row.code;
    EXPECT_GT(row.height, 0) << row.code;
  }
  EXPECT_EQ(rows.front().code, 1);
  EXPECT_EQ(rows.back().code, 68);
  const std::pair<int, std::string_view> known[] = {{1, "信纸"}, {5, "法律专用纸"}, {8, "A3"}, {9, "A4"},
                                                     {11, "A5"}, {13, "B5 (JIS)"}, {66, "A2"}};
  for (const auto& [code, name] : known) {
    const int wanted = code;  // a structured binding cannot be captured under every compiler
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const TPaperInfo& r) { return r.code == wanted; });
    ASSERT_NE(it, rows.end()) << code;
    EXPECT_EQ(it->name, name) << code;
  }
}

struct DimensionCase {
  int code;
  bool found;
  double width;
  double height;
};

TEST(PaperTable, PaperDimensionsGivesMillimetres) {
  const DimensionCase cases[] = {
      {9, true, 210.0, 297.0},     // A4: the default sheet everywhere
      {1, true, 215.9, 279.4},     // Letter, the first row
      {8, true, 297.0, 420.0},     // A3
      {4, true, 431.8, 279.4},     // a row stored wider than tall
      {35, true, 176.0, 125.0},    // another wide row
      {26, true, 863.6, 1117.6},   // the largest row
      {38, true, 92.0, 165.1},     // the smallest width
      {47, true, 220.0, 220.0},    // square
      {50, true, 235.5, 304.8},    // first row after the gap
      {68, true, 322.0, 445.0},    // last row
      {48, false, 0, 0},           // gap in the codes
      {49, false, 0, 0},
      {kCustomPaperCode, false, 0, 0},
      {0, false, 0, 0},
      {-1, false, 0, 0},
      {69, false, 0, 0},
  };
  for (const DimensionCase& c : cases) {
    SCOPED_TRACE(c.code);
    const PaperSize size = PaperDimensions(c.code);
    EXPECT_EQ(size.found, c.found);
    EXPECT_DOUBLE_EQ(size.width, c.width);
    EXPECT_DOUBLE_EQ(size.height, c.height);
  }
}

}  // namespace
}  // namespace quarlo
