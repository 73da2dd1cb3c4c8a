// Saving replaces the old file only once the new one is complete: a failure in the
// middle leaves the old bytes, its permissions and no stray temporary file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/errors.h"
#include "document/report_file_writer.h"
#include "platform/stream.h"

namespace quarlo {
namespace {

namespace fs = std::filesystem;

class ReportFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("quarlo-writer-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    target = (folder / "report.fp3").string();
  }
  void TearDown() override { fs::remove_all(folder); }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  int FilesInFolder() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
  }

  fs::path folder;
  std::string target;
};

TEST_F(ReportFileWriterTest, ANewFileIsCreatedAndAnOldOneReplacedWithoutLeftovers) {
  WriteFileAtomically(target, [](Stream& s) { s.Write(std::string("first")); });
  EXPECT_EQ(Read(target), "first");
  WriteFileAtomically(target, [](Stream& s) {
    s.Write(std::string(100000, 'x'));
    s.Write(std::string("end"));
  });
  EXPECT_EQ(Read(target), std::string(100000, 'x') + "end");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(ReportFileWriterTest, AFailureWhileWritingKeepsTheOldFileAndRaises) {
  Write(target, "old content");
  EXPECT_THROW(WriteFileAtomically(target,
                                   [](Stream& s) {
                                     s.Write(std::string("half of the new"));
                                     throw EStreamError("disk full");
                                   }),
               EStreamError);
  EXPECT_EQ(Read(target), "old content");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(ReportFileWriterTest, AMissingFolderIsReportedAndCreatesNothing) {
  const std::string bad = (folder / "no-such-folder" / "x.fp3").string();
  EXPECT_THROW(WriteFileAtomically(bad, [](Stream& s) { s.Write(std::string("x")); }),
               EStreamError);
  EXPECT_FALSE(fs::exists(bad));
  EXPECT_EQ(FilesInFolder(), 0);
}

TEST_F(ReportFileWriterTest, PermissionsOfTheOldFileAreKept) {
  Write(target, "old");
  ::chmod(target.c_str(), 0640);
  WriteFileAtomically(target, [](Stream& s) { s.Write(std::string("new")); });
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ReportFileWriterTest, SavingThroughALinkReplacesTheFileItPointsTo) {
  const std::string real = (folder / "real.fp3").string();
  Write(real, "old");
  fs::create_symlink(real, target);
  WriteFileAtomically(target, [](Stream& s) { s.Write(std::string("new")); });
  EXPECT_TRUE(fs::is_symlink(target));
  EXPECT_EQ(Read(real), "new");
}

}  // namespace
}  // namespace quarlo
