// The pointer over a page of the store: which view is under it, what the preview shows
// for it, and where a click on it leads.
#include "document/preview_pages_pointer.h"

#include <cmath>
#include <exception>

#include "document/anchors.h"
#include "document/outline.h"
#include "document/preview_pages.h"
#include "xml/xml_document.h"
#include "objects/band.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "objects/view.h"
#include "resources/cursor_ids.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// Rounding as the page painting does it, so a view is hit exactly where it was drawn.

bool IsDrillDownHeader(const TfrxComponent* c) {
  const auto* header = dynamic_cast<const TfrxGroupHeader*>(c);
  return header && header->DrillDown();
}

void FollowLink(TfrxCustomPreviewPages& pages, const std::string& url, PreviewPointerHost& host) {
  if (url[0] == '@') {
    int page = 0;
    if (ParsePageLink(url, page)) host.ShowPosition(page, 0);
  } else if (url[0] == '#') {
    const TfrxXMLItem* anchor = FindAnchor(pages, std::string_view(url).substr(1));
    if (!anchor) return;
    int top = 0;
    int page = 0;
    ReadItemPosition(*anchor, top, page);
    host.ShowPosition(page + 1, top);
  } else {
    host.OpenURL(url);
  }
}

}  // namespace

bool ParsePageLink(const std::string& url, int& page) {
  if (url.size() < 2 || url.size() > 11) return false;
  long long n = 0;
  for (size_t i = 1; i < url.size(); ++i) {
    if (url[i] < '0' || url[i] > '9') return false;
    n = n * 10 + (url[i] - '0');
  }
  if (n > 0x7FFFFFFF) return false;
  page = static_cast<int>(n);
  return true;
}

std::string ShortHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string LongHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TfrxCustomPreviewPages::HandlePointer(int index, int x, int y, int button, unsigned shift, double scale,
                                           double offsetX, double offsetY, bool click, int& cursor,
                                           bool doubleClick, PreviewPointerHost& host) {
  if (index < 0 || index >= Count()) return;
  TfrxReportPage* page = nullptr;
  try {
    page = PageObject(index);
  } catch (const std::exception&) {
    // The painting reports a page that cannot be built; the pointer just finds nothing.
    return;
  }
  if (!page) return;

  const double margin = page->MirrorMargins() && index % 2 == 1 ? page->RightMargin() : page->LeftMargin();
  const long long ox = RoundHalfEven(offsetX + margin * fr01cm * scale);
  const long long oy = RoundHalfEven(offsetY + page->TopMargin() * fr01cm * scale);
  host.ShowStatusText("", false);
  host.ShowStatusText("", true);

  // The page is rebuilt by ReplacePage and by the click handlers' effects, so the views
  // are taken before any of that happens and not touched afterwards.
  const std::vector<TfrxComponent*> objects = page->AllObjects();
  const TfrxComponent* drillDown = nullptr;
  std::string drillName;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    TfrxComponent* c = *it;
    const double left = c->AbsLeft();
    const double top = c->AbsTop();
    const long long l = RoundHalfEven(left * scale) + ox;
    const long long t = RoundHalfEven(top * scale) + oy;
    const long long r = RoundHalfEven((left + c->Width()) * scale) + ox;
    const long long b = RoundHalfEven((top + c->Height()) * scale) + oy;
    const bool under = x >= l && x < r && y >= t && y < b;
    auto* view = c->IsView() ? dynamic_cast<TfrxView*>(c) : nullptr;
    if (!under) {
      if (view && view->ShowHint() && host.UseReportHints()) host.HideTooltip();
      continue;
    }
    if (IsDrillDownHeader(c)) {
      drillDown = c;
      drillName = static_cast<const TfrxGroupHeader*>(c)->DrillName();
    }
    if (!view) continue;
    if (IsDrillDownHeader(view->Parent())) {
      drillDown = view->Parent();
      drillName = static_cast<const TfrxGroupHeader*>(drillDown)->DrillName();
    }
    if (view->Cursor() != crDefault) cursor = view->Cursor();
    const std::string url = view->URL();
    if (!url.empty()) {
      host.ShowStatusText(url, false);
      if (view->Cursor() == crDefault) cursor = crHandPoint;
    }
    if (!view->Hint().empty() && view->ShowHint() && host.UseReportHints()) {
      host.ShowStatusText(LongHint(view->Hint()), true);
      host.ShowTooltip(ShortHint(view->Hint()));
    }
    if (click && !drillDown) {
      if (!url.empty()) FollowLink(*this, url, host);
      // Following a link may have built other pages; the cache can then have let
      // this one go, so it is taken again before the handler sees its view.
      TfrxReportPage* current = nullptr;
      try {
        current = PageObject(index);
      } catch (const std::exception&) {
        return;
      }
      if (current != page) return;
      if (host.ClickObject(view, button, shift, doubleClick)) {
        ReplacePage(index, *page);
        host.PageModified();
      }
    } else {
      host.MouseOverObject(view);
    }
    break;
  }
  if (drillDown) {
    cursor = crHandPoint;
    if (click && button == kPointerLeftButton) host.ToggleDrillDown(drillName);
  }
}

}  // namespace quarlo
