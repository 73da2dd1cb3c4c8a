// Loading and saving a large prepared-report-shaped document: throughput and the
// memory the tree needs beside the file size.
//
//   bench_xml_load [--benchmark_filter=...] [QUARLO_BENCH_XML_MB=100]
//
// The document is generated once into a temporary file: pages of bands holding
// compact text, line and picture objects with short attribute texts, source pages of
// complete objects, the alias dictionary and a picture cache of hexadecimal streams.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/stream.h"
#include "xml/xml_document.h"

namespace {

using quarlo::TfrxXMLDocument;

class Random {
 public:
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }
  uint32_t Below(uint32_t n) { return Next() % n; }

 private:
  uint64_t state_ = 88172645463325252ull;
};

std::string Float(Random& r, int whole) {
  return std::to_string(r.Below(static_cast<uint32_t>(whole))) + "." + std::to_string(r.Below(100));
}

// A memo text: mixed Latin and Chinese (UTF-8) of varying length, with now and then
// a byte that needs escaping.
std::string MemoText(Random& r) {
  static const char* const kWords[] = {"Invoice", "\xe5\xae\xa2\xe6\x88\xb7", "Total", "&#38;",
                                       "\xe5\x90\x88\xe8\xae\xa1", "2024-05-17", "Widget",
                                       "\xe6\x95\xb0\xe9\x87\x8f", "&#60;", "1,234.50"};
  std::string text;
  const uint32_t words = 1 + r.Below(12);
  for (uint32_t i = 0; i < words; ++i) {
    if (i) text += ' ';
    text += kWords[r.Below(10)];
  }
  return text;
}

void WriteDocument(std::FILE* out, int64_t target) {
  Random r;
  std::string chunk;
  int64_t written = 0;
  auto put = [&](const std::string& s) {
    chunk += s;
    if (chunk.size() > (1 << 20)) {
      std::fwrite(chunk.data(), 1, chunk.size(), out);
      written += static_cast<int64_t>(chunk.size());
      chunk.clear();
    }
  };
  put("<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>");
  const int64_t pages_end = target * 9 / 10;
  for (int page = 0; written + static_cast<int64_t>(chunk.size()) < pages_end; ++page) {
    put("<page" + std::to_string(page % 2) + ">");
    for (int band = 0; band < 6; ++band) {
      put("<b" + std::to_string(band) + " t=\"" + Float(r, 1000) + "\" h=\"" + Float(r, 100) + "\">");
      const uint32_t objects = 4 + r.Below(16);
      for (uint32_t i = 0; i < objects; ++i) {
        const uint32_t kind = r.Below(20);
        if (kind == 0) {
          put("<l" + std::to_string(r.Below(9)) + " l=\"" + Float(r, 700) + "\" w=\"" + Float(r, 700) +
              "\" h=\"0\"/>");
        } else if (kind == 1) {
          put("<p1 l=\"" + Float(r, 700) + "\" t=\"" + Float(r, 40) + "\" ImageIndex=\"" +
              std::to_string(1 + r.Below(8)) + "\"/>");
        } else {
          std::string memo = "<m" + std::to_string(r.Below(40)) + " l=\"" + Float(r, 700) + "\" t=\"" +
                             Float(r, 40) + "\" w=\"" + Float(r, 300) + "\" h=\"18.9\"";
          if (kind < 5) memo += " Font.Style=\"1\" Frame.Typ=\"15\"";
          put(memo + " u=\"" + MemoText(r) + "\"/>");
        }
      }
      put("</b" + std::to_string(band) + ">");
    }
    put("</page" + std::to_string(page % 2) + ">");
  }
  put("</previewpages><report><TfrxReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"0\" "
      "PreviewOptions.OutlineWidth=\"120\" ReportOptions.Name=\"\"/></report><sourcepages>");
  for (int page = 0; page < 2; ++page) {
    put("<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" LeftMargin=\"10\" "
        "RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\">");
    for (int i = 0; i < 40; ++i) {
      put("<TfrxMemoView Name=\"Memo" + std::to_string(i) +
          "\" Left=\"18.9\" Top=\"0\" Width=\"680.31\" Height=\"18.9\" Font.Charset=\"134\" "
          "Font.Color=\"0\" Font.Height=\"-13\" Font.Name=\"\xcb\xce\xcc\xe5\" Font.Style=\"0\" "
          "ParentFont=\"False\" Text=\"[Customer]\"/>");
    }
    put("</TfrxReportPage>");
  }
  put("</sourcepages><dictionary>");
  for (int i = 0; i < 40; ++i) put("<m" + std::to_string(i) + " name=\"Page0.Memo" + std::to_string(i) + "\"/>");
  put("</dictionary><picturecache>");
  static const char kHex[] = "0123456789ABCDEF";
  while (written + static_cast<int64_t>(chunk.size()) < target) {
    std::string item = "<item stream=\"";
    for (int i = 0; i < 400000; ++i) item += kHex[r.Below(16)];
    put(item + "\"/>");
  }
  put("</picturecache></preparedreport>");
  std::fwrite(chunk.data(), 1, chunk.size(), out);
}

