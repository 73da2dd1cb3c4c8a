#include "objects/component.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/model_fixtures.h"

namespace quarlo {
namespace {

using testing::TTestBand;
using testing::TTestMemo;
using testing::TTestPage;
using testing::TTestReport;

class ComponentTree : public ::testing::Test {
 protected:
  // report > page > band > (memo1, memo2 > nested)
  TTestReport report{nullptr};
  TTestPage* page = new TTestPage(&report);
  TTestBand* band = new TTestBand(page);
  TTestMemo* memo1 = new TTestMemo(band);
  TTestMemo* memo2 = new TTestMemo(band);
  TTestMemo* nested = new TTestMemo(memo2);
};

TEST_F(ComponentTree, OwnerArgumentPlacesUnderParentAndReportOwns) {
  EXPECT_EQ(memo1->Parent(), band);
  EXPECT_EQ(memo1->Owner(), &report);
  EXPECT_EQ(band->Page(), page);
  EXPECT_EQ(nested->Report(), &report);
  EXPECT_EQ((std::vector<TfrxComponent*>{memo1, memo2}), band->Objects());
}

TEST_F(ComponentTree, AllObjectsIsDepthFirstPreOrder) {
  EXPECT_EQ((std::vector<TfrxComponent*>{page, band, memo1, memo2, nested}), report.AllObjects());
}

TEST_F(ComponentTree, FindObjectIgnoresCaseAndTakesTheFirstInOrder) {
  nested->SetName("Memo1");
  // Renaming through the report would refuse a duplicate; plant one directly below
  // another report-less parent to check the walk order instead.
  TTestPage loosePage(nullptr);
  TTestMemo* a = new TTestMemo(&loosePage);
  TTestMemo* b = new TTestMemo(a);
  TTestMemo* c = new TTestMemo(&loosePage);
  b->SetName("Twin");
  c->SetName("Twin");
  EXPECT_EQ(loosePage.FindObject("twin"), b);
  EXPECT_EQ(report.FindObject("memo1"), nested);
  EXPECT_EQ(report.FindObject("nobody"), nullptr);
}

TEST_F(ComponentTree, SetParentKeepsPlaceForSameParentAndMovesToEndOtherwise) {
  memo1->SetParent(band);
  EXPECT_EQ(band->Objects().front(), memo1);
  memo1->SetParent(memo2);
  EXPECT_EQ(band->Objects(), std::vector<TfrxComponent*>{memo2});
  EXPECT_EQ(memo2->Objects().back(), memo1);
  // A component never becomes its own descendant.
  memo2->SetParent(nested);
  EXPECT_EQ(memo2->Parent(), band);
}

TEST_F(ComponentTree, DestroyingAChildDetachesItFromParentAndOwner) {
  int owned = report.ComponentCount();
  delete memo2;  // takes nested with it
  EXPECT_EQ(band->Objects(), std::vector<TfrxComponent*>{memo1});
  EXPECT_EQ(report.ComponentCount(), owned - 2);
}

TEST_F(ComponentTree, ClearKeepsAncestorChildrenButEmptiesThem) {
  memo2->SetAncestor(true);
  band->Clear();
  EXPECT_EQ(band->Objects(), std::vector<TfrxComponent*>{memo2});
  EXPECT_TRUE(memo2->Objects().empty());
}

TEST_F(ComponentTree, RenamingRules) {
  memo1->SetName("Memo1");
  memo2->SetName("memo3");
  EXPECT_NO_THROW(memo1->SetName("MEMO1"));  // same name ignoring case: nothing happens
  EXPECT_EQ(memo1->Name(), "Memo1");
  EXPECT_THROW(memo2->SetName("memo1"), Exception);
  EXPECT_EQ(memo2->Name(), "memo3");
  try {
    memo2->SetName("1abc");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "''1abc'' is not a valid component name");
  }
  memo2->SetAncestor(true);
  try {
    memo2->SetName("Other");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Could not rename memo3, it was introduced in the ancestor report");
  }
}

TEST_F(ComponentTree, MakeUniqueNameTakesTheFirstGap) {
  // BaseName drops only "Tfrx" and "View": the test class keeps its full name.
  EXPECT_EQ(nested->BaseName(), "TTestMemo");
  memo1->SetName("TTestMemo1");
  memo2->SetName("TTESTMEMO3");
  EXPECT_EQ(nested->MakeUniqueName(), "TTestMemo2");
}

TEST(ComponentFont, ParentFontFollowsRecursivelyAndOwnFontStops) {
  TTestPage page(nullptr);
  auto* band = new TTestBand(&page);
  auto* follower = new TTestMemo(band);
  auto* own = new TTestMemo(band);
  auto* grandchild = new TTestMemo(follower);
  TFont f = own->Font();
  f.SetName("Courier");
  own->SetFont(f);
  EXPECT_FALSE(own->ParentFont());

  page.Font().SetHeight(-20);
  EXPECT_FALSE(page.ParentFont());
  for (TfrxComponent* c : {static_cast<TfrxComponent*>(band), static_cast<TfrxComponent*>(follower),
                           static_cast<TfrxComponent*>(grandchild)}) {
    EXPECT_EQ(c->Font().Height(), -20) << c->ClassName();
    EXPECT_TRUE(c->ParentFont());
  }
  EXPECT_EQ(own->Font().Height(), -13);
  EXPECT_EQ(own->Font().Name(), "Courier");

  // Turning ParentFont back on copies the parent's font.
  own->SetParentFont(true);
  EXPECT_EQ(own->Font().Name(), "Arial");
  EXPECT_EQ(own->Font().Height(), -20);
}

TEST(ComponentFont, NewParentHandsItsFontToAFollower) {
  TTestPage a(nullptr), b(nullptr);
  b.Font().SetColor(clRed);
  auto* memo = new TTestMemo(&a);
  memo->SetParent(&b);
  EXPECT_EQ(memo->Font().Color(), clRed);
}

TEST(ComponentGeometry, AbsolutePositionSumsParents) {
  TTestMemo loose(nullptr);
  loose.SetLeft(5);
  EXPECT_DOUBLE_EQ(loose.AbsLeft(), 5);
  TTestPage page(nullptr);
  auto* band = new TTestBand(&page);
  band->SetBounds(10, 20, 100, 50);
  auto* memo = new TTestMemo(band);
  memo->SetBounds(1, 2, 3, 4);
  EXPECT_DOUBLE_EQ(memo->AbsLeft(), 11);
  EXPECT_DOUBLE_EQ(memo->AbsTop(), 22);
  ReportRect r = memo->RealBounds();
  EXPECT_DOUBLE_EQ(r.Right, 14);
  EXPECT_DOUBLE_EQ(r.Bottom, 26);
}

TEST(ComponentGeometry, RestrictionsOnlyBindWhileDesigning) {
  struct Case {
    bool designing;
    int restrictions;
    double expectLeft, expectWidth;
  } cases[] = {
      {false, rfDontMove | rfDontSize, 7, 8},
      {true, rfDontMove, 0, 8},
      {true, rfDontSize, 7, 0},
      {true, 0, 7, 8},
  };
  for (const Case& c : cases) {
    TTestMemo m(nullptr);
    m.SetDesigning(c.designing);
    m.SetRestrictions(c.restrictions);
    m.SetBounds(7, 7, 8, 8);
    EXPECT_DOUBLE_EQ(m.Left(), c.expectLeft);
    EXPECT_DOUBLE_EQ(m.Width(), c.expectWidth);
  }
}

TEST(ComponentOutput, AfterOutputRestoresTheSavedBounds) {
  TTestMemo m(nullptr);
  m.SetBounds(1, 2, 3, 4);
  m.BeforeOutput();
  m.SetBounds(9, 9, 9, 9);
  m.AfterOutput();
  EXPECT_DOUBLE_EQ(m.Left(), 1);
  EXPECT_DOUBLE_EQ(m.Top(), 2);
  EXPECT_DOUBLE_EQ(m.Width(), 3);
  EXPECT_DOUBLE_EQ(m.Height(), 4);
}

TEST(Font, SizeAndHeightAt96PixelsPerInch) {
  struct Case {
    int size, height;
  } cases[] = {{10, -13}, {8, -11}, {9, -12}, {12, -16}, {72, -96}, {0, 0}};
  for (Case c : cases) {
    TFont f;
    f.SetSize(c.size);
    EXPECT_EQ(f.Height(), c.height) << c.size;
    EXPECT_EQ(f.Size(), c.size) << c.size;
  }
  TFont f;
  EXPECT_EQ(f.Name(), "Arial");
  EXPECT_EQ(f.Size(), 10);
  EXPECT_EQ(f.Charset(), 1);
  EXPECT_EQ(f.Color(), clBlack);
}

}  // namespace
}  // namespace quarlo
