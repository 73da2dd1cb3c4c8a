#include "objects/property_model.h"

#include <gtest/gtest.h>

#include "support/model_fixtures.h"
#include "objects/class_registry.h"

namespace quarlo {
namespace {

using testing::TTestBand;
using testing::TTestMemo;
using testing::TTestView;

std::vector<std::string> Names(const ClassInfo& c) {
  std::vector<std::string> out;
  for (const PropertyInfo* p : c.Properties()) out.push_back(p->name);
  return out;
}

TEST(PropertyModel, AncestorsComeFirstAndRedeclarationKeepsItsPlace) {
  std::vector<std::string> expected = {"Name",   "Tag",        "Description", "Align",
                                       "Left",   "Top",        "Width",       "Height",
                                       "Font",   "ParentFont", "Restrictions", "Visible",
                                       "Frame",  "TagStr",     "HAlign",      "GapX",
                                       "Hint",   "Memo",       "WordWrap",    "Rotation",
                                       "FlowTo", "OnClick"};
  EXPECT_EQ(Names(TTestMemo::StaticClass()), expected);
}

TEST(PropertyModel, LookupIgnoresCaseAndPathsWalkSubObjects) {
  TTestMemo memo(nullptr);
  memo.Frame()->SetWidth(3);
  struct Case {
    const char* path;
    bool found;
    const char* property;
  } cases[] = {
      {"gapx", true, "GapX"},
      {"FRAME.WIDTH", true, "Width"},
      {"Frame.LeftLine.Width", true, "Width"},
      {"Frame.Missing", false, ""},
      {"TagStr.Width", false, ""},  // a string has no properties
      {"FlowTo.Left", false, ""},   // references are not walked into
      {"", false, ""},
  };
  for (const Case& c : cases) {
    PropertyTarget t = FindPropertyPath(memo, c.path);
    EXPECT_EQ(t.property != nullptr, c.found) << c.path;
    if (t.property) {
      EXPECT_EQ(t.property->name, c.property) << c.path;
    }
  }
  PropertyTarget width = FindPropertyPath(memo, "Frame.Width");
  EXPECT_DOUBLE_EQ(width.property->getFloat(*width.object), 3);
}

TEST(PropertyModel, TypeErasedAccessorsReachTheSetters) {
  TTestMemo memo(nullptr);
  const ClassInfo& c = memo.GetClass();
  c.FindProperty("Rotation")->setOrdinal(memo, 370);
  EXPECT_EQ(memo.Rotation(), 10);  // through the setter, not the field
  c.FindProperty("HAlign")->setOrdinal(memo, 2);
  EXPECT_EQ(memo.HAlign(), testing::thCenter);
  c.FindProperty("WordWrap")->setOrdinal(memo, 0);
  EXPECT_FALSE(memo.WordWrap());
  c.FindProperty("Hint")->setWString(memo, u"h\u00e9");
  EXPECT_EQ(memo.Hint(), u"h\u00e9");
  EXPECT_TRUE(c.FindProperty("OnClick")->IsReadOnly());
  EXPECT_FALSE(IsSerialisedKind(c.FindProperty("OnClick")->kind));
}

TEST(PropertyModel, ReferenceSetterRefusesOtherClasses) {
  TTestMemo memo(nullptr), target(nullptr);
  TTestBand band(nullptr);
  const PropertyInfo* flow = memo.GetClass().FindProperty("FlowTo");
  flow->setObject(memo, &target);
  EXPECT_EQ(memo.FlowTo(), &target);
  flow->setObject(memo, &band);
  EXPECT_EQ(memo.FlowTo(), &target);
  flow->setObject(memo, nullptr);
  EXPECT_EQ(memo.FlowTo(), nullptr);
}

struct TGauge : TPersistent {
  double level = 0;
  int steps = 0;
};

TEST(PropertyModel, DefaultsFollowThePropertyKind) {
  ClassBuilder<TGauge, TPersistent> b("TGauge");
  b.Float("Level", &TGauge::level, &TGauge::level).Default(2);
  b.Integer("Steps", &TGauge::steps, &TGauge::steps).Default(3.0);
  ClassInfo info = b.Build();
  const PropertyInfo* level = info.FindProperty("Level");
  const PropertyInfo* steps = info.FindProperty("Steps");
  ASSERT_TRUE(level->floatDefault.has_value());
  EXPECT_DOUBLE_EQ(*level->floatDefault, 2);
  EXPECT_FALSE(level->ordinalDefault.has_value());
  ASSERT_TRUE(steps->ordinalDefault.has_value());
  EXPECT_EQ(*steps->ordinalDefault, 3);
}

TEST(PropertyModel, EnumNamesIgnoreCase) {
  const EnumInfo& e = AlignNames();
  EXPECT_EQ(e.Find("baclient"), 6);
  EXPECT_EQ(e.Find("baNothing"), -1);
  EXPECT_EQ(e.Name(7), "");
  EXPECT_EQ(BooleanEnum().Find("TRUE"), 1);
}

TEST(ClassRegistry, RegistersAncestorsOnceAndFindsIgnoringCase) {
  RegisterClass<TTestMemo>();
  RegisterClass<TTestMemo>();
  EXPECT_EQ(FindClass("ttestmemo"), &TTestMemo::StaticClass());
  EXPECT_EQ(FindClass("TTESTVIEW"), &TTestView::StaticClass());  // an ancestor
  EXPECT_EQ(FindClass("TfrxReportComponent"), &TfrxReportComponent::StaticClass());
  EXPECT_EQ(FindClass("TPersistent"), nullptr);
  int count = 0;
  for (const ClassInfo* c : RegisteredClasses()) count += c == &TTestMemo::StaticClass();
  EXPECT_EQ(count, 1);
  EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
  try {
    GetClass("TNoSuchClass");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TNoSuchClass not found");
  }
}

TEST(ClassRegistry, AbstractClassesCannotBeCreated) {
  EXPECT_FALSE(TfrxReportComponent::StaticClass().CanCreate());
  ASSERT_TRUE(TTestMemo::StaticClass().CanCreate());
  std::unique_ptr<TPersistent> made(TTestMemo::StaticClass().Create()(nullptr));
  EXPECT_EQ(made->ClassName(), "TTestMemo");
}

}  // namespace
}  // namespace quarlo
