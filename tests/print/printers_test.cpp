#include "print/printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "print/virtual_printer.h"

namespace quarlo {
namespace {

PrinterSource NoQueues() {
  PrinterSource s;
  s.enumerate = [] { return std::vector<PrinterSource::Queue>{}; };
  s.defaultName = [] { return std::string(); };
  s.make = [](const PrinterSource::Queue&) { return std::unique_ptr<TfrxCustomPrinter>(); };
  return s;
}

TEST(VirtualPrinter, StandsInWhenNoQueueExists) {
  TfrxPrinters printers(NoQueues());
  EXPECT_FALSE(printers.HasRealPrinters());
  EXPECT_TRUE(printers.Printers().empty());
  ASSERT_EQ(printers.CurrentIndex(), 0);
  TfrxCustomPrinter* p = printers.CurrentPrinter();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Name(), "虚拟");
  EXPECT_TRUE(p->Initialized());
  ASSERT_EQ(p->Papers().size(), 67u);
  EXPECT_EQ(p->Papers()[0].name, "自定");
  EXPECT_EQ(p->Papers()[0].code, 256);
  EXPECT_EQ(p->Papers()[9].name, "A4");  // the built-in table, named
  EXPECT_EQ(p->Papers()[9].code, 9);
  ASSERT_EQ(p->Bins().size(), 1u);
  EXPECT_EQ(p->Bins()[0].name, "预设");
  EXPECT_EQ(p->Bins()[0].code, 7);
  EXPECT_EQ(p->DefaultPaper(), 9);
  EXPECT_EQ(p->Paper(), 9);
  EXPECT_DOUBLE_EQ(p->PaperWidth(), 210);
  EXPECT_DOUBLE_EQ(p->PaperHeight(), 297);
  EXPECT_EQ(p->Orientation(), TPrinterOrientation::poPortrait);
  EXPECT_EQ(p->DpiX(), 600);
  EXPECT_EQ(p->DpiY(), 600);
  EXPECT_DOUBLE_EQ(p->LeftMargin(), 5);
  EXPECT_DOUBLE_EQ(p->BottomMargin(), 5);
  EXPECT_EQ(p->DocumentName(), "Tolvane Document");
  p->SetTitle("Sales");
  EXPECT_EQ(p->DocumentName(), "Sales");
}

TEST(VirtualPrinter, PaperLookupsFollowTheList) {
  TfrxVirtualPrinter p("虚拟", "");
  p.Initialize();
  EXPECT_EQ(p.PaperCodeOf("A4"), 9);
  EXPECT_EQ(p.PaperCodeOf("信纸"), 1);
  EXPECT_EQ(p.PaperCodeOf(""), 256);         // no paper is nameless
  EXPECT_EQ(p.PaperCodeOf("自定"), 256);
  EXPECT_EQ(p.PaperCodeOf("No such paper"), 256);
  EXPECT_EQ(p.PaperIndexOf(256), 0);
  EXPECT_EQ(p.PaperIndexOf(1), 1);
  EXPECT_EQ(p.PaperIndexOf(9), 9);
  EXPECT_EQ(p.PaperIndexOf(50), 48);         // after the gap at 48 and 49
  EXPECT_EQ(p.PaperIndexOf(48), -1);
}

struct ViewPaperCase {
  int code;
  double width, height;
  TPrinterOrientation orientation;
  int paper;
  double expectedWidth, expectedHeight;
};

TEST(VirtualPrinter, ApplyViewPaperTakesTableSizesInTheOrientation) {
  using O = TPrinterOrientation;
  const ViewPaperCase cases[] = {
      {8, 0, 0, O::poLandscape, 8, 420, 297},
      {8, 0, 0, O::poPortrait, 8, 297, 420},
      {9, 1, 1, O::poPortrait, 9, 210, 297},       // given sizes give way to the table
      {256, 123.4, 56.7, O::poLandscape, 256, 123.4, 56.7},
      {48, 100, 150, O::poPortrait, 256, 100, 150},  // no such row: a custom size
      {4, 0, 0, O::poPortrait, 4, 431.8, 279.4},   // a wide row stays as stored
      // Sizes no paper has are refused and A4 stays.
      {256, 1e12, 100, O::poPortrait, 9, 210, 297},
      {256, std::nan(""), 100, O::poPortrait, 9, 210, 297},
      {256, 0, 100, O::poPortrait, 9, 210, 297},
  };
  for (const ViewPaperCase& c : cases) {
    SCOPED_TRACE(c.code);
    TfrxVirtualPrinter p("虚拟", "");
    p.Initialize();
    p.ApplyViewPaper(c.code, c.width, c.height, c.orientation);
    EXPECT_EQ(p.Paper(), c.paper);
    EXPECT_DOUBLE_EQ(p.PaperWidth(), c.expectedWidth);
    EXPECT_DOUBLE_EQ(p.PaperHeight(), c.expectedHeight);
    EXPECT_EQ(p.Orientation(), c.orientation);
    EXPECT_DOUBLE_EQ(p.TopMargin(), 5);
    EXPECT_DOUBLE_EQ(p.RightMargin(), 5);
  }
}

TEST(VirtualPrinter, PrintSetupRemembersTheBinAndPrintsNothing) {
  TfrxVirtualPrinter p("虚拟", "");
  p.Initialize();
  p.ApplyPrintSetup(11, 0, 0, TPrinterOrientation::poPortrait, 4, TfrxDuplexMode::dmVertical, 2);
  EXPECT_EQ(p.Paper(), 11);
  EXPECT_DOUBLE_EQ(p.PaperWidth(), 148);
  EXPECT_EQ(p.BinOverride(), 4);
  p.StartJob();
  p.StartSheet();
  EXPECT_EQ(p.GetCanvas(), nullptr);
  EXPECT_FALSE(p.Printing());
  p.EndSheet();
  p.EndJob();
}

// A queue stand-in that counts how often it was initialized.
class CountingPrinter : public TfrxVirtualPrinter {
 public:
  CountingPrinter(std::string name, std::string port, int* initializations)
      : TfrxVirtualPrinter(std::move(name), std::move(port)), initializations_(initializations) {}
  void Initialize() override {
    ++*initializations_;
    TfrxVirtualPrinter::Initialize();
  }

