// Printing from the preview: the preview is locked while its pages print and unlocked
// after, and a job that has no page to print says so in the error box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "../print_job_fixture.h"
#include "document/preview_pages_print.h"
#include "preview/preview_control.h"
#include "print/qt/desktop_print_services.h"
#include "print/qt/print_job_pdf.h"
#include "resources/resources.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using namespace print_job_test;

class PreviewPrint : public PrintJob {
 protected:
  void SetUp() override {
    PrintJob::SetUp();
    ASSERT_TRUE(dir.isValid());
    path = dir.filePath("job.pdf").toStdString();
    pdfPrinters = std::make_unique<TfrxPrinters>(PdfFilePrinterSource(path, 72));
    PrintJobServices desktop;
    desktop.printers = pdfPrinters.get();
    InstallPrintJob(WithDesktopPrintServices(desktop));
    TfrxResources::SetErrorBoxHandler(
        [this](const std::string& caption, const std::string& m) { boxes.push_back(caption + ": " + m); });
    Load(2);
    preview.resize(600, 500);
    preview.show();
    report.SetPreview(&preview);
    QApplication::processEvents();
  }
  void TearDown() override {
    report.SetPreview(nullptr);
    TfrxResources::SetErrorBoxHandler(nullptr);
    SetPrintPagesHandler(nullptr);
    PrintJob::TearDown();
  }

  QTemporaryDir dir;
  std::string path;
  std::unique_ptr<TfrxPrinters> pdfPrinters;
  std::vector<std::string> boxes;
  TfrxPreview preview;
};

TEST_F(PreviewPrint, ThePreviewIsLockedWhileItsPagesPrint) {
  std::vector<bool> lockedWhilePrinting;
  report.Events().OnPrintPage = [&](TfrxPage*, int) { lockedWhilePrinting.push_back(preview.Locked()); };
  preview.PrintReport();
  EXPECT_EQ(lockedWhilePrinting, (std::vector<bool>{true, true}));
  EXPECT_FALSE(preview.Locked());
  EXPECT_TRUE(boxes.empty());
  const auto info = spooler::ReadPdfInfo(path);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->pages, 2);
}

TEST_F(PreviewPrint, NothingToPrintIsShownInTheErrorBox) {
  struct Case {
    const char* list;
    TfrxPrintPages parity;
  } cases[] = {{"9", TfrxPrintPages::ppAll}, {"0,3-", TfrxPrintPages::ppAll}, {"2", TfrxPrintPages::ppOdd}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    boxes.clear();
    Options().SetPageNumbers(c.list);
    Options().SetPrintPages(c.parity);
    preview.PrintReport();
    EXPECT_EQ(boxes, std::vector<std::string>{std::string("错误: ") + kNoPageToPrintText});
    EXPECT_FALSE(preview.Locked());
    EXPECT_FALSE(spooler::ReadPdfInfo(path));  // no file written
  }
}

}  // namespace
}  // namespace quarlo
