#include "support/qt/grey_image.h"

namespace quarlo::scan {

GreyImage GreyOf(const QImage& image) {
  GreyImage grey;
  grey.width = image.width();
  grey.height = image.height();
  grey.pixels.resize(static_cast<size_t>(grey.width) * grey.height);
  for (int y = 0; y < grey.height; ++y) {
    for (int x = 0; x < grey.width; ++x) {
      grey.pixels[static_cast<size_t>(y) * grey.width + x] = static_cast<unsigned char>(qGray(image.pixel(x, y)));
    }
  }
  return grey;
}

}  // namespace quarlo::scan
