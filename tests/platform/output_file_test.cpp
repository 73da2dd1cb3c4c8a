// Outputs never lie: a failed write leaves the old file and no stray temporary file;
// targets that are not regular files are written straight through and never replaced;
// a directory is refused; links are saved through. Device nodes, FIFOs and links are
// made in a scratch folder only.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/errors.h"
#include "platform/output_file.h"
#include "platform/stream.h"

namespace quarlo {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("quarlo-output-" + std::to_string(::getpid()) + "-" +
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
  static void WriteText(const std::string& path, const std::string& text) {
    WriteOutput(path, [&](Stream& s) { s.Write(text); });
  }

  fs::path folder;
  std::string target;
};

TEST_F(OutputFileTest, ANewFileIsCreatedAndAnOldOneReplacedWithoutLeftovers) {
  WriteText(target, "first");
  EXPECT_EQ(Read(target), "first");
  WriteOutput(target, [](Stream& s) {
    s.Write(std::string(100000, 'x'));
    s.Write(std::string("end"));
  });
  EXPECT_EQ(Read(target), std::string(100000, 'x') + "end");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputFileTest, AFailureWhileWritingKeepsTheOldFileAndRaises) {
  Write(target, "old content");
  EXPECT_THROW(WriteOutput(target,
                           [](Stream& s) {
                             s.Write(std::string("half of the new"));
                             throw EStreamError("disk full");
                           }),
               EStreamError);
  EXPECT_EQ(Read(target), "old content");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputFileTest, AnOutputNeverCommittedLeavesNothing) {
  {
    OutputFile out(target);
    out.Write(std::string("never finished"));
  }
  EXPECT_FALSE(fs::exists(target));
  EXPECT_EQ(FilesInFolder(), 0);
}

TEST_F(OutputFileTest, PermissionsOfTheOldFileAreKept) {
  Write(target, "old");
  ::chmod(target.c_str(), 0640);
  WriteText(target, "new");
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(OutputFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
  const std::string real = (folder / "real.fp3").string();
  struct Case {
    const char* what;
    bool targetExists;
    bool relative;
  } cases[] = {{"link to a file", true, false}, {"relative link", true, true}, {"dangling link", false, false}};
  for (const Case& c : cases) {
    fs::remove(real);
    fs::remove(target);
    if (c.targetExists) Write(real, "old");
    fs::create_symlink(c.relative ? fs::path("real.fp3") : fs::path(real), target);
    WriteText(target, "new");
    EXPECT_TRUE(fs::is_symlink(target)) << c.what;
    EXPECT_EQ(Read(real), "new") << c.what;
    EXPECT_EQ(FilesInFolder(), 2) << c.what;
  }
}

TEST_F(OutputFileTest, TargetsThatCannotBeWrittenAreRefusedAndCreateNothing) {
  fs::create_directory(folder / "sub");
  Write((folder / "plain").string(), "x");
  struct Case {
    std::string path;
    std::string reason;
  } cases[] = {
      {(folder / "sub").string(), "Is a directory"},
      {(folder / "sub/").string(), "Is a directory"},
      {(folder / "no-such-folder" / "x.fp3").string(), "No such file or directory"},
      {(folder / "plain" / "x.fp3").string(), "Not a directory"},
      {"", "no file name"},
  };
  for (const Case& c : cases) {
    try {
      WriteText(c.path, "x");
      ADD_FAILURE() << c.path << " was written";
    } catch (const EStreamError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.path << ": " << e.what();
    }
  }
  EXPECT_TRUE(fs::is_directory(folder / "sub"));
  EXPECT_TRUE(fs::is_empty(folder / "sub"));
  EXPECT_EQ(FilesInFolder(), 2);
}

TEST_F(OutputFileTest, AFifoIsWrittenStraightThroughAndStaysAFifo) {
  const std::string fifo = (folder / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = Read(fifo); });
  WriteText(fifo, std::string(200000, 'p'));
  reader.join();
  EXPECT_EQ(received, std::string(200000, 'p'));
  struct stat st;
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputFileTest, DeviceNodesAndLinksToThemAreWrittenThroughAndKept) {
  // A private node with the numbers of the null device: writes vanish, the node stays.
  const std::string node = (folder / "null").string();
  if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs root";
  const std::string link = (folder / "to-null").string();
  fs::create_symlink(node, link);
  for (const std::string& path : {node, link}) {
    WriteText(path, "gone");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << path;
  }
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(FilesInFolder(), 2);
}

// Standard output replaced by a file for the duration of one call.
std::string CaptureStandardOutput(const std::function<void()>& run, const std::string& scratch) {
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ::dup2(fd, STDOUT_FILENO);
  ::close(fd);
  run();
  std::fflush(stdout);
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  std::ifstream in(scratch, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(OutputFileTest, DashIsStandardOutputAlsoForAWriterThatNeedsAFileName) {
  const std::string captured = (folder / "captured").string();
  EXPECT_EQ(CaptureStandardOutput([&] { WriteText("-", "direct"); }, captured), "direct");
  EXPECT_EQ(CaptureStandardOutput(
                [&] {
                  OutputFile out("-");
                  Write(out.PathForWriter(), "through a file");
                  out.Commit();
                },
                captured),
            "through a file");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputFileTest, AWriterThatNeedsAFileNameFillsTheTemporaryFileBesideTheTarget) {
  Write(target, "old");
  {
    OutputFile out(target);
    EXPECT_EQ(fs::path(out.PathForWriter()).parent_path(), folder);
    Write(out.PathForWriter(), "abandoned");
  }
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(FilesInFolder(), 1);
  OutputFile out(target);
  Write(out.PathForWriter(), "written by name");
  out.Commit();
  EXPECT_EQ(Read(target), "written by name");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputFileTest, DashAsInputReadsStandardInput) {
  const std::string fed = (folder / "fed").string();
  Write(fed, std::string(100000, 'i') + "end");
  const int saved = ::dup(STDIN_FILENO);
  const int fd = ::open(fed.c_str(), O_RDONLY);
  ::dup2(fd, STDIN_FILENO);
  ::close(fd);
  const std::string read = OpenInput("-")->ReadRest();
  ::dup2(saved, STDIN_FILENO);
  ::close(saved);
  EXPECT_EQ(read, std::string(100000, 'i') + "end");
  EXPECT_THROW(OpenInput((folder / "missing").string()), EStreamError);
}

// A file system of 64 KB, so that a write runs out of space for real.
class FullDiskTest : public OutputFileTest {
 protected:
  void SetUp() override {
    OutputFileTest::SetUp();
    small = folder / "small";
    fs::create_directories(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    mounted = true;
  }
  void TearDown() override {
    if (mounted) ::umount(small.c_str());
    OutputFileTest::TearDown();
  }
  fs::path small;
  bool mounted = false;
};

TEST_F(FullDiskTest, ANoSpaceFailureIsRaisedAndKeepsTheOldFile) {
  const std::string onSmall = (small / "report.fp3").string();
  Write(onSmall, "old content");
  try {
    WriteText(onSmall, std::string(256 * 1024, 'b'));
    ADD_FAILURE() << "a 256 KB file was written to a 64 KB file system";
  } catch (const EStreamError& e) {
    EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Read(onSmall), "old content");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(small)) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace quarlo
