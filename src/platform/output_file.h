#pragma once
// Every file the program writes goes through OutputFile, so that an output never
// claims to be complete when it is not:
// - a new file, or an existing regular file, is written under a temporary name in the
//   target's folder; every write is checked, the data is synced to disk, and only then
//   the temporary file is renamed over the target. A failure removes the temporary
//   file and leaves the old target as it was;
// - "-" is standard output;
// - an existing target that is not a regular file (a FIFO, a device, a terminal) is
//   written straight through: it is opened and written, never replaced;
// - a directory is refused;
// - a symbolic link to a regular file is saved through the link: the file it points
//   to is replaced and the link stays a link.
// Failures raise EStreamError with the path and the system's reason.
#include <functional>
#include <memory>
#include <string>

#include "platform/stream.h"

namespace quarlo {

// "-": the standard input or output instead of a named file.
bool IsStandardStreamName(const std::string& path);

class OutputFile final : public Stream {
 public:
  // Decides where the output goes and opens it; throws EStreamError when it cannot.
  explicit OutputFile(std::string path);
  // Without Commit, what was written to a temporary file is removed.
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  size_t Read(void*, size_t) override { return 0; }
  void Write(const void* buffer, size_t count) override;
  using Stream::Write;
  int64_t Position() const override { return written_; }
  void SetPosition(int64_t) override {}
  int64_t Size() const override { return written_; }

  // A file another writer may fill by name (a library that opens files itself). Its
  // content becomes the output on Commit; each call returns the same path.
  const std::string& PathForWriter();
  // Makes the output final: syncs, closes and renames into place. Throws
  // EStreamError (and leaves no partial file) when any of it fails.
  void Commit();
  // Drops the output: a temporary file is removed; a target written straight
  // through keeps what it was sent.
  void Discard();

  const std::string& Path() const { return path_; }
  bool ToStandardOutput() const { return IsStandardStreamName(path_); }
  // True when the target is replaced by a rename (a new or regular file).
  bool Replaces() const { return !temp_.empty(); }

 private:
  void OpenReplacement(const std::string& target);
  void CopyFromWriterFile();
  [[noreturn]] void Fail(const std::string& what);

  std::string path_;    // as the caller named it, for messages
  std::string target_;  // the file finally replaced (links resolved)
  std::string temp_;    // the temporary name beside the target, when replacing
  std::string writerFile_;  // handed out by PathForWriter when writing through
  int fd_ = -1;
  bool ownsDescriptor_ = true;
  bool done_ = false;
  int64_t written_ = 0;
};

// The whole output produced by one function, committed when it returns.
void WriteOutput(const std::string& path, const std::function<void(Stream&)>& write);

// An input to read from its start: a named file or, for "-", the standard input
// (read whole, as it cannot be rewound). Throws EStreamError when it cannot be opened.
std::unique_ptr<Stream> OpenInput(const std::string& path);

}  // namespace quarlo
