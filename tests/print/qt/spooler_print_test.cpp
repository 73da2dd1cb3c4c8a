// Printing through the real spooler onto the PDF queue of scripts/spooler.sh, reading
// the produced PDFs back. Skips when no queue was set up.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/qt/qpainter_canvas.h"
#include "print/qt/spooler_printers.h"
#include "print/printers.h"
#include "print/qt/printers_cups.h"
#include "support/spooler.h"
#include "spooler_jobs.h"

namespace quarlo {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// The test queue's driver has a 12 point (4.23 mm) unprintable border, input slots
// Upper, Lower and Manual, and two-sided printing (see scripts/spooler.sh).
std::unique_ptr<TfrxPrinter> TestPrinter(const spooler::Queue& queue) {
  auto printer = std::make_unique<TfrxPrinter>(queue.name, "");
  printer->Initialize();
  return printer;
}

using spooler::JobAttribute;

// Draws a line of text at a distance from the paper's physical corner, as the print job
// does: the canvas origin is the printable corner, so the page offset is minus the margin.
void DrawLabel(TfrxCustomPrinter& printer, const std::string& text, double xMm, double yMm) {
  Canvas* canvas = printer.GetCanvas();
  ASSERT_NE(canvas, nullptr);
  auto* qt = static_cast<QPainterCanvas*>(canvas);
  QPainter& painter = qt->Painter();
  QFont font("DejaVu Sans");
  font.setPixelSize(printer.DpiY() / 6);  // 12 pt
  painter.setFont(font);
  const double x = (xMm - printer.LeftMargin()) * printer.DpiX() / 25.4;
  const double y = (yMm - printer.TopMargin()) * printer.DpiY() / 25.4;
  painter.drawText(QPointF(x, y), QString::fromStdString(text));
}

TEST(SpoolerPrinter, DescribesTheQueue) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  ASSERT_TRUE(printer->Initialized());
  EXPECT_EQ(printer->DpiX(), 300);
  EXPECT_EQ(printer->DefaultPaper(), 9);
  EXPECT_DOUBLE_EQ(printer->PaperWidth(), 210);
  EXPECT_DOUBLE_EQ(printer->PaperHeight(), 297);
  for (double margin : {printer->LeftMargin(), printer->TopMargin(), printer->RightMargin(), printer->BottomMargin()})
    EXPECT_DOUBLE_EQ(margin, 4);
  EXPECT_GE(printer->PaperIndexOf(9), 1);
  EXPECT_GE(printer->PaperIndexOf(8), 1);  // A3
  EXPECT_EQ(printer->PaperIndexOf(256), 0);
  EXPECT_EQ(printer->DefaultBin(), kAutoBinCode);
  EXPECT_EQ(printer->DefaultDuplex(), kDuplexSimplex);
  std::vector<std::string> keywords;
  for (const PrinterListEntry& bin : printer->Bins()) keywords.push_back(printer->BinKeyword(bin.code));
  EXPECT_EQ(keywords, (std::vector<std::string>{"", "top", "bottom", "manual"}));
  EXPECT_EQ(printer->Bins()[1].code, 1);
  EXPECT_EQ(printer->Bins()[3].code, 4);
}

struct ViewCase {
  int code;
  TPrinterOrientation orientation;
  double width, height;
};

TEST(SpoolerPrinter, ApplyViewPaperGivesWholeMillimetresInTheOrientation) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  using O = TPrinterOrientation;
  const ViewCase cases[] = {
      {8, O::poLandscape, 420, 297},
      {11, O::poPortrait, 148, 210},
      {1, O::poPortrait, 216, 279},  // Letter, rounded to whole millimetres
      {256, O::poLandscape, 123.4, 56.7},
  };
  for (const ViewCase& c : cases) {
    SCOPED_TRACE(c.code);
    printer->ApplyViewPaper(c.code, c.width, c.height, c.orientation);
    EXPECT_EQ(printer->Paper(), c.code);
    EXPECT_DOUBLE_EQ(printer->PaperWidth(), c.width);
    EXPECT_DOUBLE_EQ(printer->PaperHeight(), c.height);
    EXPECT_EQ(printer->Orientation(), c.orientation);
  }
}

