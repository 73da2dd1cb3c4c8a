#include "objects/metafile_player.h"

#include <cstring>

#include "objects/metafile_readers.h"

namespace quarlo {

float RecordReader::F32(std::size_t at) {
  const std::uint32_t bits = U32(at);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

MetafileFormat RecogniseMetafile(std::string_view b) {
  RecordReader r(b);
  if (b.size() >= 22 && r.U32(0) == 0x9AC6CDD7u) return MetafileFormat::Placeable;
  if (b.size() >= 88 && r.U32(0) == 1 && r.U32(40) == 0x464D4520u) return MetafileFormat::Enhanced;
  return MetafileFormat::None;
}

MetafilePlayResult PlayMetafile(Canvas& canvas, const CanvasRect& target, std::string_view bytes,
                                const MetafilePlayOptions& options) {
  MetafilePlayResult result;
  if (target.IsEmpty()) return result;
  switch (RecogniseMetafile(bytes)) {
    case MetafileFormat::Placeable: return PlayPlaceableMetafile(canvas, target, bytes, options);
    case MetafileFormat::Enhanced: return PlayEnhancedMetafile(canvas, target, bytes, options);
    case MetafileFormat::None: break;
  }
  result.error = "Not a metafile";
  return result;
}

}  // namespace quarlo
