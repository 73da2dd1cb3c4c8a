#include "platform/font_engine.h"

#include <algorithm>

namespace quarlo {

namespace {

FontEngine* g_engine = nullptr;

bool IsWide(char32_t ch) {
  return (ch >= 0x1100 && ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0xA4CF) || (ch >= 0xAC00 && ch <= 0xD7A3) ||
         (ch >= 0xF900 && ch <= 0xFAFF) || (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60) ||
         (ch >= 0xFFE0 && ch <= 0xFFE6) || (ch >= 0x20000 && ch <= 0x3FFFD);
}

}  // namespace

void SetFontEngine(FontEngine* engine) { g_engine = engine; }

FontEngine& GetFontEngine() {
  static FixedFontEngine fallback;
  return g_engine ? *g_engine : fallback;
}

double FixedFontEngine::AdvancePerEm(char32_t ch, int style) {
  double a;
  if (IsWide(ch)) a = 1.0;
  else if (ch == ' ' || ch == '.' || ch == ',' || ch == ':' || ch == ';' || ch == 'i' || ch == 'l' || ch == '!' ||
           ch == '\'' || ch == '|')
    a = 0.25;
  else if (ch == 'm' || ch == 'w' || ch == 'M' || ch == 'W') a = 0.75;
  else a = 0.5;
  if (style & 1) a += 0.0625;  // bold faces are wider
  return a;
}

FontMetricsPerEm FixedFontEngine::Metrics(const FontKey&) { return FontMetricsPerEm{}; }

void FixedFontEngine::Advances(const FontKey& key, double emPixels, std::u16string_view text, std::span<double> out) {
  const std::size_t n = std::min(text.size(), out.size());
  for (std::size_t i = 0; i < n; ++i) {
    char32_t ch = text[i];
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      out[i] = AdvancePerEm(ch, key.style) * emPixels;
      if (i + 1 < n) out[++i] = 0;
      continue;
    }
    out[i] = AdvancePerEm(ch, key.style) * emPixels;
  }
}

std::string FixedFontEngine::FaceFor(const FontKey& key, char32_t) { return key.family; }

}  // namespace quarlo
