#include "platform/qt/qt_font_engine.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <array>

#include "platform/canvas.h"

namespace quarlo {

namespace {

// Faces tried, in this order, for characters the named face lacks. Song first, as
// desktop font linking gives Chinese text in Latin faces; then broad-coverage faces.
constexpr std::array<const char*, 5> kFallbackFamilies = {"AR PL UMing CN", "WenQuanYi Zen Hei",
                                                          "WenQuanYi Micro Hei", "DejaVu Sans",
                                                          "Droid Sans Fallback"};

// Faces are loaded at their em in design units so advances read as design units.
constexpr double kReferencePixels = 2048.0;

std::string CacheKey(const FontKey& key) { return key.family + '\x01' + std::to_string(key.style & 3); }

QRawFont LoadFace(const QString& family, int style) {
  QFont f(family);
  f.setPixelSize(static_cast<int>(kReferencePixels));
  f.setBold(style & kFontBold);
  f.setItalic(style & kFontItalic);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
  QRawFont raw = QRawFont::fromFont(f);
  if (raw.isValid()) raw.setPixelSize(kReferencePixels);
  return raw;
}

// The same face at `em` pixels with the platform's default hinting; invalid when the
// platform resolves the request to another face (its glyph indexes would differ).
QRawFont HintedFace(const QRawFont& design, int em) {
  QFont f(design.familyName());
  f.setPixelSize(em);
  f.setWeight(static_cast<QFont::Weight>(design.weight()));
  f.setStyle(design.style());
  f.setHintingPreference(QFont::PreferDefaultHinting);
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
  QRawFont raw = QRawFont::fromFont(f);
  if (!raw.isValid() || raw.familyName() != design.familyName() || raw.styleName() != design.styleName())
    return QRawFont();
  return raw;
}

}  // namespace

QString ResolvedFamily(const QRawFont& face) { return face.familyName(); }

QtFontEngine::QtFontEngine() = default;
QtFontEngine::~QtFontEngine() = default;

QtFontEngine::ResolvedFont& QtFontEngine::Resolve(const FontKey& key) {
  const std::string ck = CacheKey(key);
  auto it = fonts_.find(ck);
  if (it != fonts_.end()) return *it->second;
  auto font = std::make_unique<ResolvedFont>();
  const int style = key.style & 3;
  std::vector<QString> families{QString::fromStdString(key.family)};
  for (const char* f : kFallbackFamilies) families.emplace_back(QString::fromLatin1(f));
  for (const QString& family : families) {
    QRawFont raw = LoadFace(family, style);
    if (!raw.isValid()) continue;
    font->faces.push_back(raw);
    font->synthBold.push_back((style & 1) && raw.weight() < QFont::DemiBold);
    font->synthItalic.push_back((style & 2) && raw.style() == QFont::StyleNormal);
  }
  if (!font->faces.empty()) {
    const QRawFont& primary = font->faces.front();
    const double em = primary.pixelSize();
    font->metrics.ascent = primary.ascent() / em;
    font->metrics.descent = primary.descent() / em;
    font->metrics.underlinePosition = primary.underlinePosition() / em;
    font->metrics.lineThickness = primary.lineThickness() / em;
  }
  auto& ref = *font;
  fonts_.emplace(ck, std::move(font));
  return ref;
}

QtFontEngine::Glyph QtFontEngine::Lookup(ResolvedFont& font, char32_t ch) {
  auto it = font.glyphs.find(ch);
  if (it != font.glyphs.end()) return it->second;
  Glyph g;
  const char32_t probe = ch == 0xA0 ? U' ' : ch;  // no-break space measures as a space
  for (std::size_t i = 0; i < font.faces.size(); ++i) {
    const QRawFont& face = font.faces[i];
    if (!face.supportsCharacter(static_cast<uint>(probe))) continue;
    const uint cp = static_cast<uint>(probe);
    QList<quint32> idx = face.glyphIndexesForString(QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1));
    if (idx.isEmpty() || idx.front() == 0) continue;
    QList<QPointF> adv = face.advancesForGlyphIndexes(idx, QRawFont::SeparateAdvances);
    g.face = static_cast<int>(i);
    g.index = idx.front();
    g.advancePerEm = adv.isEmpty() ? 0 : adv.front().x() / face.pixelSize();
    if (font.synthBold[i]) g.advancePerEm += 1.0 / 32;  // emboldening widens strokes
    break;
  }
  if (g.index == 0 && !font.faces.empty()) {
    // Nobody has it: the named face's missing-glyph box, measured as such.
    QList<quint32> idx{0};
    QList<QPointF> adv = font.faces[0].advancesForGlyphIndexes(idx, QRawFont::SeparateAdvances);
    g.advancePerEm = adv.isEmpty() ? 0.5 : adv.front().x() / font.faces[0].pixelSize();
  }
  if (ch < 0x20 && ch != U'\t') g.advancePerEm = 0;  // control characters take no room
  font.glyphs.emplace(ch, g);
  return g;
}

FontMetricsPerEm QtFontEngine::Metrics(const FontKey& key) {
  auto lock = Lock();
  return Resolve(key).metrics;
}

void QtFontEngine::Advances(const FontKey& key, double emPixels, std::u16string_view text, std::span<double> out) {
  auto lock = Lock();
  ResolvedFont& font = Resolve(key);
  const std::size_t n = std::min(text.size(), out.size());
  for (std::size_t i = 0; i < n; ++i) {
    char32_t ch = text[i];
    bool pair = false;
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      pair = true;
    }
    out[i] = Lookup(font, ch).advancePerEm * emPixels;
    if (pair && i + 1 < n) out[++i] = 0;
  }
}

std::string QtFontEngine::FaceFor(const FontKey& key, char32_t ch) {
  auto lock = Lock();
  ResolvedFont& font = Resolve(key);
  if (font.faces.empty()) return key.family;
  const Glyph g = Lookup(font, ch);
  return font.faces[static_cast<std::size_t>(g.face)].familyName().toStdString();
}

const QRawFont& QtFontEngine::SizedFace(const ResolvedFont& font, int face, int em, bool hinted) {
  auto& f = const_cast<ResolvedFont&>(font);
  const long long key = (static_cast<long long>(face) << 33) | (static_cast<long long>(hinted) << 32) | static_cast<unsigned>(em);
  auto it = f.sized.find(key);
  if (it != f.sized.end()) return it->second;
  if (f.sized.size() >= 64) f.sized.clear();  // zooming through many sizes: start afresh
  const QRawFont& design = f.faces[static_cast<std::size_t>(face)];
  QRawFont raw = hinted ? HintedFace(design, em) : QRawFont();
  if (!raw.isValid()) {
    raw = design;
    raw.setPixelSize(em);
  }
  return f.sized.emplace(key, std::move(raw)).first->second;
}

QtFontEngine::Glyph QtFontEngine::GlyphFor(const FontKey& key, char32_t ch, const ResolvedFont** font) {
  ResolvedFont& f = Resolve(key);
  if (font) *font = &f;
  return Lookup(f, ch);
}

}  // namespace quarlo