struct SetupCase {
  TfrxDuplexMode duplex;
  int binOverride;
  int bin;
  int expectedDuplex;
  int expectedSource;
};

TEST(SpoolerPrinter, PrintSetupMapsDuplexAndBins) {
  QUARLO_REQUIRE_SPOOLER(queue);
  using D = TfrxDuplexMode;
  const SetupCase cases[] = {
      {D::dmNone, -1, 7, kDuplexSimplex, kAutoBinCode},  // the driver's defaults
      {D::dmVertical, -1, 1, kDuplexVertical, 1},
      {D::dmHorizontal, -1, 2, kDuplexHorizontal, 2},
      {D::dmSimplex, -1, 4, kDuplexSimplex, 4},
  };
  for (const SetupCase& c : cases) {
    auto printer = TestPrinter(*queue);
    printer->ApplyPrintSetup(9, 210, 297, TPrinterOrientation::poPortrait, c.bin, c.duplex, 2);
    EXPECT_EQ(printer->CurrentDeviceMode().duplex, c.expectedDuplex);
    EXPECT_EQ(printer->CurrentDeviceMode().defaultSource, c.expectedSource);
    EXPECT_EQ(printer->CurrentDeviceMode().copies, 2);
  }
  auto printer = TestPrinter(*queue);
  printer->ApplyPrintSetup(256, 300, 100, TPrinterOrientation::poLandscape, 7, D::dmNone, 1);
  EXPECT_EQ(printer->CurrentDeviceMode().paperLength, 3000);  // stored portrait
  EXPECT_EQ(printer->CurrentDeviceMode().paperWidth, 1000);
  EXPECT_DOUBLE_EQ(printer->PaperWidth(), 300);
  EXPECT_DOUBLE_EQ(printer->PaperHeight(), 100);
  // An absurd custom size or count is refused or capped, never overflowed.
  printer->ApplyPrintSetup(256, 1e12, 100, TPrinterOrientation::poPortrait, 7, D::dmNone, 2000000000);
  EXPECT_EQ(printer->Paper(), 256);
  EXPECT_DOUBLE_EQ(printer->PaperWidth(), 300);
  EXPECT_EQ(printer->CurrentDeviceMode().copies, kMaxDeviceCopies);
}

struct SheetSpec {
  int code;
  TPrinterOrientation orientation;
  double widthMm, heightMm;  // as printed
};

