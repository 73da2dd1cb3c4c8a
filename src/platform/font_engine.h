#pragma once
// Font measuring behind the canvas. Text layout decides every line break from these
// numbers, so they must not depend on the device that draws: advances are the faces'
// unhinted design metrics scaled linearly to the asked pixel size.
//
// Font linking: a character the named face lacks is measured (and drawn) with the
// first face of a fixed fallback list that has it; the choice depends only on the
// face name, style and character, so measuring and drawing always agree.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quarlo {

struct FontKey {
  std::string family;  // as the document names it (UTF-8), e.g. "Arial", "宋体"
  int style = 0;       // FontStyleBits of platform/canvas.h (bold and italic matter)
  friend bool operator==(const FontKey&, const FontKey&) = default;
};

// Metrics at an em size of 1 pixel: multiply by the em pixel size.
struct FontMetricsPerEm {
  double ascent = 0.8;
  double descent = 0.2;
  double underlinePosition = 0.1;  // below the baseline
  double lineThickness = 0.05;
  double Cell() const { return ascent + descent; }
};

class FontEngine {
 public:
  virtual ~FontEngine() = default;

  virtual FontMetricsPerEm Metrics(const FontKey& key) = 0;
  // Advance of every UTF-16 unit of `text` at an em size of `emPixels` (the second unit
  // of a surrogate pair gets 0). `out` has at least text.size() entries.
  virtual void Advances(const FontKey& key, double emPixels, std::u16string_view text, std::span<double> out) = 0;
  // The face that measures and draws `ch` for `key` (the key's own face when it has the
  // character); the same answer every time.
  virtual std::string FaceFor(const FontKey& key, char32_t ch) = 0;
};

// The process-wide engine, set once at start-up (InstallQtPlatform); never null: until
// one is set, a built-in engine with fixed proportional advances answers.
void SetFontEngine(FontEngine* engine);
FontEngine& GetFontEngine();

// The built-in engine: every face has the same metrics; a character's advance is a
// fixed fraction of the em (narrow for punctuation, full for CJK). Useful where no
// real fonts exist and in tests that need exact numbers.
class FixedFontEngine final : public FontEngine {
 public:
  FontMetricsPerEm Metrics(const FontKey& key) override;
  void Advances(const FontKey& key, double emPixels, std::u16string_view text, std::span<double> out) override;
  std::string FaceFor(const FontKey& key, char32_t ch) override;
  // Advance of one character at an em of 1 pixel.
  static double AdvancePerEm(char32_t ch, int style);
};

}  // namespace quarlo
