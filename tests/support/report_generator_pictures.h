#pragma once
// Small real image files for generated reports and picture tests: each one decodes
// with the usual image libraries and shows a recognisable pattern.

#include <cstdint>
#include <string>

namespace quarlo::testing {

// 0x00RRGGBB colours of a 2 x 2 checker pattern drawn over the whole image.
struct PicturePattern {
  std::uint32_t first = 0xd04040;
  std::uint32_t second = 0xffffff;
  int cell = 8;  // checker cell size in pixels
};

// 24-bit bottom-up bitmap file.
std::string MakeBmp(int width, int height, const PicturePattern& pattern = {});
// 8-bit RGB PNG through libpng.
std::string MakePng(int width, int height, const PicturePattern& pattern = {});
// Baseline JPEG through libjpeg (quality 90).
std::string MakeJpeg(int width, int height, const PicturePattern& pattern = {});
// A placeable Windows metafile header with the given box in 1/1440 inch and no
// drawing records: recognised and measured, draws nothing.
std::string MakePlaceableMetafile(int widthTwips, int heightTwips);

}  // namespace quarlo::testing