TEST(SpoolerPrinter, PrintsSheetsOfTheirOwnSizeAndOrientation) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  using O = TPrinterOrientation;
  const SheetSpec sheets[] = {
      {9, O::poPortrait, 210, 297},
      {9, O::poLandscape, 297, 210},
      {11, O::poPortrait, 148, 210},
      {256, O::poPortrait, 100, 150},
  };
  printer->SetTitle("sheets of their own size");
  printer->StartJob();
  int n = 0;
  for (const SheetSpec& s : sheets) {
    printer->ApplyPrintSetup(s.code, s.widthMm, s.heightMm, s.orientation, 7, TfrxDuplexMode::dmNone, 1);
    printer->StartSheet();
    DrawLabel(*printer, "Sheet" + std::to_string(++n), 20, 30);
    printer->EndSheet();
  }
  printer->EndJob();
  // Other paper sizes are no reason for another spooler job; the job asks for the first
  // sheet's paper, and the pages of other sizes keep theirs.
  ASSERT_EQ(printer->LastJobIds().size(), 1u) << printer->LastError();
  const int id = printer->LastJobId();
  EXPECT_EQ(JobAttribute(id, "media"), "iso_a4_210x297mm");
  const auto pdf = spooler::WaitForJobPdf(*queue, id);
  ASSERT_TRUE(pdf) << "no PDF for job " << id;
  const auto info = spooler::ReadPdfInfo(*pdf);
  ASSERT_TRUE(info);
  struct Printed {
    std::string pdf;
    int page;
    spooler::PdfPage size;
  };
  std::vector<Printed> printed;
  for (int p = 1; p <= info->pages; ++p) printed.push_back({*pdf, p, info->sizes[p - 1]});
  ASSERT_EQ(printed.size(), 4u);
  for (std::size_t i = 0; i < printed.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const std::vector<spooler::PdfWord> words = spooler::PdfPageWords(printed[i].pdf, printed[i].page);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].text, "Sheet" + std::to_string(i + 1));
    // The spooler turns a landscape sheet onto portrait paper, as a printer would, and
    // the text then runs upwards: either way the sheet reads in its own orientation.
    const spooler::PdfWord& w = words[0];
    const bool upright = w.xMax - w.xMin > w.yMax - w.yMin;
    const spooler::PdfPage& size = printed[i].size;
    const bool shownLandscape = (size.width > size.height) == upright;
    EXPECT_EQ(shownLandscape, sheets[i].orientation == O::poLandscape);
    const double longSide = std::max(sheets[i].widthMm, sheets[i].heightMm) * kPointsPerMm;
    const double shortSide = std::min(sheets[i].widthMm, sheets[i].heightMm) * kPointsPerMm;
    EXPECT_NEAR(std::max(size.width, size.height), longSide, 1.5);
    EXPECT_NEAR(std::min(size.width, size.height), shortSide, 1.5);
    if (upright) {
      // The text starts 20 mm from the physical left edge, its baseline 30 mm down.
      EXPECT_NEAR(w.xMin, 20 * kPointsPerMm, 1.5);
      EXPECT_NEAR(w.yMax, 30 * kPointsPerMm, 4);
    }
  }
}

struct RunSheet {
  int paper;
  double widthMm, heightMm;
  int bin;
  TfrxDuplexMode duplex;
  int job;  // 0-based spooler job it belongs in
};

// What CUPS sets once per job splits the print; each job holds only its own sheets, at
// their own sizes.
TEST(SpoolerPrinter, TrayOrDuplexChangeStartsAnotherJobWithOnlyItsSheets) {
  QUARLO_REQUIRE_SPOOLER(queue);
  using D = TfrxDuplexMode;
  const RunSheet sheets[] = {
      {9, 210, 297, 1, D::dmSimplex, 0},
      {11, 148, 210, 1, D::dmSimplex, 0},
      {9, 210, 297, 2, D::dmSimplex, 1},    // another tray
      {11, 148, 210, 2, D::dmVertical, 2},  // two-sided
      {9, 210, 297, 2, D::dmVertical, 2},
  };
  auto printer = TestPrinter(*queue);
  printer->StartJob();
  for (std::size_t i = 0; i < std::size(sheets); ++i) {
    const RunSheet& s = sheets[i];
    printer->ApplyPrintSetup(s.paper, s.widthMm, s.heightMm, TPrinterOrientation::poPortrait, s.bin, s.duplex, 1);
    printer->StartSheet();
    DrawLabel(*printer, "Sheet" + std::to_string(i + 1), 20, 30);
    printer->EndSheet();
  }
  printer->EndJob();
  const std::vector<int> ids = printer->LastJobIds();
  ASSERT_EQ(ids.size(), 3u) << printer->LastError();
  const char* sources[] = {"top", "bottom", "bottom"};
  const char* sides[] = {"one-sided", "one-sided", "two-sided-long-edge"};
  for (std::size_t job = 0; job < ids.size(); ++job) {
    SCOPED_TRACE(job);
    EXPECT_EQ(JobAttribute(ids[job], "media-source"), sources[job]);
    EXPECT_EQ(JobAttribute(ids[job], "sides"), sides[job]);
    const auto pdf = spooler::WaitForJobPdf(*queue, ids[job]);
    ASSERT_TRUE(pdf);
    const auto info = spooler::ReadPdfInfo(*pdf);
    ASSERT_TRUE(info);
    int page = 0;
    for (std::size_t i = 0; i < std::size(sheets); ++i) {
      if (sheets[i].job != static_cast<int>(job)) continue;
      ++page;
      ASSERT_LE(page, info->pages);
      EXPECT_NE(spooler::PdfPageText(*pdf, page).find("Sheet" + std::to_string(i + 1)), std::string::npos)
          << "sheet " << i + 1;
      EXPECT_NEAR(info->sizes[page - 1].width, sheets[i].widthMm * kPointsPerMm, 1.5);
      EXPECT_NEAR(info->sizes[page - 1].height, sheets[i].heightMm * kPointsPerMm, 1.5);
    }
    EXPECT_EQ(info->pages, page);
  }
}

