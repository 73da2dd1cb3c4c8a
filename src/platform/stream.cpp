#include "platform/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/errors.h"

namespace quarlo {

void Stream::ReadExact(void* buffer, size_t count) {
  if (Read(buffer, count) != count) throw EStreamError("Stream read error");
}

std::string Stream::ReadRest() {
  std::string out;
  int64_t remaining = Size() - Position();
  if (remaining > 0) out.reserve(static_cast<size_t>(remaining));
  char chunk[65536];
  size_t got;
  while ((got = Read(chunk, sizeof chunk)) > 0) out.append(chunk, got);
  return out;
}

size_t MemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= Size()) return 0;
  size_t n = std::min(count, static_cast<size_t>(Size() - position_));
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += static_cast<int64_t>(n);
  return n;
}

void MemoryStream::Write(const void* buffer, size_t count) {
  size_t end = static_cast<size_t>(position_) + count;
  if (static_cast<size_t>(position_) == data_.size()) {
    data_.append(static_cast<const char*>(buffer), count);
  } else {
    if (end > data_.size()) data_.resize(end);
    std::memcpy(data_.data() + position_, buffer, count);
  }
  position_ = static_cast<int64_t>(end);
}

void MemoryStream::SetPosition(int64_t position) {
  position_ = std::clamp<int64_t>(position, 0, Size());
}

size_t ByteViewStream::Read(void* buffer, size_t count) {
  if (position_ >= Size()) return 0;
  size_t n = std::min(count, static_cast<size_t>(Size() - position_));
  std::memcpy(buffer, data_ + position_, n);
  position_ += static_cast<int64_t>(n);
  return n;
}

void ByteViewStream::Write(const void*, size_t) { throw EStreamError("Stream write error"); }

void ByteViewStream::SetPosition(int64_t position) {
  position_ = std::clamp<int64_t>(position, 0, Size());
}

FileStream::FileStream(const std::string& path, Mode mode) : path_(path) {
  file_ = std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "wb");
  if (!file_) {
    throw EStreamError(std::string(mode == Mode::Read ? "Cannot open file \"" : "Cannot create file \"") +
                       path + "\". " + std::strerror(errno));
  }
}

FileStream::~FileStream() {
  if (file_) std::fclose(file_);
}

size_t FileStream::Read(void* buffer, size_t count) {
  return file_ ? std::fread(buffer, 1, count, file_) : 0;
}

void FileStream::Write(const void* buffer, size_t count) {
  if (!file_ || std::fwrite(buffer, 1, count, file_) != count) {
    throw EStreamError("Stream write error: " + path_ + ": " + std::strerror(errno));
  }
}

int64_t FileStream::Position() const { return file_ ? ftello(file_) : 0; }

void FileStream::SetPosition(int64_t position) {
  if (file_) fseeko(file_, position, SEEK_SET);
}

int64_t FileStream::Size() const {
  if (!file_) return 0;
  off_t here = ftello(file_);
  fseeko(file_, 0, SEEK_END);
  off_t size = ftello(file_);
  fseeko(file_, here, SEEK_SET);
  return size;
}

void FileStream::Close() {
  if (!file_) return;
  bool ok = std::fflush(file_) == 0;
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (!ok) throw EStreamError("Stream write error: " + path_ + ": " + std::strerror(errno));
}

}  // namespace quarlo
