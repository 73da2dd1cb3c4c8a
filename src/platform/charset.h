#pragma once
// Font charsets and the code pages and locales they select.

#include <string>
#include <string_view>

namespace quarlo {

inline constexpr int ANSI_CHARSET = 0;
inline constexpr int MAC_CHARSET = 77;
inline constexpr int SHIFTJIS_CHARSET = 128;
inline constexpr int HANGEUL_CHARSET = 129;
inline constexpr int JOHAB_CHARSET = 130;
inline constexpr int GB2312_CHARSET = 134;
inline constexpr int CHINESEBIG5_CHARSET = 136;
inline constexpr int GREEK_CHARSET = 161;
inline constexpr int TURKISH_CHARSET = 162;
inline constexpr int VIETNAMESE_CHARSET = 163;
inline constexpr int HEBREW_CHARSET = 177;
inline constexpr int ARABIC_CHARSET = 178;
inline constexpr int BALTIC_CHARSET = 186;
inline constexpr int RUSSIAN_CHARSET = 204;
inline constexpr int THAI_CHARSET = 222;
inline constexpr int EASTEUROPE_CHARSET = 238;
inline constexpr int OEM_CHARSET = 255;

// 1 -> the system code page, 77 -> 2 (Macintosh), 255 -> 1 (OEM), others through
// the charset table (unknown charsets give the system code page).
int CharsetToCodePage(int charset);
// With codePage 0 the charset's code page is used.
std::u16string AnsiToWide(std::string_view bytes, int charset, int codePage = 0);
std::string WideToAnsi(std::u16string_view text, int charset, int codePage = 0);
// Locale id for number and date formats; unknown charsets give the thread locale.
int LocaleForCharset(int charset);
int ThreadLocale();  // 2052 (the locale of the default system code page)

}  // namespace quarlo
