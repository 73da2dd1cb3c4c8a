#pragma once
// 8-bit text <-> UTF-16. Conversions are lossless for every byte sequence: a byte
// that does not decode in the code page (or in UTF-8) becomes the lone surrogate
// U+DC00 + byte, and encoding turns such a surrogate back into that byte, so
// loading and saving never changes a file's bytes.

#include <string>
#include <string_view>

namespace quarlo {

inline constexpr int CP_ACP = 0;  // "the system code page"
inline constexpr int CP_OEMCP = 1;
inline constexpr int CP_MACCP = 2;
inline constexpr int CP_UTF8 = 65001;

// The code page of 8-bit document strings; a setting, 936 unless changed.
int SystemCodePage();
void SetSystemCodePage(int codePage);
int OemCodePage();        // 936's OEM page is 936 too
int MacCodePage();        // 10008 for 936

// Code page 0 means the system code page, 1 the OEM and 2 the Macintosh one.
std::u16string DecodeCodePage(std::string_view bytes, int codePage);
// Characters the code page lacks become "?" (escaped bytes are restored).
std::string EncodeCodePage(std::u16string_view text, int codePage);

// Lossless UTF-8 <-> UTF-16 (invalid bytes travel as escapes, as above).
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view text);

// Convenience: system code page bytes <-> UTF-8, through UTF-16.
std::string SystemToUtf8(std::string_view bytes);
std::string Utf8ToSystem(std::string_view utf8);

// A non-text string as a report file holds it: code page bytes, or UTF-8 when the
// file's header says so (codePageStrings false). In memory such strings are code page
// bytes; messages, JSON and the user interface take UTF-8.
std::string FileStringToSystem(std::string_view text, bool codePageStrings);
std::string FileStringToUtf8(std::string_view text, bool codePageStrings);
// The way back: a code page string of memory as such a file holds it.
std::string SystemToFileString(std::string_view bytes, bool codePageStrings);

}  // namespace quarlo
