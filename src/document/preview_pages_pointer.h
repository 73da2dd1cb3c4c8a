#pragma once
// What the store's pointer handling (TfrxCustomPreviewPages::HandlePointer) asks of the
// preview showing the pages: status texts, tooltips, jumps, the report's click events.
// The preview implements it; the store stays free of any window system.
#include <string>

namespace quarlo {

class TfrxView;

// Mouse buttons as the report's click events number them.
inline constexpr int kPointerLeftButton = 0;
inline constexpr int kPointerRightButton = 1;
inline constexpr int kPointerMiddleButton = 2;

class PreviewPointerHost {
 public:
  virtual ~PreviewPointerHost() = default;
  // The report's status texts: hint false is the link text, true the long hint.
  virtual void ShowStatusText(const std::string& text, bool hint) = 0;
  // Whether views' hints are shown at all.
  virtual bool UseReportHints() const = 0;
  virtual void ShowTooltip(const std::string& text) = 0;
  virtual void HideTooltip() = 0;
  // Shows 1-based page `page` with its printable area's offset `top` at the top.
  virtual void ShowPosition(int page, int top) = 0;
  // A link that is neither "@page" nor "#anchor", for the desktop to open.
  virtual void OpenURL(const std::string& url) = 0;
  // The report's OnClickObject / OnDblClickObject; returns whether the handler
  // changed the view, so the page is stored again.
  virtual bool ClickObject(TfrxView* view, int button, unsigned shift, bool doubleClick) = 0;
  virtual void MouseOverObject(TfrxView* view) = 0;
  // A left click on a drill-down group header.
  virtual void ToggleDrillDown(const std::string& drillName) = 0;
  // A page was stored again after a click; the preview repaints.
  virtual void PageModified() = 0;
};

// "@N" links to 1-based page N; anything else after the "@" is not a page (false).
bool ParsePageLink(const std::string& url, int& page);

// Splits a hint into the tooltip part (before the first '|') and the status bar part
// (after it); without '|' both are the whole hint.
std::string ShortHint(const std::string& hint);
std::string LongHint(const std::string& hint);

}  // namespace quarlo
