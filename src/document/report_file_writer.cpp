#include "document/report_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/errors.h"
#include "platform/stream.h"

namespace quarlo {

namespace {

std::string Reason() { return std::strerror(errno); }

// Write-only stream over the temporary file's descriptor.
class DescriptorStream : public Stream {
 public:
  DescriptorStream(int fd, const std::string& path) : fd_(fd), path_(path) {}
  size_t Read(void*, size_t) override { return 0; }
  void Write(const void* buffer, size_t count) override {
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
      const ssize_t n = ::write(fd_, p, count);
      if (n < 0) {
        if (errno == EINTR) continue;
        throw EStreamError("Stream write error: " + path_ + ": " + Reason());
      }
      p += n;
      count -= static_cast<size_t>(n);
      position_ += n;
    }
  }
  using Stream::Write;
  int64_t Position() const override { return position_; }
  void SetPosition(int64_t) override {}
  int64_t Size() const override { return position_; }

 private:
  int fd_;
  const std::string& path_;
  int64_t position_ = 0;
};

// The file a path finally names: a link is followed so that saving replaces the
// file it points to and keeps the link.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) return resolved;
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself has happened
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::function<void(Stream&)>& write) {
  const std::string target = ResolveTarget(path);
  const std::string folder = FolderOf(target);
  const std::string base = target.substr(target.rfind('/') == std::string::npos
                                             ? 0
                                             : target.rfind('/') + 1);
  if (base.empty()) throw EStreamError("Cannot create file \"" + path + "\": not a file name");

  std::string temp = folder + "/." + base + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw EStreamError("Cannot create file \"" + path + "\": " + Reason());

  struct stat old;
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  bool descriptorOpen = true;
  try {
    DescriptorStream stream(fd, path);
    write(stream);
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
      throw EStreamError("Stream write error: " + path + ": " + Reason());
    }
    descriptorOpen = false;
    if (::close(fd) != 0) throw EStreamError("Stream write error: " + path + ": " + Reason());
  } catch (...) {
    if (descriptorOpen) ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const std::string reason = Reason();
    ::unlink(temp.c_str());
    throw EStreamError("Cannot create file \"" + path + "\": " + reason);
  }
  SyncFolder(folder);
}

}  // namespace quarlo
