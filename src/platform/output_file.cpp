#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/errors.h"

namespace quarlo {

namespace {

std::string Reason(int error = errno) { return std::strerror(error); }

std::string CannotCreate(const std::string& path, int error = errno) {
  return "Cannot create file \"" + path + "\": " + Reason(error);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name a chain of links finally points to, whether that file exists or not, so a
// save through a link replaces (or creates) the file and keeps the link.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) return path;
    const std::string link(buffer, static_cast<size_t>(n));
    path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
  }
  errno = ELOOP;
  throw EStreamError(CannotCreate(path));
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Targets without durable storage (pipes, terminals) answer a sync with one of these.
bool SyncUnsupported(int error) { return error == EINVAL || error == EROFS || error == ENOTSUP; }

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself has happened
  ::close(fd);
}

}  // namespace

bool IsStandardStreamName(const std::string& path) { return path == "-"; }

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  if (path_.empty()) throw EStreamError("Cannot create file \"\": no file name");
  if (ToStandardOutput()) {
    fd_ = STDOUT_FILENO;
    ownsDescriptor_ = false;
    return;
  }
  struct stat st;
  if (::stat(path_.c_str(), &st) != 0) {
    if (errno != ENOENT) throw EStreamError(CannotCreate(path_));
    OpenReplacement(FollowLinks(path_));
    return;
  }
  if (S_ISDIR(st.st_mode)) throw EStreamError(CannotCreate(path_, EISDIR));
  if (S_ISREG(st.st_mode)) {
    OpenReplacement(FollowLinks(path_));
    return;
  }
  // A FIFO, a device or a terminal is a place to send bytes to, not a file to replace.
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) throw EStreamError(CannotCreate(path_));
}

void OutputFile::OpenReplacement(const std::string& target) {
  target_ = target;
  const std::string base = BaseOf(target_);
  if (base.empty() || base == "." || base == "..") throw EStreamError(CannotCreate(path_, EISDIR));
  std::string temp = FolderOf(target_) + "/." + base + ".XXXXXX";
  fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd_ < 0) throw EStreamError(CannotCreate(path_));
  temp_ = std::move(temp);
  struct stat old;
  if (::stat(target_.c_str(), &old) == 0) {
    // The replacement keeps the old file's permissions and, where allowed, its owner.
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) { /* not ours to give away: keep ours */ }
    ::fchmod(fd_, old.st_mode & 07777);
  } else {
    ::fchmod(fd_, NewFileMode());
  }
}

OutputFile::~OutputFile() {
  if (!done_) Discard();
}

void OutputFile::Fail(const std::string& what) {
  const std::string message = "Stream write error: " + path_ + ": " + what;
  Discard();
  throw EStreamError(message);
}

void OutputFile::Write(const void* buffer, size_t count) {
  if (done_) throw EStreamError("Stream write error: " + path_ + ": the output is closed");
  const char* p = static_cast<const char*>(buffer);
  while (count > 0) {
    const ssize_t n = ::write(fd_, p, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(Reason());
    }
    if (n == 0) Fail(Reason(EIO));
    p += n;
    count -= static_cast<size_t>(n);
    written_ += n;
  }
}

const std::string& OutputFile::PathForWriter() {
  if (Replaces()) return temp_;
  if (writerFile_.empty()) {
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder && *folder ? folder : "/tmp") + "/quarlo-output-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) throw EStreamError(CannotCreate(name));
    ::close(fd);
    writerFile_ = std::move(name);
  }
  return writerFile_;
}

// What another writer put into the staging file is sent on to the real target.
void OutputFile::CopyFromWriterFile() {
  const int in = ::open(writerFile_.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) Fail(Reason());
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(in);
      Fail(Reason(error));
    }
    if (n == 0) break;
    try {
      Write(buffer, static_cast<size_t>(n));
    } catch (...) {
      ::close(in);
      throw;
    }
  }
  ::close(in);
}

void OutputFile::Commit() {
  if (done_) throw EStreamError("Stream write error: " + path_ + ": the output is closed");
  if (!writerFile_.empty()) CopyFromWriterFile();
  if (::fsync(fd_) != 0 && !(SyncUnsupported(errno) && !Replaces())) Fail(Reason());
  if (ownsDescriptor_) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) Fail(Reason());
  }
  if (Replaces()) {
    if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(Reason());
    temp_.clear();
    SyncFolder(FolderOf(target_));
  }
  if (!writerFile_.empty()) ::unlink(writerFile_.c_str());
  writerFile_.clear();
  done_ = true;
}

void OutputFile::Discard() {
  if (done_) return;
  done_ = true;
  if (ownsDescriptor_ && fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  if (!writerFile_.empty()) ::unlink(writerFile_.c_str());
}

void WriteOutput(const std::string& path, const std::function<void(Stream&)>& write) {
  OutputFile out(path);
  write(out);
  out.Commit();
}

std::unique_ptr<Stream> OpenInput(const std::string& path) {
  if (!IsStandardStreamName(path)) return std::make_unique<FileStream>(path, FileStream::Mode::Read);
  auto in = std::make_unique<MemoryStream>();
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EStreamError("Cannot open file \"-\". " + Reason());
    if (n == 0) break;
    in->Data().append(buffer, static_cast<size_t>(n));
  }
  return in;
}

}  // namespace quarlo
