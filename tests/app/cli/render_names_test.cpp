// The names render writes pages into.
#include <gtest/gtest.h>

#include "app/cli/render_names.h"

namespace quarlo {
namespace {

TEST(RenderNames, OnePageIsOutItselfSeveralAreNumberedToTheLastPagesWidth) {
  struct Case {
    const char* output;
    int pageCount;
    bool several;
    int number;
    const char* name;
  } cases[] = {
      {"out.png", 5, false, 3, "out.png"},
      {"out", 5, false, 3, "out"},
      {"out.png", 5, true, 3, "out-3.png"},
      {"out.png", 12, true, 3, "out-03.png"},
      {"out.png", 12, true, 12, "out-12.png"},
      {"out.PNG", 100, true, 7, "out-007.png"},
      {"out.Png", 9, true, 9, "out-9.png"},
      {"out", 10, true, 1, "out-01.png"},
      {"out.jpg", 2, true, 1, "out.jpg-1.png"},
      {"a.png.png", 2, true, 2, "a.png-2.png"},
      {"dir.png/page", 2, true, 2, "dir.png/page-2.png"},
      {".png", 2, true, 1, ".png-1.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    EXPECT_EQ(cli::RenderNames(c.output, c.pageCount, c.several).ForPage(c.number), c.name);
  }
}

}  // namespace
}  // namespace quarlo
