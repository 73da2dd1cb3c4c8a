#pragma once
// The print job on a recording printer: a report of numbered pages, the printers to
// print on, and the services that record what the job says.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/stream.h"
#include "print/print_job.h"
#include "print/printers.h"
#include "recording_printer.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "support/report_generator.h"

namespace quarlo {
namespace print_job_test {


using testing::RecordedSetup;
using testing::RecordingPrinter;
using testing::ReportGenerator;
using O = TPrinterOrientation;
using D = TfrxDuplexMode;
using Texts = std::vector<std::u16string>;

struct PageSpec {
  int paper = 9;
  O orientation = O::poPortrait;
  int bin = kAutoBinCode;
  int binOther = kAutoBinCode;
  D duplex = D::dmNone;
  std::u16string extra;  // appended to the page's text "P<number>"
};

inline std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Complete pages, each with one text object "P<number>" in its top-left corner.
inline std::string MakeReport(const std::vector<PageSpec>& specs) {
  ReportGenerator g;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const PageSpec& s = specs[i];
    TfrxReportPage& page = g.AddCompletePage();
    page.SetPaperSize(s.paper);
    page.SetOrientation(s.orientation);
    page.SetBin(s.bin);
    page.SetBinOtherPages(s.binOther);
    page.SetDuplex(s.duplex);
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(0, 0, 300, 30);
    memo->Memo().SetText(u"P" + U16(std::to_string(i + 1)) + s.extra);
  }
  return g.Write();
}

inline Texts Pages(std::initializer_list<int> numbers) {
  Texts t;
  for (int n : numbers) t.push_back(u"P" + U16(std::to_string(n)));
  return t;
}

class PrintJob : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = (RegisterReportClasses(), true);
    (void)registered;
    PrinterSource source;
    source.enumerate = [this] {
      std::vector<PrinterSource::Queue> q;
      for (int i = 0; i < queues; ++i) q.push_back({i == 0 ? "Recorder" : "Second", ""});
      return q;
    };
    source.defaultName = [] { return std::string("Recorder"); };
    source.make = [this](const PrinterSource::Queue& q) -> std::unique_ptr<TfrxCustomPrinter> {
      auto p = std::make_unique<RecordingPrinter>(q.name);
      p->failInitialize = failInitialize;
      return p;
    };
    source_ = source;
    report.PrintOptions().SetShowDialog(false);
    report.EngineOptions().SetNewSilentMode(simSilent);
    report.Events().OnPrintPage = [this](TfrxPage*, int copy) { copies.push_back(copy); };
    services.showError = [this](const std::string& m) { messages.push_back(m); };
    services.showDialog = [this](TfrxReport&, TfrxDuplexMode&) {
      ADD_FAILURE() << "the dialog was shown";
      return false;
    };
  }

  void Load(const std::vector<PageSpec>& specs) {
    MemoryStream stream(MakeReport(specs));
    report.PreviewPages().LoadFromStream(stream);
  }
  void Load(int count) { Load(std::vector<PageSpec>(static_cast<std::size_t>(count))); }

  bool Print() {
    if (!printers) printers = std::make_unique<TfrxPrinters>(source_);
    services.printers = printers.get();
    return PrintReportPages(report.PreviewPages(), services);
  }
  RecordingPrinter& Printer() { return *static_cast<RecordingPrinter*>(printers->CurrentPrinter()); }
  TfrxPrintOptions& Options() { return report.PrintOptions(); }

  int queues = 1;
  bool failInitialize = false;
  TfrxReport report{nullptr};
  std::unique_ptr<TfrxPrinters> printers;
  PrintJobServices services;
  std::vector<std::string> messages;
  std::vector<int> copies;  // copy number of every OnPrintPage

 private:
  PrinterSource source_;
};

}  // namespace print_job_test
}  // namespace quarlo
