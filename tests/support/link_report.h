#pragma once
// A small prepared report for the pointer handling: five A4 pages without margins.
// Page 1 holds views at fixed places (report pixels, each 100 x 20):
//   (0, 0)   URL "@3"                 (0, 40)  URL "#target"
//   (0, 80)  URL "https://example.invalid/a"
//   (0, 120) hint "short|long", shown  (0, 160) a drill-down group header "G1"
//   (0, 200) cursor crCross (-3), no link; (0, 240) URL "#missing"
// Anchors: "target" on page 4 (index 3) at top 100, and an earlier "TARGET" on page 2
// that the later one overrides. Outline: "Chapter" -> page 2, with child "Section" ->
// page 4 top 50; "Tail" -> page 5.
#include <string>

namespace quarlo::testing {

struct LinkViewPlace {
  int left, top, width, height;
};
inline constexpr LinkViewPlace kPageLink{0, 0, 100, 20};
inline constexpr LinkViewPlace kAnchorLink{0, 40, 100, 20};
inline constexpr LinkViewPlace kWebLink{0, 80, 100, 20};
inline constexpr LinkViewPlace kHintView{0, 120, 100, 20};
inline constexpr LinkViewPlace kDrillHeader{0, 160, 100, 20};
inline constexpr LinkViewPlace kCursorView{0, 200, 100, 20};
inline constexpr LinkViewPlace kMissingAnchor{0, 240, 100, 20};
inline constexpr int kLinkReportPages = 5;

std::string LinkReportXml();

}  // namespace quarlo::testing