 private:
  int* initializations_;
};

struct FakeSpooler {
  std::vector<PrinterSource::Queue> queues;
  std::string defaultName;
  int initializations = 0;
  PrinterSource Source() {
    PrinterSource s;
    s.enumerate = [this] { return queues; };
    s.defaultName = [this] { return defaultName; };
    s.make = [this](const PrinterSource::Queue& q) -> std::unique_ptr<TfrxCustomPrinter> {
      return std::make_unique<CountingPrinter>(q.name, q.port, &initializations);
    };
    return s;
  }
};

TEST(Printers, ListsQueuesAndStartsOnTheDefault) {
  FakeSpooler spooler{{{"Office", "2nd floor"}, {"Label", ""}, {"Office", "annex"}}, "label"};
  TfrxPrinters printers(spooler.Source());
  EXPECT_TRUE(printers.HasRealPrinters());
  EXPECT_EQ(printers.Printers(), (std::vector<std::string>{"Office", "Label", "Office"}));
  EXPECT_EQ(printers.CurrentIndex(), 1);  // the default, found without regard to case
  EXPECT_EQ(spooler.initializations, 1);  // only the current printer initialized
  EXPECT_EQ(printers.PrinterAt(2)->Port(), "annex");
  EXPECT_EQ(printers.PrinterAt(-1), nullptr);
  EXPECT_EQ(printers.PrinterAt(3), nullptr);
}

struct IndexCase {
  const char* name;
  int index;
};

TEST(Printers, IndexOfNameIgnoresLetterCase) {
  FakeSpooler spooler{{{"Office", ""}, {"打印机", ""}, {"OFFICE", ""}}, ""};
  TfrxPrinters printers(spooler.Source());
  const IndexCase cases[] = {{"office", 0}, {"OFFICE", 0}, {"打印机", 1}, {"Offic", -1}, {"", -1}};
  for (const IndexCase& c : cases) EXPECT_EQ(printers.IndexOfName(c.name), c.index) << c.name;
}

TEST(Printers, CurrentIndexMinusOneSelectsTheDefault) {
  FakeSpooler spooler{{{"A", ""}, {"B", ""}}, "missing"};
  TfrxPrinters printers(spooler.Source());
  EXPECT_EQ(printers.CurrentIndex(), 0);  // the default is not installed
  printers.SetCurrentIndex(1);
  EXPECT_EQ(printers.CurrentPrinter()->Name(), "B");
  printers.SetCurrentIndex(-1);
  EXPECT_EQ(printers.CurrentIndex(), -1);
  EXPECT_EQ(printers.CurrentPrinter(), nullptr);
  spooler.defaultName = "b";
  printers.SetCurrentIndex(-1);
  EXPECT_EQ(printers.CurrentIndex(), 1);
}

}  // namespace
}  // namespace quarlo
