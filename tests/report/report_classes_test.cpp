// The report object and its options as documents hold them, and the start-up
// registration of every class a prepared report may name.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "objects/serializer.h"
#include "objects/class_registry.h"

namespace quarlo {
namespace {

TEST(ReportClassesTest, StartUpClassesAreRegisteredInTheirOrder) {
  RegisterReportClasses();
  const std::vector<std::string> expected = {
      "TfrxChild",        "TfrxColumnFooter",  "TfrxColumnHeader", "TfrxCustomMemoView",
      "TfrxMasterData",   "TfrxDetailData",    "TfrxSubdetailData", "TfrxDataBand4",
      "TfrxDataBand5",    "TfrxDataBand6",     "TfrxDialogPage",   "TfrxFooter",
      "TfrxFrame",        "TfrxGroupFooter",   "TfrxGroupHeader",  "TfrxHeader",
      "TfrxHighlight",    "TfrxLineView",      "TfrxMemoView",     "TfrxOverlay",
      "TfrxPageFooter",   "TfrxPageHeader",    "TfrxPictureView",  "TfrxReport",
      "TfrxReportPage",   "TfrxReportSummary", "TfrxReportTitle",  "TfrxShapeView",
      "TfrxSubreport",    "TfrxSysMemoView",   "TfrxStyleItem",    "TfrxNullBand",
      "TfrxCustomLineView", "TfrxDataPage"};
  // Other classes (ancestors, other tests' classes) may sit between them; the 34 keep
  // their relative order, except that registering TfrxLineView already registers its
  // ancestor TfrxCustomLineView right after it.
  std::vector<std::string> order = expected;
  order.erase(std::find(order.begin(), order.end(), "TfrxCustomLineView"));
  order.insert(std::find(order.begin(), order.end(), "TfrxLineView") + 1, "TfrxCustomLineView");
  std::vector<std::string> registered;
  for (const ClassInfo* c : RegisteredClasses()) {
    if (std::find(expected.begin(), expected.end(), c->Name()) != expected.end()) {
      registered.push_back(c->Name());
    }
  }
  EXPECT_EQ(registered, order);

  for (const char* name : {"tfrxmemoview", "TFRXDMPPAGE", "TfrxDMPMemoView", "TfrxDMPLineView",
                           "TfrxDMPCommand", "TfrxView", "TfrxBand", "TfrxDataBand"}) {
    EXPECT_NE(FindClass(name), nullptr) << name;
  }
  // Every start-up class that is a component can be built from its name alone.
  for (const std::string& name : expected) {
    const ClassInfo& info = GetClass(name);
    ASSERT_TRUE(info.CanCreate()) << name;
    std::unique_ptr<TPersistent> object(info.Create()(nullptr));
    EXPECT_EQ(object->ClassName(), name);
  }
  try {
    GetClass("TfrxNoSuchView");
    ADD_FAILURE() << "unknown class found";
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TfrxNoSuchView not found");
  }
}

TEST(ReportClassesTest, FreshReportWritesOnlyWhatDiffersFromTheDefaults) {
  TfrxReport report(nullptr);
  TfrxXMLSerializer s;
  std::string attrs = s.WriteProperties(report);
  // The creation dates have no default; take them out of the comparison.
  for (const char* date : {" ReportOptions.CreateDate=\"", " ReportOptions.LastChange=\""}) {
    const size_t at = attrs.find(date);
    ASSERT_NE(at, std::string::npos) << date;
    attrs.erase(at, attrs.find('"', at + std::string(date).size()) + 1 - at);
  }
  EXPECT_EQ(attrs,
            " Version=\"4.9.32\" ReportOptions.Description.Text=\"\" ScriptLanguage=\"PascalScript\""
            " ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\"");
}

// The report element of a prepared file, as other producers write it.
TEST(ReportClassesTest, ReportElementSettingsApplyToTheLiveReport) {
  TfrxReport report(nullptr);
  report.SetName("ruvReport1");
  TfrxXMLSerializer s;
  s.ApplyProperties(
      "Name=\"Other\" DotMatrixReport=\"1\" PreviewOptions.OutlineVisible=\"1\""
      " PreviewOptions.OutlineWidth=\"200\" ReportOptions.Name=\"月报\" EngineOptions.NewSilentMode=\"2\""
      " PreviewOptions.Zoom=\"1,5\" PrintOptions.PrintPages=\"ppEven\" Version=\"1.0\"",
      report);
  EXPECT_TRUE(s.Errors().empty()) << *s.Errors().begin();
  EXPECT_EQ(report.Name(), "ruvReport1") << "a report ignores the Name attribute";
  EXPECT_TRUE(report.DotMatrixReport());
  EXPECT_TRUE(report.PreviewOptions().OutlineVisible());
  EXPECT_EQ(report.PreviewOptions().OutlineWidth(), 200);
  EXPECT_EQ(report.ReportOptions().Name(), "月报");
  EXPECT_EQ(report.EngineOptions().NewSilentMode(), simReThrow);
  EXPECT_EQ(report.PreviewOptions().Zoom(), 1.5);
  EXPECT_EQ(report.PrintOptions().PrintPages(), TfrxPrintPages::ppEven);
  EXPECT_EQ(report.Version(), "4.9.32") << "the version is fixed";
}

TEST(ReportClassesTest, OptionValuesReadBackThroughTheirPublishedNames) {
  TfrxReport report(nullptr);
  report.PreviewOptions().SetButtons(PreviewButtonBit(pbPrint) | PreviewButtonBit(pbLoad) |
                                     PreviewButtonBit(pbSave) | PreviewButtonBit(pbZoom) |
                                     PreviewButtonBit(pbPageSetup) | PreviewButtonBit(pbTools) |
                                     PreviewButtonBit(pbNavigator));
  report.PreviewOptions().SetModal(false);
  report.PreviewOptions().SetZoomMode(zmPageWidth);
  report.PrintOptions().SetPrinter("Default");
  report.PrintOptions().SetPrintMode(TfrxPrintMode::pmScale);
  report.PrintOptions().SetSwapPageSize(true);
  report.EngineOptions().SetSilentMode(true);
  report.ReportOptions().Description().Add("line one");
  report.SetIniFile("/tmp/quarlo.ini");

  TfrxXMLSerializer s;
  const std::string attrs = s.WriteProperties(report);
  for (const char* expected :
       {" PreviewOptions.Buttons=\"1431\"", " PreviewOptions.Modal=\"False\"",
        " PreviewOptions.ZoomMode=\"zmPageWidth\"", " PrintOptions.Printer=\"Default\"",
        " PrintOptions.PrintMode=\"pmScale\"", " EngineOptions.SilentMode=\"True\"",
        " EngineOptions.NewSilentMode=\"simSilent\"", " IniFile=\"/tmp/quarlo.ini\""}) {
    EXPECT_NE(attrs.find(expected), std::string::npos) << expected << " in " << attrs;
  }
  EXPECT_EQ(attrs.find("SwapPageSize"), std::string::npos) << "never stored";

  TfrxReport back(nullptr);
  s.ApplyProperties(attrs, back);
  EXPECT_EQ(s.WriteProperties(back), attrs);
}

TEST(ReportClassesTest, DefaultPrinterNameIsTheResourceText) {
  TfrxReport report(nullptr);
  EXPECT_EQ(report.PrintOptions().Printer(), TfrxPrintOptions::DefaultPrinterName());
  EXPECT_FALSE(report.PrintOptions().Printer().empty());
}

}  // namespace
}  // namespace quarlo
