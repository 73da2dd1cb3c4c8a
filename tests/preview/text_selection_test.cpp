// Choosing text on a page: which text operations a rectangle takes, and the order
// their texts are copied in.
#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "preview/text_selection.h"

namespace quarlo {
namespace {

CanvasRecord Text(std::u16string text, int left, int top, int right, int bottom) {
  CanvasRecord r;
  r.op = CanvasRecord::Op::Text;
  r.text = std::move(text);
  r.bounds = {left, top, right, bottom};
  return r;
}

CanvasRecord Figure(int left, int top, int right, int bottom) {
  CanvasRecord r;
  r.op = CanvasRecord::Op::Rectangle;
  r.bounds = {left, top, right, bottom};
  return r;
}

TEST(TextSelectionTest, ARectangleTakesTheTextOperationsItMeets) {
  const std::vector<CanvasRecord> records = {
      Text(u"标题", 100, 10, 200, 30), Figure(0, 0, 800, 1000), Text(u"左", 10, 50, 60, 70),
      Text(u"右", 300, 50, 360, 70),   Text(u"", 10, 80, 60, 100), Text(u"下", 10, 200, 60, 220),
  };
  struct Case {
    const char* name;
    CanvasRect area;
    std::vector<std::size_t> taken;
  } cases[] = {
      {"everything", {0, 0, 800, 1000}, {0, 2, 3, 5}},
      {"one row", {0, 45, 800, 75}, {2, 3}},
      {"touching an edge is not meeting", {60, 0, 300, 1000}, {0}},
      {"one pixel inside", {59, 69, 61, 71}, {2}},
      {"nothing but the empty text", {10, 80, 60, 100}, {}},
      {"beside the page", {900, 0, 1000, 100}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextRecordsMeeting(records, c.area), c.taken);
  }
}

TEST(TextSelectionTest, TextsAreCopiedInReadingOrderWithTheirLines) {
  struct Case {
    const char* name;
    std::vector<CanvasRecord> records;
    std::u16string text;
  } cases[] = {
      {"drawing order is not reading order",
       {Text(u"第二行", 10, 40, 100, 60), Text(u"第一行", 10, 10, 100, 30)},
       u"第一行\n第二行"},
      {"cells of one row left to right, a space between",
       {Text(u"金额", 300, 10, 360, 30), Text(u"名称", 10, 12, 60, 28), Text(u"数量", 150, 8, 200, 32)},
       u"名称 数量 金额"},
      {"operations that touch join without a space",
       {Text(u"ab", 10, 10, 30, 30), Text(u"cd", 30, 10, 50, 30)},
       u"abcd"},
      {"a text ending in a space gets no second one",
       {Text(u"Total ", 10, 10, 60, 30), Text(u"42", 80, 10, 100, 30)},
       u"Total 42"},
      {"a taller neighbour whose middle is in the line joins it",
       {Text(u"A", 10, 10, 30, 30), Text(u"B", 40, 0, 60, 38)},
       u"A B"},
      {"a middle below the line starts a new one",
       {Text(u"A", 10, 10, 30, 30), Text(u"B", 40, 22, 60, 42)},
       u"A\nB"},
      {"nothing", {}, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<const CanvasRecord*> records;
    for (const CanvasRecord& r : c.records) records.push_back(&r);
    EXPECT_EQ(TextInReadingOrder(records), c.text);
  }
}

}  // namespace
}  // namespace quarlo
