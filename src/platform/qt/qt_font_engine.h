#pragma once
// Font measuring and glyph lookup over Qt's raw fonts. Advances come from the faces'
// design units (no hinting), so the 600-dpi layout and every device agree; the canvas
// draws the glyphs this engine picks at explicit positions.
#include <QRawFont>
#include <QString>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/font_engine.h"

namespace quarlo {

class QtFontEngine final : public FontEngine {
 public:
  QtFontEngine();
  ~QtFontEngine() override;

  FontMetricsPerEm Metrics(const FontKey& key) override;
  void Advances(const FontKey& key, double emPixels, std::u16string_view text, std::span<double> out) override;
  std::string FaceFor(const FontKey& key, char32_t ch) override;

  // One character resolved for drawing: the face (at its reference size) and glyph.
  struct Glyph {
    int face = 0;  // index into the font's face list (0 = the named face)
    quint32 index = 0;
    double advancePerEm = 0;
  };
  struct ResolvedFont {
    std::vector<QRawFont> faces;   // the named face, then the fallbacks in order
    std::vector<bool> synthBold;   // bold asked for but the face has no bold design
    std::vector<bool> synthItalic;
    FontMetricsPerEm metrics;
    std::unordered_map<char32_t, Glyph> glyphs;
    // Faces at the pixel sizes drawn so far: keeping them keeps Qt's glyph caches.
    std::unordered_map<long long, QRawFont> sized;
  };
  // `face` of `font` at an em of `em` pixels (under Lock()). `hinted` asks for the
  // glyph shapes with the hinting the desktop uses for its own text (same glyph
  // indexes; advances stay the unhinted ones the layout measured).
  const QRawFont& SizedFace(const ResolvedFont& font, int face, int em, bool hinted = false);
  // The face list and glyph of `ch` for `key`; the reference stays valid for the
  // engine's lifetime. Callers hold Lock() while using the result.
  Glyph GlyphFor(const FontKey& key, char32_t ch, const ResolvedFont** font);
  std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock(mutex_); }

 private:
  ResolvedFont& Resolve(const FontKey& key);
  Glyph Lookup(ResolvedFont& font, char32_t ch);

  std::recursive_mutex mutex_;
  std::unordered_map<std::string, std::unique_ptr<ResolvedFont>> fonts_;
};

// Qt's view of a document face name: the family fontconfig resolves it to.
QString ResolvedFamily(const QRawFont& face);

}  // namespace quarlo
