#pragma once
// UTF-8 <-> UTF-16 conversion for resource texts. Malformed input never fails: each bad
// sequence (or unpaired surrogate) becomes U+FFFD, so a damaged table still loads.
#include <string>
#include <string_view>

namespace quarlo {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace quarlo
