#include "objects/picture_recognition.h"

#include "platform/stream.h"
#include "objects/picture_view_graphic.h"

namespace quarlo {

std::int32_t LoadPicture(TPicture& picture, Stream& stream, bool fromBeginning) {
  if (fromBeginning) stream.SetPosition(0);
  // The container header's length is measured from where reading starts, so a
  // picture in the middle of a larger stream is recognised like one on its own.
  return picture.LoadFromData(stream.ReadRest()) ? 0 : E_INVALIDARG;
}

}  // namespace quarlo
