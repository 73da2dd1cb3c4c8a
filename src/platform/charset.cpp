#include "platform/charset.h"

#include "platform/codepage.h"

namespace quarlo {

int CharsetToCodePage(int charset) {
  switch (charset) {
    case 1: return SystemCodePage();  // default charset
    case MAC_CHARSET: return CP_MACCP;
    case OEM_CHARSET: return CP_OEMCP;
    case ANSI_CHARSET: return 1252;
    case 2: return SystemCodePage();  // symbol charset has no code page of its own
    case SHIFTJIS_CHARSET: return 932;
    case HANGEUL_CHARSET: return 949;
    case JOHAB_CHARSET: return 1361;
    case GB2312_CHARSET: return 936;
    case CHINESEBIG5_CHARSET: return 950;
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case VIETNAMESE_CHARSET: return 1258;
    case HEBREW_CHARSET: return 1255;
    case ARABIC_CHARSET: return 1256;
    case BALTIC_CHARSET: return 1257;
    case RUSSIAN_CHARSET: return 1251;
    case THAI_CHARSET: return 874;
    case EASTEUROPE_CHARSET: return 1250;
    default: return SystemCodePage();
  }
}

std::u16string AnsiToWide(std::string_view bytes, int charset, int codePage) {
  return DecodeCodePage(bytes, codePage != 0 ? codePage : CharsetToCodePage(charset));
}

std::string WideToAnsi(std::u16string_view text, int charset, int codePage) {
  return EncodeCodePage(text, codePage != 0 ? codePage : CharsetToCodePage(charset));
}

int ThreadLocale() { return 2052; }

int LocaleForCharset(int charset) {
  switch (charset) {
    case SHIFTJIS_CHARSET: return 1041;
    case HANGEUL_CHARSET: return 1042;
    case JOHAB_CHARSET: return 2066;
    case GB2312_CHARSET: return 2052;
    case CHINESEBIG5_CHARSET: return 3076;
    case GREEK_CHARSET: return 1032;
    case TURKISH_CHARSET: return 1055;
    case VIETNAMESE_CHARSET: return 1066;
    case HEBREW_CHARSET: return 1037;
    case ARABIC_CHARSET: return 13313;
    case BALTIC_CHARSET: return 1061;
    case RUSSIAN_CHARSET: return 1049;
    case THAI_CHARSET: return 1054;
    case EASTEUROPE_CHARSET: return 1029;
    default: return ThreadLocale();
  }
}

}  // namespace quarlo
