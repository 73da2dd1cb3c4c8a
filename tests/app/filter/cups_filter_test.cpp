// fp3topdf as the spooler runs it: the filter's arguments, standard input and output,
// its ERROR: lines and exit status, the bounds on what it reads; and the filter
// installed into the private test spooler, where lp of a report gives its pages.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "document/preview_pages.h"
#include "report/report.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

using spooler::RunCommand;
using spooler::ShellQuote;

const std::string kFilter = QUARLO_FILTER_PATH;
const std::string kSample = std::string(QUARLO_SOURCE_DIR) + "/samples/sample.fp3";

class Scratch {
 public:
  explicit Scratch(const std::string& name)
      : dir_(std::filesystem::temp_directory_path() / ("quarlo-filter-" + name + "-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~Scratch() { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path dir_;
};

int SamplePageCount() {
  TfrxReport report(nullptr);
  report.PreviewPages().LoadFromFile(kSample, true);
  return report.PreviewPages().Count();
}

// The sample with print settings a print server must not follow: three reversed copies
// of page 2 only.
std::string SampleWithPrintSettings() {
  std::ifstream in(kSample, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), {}};
  const std::string element = "<TfrxReport ";
  const std::size_t at = bytes.find(element);
  EXPECT_NE(at, std::string::npos);
  bytes.insert(at + element.size(),
               "PrintOptions.Copies=\"3\" PrintOptions.PageNumbers=\"2\" PrintOptions.Reverse=\"1\" ");
  return bytes;
}

struct FilterRun {
  int status = -1;
  std::string pdf;       // what came out on standard output
  std::string messages;  // standard error
};

// Runs the filter with the given arguments after its name (already quoted), with
// standard input from a shell redirection or pipeline.
FilterRun RunFilterProgram(const Scratch& s, const std::string& args, const std::string& input = "</dev/null",
              const std::string& env = "") {
  FilterRun r;
  RunCommand("cd " + ShellQuote(s.Path("")) + " && " + env + " TMPDIR=" + ShellQuote(s.Path("")) + " " +
                 ShellQuote(kFilter) + " " + args + " " + input + " >out.pdf 2>messages.txt",
             &r.status);
  r.pdf = s.Read("out.pdf");
  r.messages = s.Read("messages.txt");
  std::filesystem::remove(s.Path("out.pdf"));
  std::filesystem::remove(s.Path("messages.txt"));
  return r;
}

TEST(CupsFilter, WritesEveryPageOfTheReportOnceWhateverItsPrintSettings) {
  Scratch s("pages");
  const std::string settings = s.Write("settings.fp3", SampleWithPrintSettings());
  const int pages = SamplePageCount();
  ASSERT_GE(pages, 3);
  struct Case {
    const char* name;
    std::string args;
    std::string input;
  } cases[] = {
      {"file argument", "7 alice title 1 '' " + ShellQuote(kSample), "</dev/null"},
      {"standard input", "7 alice title 1 ''", "<" + ShellQuote(kSample)},
      {"standard input through a pipe", "7 alice title 1 ''", "", },
      {"copies and options are the spooler's", "7 alice title 3 'page-ranges=2 number-up=2' " + ShellQuote(kSample),
       "</dev/null"},
      {"print settings stored in the file", "7 alice title 1 '' " + ShellQuote(settings), "</dev/null"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    FilterRun r = c.input.empty() ? RunFilterProgram(s, c.args + " ", "", "cat " + ShellQuote(kSample) + " |")
                                  : RunFilterProgram(s, c.args, c.input);
    EXPECT_EQ(r.status, 0) << r.messages;
    EXPECT_EQ(r.messages.find("ERROR:"), std::string::npos) << r.messages;
    ASSERT_EQ(r.pdf.rfind("%PDF-", 0), 0u) << r.messages;
    const std::string pdf = s.Write("job.pdf", r.pdf);
    const auto info = spooler::ReadPdfInfo(pdf);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, pages);
    // Each page on its own paper: the sample's fourth page is an A5 across.
    ASSERT_GE(info->sizes.size(), 4u);
    EXPECT_NEAR(info->sizes[0].width, 595.3, 1);
    EXPECT_NEAR(info->sizes[0].height, 841.9, 1);
    EXPECT_NEAR(info->sizes[3].width, 595.3, 1);
    EXPECT_NEAR(info->sizes[3].height, 419.5, 1);
    EXPECT_NE(spooler::PdfPageText(pdf, 1).find("季度销售报告"), std::string::npos);
    EXPECT_NE(spooler::PdfPageText(pdf, 1).find("Quarterly sales report"), std::string::npos);
  }
  // Nothing is left in the temporary folder.
  for (const std::string& name : s.Files()) EXPECT_EQ(name.rfind("fp3topdf-", 0), std::string::npos) << name;
}

TEST(CupsFilter, FailsTheJobWithAnErrorLine) {
  Scratch s("errors");
  const std::string truncated = s.Write("truncated.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages><page0");
  const std::string empty = s.Write("empty.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport/>");
  const std::string garbage = s.Write("garbage.fp3", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11));
  const std::string big = s.Write("big.fp3", std::string(2 << 20, ' '));
  struct Case {
    const char* name;
    std::string args;
    std::string input;
    std::string env;
    const char* message;
  } cases[] = {
      {"too few arguments", "7 alice title", "</dev/null", "", "ERROR: usage: fp3topdf job-id user title copies options [file]"},
      {"too many arguments", "7 alice title 1 '' a b", "</dev/null", "", "ERROR: usage:"},
      {"missing file", "7 alice title 1 '' /nonexistent/r.fp3", "</dev/null", "", "ERROR: cannot read /nonexistent/r.fp3"},
      {"malformed file", "7 alice title 1 '' " + ShellQuote(truncated), "</dev/null", "", "ERROR: Invalid file format"},
      {"malformed input", "7 alice title 1 ''", "<" + ShellQuote(truncated), "", "ERROR: Invalid file format"},
      {"not a report", "7 alice title 1 '' " + ShellQuote(garbage), "</dev/null", "", "ERROR: Invalid file format"},
      {"no pages", "7 alice title 1 '' " + ShellQuote(empty), "</dev/null", "", "ERROR: the report has no pages"},
      {"file above the size limit", "7 alice title 1 '' " + ShellQuote(big), "</dev/null", "QUARLO_MAX_REPORT_MB=1",
       "ERROR: the report is larger than 1 MB"},
      {"input above the size limit", "7 alice title 1 ''", "<" + ShellQuote(big), "QUARLO_MAX_REPORT_MB=1",
       "ERROR: the report is larger than 1 MB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FilterRun r = RunFilterProgram(s, c.args, c.input, c.env);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.messages.find(c.message), std::string::npos) << r.messages;
    EXPECT_TRUE(r.pdf.empty());
  }
  for (const std::string& name : s.Files()) EXPECT_EQ(name.rfind("fp3topdf-", 0), std::string::npos) << name;
}

TEST(CupsFilter, ACancelledJobLeavesNoTemporaryFile) {
  Scratch s("cancel");
  // The spooler cancels a job with SIGTERM; here it comes while the filter still reads
  // its input, which a pipe that stays open holds back.
  int status = 0;
  const std::string out = RunCommand(
      "cd " + ShellQuote(s.Path("")) + " && mkfifo input && (TMPDIR=" + ShellQuote(s.Path("")) + " " +
          ShellQuote(kFilter) + " 7 alice title 1 '' <input >/dev/null 2>&1 & pid=$!; exec 3>input; cat " +
          ShellQuote(kSample) + " >&3; for i in $(seq 200); do ls | grep -q fp3topdf- && break; sleep 0.1; done; "
          "ls; kill -TERM $pid; wait $pid; echo status $?; exec 3>&-)",
      &status);
  EXPECT_NE(out.find("fp3topdf-"), std::string::npos) << "the input is kept while it is read: " << out;
  EXPECT_NE(out.find("status 1"), std::string::npos) << out;
  for (const std::string& name : s.Files()) EXPECT_EQ(name.rfind("fp3topdf-", 0), std::string::npos) << name;
}

// The private spooler converting reports with this build's filter.
class SpoolerFilter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!spooler::TestQueue()) return;
    int status = 0;
    const std::string out = RunCommand("bash -c " +
                                           ShellQuote("source " + std::string(QUARLO_SOURCE_DIR) +
                                                      "/scripts/spooler.sh && spooler_use_filter " + kFilter) +
                                           " 2>&1",
                                       &status);
    installed = status == 0;
    if (!installed) problem = out;
  }
  static inline bool installed = false;
  static inline std::string problem;
};