struct Fixture {
  std::string path;
  int64_t size = 0;
  ~Fixture() {
    if (!path.empty()) std::remove(path.c_str());
  }
};

const Fixture& Document() {
  static Fixture fixture = [] {
    Fixture f;
    const char* mb = std::getenv("QUARLO_BENCH_XML_MB");
    const int64_t target = (mb ? std::atoll(mb) : 100) * 1000 * 1000;
    f.path = (std::filesystem::temp_directory_path() /
              ("quarlo_bench_xml_" + std::to_string(::getpid()) + ".fp3"))
                 .string();
    std::FILE* out = std::fopen(f.path.c_str(), "wb");
    WriteDocument(out, target);
    std::fclose(out);
    f.size = static_cast<int64_t>(std::filesystem::file_size(f.path));
    return f;
  }();
  return fixture;
}

double PeakRssBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

int64_t CountNodes(const quarlo::TfrxXMLItem& root) {
  int64_t count = 0;
  std::vector<const quarlo::TfrxXMLItem*> work{&root};
  while (!work.empty()) {
    const quarlo::TfrxXMLItem* item = work.back();
    work.pop_back();
    ++count;
    for (int i = 0; i < item->Count(); ++i) work.push_back(item->Items(i));
  }
  return count;
}

// Runs first, before anything else has grown the heap: the rise of the peak RSS over
// the loads is what the tree costs.
void BM_LoadFromFile(benchmark::State& state) {
  const Fixture& doc = Document();
  const double before = PeakRssBytes();
  int64_t nodes = 0;
  for (auto _ : state) {
    auto xml = std::make_unique<TfrxXMLDocument>();
    xml->LoadFromFile(doc.path);
    state.PauseTiming();
    nodes = CountNodes(*xml->Root());
    xml.reset();
    state.ResumeTiming();
  }
  const double peak = PeakRssBytes();
  state.SetBytesProcessed(state.iterations() * doc.size);
  state.counters["file_MB"] = static_cast<double>(doc.size) / 1e6;
  state.counters["elements"] = static_cast<double>(nodes);
  state.counters["peak_rss_MB"] = peak / 1e6;
  state.counters["tree_MB"] = (peak - before) / 1e6;
  state.counters["tree_per_file"] = (peak - before) / static_cast<double>(doc.size);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Destroy(benchmark::State& state) {
  const Fixture& doc = Document();
  for (auto _ : state) {
    state.PauseTiming();
    auto xml = std::make_unique<TfrxXMLDocument>();
    xml->LoadFromFile(doc.path);
    state.ResumeTiming();
    xml.reset();
  }
  state.SetBytesProcessed(state.iterations() * doc.size);
}
BENCHMARK(BM_Destroy)->Unit(benchmark::kMillisecond)->Iterations(3);

// Counts what the writer hands over, so only the writing itself is measured.
class NullStream : public quarlo::Stream {
 public:
  size_t Read(void*, size_t) override { return 0; }
  void Write(const void*, size_t count) override { size_ += static_cast<int64_t>(count); }
  int64_t Position() const override { return size_; }
  void SetPosition(int64_t) override {}
  int64_t Size() const override { return size_; }

 private:
  int64_t size_ = 0;
};

void BM_SaveToStream(benchmark::State& state) {
  const Fixture& doc = Document();
  TfrxXMLDocument xml;
  xml.LoadFromFile(doc.path);
  int64_t bytes = 0;
  for (auto _ : state) {
    NullStream out;
    xml.SaveToStream(out);
    bytes = out.Size();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["same_size"] = bytes == doc.size ? 1 : 0;
}
BENCHMARK(BM_SaveToStream)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
