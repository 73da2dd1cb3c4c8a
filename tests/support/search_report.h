#pragma once
// A small report for the text search: three A4 pages (10 mm margins), each text in a
// memo of its own, so every memo line is one text operation of the drawn page.
//
//   page 1: "apple and apple"   "Banana"          "第一季度销售"
//   page 2: "strawberry melon" (wrapped: "melon" on the second line)   "APPLE pie"
//   page 3: "Q3销售 report"      "nothing here"
#include <string>

#include "platform/canvas.h"

namespace quarlo::testing {

std::string SearchReport();

// Where memo `memo` (0-based, in the order listed above) of a page lies, in report
// pixels from the page's top-left corner.
CanvasRect SearchReportMemoRect(int memo);

}  // namespace quarlo::testing