TEST_F(SpoolerFilter, PrintsTheSampleAndItsPageRanges) {
  QUARLO_REQUIRE_SPOOLER(queue);
  ASSERT_TRUE(installed) << problem;
  const int pages = SamplePageCount();
  struct Case {
    std::vector<std::string> options;
    int pages;
    int firstPage;  // the sample's page the PDF starts with
  } cases[] = {{{}, pages, 1}, {{"page-ranges=2-3"}, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.empty() ? "whole report" : c.options[0]);
    const int job = spooler::SubmitFile(*queue, kSample, "fp3-filter", c.options);
    ASSERT_GT(job, 0);
    const auto pdf = spooler::WaitForJobPdf(*queue, job);
    ASSERT_TRUE(pdf) << "job " << job << " gave no PDF";
    const auto info = spooler::ReadPdfInfo(*pdf);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, c.pages);
    const std::string text = spooler::PdfPageText(*pdf, 1);
    if (c.firstPage == 1) {
      EXPECT_NE(text.find("季度销售报告"), std::string::npos) << text;
    } else {
      EXPECT_EQ(text.find("季度销售报告"), std::string::npos) << text;
      EXPECT_FALSE(text.empty());
    }
    std::filesystem::remove(*pdf);
  }
}

std::string JobLine(const spooler::Queue& queue, int job) {
  return queue.name + "-" + std::to_string(job) + " ";
}

