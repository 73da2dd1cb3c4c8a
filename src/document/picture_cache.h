#pragma once
// The pictures of a prepared report, stored once however many objects show them.
// Picture bytes are appended to a few large in-memory buffers; entry n (from 1) is
// the picture with ImageIndex n and records where it starts. A picture ends where
// the next entry of the same buffer starts, or at the buffer's end.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarlo {

class TPicture;
class TfrxXMLItem;

class TfrxPictureCache {
 public:
  // A new buffer is started once the last one holds more than this many bytes.
  static constexpr std::int64_t kBufferLimit = 1789569705;

  explicit TfrxPictureCache(std::int64_t bufferLimit = kBufferLimit);

  void Clear();
  int Count() const { return static_cast<int>(entries_.size()); }
  int BufferCount() const { return static_cast<int>(buffers_.size()); }

  // The bytes of picture imageIndex (1-based) inside its buffer, without copying;
  // nothing for an index outside 1..Count. Valid until the cache changes.
  std::optional<std::string_view> PictureBytes(int imageIndex) const;

  // Appends the picture's image and returns its ImageIndex; 0 (nothing stored) for an
  // empty picture.
  int AddPicture(const TPicture& picture);
  // Fills the picture from entry imageIndex, read straight from the buffer; an index
  // outside 1..Count, or bytes of no known format, leave it empty.
  void GetPicture(TPicture& picture, int imageIndex) const;

  // Rebuilds the cache from a "picturecache" element: one picture per child, from the
  // hexadecimal of its "stream" attribute (either case; an odd last digit and
  // everything from the first non-hexadecimal pair on are ignored).
  void LoadFromXML(const TfrxXMLItem& item);
  // Replaces the element's children by one "item" per picture, in upper-case hex.
  void SaveToXML(TfrxXMLItem& item) const;

 private:
  struct Entry {
    std::int32_t buffer;
    std::int32_t start;
  };
  // Starts an entry at the end of the last buffer, opening a new one when needed.
  std::string& StartEntry();

  std::int64_t bufferLimit_;
  std::vector<std::string> buffers_;
  std::vector<Entry> entries_;
};

}  // namespace quarlo
