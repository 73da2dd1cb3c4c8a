#include "platform/utf_text.h"

#include <cstdint>

#include "platform/utf_encode.h"

namespace quarlo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2; cp = lead & 0x1F; minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3; cp = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4; cp = lead & 0x07; minimum = 0x10000;
    }
    int taken = 1;
    bool valid = length > 0;
    while (valid && taken < length) {
      if (i + taken >= n) { valid = false; break; }
      const auto next = static_cast<uint8_t>(text[i + taken]);
      if ((next & 0xC0) != 0x80) { valid = false; break; }
      cp = (cp << 6) | (next & 0x3F);
      ++taken;
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (valid && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) valid = false;
    if (valid) {
      AppendUtf16(out, cp);
      i += static_cast<size_t>(length);
    } else {
      out.push_back(static_cast<char16_t>(kReplacement));
      i += static_cast<size_t>(taken);  // resynchronise at the first byte that broke the sequence
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace quarlo
