// Where the verbs write: every writer on a full file system, a directory and a missing
// folder fails with exit 1, the reason and no file left; FIFOs, device nodes and links
// (made in a scratch folder) are written through and stay what they were; "-" is
// standard output carrying only the data, and "-" as input reads standard input.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_test_support.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "support/report_generator.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

namespace fs = std::filesystem;
using cli_testing::RunCli;
using cli_testing::ScratchFolder;
using testing::ReportGenerator;

std::string TwoPages() {
  ReportGenerator g;
  for (int n = 1; n <= 2; ++n) {
    TfrxReportPage& page = g.AddCompletePage();
    page.SetPaperWidth(100);
    page.SetPaperHeight(50);
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(10, 10, 200, 30);
    const std::string text = "Page" + std::to_string(n);
    memo->Memo().SetText(std::u16string(text.begin(), text.end()));
  }
  return g.Write();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// One verb writing its output to OUT; the magic its data starts with.
struct Writer {
  const char* name;
  std::function<std::vector<std::string>(const std::string& in, const std::string& out)> args;
  std::string magic;
  bool needsQueue = false;
  // The reason given on a full disk: the print job's PDF library writes by name and
  // cannot say why a write failed, so the incomplete file is what is found.
  std::string noSpace = "No space left on device";
};

std::vector<Writer> Writers(const std::string& queue) {
  return {
      {"resave", [](auto& in, auto& out) { return std::vector<std::string>{"resave", in, out}; }, "<?xml"},
      {"render", [](auto& in, auto& out) { return std::vector<std::string>{"render", in, "-o", out, "--pages", "1", "--zoom", "4"}; },
       "\x89PNG"},
      {"pdf", [](auto& in, auto& out) { return std::vector<std::string>{"pdf", in, "-o", out}; }, "%PDF"},
      {"print --output",
       [queue](auto& in, auto& out) {
         return std::vector<std::string>{"print", in, "--printer", queue, "--output", out};
       },
       "%PDF", true, "the PDF file is incomplete"},
  };
}

int EntriesIn(const fs::path& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
  return n;
}

// A 1 MB file system filled to the last block, so the first write of any output fails;
// the file old, when named, is written before it fills up.
class FullFileSystem {
 public:
  explicit FullFileSystem(const fs::path& at, const std::string& old = {}) : at_(at) {
    fs::create_directories(at_);
    mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=1m") == 0;
    if (!mounted_) return;
    if (!old.empty()) std::ofstream(at_ / old) << "the old output";
    std::ofstream filler(at_ / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size())) {
    }
  }
  ~FullFileSystem() {
    if (mounted_) ::umount(at_.c_str());
  }
  bool Mounted() const { return mounted_; }

 private:
  fs::path at_;
  bool mounted_ = false;
};

TEST(OutputTargets, EveryWriterFailsCleanlyOnAFullDiskADirectoryAndAMissingFolder) {
  ScratchFolder folder("targets-fail");
  folder.Write("r.fp3", TwoPages());
  const fs::path full = folder.Path("full");
  FullFileSystem disk(full);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  fs::create_directory(folder.Path("dir"));
  const auto queue = spooler::TestQueue();

  struct Target {
    const char* what;
    std::string path;
    std::string reason;
  } targets[] = {
      {"full disk", (full / "out").string(), ""},
      {"directory", folder.Path("dir"), "Is a directory"},
      {"missing folder", folder.Path("none/out"), "No such file or directory"},
  };
  for (const Writer& w : Writers(queue ? queue->name : "")) {
    if (w.needsQueue && !queue) continue;
    for (const Target& t : targets) {
      const auto r = RunCli(w.args(folder.Path("r.fp3"), t.path));
      const std::string reason = t.reason.empty() ? w.noSpace : t.reason;
      EXPECT_EQ(r.status, 1) << w.name << ", " << t.what;
      EXPECT_NE(r.err.find(reason), std::string::npos) << w.name << ", " << t.what << ": " << r.err;
      EXPECT_EQ(r.out, "") << w.name << ", " << t.what;
    }
    EXPECT_EQ(EntriesIn(full), 1) << w.name << " left a file on the full disk";
    EXPECT_TRUE(fs::is_empty(folder.Path("dir"))) << w.name;
    EXPECT_FALSE(fs::exists(folder.Path("none"))) << w.name;
  }
}

