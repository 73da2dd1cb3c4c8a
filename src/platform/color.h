#pragma once
// Colour values as stored in documents: 0x00BBGGRR (red in the lowest byte), a
// negative value (high byte 0xFF) naming a system colour by its low byte, and
// clTransparent meaning "no colour" (a fill or line in it is not drawn).

#include <cstdint>

namespace quarlo {

using TColor = std::int32_t;

inline constexpr TColor clTransparent = 0x1FFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

// System colours: 0xFF000000 plus the system colour index.
inline constexpr TColor systemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index & 0xFF));
}
inline constexpr TColor clScrollBar = systemColor(0);
inline constexpr TColor clBackground = systemColor(1);
inline constexpr TColor clActiveCaption = systemColor(2);
inline constexpr TColor clInactiveCaption = systemColor(3);
inline constexpr TColor clMenu = systemColor(4);
inline constexpr TColor clWindow = systemColor(5);
inline constexpr TColor clWindowFrame = systemColor(6);
inline constexpr TColor clMenuText = systemColor(7);
inline constexpr TColor clWindowText = systemColor(8);
inline constexpr TColor clCaptionText = systemColor(9);
inline constexpr TColor clActiveBorder = systemColor(10);
inline constexpr TColor clInactiveBorder = systemColor(11);
inline constexpr TColor clAppWorkSpace = systemColor(12);
inline constexpr TColor clHighlight = systemColor(13);
inline constexpr TColor clHighlightText = systemColor(14);
inline constexpr TColor clBtnFace = systemColor(15);
inline constexpr TColor clBtnShadow = systemColor(16);
inline constexpr TColor clGrayText = systemColor(17);
inline constexpr TColor clBtnText = systemColor(18);
inline constexpr TColor clInactiveCaptionText = systemColor(19);
inline constexpr TColor clBtnHighlight = systemColor(20);
inline constexpr TColor cl3DDkShadow = systemColor(21);
inline constexpr TColor cl3DLight = systemColor(22);
inline constexpr TColor clInfoText = systemColor(23);
inline constexpr TColor clInfoBk = systemColor(24);
inline constexpr TColor clHotLight = systemColor(26);
inline constexpr TColor clGradientActiveCaption = systemColor(27);
inline constexpr TColor clGradientInactiveCaption = systemColor(28);
inline constexpr TColor clMenuHighlight = systemColor(29);
inline constexpr TColor clMenuBar = systemColor(30);

inline constexpr bool isSystemColor(TColor c) { return c < 0; }

// RGB of a system colour index from our fixed palette (0x00BBGGRR); unknown
// indexes give black.
TColor SysColor(int index);

// Resolves system colours to RGB; any other value comes back with only its low
// three bytes kept (clTransparent therefore maps to 0xFFFFFF, callers test it first).
TColor ColorToRGB(TColor c);

inline constexpr int GetRValue(TColor c) { return c & 0xFF; }
inline constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }
inline constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

}  // namespace quarlo
