// The print job on the PDF file printer: a cancelled job leaves no file behind.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "print/qt/print_job_pdf.h"
#include "../print_job_fixture.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using namespace print_job_test;

TEST_F(PrintJob, CancelledPdfFileJobLeavesNoFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("job.pdf").toStdString();
  Load(3);
  int steps = 0;
  report.Events().OnProgress = [&](TfrxReport& r, TfrxProgressType, int) {
    if (++steps == 2) r.SetTerminated(true);
  };
  printers = std::make_unique<TfrxPrinters>(PdfFilePrinterSource(path, 72));
  EXPECT_TRUE(Print());
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));

  report.Events().OnProgress = nullptr;
  printers = std::make_unique<TfrxPrinters>(PdfFilePrinterSource(path, 72));
  EXPECT_TRUE(Print());
  const auto info = spooler::ReadPdfInfo(path);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->pages, 3);
}

}  // namespace
}  // namespace quarlo