TEST_F(SpoolerFilter, AMalformedReportFailsItsJobWithTheMessage) {
  QUARLO_REQUIRE_SPOOLER(queue);
  ASSERT_TRUE(installed) << problem;
  Scratch s("spooler-malformed");
  const std::string bad =
      s.Write("bad.fp3", "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages><page0");
  const int job = spooler::SubmitFile(*queue, bad, "fp3-malformed");
  ASSERT_GT(job, 0);
  // The spooler stops a job whose filter failed and keeps it, with the reason.
  std::string state;
  for (int i = 0; i < 300; ++i) {
    state = RunCommand("lpstat -l -W not-completed -o " + ShellQuote(queue->name) + " 2>/dev/null");
    const std::size_t at = state.find(JobLine(*queue, job));
    if (at != std::string::npos && state.find("job-completed-with-errors", at) != std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  const std::size_t at = state.find(JobLine(*queue, job));
  ASSERT_NE(at, std::string::npos) << state;
  EXPECT_NE(state.find("job-completed-with-errors", at), std::string::npos) << state;
  // The filter's own message is the job's error in the spooler's log.
  const char* dir = std::getenv("QUARLO_SPOOLER_DIR");
  const std::string log = RunCommand("cat " + ShellQuote(std::string(dir ? dir : "/tmp/quarlo-spooler") + "/log/error_log"));
  EXPECT_NE(log.find("[Job " + std::to_string(job) + "] Invalid file format"), std::string::npos) << log;
  // A stopped job would hold up every later wait for an idle spooler.
  RunCommand("cancel " + ShellQuote(queue->name + "-" + std::to_string(job)));
}

}  // namespace
}  // namespace quarlo