TEST(SpoolerPrinter, JobOptionsReachTheQueue) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  printer->StartJob();
  printer->ApplyPrintSetup(9, 210, 297, TPrinterOrientation::poPortrait, 4, TfrxDuplexMode::dmVertical, 3);
  printer->StartSheet();
  DrawLabel(*printer, "Options", 20, 30);
  printer->EndSheet();
  printer->EndJob();
  const int id = printer->LastJobId();
  ASSERT_GT(id, 0) << printer->LastError();
  ASSERT_TRUE(spooler::WaitForJobPdf(*queue, id));
  EXPECT_EQ(JobAttribute(id, "job-name"), "Tolvane Document");
  EXPECT_EQ(JobAttribute(id, "copies"), "3");
  EXPECT_EQ(JobAttribute(id, "sides"), "two-sided-long-edge");
  EXPECT_EQ(JobAttribute(id, "media-source"), "manual");
  // Settings of a job do not carry over to the next one.
  EXPECT_EQ(printer->CurrentDeviceMode().duplex, printer->DefaultDuplex());
  EXPECT_EQ(printer->CurrentDeviceMode().defaultSource, printer->DefaultBin());
  EXPECT_EQ(printer->BinOverride(), -1);
}

TEST(SpoolerPrinter, OutputFileReceivesThePdfAndTheQueueNothing) {
  QUARLO_REQUIRE_SPOOLER(queue);
  QTemporaryDir dir;
  const std::string file = dir.filePath("report.prn").toStdString();
  auto printer = TestPrinter(*queue);
  printer->SetOutputFileName(file);
  printer->StartJob();
  for (int i = 1; i <= 2; ++i) {
    printer->StartSheet();
    DrawLabel(*printer, "File" + std::to_string(i), 20, 30);
    printer->EndSheet();
  }
  printer->EndJob();
  EXPECT_EQ(printer->LastJobId(), 0);
  const auto info = spooler::ReadPdfInfo(file);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->pages, 2);
  EXPECT_NE(spooler::PdfPageText(file, 2).find("File2"), std::string::npos);
}

TEST(SpoolerPrinter, AbortedJobLeavesNothingQueued) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  const std::string before = spooler::RunCommand("lpstat -W all -o " + spooler::ShellQuote(queue->name));
  printer->StartJob();
  printer->StartSheet();
  DrawLabel(*printer, "Aborted", 20, 30);
  printer->EndSheet();
  printer->AbortJob();
  EXPECT_FALSE(printer->Printing());
  EXPECT_EQ(printer->LastJobId(), 0);
  EXPECT_EQ(spooler::RunCommand("lpstat -W all -o " + spooler::ShellQuote(queue->name)), before);
}

