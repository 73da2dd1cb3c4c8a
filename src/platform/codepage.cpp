#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <map>
#include <memory>

#include "platform/utf_encode.h"

namespace quarlo {

namespace {

std::atomic<int> g_systemCodePage{936};

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscape(char16_t u) { return u >= 0xDC80 && u <= 0xDCFF; }

std::string IconvName(int codePage) {
  switch (codePage) {
    case 936: return "GBK";
    case 950: return "BIG5";
    case 949: return "CP949";
    case 932: return "CP932";
    case 874: return "CP874";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    case 10008: return "EUC-CN";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 65001: return "UTF-8";
    default: return "CP" + std::to_string(codePage);
  }
}

int Resolve(int codePage) {
  switch (codePage) {
    case CP_ACP: return SystemCodePage();
    case CP_OEMCP: return OemCodePage();
    case CP_MACCP: return MacCodePage();
    default: return codePage;
  }
}

struct Converter {
  iconv_t decode = reinterpret_cast<iconv_t>(-1);
  iconv_t encode = reinterpret_cast<iconv_t>(-1);
  ~Converter() {
    if (decode != reinterpret_cast<iconv_t>(-1)) iconv_close(decode);
    if (encode != reinterpret_cast<iconv_t>(-1)) iconv_close(encode);
  }
  bool ok() const {
    return decode != reinterpret_cast<iconv_t>(-1) && encode != reinterpret_cast<iconv_t>(-1);
  }
};

// One pair of descriptors per code page and thread (iconv state is not shared).
Converter* ConverterFor(int codePage) {
  thread_local std::map<int, std::unique_ptr<Converter>> cache;
  auto it = cache.find(codePage);
  if (it != cache.end()) return it->second.get();
  auto conv = std::make_unique<Converter>();
  std::string name = IconvName(codePage);
  conv->decode = iconv_open("UTF-16LE", name.c_str());
  conv->encode = iconv_open(name.c_str(), "UTF-16LE");
  Converter* raw = conv->ok() ? conv.get() : nullptr;
  cache[codePage] = raw ? std::move(conv) : nullptr;
  return raw;
}

// Decodes one character at bytes[pos]: number of bytes used, 0 when invalid.
size_t DecodeOne(iconv_t cd, std::string_view bytes, size_t pos, char16_t out[2], size_t& units) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  size_t maxLen = std::min<size_t>(4, bytes.size() - pos);
  for (size_t len = 1; len <= maxLen; ++len) {
    char in[4];
    for (size_t i = 0; i < len; ++i) in[i] = bytes[pos + i];
    char* inp = in;
    size_t inLeft = len;
    char buf[8];
    char* outp = buf;
    size_t outLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    if (r != static_cast<size_t>(-1) && inLeft == 0) {
      size_t produced = (sizeof buf - outLeft) / 2;
      if (produced == 0 || produced > 2) return 0;
      for (size_t i = 0; i < produced; ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(buf[2 * i]) |
                                       (static_cast<unsigned char>(buf[2 * i + 1]) << 8));
      }
      units = produced;
      return len;
    }
    if (errno != EINVAL) return 0;  // invalid, not merely incomplete
  }
  return 0;
}

