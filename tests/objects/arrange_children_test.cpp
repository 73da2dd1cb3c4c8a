#include <gtest/gtest.h>

#include "support/model_fixtures.h"

namespace quarlo {
namespace {

using testing::TTestBand;
using testing::TTestMemo;

struct Child {
  TfrxAlign align;
  double left, top, width, height;
};
struct Expect {
  double left, top, width, height;
};
struct Case {
  const char* name;
  std::vector<Child> children;
  std::vector<Expect> expected;
};

// Parent is 200 x 100.
const Case kCases[] = {
    {"left packs against the nearest overlapping left neighbour",
     {{baNone, 10, 0, 30, 20}, {baLeft, 100, 5, 20, 10}},
     {{10, 0, 30, 20}, {40, 5, 20, 10}}},
    {"left without overlap goes to 0",
     {{baNone, 10, 0, 30, 20}, {baLeft, 100, 20, 20, 10}},  // touches at 20: no overlap
     {{10, 0, 30, 20}, {0, 20, 20, 10}}},
    {"right packs against the right neighbour",
     {{baRight, 10, 0, 30, 20}, {baNone, 150, 0, 20, 20}},
     {{120, 0, 30, 20}, {150, 0, 20, 20}}},
    {"right without neighbour goes to the edge",
     {{baRight, 10, 0, 30, 20}},
     {{170, 0, 30, 20}}},
    {"width stretches between neighbours",
     {{baNone, 0, 0, 20, 20}, {baWidth, 50, 0, 10, 20}, {baNone, 150, 0, 30, 20}},
     {{0, 0, 20, 20}, {20, 0, 130, 20}, {150, 0, 30, 20}}},
    {"center, bottom, client",
     {{baCenter, 0, 0, 40, 10}, {baBottom, 5, 0, 10, 30}, {baClient, 3, 3, 1, 1}},
     {{80, 0, 40, 10}, {5, 70, 10, 30}, {0, 0, 200, 100}}},
    {"negative left sorts before positive ones",
     {{baNone, -10, 0, 30, 20}, {baLeft, 5, 0, 10, 20}},
     {{-10, 0, 30, 20}, {20, 0, 10, 20}}},
};

TEST(ArrangeChildren, AlignsInsideTheParentAndIsIdempotent) {
  for (const Case& c : kCases) {
    TTestBand band(nullptr);
    band.SetBounds(0, 0, 200, 100);
    std::vector<TTestMemo*> views;
    for (const Child& ch : c.children) {
      auto* v = new TTestMemo(&band);
      v->SetAlign(ch.align);
      v->SetBounds(ch.left, ch.top, ch.width, ch.height);
      views.push_back(v);
    }
    for (int pass = 0; pass < 2; ++pass) {
      band.ArrangeChildren();
      for (size_t i = 0; i < views.size(); ++i) {
        const Expect& e = c.expected[i];
        EXPECT_DOUBLE_EQ(views[i]->Left(), e.left) << c.name << " #" << i << " pass " << pass;
        EXPECT_DOUBLE_EQ(views[i]->Top(), e.top) << c.name << " #" << i;
        EXPECT_DOUBLE_EQ(views[i]->Width(), e.width) << c.name << " #" << i;
        EXPECT_DOUBLE_EQ(views[i]->Height(), e.height) << c.name << " #" << i;
      }
    }
  }
}

}  // namespace
}  // namespace quarlo
