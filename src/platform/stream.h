#pragma once
// Byte streams with a position, as the readers and writers of the document need them:
// a reader consumes from the current position and leaves the stream just after the
// last byte it used; a writer appends at the current position.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace quarlo {

class Stream {
 public:
  virtual ~Stream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes all bytes or throws EStreamError.
  virtual void Write(const void* buffer, size_t count) = 0;
  virtual int64_t Position() const = 0;
  virtual void SetPosition(int64_t position) = 0;
  virtual int64_t Size() const = 0;

  void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
  // Reads exactly count bytes or throws EStreamError.
  void ReadExact(void* buffer, size_t count);
  // Everything from the current position to the end.
  std::string ReadRest();
};

class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::string bytes) : data_(std::move(bytes)) {}
  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  using Stream::Write;
  int64_t Position() const override { return position_; }
  void SetPosition(int64_t position) override;
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
  const std::string& Data() const { return data_; }
  std::string& Data() { return data_; }
  void Clear() { data_.clear(); position_ = 0; }

 private:
  std::string data_;
  int64_t position_ = 0;
};

// A read-only view over bytes owned elsewhere (a slice of a picture buffer, say):
// no copy is made, the bytes must outlive the stream.
class ByteViewStream : public Stream {
 public:
  ByteViewStream(const char* data, size_t size) : data_(data), size_(size) {}
  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  using Stream::Write;
  int64_t Position() const override { return position_; }
  void SetPosition(int64_t position) override;
  int64_t Size() const override { return static_cast<int64_t>(size_); }

 private:
  const char* data_;
  size_t size_;
  int64_t position_ = 0;
};

class FileStream : public Stream {
 public:
  enum class Mode { Read, Create };
  // Throws EStreamError when the file cannot be opened.
  FileStream(const std::string& path, Mode mode);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  using Stream::Write;
  int64_t Position() const override;
  void SetPosition(int64_t position) override;
  int64_t Size() const override;
  // Flushes and closes; throws EStreamError when buffered data cannot be written.
  void Close();

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
};

}  // namespace quarlo
