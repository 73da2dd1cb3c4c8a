#include "platform/color.h"

#include <array>

namespace quarlo {

namespace {

// A light, neutral desktop palette; documents only need stable, plausible values.
constexpr std::array<TColor, 31> kSystemPalette = {
    RGBColor(0xC8, 0xC8, 0xC8),  // 0 scroll bar
    RGBColor(0x00, 0x00, 0x00),  // 1 desktop background
    RGBColor(0x99, 0xB4, 0xD1),  // 2 active caption
    RGBColor(0xBF, 0xCD, 0xDB),  // 3 inactive caption
    RGBColor(0xF0, 0xF0, 0xF0),  // 4 menu
    RGBColor(0xFF, 0xFF, 0xFF),  // 5 window
    RGBColor(0x64, 0x64, 0x64),  // 6 window frame
    RGBColor(0x00, 0x00, 0x00),  // 7 menu text
    RGBColor(0x00, 0x00, 0x00),  // 8 window text
    RGBColor(0x00, 0x00, 0x00),  // 9 caption text
    RGBColor(0xB4, 0xB4, 0xB4),  // 10 active border
    RGBColor(0xF4, 0xF7, 0xFC),  // 11 inactive border
    RGBColor(0xAB, 0xAB, 0xAB),  // 12 application workspace
    RGBColor(0x00, 0x78, 0xD7),  // 13 highlight
    RGBColor(0xFF, 0xFF, 0xFF),  // 14 highlight text
    RGBColor(0xF0, 0xF0, 0xF0),  // 15 button face
    RGBColor(0xA0, 0xA0, 0xA0),  // 16 button shadow
    RGBColor(0x6D, 0x6D, 0x6D),  // 17 grey text
    RGBColor(0x00, 0x00, 0x00),  // 18 button text
    RGBColor(0x00, 0x00, 0x00),  // 19 inactive caption text
    RGBColor(0xFF, 0xFF, 0xFF),  // 20 button highlight
    RGBColor(0x69, 0x69, 0x69),  // 21 3D dark shadow
    RGBColor(0xE3, 0xE3, 0xE3),  // 22 3D light
    RGBColor(0x00, 0x00, 0x00),  // 23 tooltip text
    RGBColor(0xFF, 0xFF, 0xE1),  // 24 tooltip background
    RGBColor(0x00, 0x00, 0x00),  // 25 unused
    RGBColor(0x00, 0x66, 0xCC),  // 26 hot-tracked item
    RGBColor(0xB9, 0xD1, 0xEA),  // 27 gradient of active caption
    RGBColor(0xD7, 0xE4, 0xF2),  // 28 gradient of inactive caption
    RGBColor(0x33, 0x99, 0xFF),  // 29 menu highlight
    RGBColor(0xF0, 0xF0, 0xF0),  // 30 menu bar
};

}  // namespace

TColor SysColor(int index) {
  if (index < 0 || index >= static_cast<int>(kSystemPalette.size())) return clBlack;
  return kSystemPalette[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor c) {
  if (c < 0) return SysColor(c & 0xFF);
  return c & 0x00FFFFFF;
}

}  // namespace quarlo
