#include "resources/qt/preview_button_images.h"

#include <memory>
#include <mutex>

namespace quarlo {

const ImageList& PreviewButtonImages() {
  static std::mutex mutex;
  static std::unique_ptr<ImageList> list;
  std::lock_guard lock(mutex);
  if (!list) list = std::make_unique<ImageList>(DecodeButtonImages(PreviewButtonsContainer()));
  return *list;
}

}  // namespace quarlo
