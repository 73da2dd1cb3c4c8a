// The print job writing a text-heavy report into a PDF file at 600 dpi, as
// "quarlo-cli pdf" does: 1,000 A4 pages of 20 bands with 8 text cells each (160 text
// objects a page), built from compact page elements, drawn and written.
// Target: under 60 s for the 1,000 pages. The counter pages_per_s is the rate.
//
//   bench_print_pdf [--benchmark_filter=...]
//   QUARLO_PRINT_PDF_KEEP=<file.pdf> keeps the PDF of the last run to look at.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/band.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/qt/qt_platform.h"
#include "print/print_job.h"
#include "print/qt/print_job_pdf.h"
#include "print/printers.h"
#include "support/report_generator.h"

namespace {

using namespace quarlo;
using testing::RawCompactObject;
using testing::ReportGenerator;

constexpr int kPages = 1000;
constexpr int kBands = 20;
constexpr int kCells = 8;

std::string Quoted(const char* name, const std::string& value) {
  return std::string(name) + "=\"" + value + "\"";
}

std::string TextHeavyReport() {
  ReportGenerator g;
  TfrxReportPage& source = g.AddSourcePage();
  source.SetLeftMargin(10);
  source.SetTopMargin(10);
  auto* band = new TfrxMasterData(&source);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 48);
  auto* memo = new TfrxMemoView(band);
  memo->SetName("Memo1");
  memo->SetBounds(0, 2, 88, 44);
  memo->SetWordWrap(true);
  static const char* const kWords[] = {"Invoice", "Widget", "Quarterly", "Amount", "Customer", "2024-05-17"};
  for (int p = 0; p < kPages; ++p) {
    std::vector<RawCompactObject> bands;
    for (int b = 0; b < kBands; ++b) {
      RawCompactObject row{"MasterData1", Quoted("t", std::to_string(b * 50)), {}};
      for (int c = 0; c < kCells; ++c) {
        const int n = p * 1000 + b * 10 + c;
        std::string text = std::string(kWords[n % 6]) + " " + std::to_string(n % 9973) + " " + kWords[(n / 6) % 6] +
                           " total " + std::to_string(n % 977);
        row.children.push_back({"Memo1", Quoted("l", std::to_string(c * 90)) + " " + Quoted("u", text), {}});
      }
      bands.push_back(std::move(row));
    }
    g.AddRawCompactPage(0, bands);
  }
  return g.Write();
}

void PrintPdf(benchmark::State& state) {
  static const bool registered = (RegisterReportClasses(), true);
  (void)registered;
  static const std::string bytes = TextHeavyReport();
  QTemporaryDir dir;
  const std::string path = dir.filePath("bench.pdf").toStdString();
  for (auto _ : state) {
    state.PauseTiming();
    TfrxReport report(nullptr);
    MemoryStream stream(bytes);
    report.PreviewPages().LoadFromStream(stream);
    report.PrintOptions().SetShowDialog(false);
    TfrxPrinters printers(PdfFilePrinterSource(path, 600));
    PrintJobServices services;
    services.printers = &printers;
    state.ResumeTiming();
    PrintReportPages(report.PreviewPages(), services);
  }
  state.counters["pages_per_s"] =
      benchmark::Counter(static_cast<double>(kPages) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.SetLabel("1,000 pages of 160 text objects, 600 dpi");
  if (const QByteArray keep = qgetenv("QUARLO_PRINT_PDF_KEEP"); !keep.isEmpty()) {
    std::filesystem::copy_file(path, keep.toStdString(), std::filesystem::copy_options::overwrite_existing);
  }
}
BENCHMARK(PrintPdf)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  quarlo::InstallQtPlatform();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
