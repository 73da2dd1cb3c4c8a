// The text of a recorded page: pieces gathered into lines and lines read from the top,
// with and without the column layout (the preview's copy of a selection reads lines by
// the same rule; its cases are with the selection's tests). The records are made by hand so each case shows
// exactly the arrangement it is about.
#include "platform/recorded_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codepage.h"

namespace quarlo {
namespace {

struct Piece {
  const char* text;  // UTF-8
  CanvasRect bounds;
};

std::vector<CanvasRecord> Records(const std::vector<Piece>& pieces) {
  std::vector<CanvasRecord> records;
  for (const Piece& p : pieces) {
    CanvasRecord r;
    r.op = CanvasRecord::Op::Text;
    r.text = Utf8ToWide(p.text);
    r.bounds = p.bounds;
    records.push_back(r);
  }
  // Other operations between the texts are not text.
  CanvasRecord line;
  line.op = CanvasRecord::Op::Line;
  line.bounds = {0, 0, 500, 500};
  records.insert(records.begin(), line);
  return records;
}

std::string Text(const std::vector<Piece>& pieces, bool layout) {
  return WideToUtf8(RecordedText(Records(pieces), layout));
}

TEST(RecordedText, ReadsRowsFromTheTopAndPiecesFromTheLeft) {
  struct Case {
    const char* name;
    std::vector<Piece> pieces;  // in drawing order
    const char* plain;
  } cases[] = {
      {"drawn bottom up", {{"second", {10, 40, 70, 55}}, {"first", {10, 10, 60, 25}}}, "first\nsecond\n"},
      {"a row drawn right to left", {{"Amount", {300, 10, 360, 25}}, {"Product", {10, 11, 80, 26}}},
       "Product Amount\n"},
      {"a taller piece beside small ones shares their row",
       {{"Title", {10, 0, 200, 40}}, {"2024", {300, 15, 340, 28}}}, "Title 2024\n"},
      {"pieces overlapping by less than half are rows of their own",
       {{"upper", {10, 10, 60, 30}}, {"lower", {100, 22, 150, 42}}}, "upper\nlower\n"},
      {"Chinese and Latin", {{"数量 Qty", {10, 10, 90, 25}}, {"季度销售报告", {10, 40, 130, 60}}},
       "数量 Qty\n季度销售报告\n"},
      {"spaces at the ends and control characters",
       {{"  padded\t", {10, 10, 90, 25}}, {"a\rb", {10, 40, 40, 55}}}, "padded\na b\n"},
      {"blank pieces are left out", {{"   ", {10, 10, 90, 25}}, {"", {10, 40, 40, 55}}}, ""},
      // A word drawn in two operations stays one word.
      {"pieces that touch", {{"Sum", {10, 10, 40, 25}}, {"mary", {40, 10, 80, 25}}}, "Summary\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(c.pieces, false), c.plain);
  }
}

TEST(RecordedText, LayoutPlacesPiecesAtTheColumnsOfTheirLeftEdges) {
  // Characters 10 pixels wide: a piece at x = 100 starts in column 10.
  const std::vector<Piece> table = {
      {"Product", {0, 0, 70, 15}},      {"Qty", {100, 0, 130, 15}},    {"Amount", {200, 0, 260, 15}},
      {"Green tea", {0, 20, 90, 35}},   {"12", {100, 20, 120, 35}},    {"1,200", {200, 20, 250, 35}},
      {"绿茶", {0, 40, 40, 55}},        {"3", {100, 40, 110, 55}},     {"90", {200, 40, 220, 55}},
  };
  EXPECT_EQ(Text(table, true),
            "Product   Qty       Amount\n"
            "Green tea 12        1,200\n"
            "绿茶      3         90\n");
  EXPECT_EQ(Text(table, false), "Product Qty Amount\nGreen tea 12 1,200\n绿茶 3 90\n");
}

TEST(RecordedText, LayoutKeepsPiecesApartAndBoundsTheirColumns) {
  struct Case {
    const char* name;
    std::vector<Piece> pieces;
    const char* layout;
  } cases[] = {
      // The second piece would start inside the first: one space keeps them apart.
      {"overlapping pieces", {{"abcdef", {0, 0, 60, 15}}, {"gh", {30, 0, 50, 15}}}, "abcdef gh\n"},
      {"a piece left of the page", {{"left", {-200, 0, -160, 15}}, {"x", {10, 0, 20, 15}}}, "left x\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(c.pieces, true), c.layout);
  }
  // A piece far out on a huge page is placed at most 4,096 columns in.
  const std::string far = Text({{"a", {0, 0, 10, 15}}, {"z", {1 << 28, 0, (1 << 28) + 10, 15}}}, true);
  EXPECT_EQ(far, "a" + std::string(4095, ' ') + "z\n");
}

TEST(RecordedText, WideCharactersTakeTwoColumns) {
  struct Case {
    const char* text;
    int columns;
  } cases[] = {{"abc", 3}, {"销售", 4}, {"Ａ１", 4}, {"表 x", 4}, {"𠀀", 2}, {"", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DisplayColumns(Utf8ToWide(c.text)), c.columns);
  }
}

}  // namespace
}  // namespace quarlo