TEST(SpoolerPrinter, QueuesAreListedWithTheDefaultCurrent) {
  QUARLO_REQUIRE_SPOOLER(queue);
  TfrxPrinters printers(SpoolerPrinterSource());
  EXPECT_TRUE(printers.HasRealPrinters());
  const int index = printers.IndexOfName(queue->name);
  ASSERT_GE(index, 0);
  EXPECT_EQ(printers.CurrentIndex(), index);  // the test queue is the spooler's default
  EXPECT_EQ(printers.CurrentPrinter()->Port(), "quarlo-tests");  // the queue's location
  EXPECT_TRUE(printers.CurrentPrinter()->Initialized());
}

TEST(SpoolerPrinter, PropertiesDialogOverridesBinAndDuplexForOneJob) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    const QList<QComboBox*> combos = dialog->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 2);
    combos[0]->setCurrentIndex(combos[0]->findData(2));                // lower tray
    combos[1]->setCurrentIndex(combos[1]->findData(kDuplexHorizontal));  // short edge
    dialog->accept();
  });
  ASSERT_TRUE(printer->ShowProperties());
  EXPECT_EQ(printer->BinOverride(), 2);
  EXPECT_EQ(printer->DuplexOverride(), kDuplexHorizontal);
  // The overrides win over what the job asks for.
  printer->ApplyPrintSetup(9, 210, 297, TPrinterOrientation::poPortrait, 4, TfrxDuplexMode::dmSimplex, 1);
  EXPECT_EQ(printer->CurrentDeviceMode().defaultSource, 2);
  EXPECT_EQ(printer->CurrentDeviceMode().duplex, kDuplexHorizontal);
  printer->StartJob();
  printer->StartSheet();
  DrawLabel(*printer, "Override", 20, 30);
  printer->EndSheet();
  printer->EndJob();
  ASSERT_GT(printer->LastJobId(), 0) << printer->LastError();
  ASSERT_TRUE(spooler::WaitForJobPdf(*queue, printer->LastJobId()));
  EXPECT_EQ(JobAttribute(printer->LastJobId(), "media-source"), "bottom");
  EXPECT_EQ(JobAttribute(printer->LastJobId(), "sides"), "two-sided-short-edge");
  EXPECT_EQ(printer->BinOverride(), -1);
  EXPECT_EQ(printer->DuplexOverride(), -1);
}

TEST(SpoolerPrinter, UnchangedDuplexInTheDialogIsNoOverride) {
  QUARLO_REQUIRE_SPOOLER(queue);
  auto printer = TestPrinter(*queue);
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
  });
  ASSERT_TRUE(printer->ShowProperties());
  EXPECT_EQ(printer->DuplexOverride(), -1);
  EXPECT_EQ(printer->BinOverride(), kAutoBinCode);
}

TEST(SpoolerPrinter, RawJobToAFileWritesTheBytesAsGiven) {
  QUARLO_REQUIRE_SPOOLER(queue);
  QTemporaryDir dir;
  const std::string file = dir.filePath("raw.prn").toStdString();
  auto printer = TestPrinter(*queue);
  printer->SetOutputFileName(file);
  printer->StartRawJob();
  const std::string bytes("\x1b@Hello\r\n\0tail", 15);
  printer->WriteRaw(bytes.substr(0, 7));
  printer->WriteRaw(bytes.substr(7));
  printer->EndRawJob();
  QFile f(QString::fromStdString(file));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), bytes);
}

TEST(Printer, UnknownQueueStaysUninitializedAndPrintsNothing) {
  TfrxPrinter printer("No Such Queue 7f3a", "");
  printer.Initialize();
  EXPECT_FALSE(printer.Initialized());
  printer.ApplyViewPaper(9, 0, 0, TPrinterOrientation::poPortrait);
  printer.StartJob();
  EXPECT_FALSE(printer.Printing());
  printer.StartSheet();
  EXPECT_EQ(printer.GetCanvas(), nullptr);
  printer.EndJob();
  EXPECT_EQ(printer.LastJobId(), 0);
}

}  // namespace
}  // namespace quarlo
