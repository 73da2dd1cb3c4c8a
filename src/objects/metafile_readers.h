#pragma once
// The two record readers behind PlayMetafile.

#include <string_view>

#include "objects/metafile_player.h"

namespace quarlo {

// Both give up on records after this many: a file of tiny records cannot keep a paint busy.
inline constexpr int kMaxMetafileRecords = 2000000;

MetafilePlayResult PlayEnhancedMetafile(Canvas& canvas, const CanvasRect& target, std::string_view bytes,
                                        const MetafilePlayOptions& options);
MetafilePlayResult PlayPlaceableMetafile(Canvas& canvas, const CanvasRect& target, std::string_view bytes,
                                         const MetafilePlayOptions& options);

// Little-endian fields of one record, read only within it: a field past the record's end
// reads as 0 and marks the reader as short.
class RecordReader {
 public:
  explicit RecordReader(std::string_view record) : r_(record) {}
  bool Has(std::size_t at, std::size_t n) const { return at <= r_.size() && n <= r_.size() - at; }
  std::uint32_t U32(std::size_t at) {
    if (!Has(at, 4)) return Short();
    return U16At(at) | static_cast<std::uint32_t>(U16At(at + 2)) << 16;
  }
  std::int32_t I32(std::size_t at) { return static_cast<std::int32_t>(U32(at)); }
  std::uint16_t U16(std::size_t at) {
    if (!Has(at, 2)) return static_cast<std::uint16_t>(Short());
    return U16At(at);
  }
  std::int16_t I16(std::size_t at) { return static_cast<std::int16_t>(U16(at)); }
  std::uint8_t U8(std::size_t at) {
    if (!Has(at, 1)) return static_cast<std::uint8_t>(Short());
    return static_cast<std::uint8_t>(r_[at]);
  }
  float F32(std::size_t at);
  std::string_view Bytes(std::size_t at, std::size_t n) {
    if (!Has(at, n)) {
      Short();
      return {};
    }
    return r_.substr(at, n);
  }
  std::string_view Record() const { return r_; }
  std::size_t Size() const { return r_.size(); }
  bool Ok() const { return ok_; }

 private:
  std::uint16_t U16At(std::size_t at) const {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(r_[at]) | static_cast<std::uint8_t>(r_[at + 1]) << 8);
  }
  std::uint32_t Short() {
    ok_ = false;
    return 0;
  }
  std::string_view r_;
  bool ok_ = true;
};

}  // namespace quarlo
