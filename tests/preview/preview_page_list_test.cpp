// Page rectangles of the preview: rows, centring, the virtual page of an empty list and
// finding the page at a point.
#include <gtest/gtest.h>

#include <vector>

#include "preview/preview_page_list.h"

namespace quarlo {
namespace {

struct Size {
  int w, h;
};

PreviewPageList Laid(const std::vector<Size>& sizes, int available, double zoom = 1) {
  PreviewPageList list;
  for (const Size& s : sizes) list.AppendPage(s.w, s.h, zoom);
  list.LayoutRows(available);
  return list;
}

TEST(PreviewPageListTest, RowsAreCentredAndTenPixelsApart) {
  struct Expect {
    int left, top;
  };
  struct Case {
    const char* name;
    std::vector<Size> sizes;
    int available;
    std::vector<Expect> places;
    int widest;
  } cases[] = {
      {"one narrow page", {{600, 800}}, 800, {{110, 10}}, 610},
      {"page wider than the row", {{900, 800}}, 800, {{10, 10}}, 910},
      {"two share a row", {{300, 400}, {300, 200}}, 800, {{105, 10}, {415, 10}}, 620},
      // The second row starts below the taller page of the first.
      {"third wraps", {{300, 400}, {300, 200}, {300, 100}}, 700, {{55, 10}, {365, 10}, {210, 420}}, 620},
      {"wide page alone between narrow ones", {{100, 50}, {900, 60}, {100, 70}}, 800,
       {{360, 10}, {10, 70}, {360, 140}}, 910},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PreviewPageList list = Laid(c.sizes, c.available);
    ASSERT_EQ(list.Count(), static_cast<int>(c.places.size()));
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_EQ(list.Item(i).Left, c.places[i].left) << i;
      EXPECT_EQ(list.Item(i).Top, c.places[i].top) << i;
    }
    EXPECT_EQ(list.Widest(), c.widest);
  }
}

TEST(PreviewPageListTest, ZoomRoundsHalvesToEven) {
  PreviewPageList list;
  list.AppendPage(5, 7, 0.5);  // 2.5 -> 2, 3.5 -> 4
  EXPECT_EQ(list.Item(0).Width, 2);
  EXPECT_EQ(list.Item(0).Height, 4);
}

TEST(PreviewPageListTest, EmptyListGivesVirtualA4) {
  const PreviewPageList list;
  EXPECT_EQ(list.ContentSize(), (ContentExtent{0, 0}));
  EXPECT_EQ(list.PageRect(0, 1000, false, 1), (PageBox{103, 10, 897, 1133}));
  EXPECT_EQ(list.PageRect(-1, 500, false, 1), (PageBox{10, 10, 804, 1133}));
  EXPECT_EQ(list.PageRect(3, 1000, false, 0.5), (PageBox{302, 5, 699, 567}));
}

TEST(PreviewPageListTest, PageRectOfLaidOutPage) {
  const PreviewPageList list = Laid({{600, 800}, {600, 800}}, 800);
  EXPECT_EQ(list.PageRect(1, 800, false, 1), (PageBox{110, 820, 710, 1620}));
  EXPECT_EQ(list.PageRect(1, 800, true, 1), (PageBox{90, 820, 690, 1620}));
  EXPECT_EQ(list.ContentSize(), (ContentExtent{610, 1620}));
}

TEST(PreviewPageListTest, PageAtPointByHeightUsesFifthOfHeight) {
  // Pages 1000 high at tops 10, 1020, 2030: a page counts as reached once its top is
  // within 200 pixels below the point.
  const PreviewPageList list = Laid({{500, 1000}, {500, 1000}, {500, 1000}}, 600);
  struct Case {
    int y, page;
  } cases[] = {{-300, -1}, {-191, -1}, {-190, 0}, {0, 0}, {819, 0}, {820, 1}, {1500, 1}, {1830, 2}, {99999, 2}};
  for (const Case& c : cases) EXPECT_EQ(list.PageAtPoint(c.y, 0), c.page) << c.y;
}

TEST(PreviewPageListTest, PageAtPointWithXTestsRectangles) {
  // Two pages side by side in one row, a third below.
  const PreviewPageList list = Laid({{300, 400}, {300, 400}, {300, 400}}, 700);
  struct Case {
    int y, x, page;
  } cases[] = {
      {100, 100, 0},  {100, 400, 1},
      {100, 360, 1},  // the gap between them: the bisection's candidate
      {5, 100, -1},   // above the first row, no tolerance with x
      {500, 250, 2},  {409, 100, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(list.PageAtPoint(c.y, c.x), c.page) << c.y << "," << c.x;
}

TEST(PreviewPageListTest, HugeSizesSaturateInsteadOfOverflowing) {
  PreviewPageList list;
  for (int i = 0; i < 3000; ++i) list.AppendPage(1 << 30, 1 << 30, 8);
  list.LayoutRows(800);
  EXPECT_LE(list.Item(2999).Top, PreviewPageList::kMaxCoordinate);
  EXPECT_GE(list.Item(2999).Top, 0);
  EXPECT_EQ(list.Item(0).Width, PreviewPageList::kMaxSide);
  EXPECT_GE(list.ContentSize().Height, 0);
}

}  // namespace
}  // namespace quarlo
