#include "app/cli/cli_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quarlo::cli {

std::string WriteOutputFile(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".part";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return "cannot write " + path + ": " + std::strerror(errno);
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  int problem = 0;
  while (left > 0 && !problem) {
    const ssize_t n = write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      problem = n < 0 ? errno : EIO;
      break;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (!problem && fsync(fd) != 0) problem = errno;
  if (close(fd) != 0 && !problem) problem = errno;
  if (!problem && std::rename(temp.c_str(), path.c_str()) != 0) problem = errno;
  if (problem) {
    unlink(temp.c_str());
    return "cannot write " + path + ": " + std::strerror(problem);
  }
  return {};
}

}  // namespace quarlo::cli
