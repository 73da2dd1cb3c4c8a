#include "resources/qt/preview_button_images.h"

#include <memory>
#include <mutex>

namespace quarlo {

const TfrxImageList& PreviewButtonImages() {
  static std::mutex mutex;
  static std::unique_ptr<TfrxImageList> list;
  std::lock_guard lock(mutex);
  if (!list) list = std::make_unique<TfrxImageList>(DecodeButtonImages(PreviewButtonsContainer()));
  return *list;
}

}  // namespace quarlo
