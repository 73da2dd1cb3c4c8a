// How the report object hands errors to the user, by its engine options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report.h"
#include "platform/errors.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

struct ShownBox {
  std::string caption;
  std::string message;
};

// Records error boxes instead of showing them, for the life of the fixture.
class ReportErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrxResources::SetErrorBoxHandler([this](const std::string& caption, const std::string& message) {
      boxes.push_back({caption, message});
    });
  }
  void TearDown() override { TfrxResources::SetErrorBoxHandler(nullptr); }

  std::vector<ShownBox> boxes;
  TfrxReport report{nullptr};
};

TEST_F(ReportErrorTest, SilentModeDecidesBetweenBoxSilenceAndRaising) {
  struct {
    TfrxSilentMode mode;
    bool box;
    bool raises;
  } const cases[] = {
      {simMessageBoxes, true, false},
      {simSilent, false, false},
      {simReThrow, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(SilentModeNames().Name(c.mode));
    boxes.clear();
    report.EngineOptions().SetNewSilentMode(c.mode);
    bool raised = false;
    try {
      report.ReportError("打印机出错");
    } catch (const Exception& error) {
      raised = true;
      EXPECT_STREQ(error.what(), "打印机出错");
    }
    EXPECT_EQ(raised, c.raises);
    ASSERT_EQ(boxes.size(), c.box ? 1u : 0u);
    if (c.box) {
      EXPECT_EQ(boxes[0].caption, "错误");
      EXPECT_EQ(boxes[0].message, "打印机出错");
    }
  }
}

TEST_F(ReportErrorTest, SilentModeIsAViewOfNewSilentMode) {
  struct {
    TfrxSilentMode mode;
    bool silent;
  } const reads[] = {{simMessageBoxes, false}, {simSilent, true}, {simReThrow, false}};
  for (const auto& c : reads) {
    report.EngineOptions().SetNewSilentMode(c.mode);
    EXPECT_EQ(report.EngineOptions().SilentMode(), c.silent) << c.mode;
  }
  // Writing false always lands on message boxes, also from simReThrow.
  report.EngineOptions().SetNewSilentMode(simReThrow);
  report.EngineOptions().SetSilentMode(false);
  EXPECT_EQ(report.EngineOptions().NewSilentMode(), simMessageBoxes);
  report.EngineOptions().SetSilentMode(true);
  EXPECT_EQ(report.EngineOptions().NewSilentMode(), simSilent);
}

TEST_F(ReportErrorTest, CollectedErrorsAreShownSortedUnderOneHeading) {
  report.ReportCollectedErrors();
  EXPECT_TRUE(boxes.empty()) << "no errors, no box";

  report.Errors().insert("第二个");
  report.Errors().insert("A first");
  report.Errors().insert("A first");
  report.ReportCollectedErrors();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].message, "发生下列的错误:\nA first\n第二个");

  boxes.clear();
  report.EngineOptions().SetNewSilentMode(simSilent);
  report.ReportCollectedErrors();
  EXPECT_TRUE(boxes.empty()) << "silent print errors produce no box";
}

}  // namespace
}  // namespace quarlo