// Encodes one character (one or two units); "" when the code page lacks it.
std::string EncodeOne(iconv_t cd, const char16_t* units, size_t count) {
  char in[4];
  for (size_t i = 0; i < count; ++i) {
    in[2 * i] = static_cast<char>(units[i] & 0xFF);
    in[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  char* inp = in;
  size_t inLeft = 2 * count;
  char buf[16];
  char* outp = buf;
  size_t outLeft = sizeof buf;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  if (r == static_cast<size_t>(-1) || inLeft != 0) return {};
  // Flush any shift state.
  iconv(cd, nullptr, nullptr, &outp, &outLeft);
  return std::string(buf, sizeof buf - outLeft);
}

}  // namespace

int SystemCodePage() { return g_systemCodePage.load(); }
void SetSystemCodePage(int codePage) {
  if (codePage > 2) g_systemCodePage.store(codePage);
}
int OemCodePage() {
  switch (SystemCodePage()) {
    case 1252: return 850;
    case 1250: return 852;
    case 1251: return 866;
    case 1253: return 737;
    case 1254: return 857;
    case 1255: return 862;
    case 1256: return 720;
    case 1257: return 775;
    default: return SystemCodePage();
  }
}
int MacCodePage() {
  switch (SystemCodePage()) {
    case 936: return 10008;
    case 950: return 10002;
    case 932: return 10001;
    case 949: return 10003;
    default: return 10000;
  }
}

std::u16string DecodeCodePage(std::string_view bytes, int codePage) {
  int cp = Resolve(codePage);
  if (cp == CP_UTF8) return Utf8ToWide(bytes);
  std::u16string out;
  out.reserve(bytes.size());
  Converter* conv = ConverterFor(cp);
  size_t pos = 0;
  while (pos < bytes.size()) {
    unsigned char b = static_cast<unsigned char>(bytes[pos]);
    if (b < 0x80) {
      out.push_back(b);
      ++pos;
      continue;
    }
    char16_t units[2];
    size_t count = 0;
    size_t used = conv ? DecodeOne(conv->decode, bytes, pos, units, count) : 0;
    // Only a sequence that encodes back to the same bytes is decoded; anything else
    // is kept as escaped bytes so that saving reproduces it.
    if (used && EncodeOne(conv->encode, units, count) == bytes.substr(pos, used)) {
      out.append(units, count);
      pos += used;
    } else {
      out.push_back(static_cast<char16_t>(kEscapeBase + b));
      ++pos;
    }
  }
  return out;
}

std::string EncodeCodePage(std::u16string_view text, int codePage) {
  int cp = Resolve(codePage);
  if (cp == CP_UTF8) return WideToUtf8(text);
  std::string out;
  out.reserve(text.size() * 2);
  Converter* conv = ConverterFor(cp);
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    if (IsEscape(u)) {
      out.push_back(static_cast<char>(u - kEscapeBase));
      continue;
    }
    size_t count = 1;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      count = 2;
    }
    std::string enc = conv ? EncodeOne(conv->encode, &text[i], count) : std::string();
    out += enc.empty() ? std::string("?") : enc;
    i += count - 1;
  }
  return out;
}

std::u16string Utf8ToWide(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  const size_t n = s.size();
  auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  while (i < n) {
    unsigned char b = at(i);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    size_t len = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2, cp = b & 0x1F, minimum = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3, cp = b & 0x0F, minimum = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4, cp = b & 0x07, minimum = 0x10000;
    }
    bool valid = len != 0 && i + len <= n;
    for (size_t k = 1; valid && k < len; ++k) {
      unsigned char c = at(i + k);
      if ((c & 0xC0) != 0x80) {
        valid = false;
      } else {
        cp = (cp << 6) | (c & 0x3F);
      }
    }
    if (valid && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) valid = false;
    if (!valid) {
      out.push_back(static_cast<char16_t>(kEscapeBase + b));
      ++i;
      continue;
    }
    AppendUtf16(out, cp);
    i += len;
  }
  return out;
}

std::string WideToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsEscape(text[i])) {
      out.push_back(static_cast<char>(text[i] - kEscapeBase));
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string SystemToUtf8(std::string_view bytes) {
  return WideToUtf8(DecodeCodePage(bytes, CP_ACP));
}

std::string Utf8ToSystem(std::string_view utf8) {
  return EncodeCodePage(Utf8ToWide(utf8), CP_ACP);
}

std::string FileStringToSystem(std::string_view text, bool codePageStrings) {
  return codePageStrings ? std::string(text) : Utf8ToSystem(text);
}

std::string FileStringToUtf8(std::string_view text, bool codePageStrings) {
  return codePageStrings ? SystemToUtf8(text) : std::string(text);
}

std::string SystemToFileString(std::string_view bytes, bool codePageStrings) {
  return codePageStrings ? std::string(bytes) : SystemToUtf8(bytes);
}

}  // namespace quarlo