TEST(OutputTargets, AFailedWriteKeepsTheOldFile) {
  ScratchFolder folder("targets-keep");
  folder.Write("r.fp3", TwoPages());
  const fs::path full = folder.Path("full");
  FullFileSystem disk(full, "old");
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  const std::string old = (full / "old").string();
  for (const Writer& w : Writers("")) {
    if (w.needsQueue) continue;
    const auto r = RunCli(w.args(folder.Path("r.fp3"), old));
    EXPECT_EQ(r.status, 1) << w.name;
    EXPECT_EQ(ReadFile(old), "the old output") << w.name;
    EXPECT_EQ(EntriesIn(full), 2) << w.name;
  }
}

TEST(OutputTargets, FifosDevicesAndLinksAreWrittenThroughAndStayWhatTheyWere) {
  ScratchFolder folder("targets-special");
  folder.Write("r.fp3", TwoPages());
  const std::string node = folder.Path("null");
  const bool haveNode = ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  folder.Write("real", "old");
  fs::create_symlink(folder.Path("real"), folder.Path("link"));
  for (const Writer& w : Writers("")) {
    if (w.needsQueue) continue;
    // A FIFO gets the whole output, as a reader at its other end sees it.
    const std::string fifo = folder.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadFile(fifo); });
    const auto r = RunCli(w.args(folder.Path("r.fp3"), fifo));
    reader.join();
    EXPECT_EQ(r.status, 0) << w.name << ": " << r.err;
    EXPECT_EQ(received.rfind(w.magic, 0), 0u) << w.name;
    struct stat st;
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << w.name;
    fs::remove(fifo);

    if (haveNode) {
      EXPECT_EQ(RunCli(w.args(folder.Path("r.fp3"), node)).status, 0) << w.name;
      ASSERT_EQ(::lstat(node.c_str(), &st), 0);
      EXPECT_TRUE(S_ISCHR(st.st_mode)) << w.name;
    }

    EXPECT_EQ(RunCli(w.args(folder.Path("r.fp3"), folder.Path("link"))).status, 0) << w.name;
    EXPECT_TRUE(fs::is_symlink(folder.Path("link"))) << w.name;
    EXPECT_EQ(folder.Read("real").rfind(w.magic, 0), 0u) << w.name;
  }
}

// The real program with standard input and output redirected by the shell.
std::string RunProgram(const std::string& arguments, int* status) {
  return spooler::RunCommand("QT_QPA_PLATFORM=offscreen " + spooler::ShellQuote(QUARLO_CLI_PATH) + " " +
                                 arguments,
                             status);
}

TEST(OutputTargets, DashWritesOnlyTheDataToStandardOutputAndReadsStandardInput) {
  ScratchFolder folder("targets-dash");
  folder.Write("r.fp3", TwoPages());
  const std::string in = spooler::ShellQuote(folder.Path("r.fp3"));
  struct Case {
    std::string arguments;
    std::string magic;
  } cases[] = {
      {"resave " + in + " -", "<?xml"},
      {"resave - - < " + in, "<?xml"},
      {"render " + in + " -o - --page 2", "\x89PNG"},
      {"render - -o - --pages 1 < " + in, "\x89PNG"},
      {"pdf " + in + " -o -", "%PDF"},
      {"pdf - -o - < " + in, "%PDF"},
  };
  // Standard error goes to a file of the scratch folder: on success it stays empty.
  const std::string errors = folder.Path("stderr.txt");
  const std::string toErrors = " 2>" + spooler::ShellQuote(errors);
  for (const Case& c : cases) {
    int status = -1;
    const std::string out = RunProgram(c.arguments + toErrors, &status);
    EXPECT_EQ(status, 0) << c.arguments;
    EXPECT_EQ(out.rfind(c.magic, 0), 0u) << c.arguments << ": " << out.substr(0, 40);
    EXPECT_EQ(folder.Read("stderr.txt"), "") << c.arguments;
  }
  // Checked by independent readers: pdfinfo reads the PDF from the pipe, the
  // resaved report loads and shows both pages.
  int status = -1;
  const std::string pages =
      RunProgram("pdf " + in + " -o -" + toErrors + " | pdfinfo - | grep '^Pages:'", &status);
  EXPECT_NE(pages.find("2"), std::string::npos) << pages;
  const std::string info = RunProgram("resave " + in + " - | " + spooler::ShellQuote(QUARLO_CLI_PATH) +
                                          " info - 2>&1",
                                      &status);
  EXPECT_EQ(status, 0) << info;
  EXPECT_NE(info.find("\"pageCount\": 2"), std::string::npos) << info;

  // A range of pages cannot share one standard output.
  const auto range = RunCli({"render", folder.Path("r.fp3"), "-o", "-", "--page", "1-2"});
  EXPECT_EQ(range.status, 2);
  EXPECT_NE(range.err.find("-o - takes one page"), std::string::npos) << range.err;
}

}  // namespace
}  // namespace quarlo
