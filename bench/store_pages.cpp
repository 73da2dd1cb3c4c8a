// The page store on a large compact report: 10,000 pages of 200 objects each (about
// 50 MB), generated once into the build folder through the report generator.
//
//   bench_store_pages [--benchmark_filter=...]
//
// LoadAndMeasure   loading plus PageExtent of every page (target: under 1 s)
// BuildPage        building one page of 200 objects from its element (target: 2 ms)
// PeakMemory       peak resident memory of a process that loads the file, measures
//                  every page and fills the default page cache, as a multiple of the
//                  file size (target: at most 3)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "objects/band.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "support/report_generator.h"
#include "support/report_generator_pictures.h"

namespace {

using namespace quarlo;
using testing::RawCompactObject;
using testing::ReportGenerator;

constexpr int kPages = 10000;
constexpr int kBandsPerPage = 20;
constexpr int kObjectsPerBand = 9;  // with the band: 200 objects a page

std::string Quoted(const char* name, const std::string& value) {
  return std::string(name) + "=\"" + value + "\"";
}

// One page: 20 bands of 8 text cells and a rule line, a picture in every fifth band.
std::vector<RawCompactObject> PageObjects(int page) {
  static const char* const kWords[] = {"客户", "Invoice", "合计", "Widget", "数量", "2024-05-17"};
  std::vector<RawCompactObject> bands;
  for (int b = 0; b < kBandsPerPage; ++b) {
    RawCompactObject band{"MasterData1", Quoted("t", std::to_string(40 + b * 50)), {}};
    for (int c = 0; c < 8; ++c) {
      const int n = page * 1000 + b * 10 + c;
      std::string text = kWords[n % 6];
      text += ' ';
      text += std::to_string(n % 9973);
      std::string attributes = Quoted("l", std::to_string(c * 90)) + " " + Quoted("u", text);
      if (c == 7) attributes += " " + Quoted("HAlign", "1");
      band.children.push_back({"Memo1", std::move(attributes), {}});
    }
    if (b % 5 == 0) {
      band.children.push_back({"Picture1", Quoted("ImageIndex", std::to_string(1 + b / 5 % 2)), {}});
    } else {
      band.children.push_back({"Line1", Quoted("t", "44"), {}});
    }
    bands.push_back(std::move(band));
  }
  return bands;
}

std::string GeneratedReportPath() {
  const std::string path = std::string(QUARLO_BINARY_DIR) + "/bench-store-10000-pages.fp3";
  if (std::filesystem::exists(path)) return path;
  ReportGenerator g;
  TfrxReportPage& source = g.AddSourcePage();
  auto* band = new TfrxMasterData(&source);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 48);
  auto* memo = new TfrxMemoView(band);
  memo->SetName("Memo1");
  memo->SetBounds(0, 2, 88, 20);
  auto* line = new TfrxLineView(band);
  line->SetName("Line1");
  line->SetBounds(0, 44, 718, 0);
  auto* picture = new TfrxPictureView(band);
  picture->SetName("Picture1");
  picture->SetBounds(720, 0, 40, 40);
  g.AddPicture(testing::MakePng(40, 40));
  g.AddPicture(testing::MakeJpeg(40, 40));
  for (int p = 0; p < kPages; ++p) g.AddRawCompactPage(0, PageObjects(p));
  g.outline.push_back({"Report", 0, 0, {}});
  for (int p = 0; p < kPages; p += 100) g.AddAnchor("page" + std::to_string(p), p, 0);
  g.WriteFile(path);
  return path;
}

struct Fixture {
  Fixture() : path(GeneratedReportPath()), bytes(std::filesystem::file_size(path)) {
    RegisterReportClasses();
  }
  std::string path;
  std::uintmax_t bytes;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void LoadAndMeasure(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    TfrxReport report(nullptr);
    TfrxPreviewPages pages(&report);
    pages.LoadFromFile(f.path, true);
    int total = 0;
    for (int i = 0; i < pages.Count(); ++i) total += pages.PageExtent(i).Height;
    benchmark::DoNotOptimize(total);
    state.PauseTiming();  // the store's teardown is not part of opening a file
    pages.Clear();
    state.ResumeTiming();
  }
  state.counters["MB"] = static_cast<double>(f.bytes) / 1e6;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes));
}
BENCHMARK(LoadAndMeasure)->Unit(benchmark::kMillisecond)->Iterations(5);

void BuildPage(benchmark::State& state) {
  Fixture& f = Shared();
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  pages.LoadFromFile(f.path, true);
  int index = 0;
  size_t objects = 0;
  for (auto _ : state) {
    // Every request is a miss: the pages cycle through far more than the cache holds.
    TfrxReportPage* page = pages.PageObject(index);
    objects = page->AllObjects().size();
    index = (index + 97) % pages.Count();
  }
  state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK(BuildPage)->Unit(benchmark::kMicrosecond);

// Run in a fresh process (this program started again in its measuring mode), so
// nothing the benchmark process already holds is counted.
long MeasurePeakKilobytes(const std::string& path) {
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  pages.LoadFromFile(path, true);
  for (int i = 0; i < pages.Count(); ++i) pages.PageExtent(i);
  for (int i = 0; i < 50; ++i) pages.PageObject(i * 37 % pages.Count());
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long ChildPeakKilobytes(const std::string& path) {
  const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                              " --peak-child='" + path + "'";
  std::FILE* child = ::popen(command.c_str(), "r");
  if (!child) return -1;
  long kb = -1;
  if (std::fscanf(child, "%ld", &kb) != 1) kb = -1;
  ::pclose(child);
  return kb;
}

void PeakMemory(benchmark::State& state) {
  Fixture& f = Shared();
  long peak = 0;
  for (auto _ : state) peak = ChildPeakKilobytes(f.path);
  const double fileKb = static_cast<double>(f.bytes) / 1024;
  state.counters["peak_MB"] = peak / 1024.0;
  state.counters["file_MB"] = fileKb / 1024;
  state.counters["peak_over_file"] = peak / fileKb;
}
BENCHMARK(PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = "--peak-child=";
  if (argc == 2 && std::string(argv[1]).rfind(mode, 0) == 0) {
    RegisterReportClasses();
    std::printf("%ld\n", MeasurePeakKilobytes(std::string(argv[1]).substr(mode.size())));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
