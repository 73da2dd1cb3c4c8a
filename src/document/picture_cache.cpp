#include "document/picture_cache.h"

#include <array>

#include "platform/stream.h"
#include "xml/xml_document.h"
#include "objects/picture_view_graphic.h"
#include "objects/picture_recognition.h"

namespace quarlo {

namespace {

constexpr std::array<signed char, 256> MakeHexValues() {
  std::array<signed char, 256> v{};
  for (auto& x : v) x = -1;
  for (int i = 0; i < 10; ++i) v['0' + i] = static_cast<signed char>(i);
  for (int i = 0; i < 6; ++i) {
    v['A' + i] = static_cast<signed char>(10 + i);
    v['a' + i] = static_cast<signed char>(10 + i);
  }
  return v;
}
constexpr std::array<signed char, 256> kHexValues = MakeHexValues();

void AppendHexDecoded(std::string& out, std::string_view hex) {
  const size_t pairs = hex.size() / 2;
  out.reserve(out.size() + pairs);
  for (size_t i = 0; i < pairs; ++i) {
    const int hi = kHexValues[static_cast<unsigned char>(hex[2 * i])];
    const int lo = kHexValues[static_cast<unsigned char>(hex[2 * i + 1])];
    if (hi < 0 || lo < 0) return;
    out.push_back(static_cast<char>(hi << 4 | lo));
  }
}

void AppendHexEncoded(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const size_t at = out.size();
  out.resize(at + 2 * bytes.size());
  char* p = out.data() + at;
  for (unsigned char c : bytes) {
    *p++ = kDigits[c >> 4];
    *p++ = kDigits[c & 15];
  }
}

}  // namespace

TfrxPictureCache::TfrxPictureCache(std::int64_t bufferLimit) : bufferLimit_(bufferLimit) {}

void TfrxPictureCache::Clear() {
  buffers_.clear();
  entries_.clear();
}

std::string& TfrxPictureCache::StartEntry() {
  if (buffers_.empty() || static_cast<std::int64_t>(buffers_.back().size()) > bufferLimit_) {
    buffers_.emplace_back();
  }
  std::string& buffer = buffers_.back();
  entries_.push_back({static_cast<std::int32_t>(buffers_.size() - 1),
                      static_cast<std::int32_t>(buffer.size())});
  return buffer;
}

std::optional<std::string_view> TfrxPictureCache::PictureBytes(int imageIndex) const {
  if (imageIndex <= 0 || imageIndex > Count()) return std::nullopt;
  const Entry& e = entries_[static_cast<size_t>(imageIndex - 1)];
  const std::string& buffer = buffers_[static_cast<size_t>(e.buffer)];
  size_t end = buffer.size();
  if (imageIndex < Count()) {
    const Entry& next = entries_[static_cast<size_t>(imageIndex)];
    if (next.buffer == e.buffer) end = static_cast<size_t>(next.start);
  }
  const size_t start = static_cast<size_t>(e.start);
  return std::string_view(buffer).substr(start, end - start);
}

int TfrxPictureCache::AddPicture(const TPicture& picture) {
  if (picture.Empty()) return 0;
  std::string& buffer = StartEntry();
  buffer += picture.Data();
  return Count();
}

void TfrxPictureCache::GetPicture(TPicture& picture, int imageIndex) const {
  const std::optional<std::string_view> bytes = PictureBytes(imageIndex);
  if (!bytes) {
    picture.Clear();
    return;
  }
  ByteViewStream slice(bytes->data(), bytes->size());
  LoadPicture(picture, slice, false);
}

void TfrxPictureCache::LoadFromXML(const TfrxXMLItem& item) {
  Clear();
  for (int i = 0; i < item.Count(); ++i) {
    std::string& buffer = StartEntry();
    AppendHexDecoded(buffer, item.Items(i)->Prop("stream"));
  }
}

void TfrxPictureCache::SaveToXML(TfrxXMLItem& item) const {
  item.Clear();
  for (int i = 1; i <= Count(); ++i) {
    const std::string_view bytes = *PictureBytes(i);
    TfrxXMLItem* child = item.Add();
    child->Name = "item";
    std::string text;
    text.reserve(9 + 2 * bytes.size());
    text = "stream=\"";
    AppendHexEncoded(text, bytes);
    text += '"';
    child->Text = std::move(text);
  }
}

}  // namespace quarlo
