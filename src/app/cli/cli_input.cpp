#include "app/cli/cli_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/preview_pages.h"
#include "platform/errors.h"
#include "platform/output_file.h"
#include "platform/stream.h"

namespace quarlo::cli {

namespace {

[[noreturn]] void Refuse(const char* what, const std::string& file) {
  throw EStreamError(std::string(what) + " \"" + file + "\". " + std::strerror(errno));
}

std::string ReadWholeFile(const std::string& file) {
  // "-" is the standard input, read to its end and left open.
  const bool standardInput = IsStandardStreamName(file);
  const int fd = standardInput ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Refuse("Cannot open file", file);
  struct Closer {
    int fd;
    ~Closer() {
      if (fd != STDIN_FILENO) ::close(fd);
    }
  } closer{fd};
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return bytes;
    if (got < 0) {
      if (errno == EINTR) continue;
      // A directory says "Is a directory" here, a failing disk "Input/output error".
      Refuse("Cannot read file", file);
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

void LoadReportFile(TfrxPreviewPages& pages, const std::string& file) {
  const std::string bytes = ReadWholeFile(file);
  ByteViewStream stream(bytes.data(), bytes.size());
  pages.LoadFromStream(stream);
}

}  // namespace quarlo::cli
