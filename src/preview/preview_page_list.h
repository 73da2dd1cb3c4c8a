#pragma once
// Where each page of a workspace lies: one rectangle per page, already scaled by the
// workspace's zoom, placed in centred rows 10 pixels apart. Coordinates are integer
// pixels from the top-left of the whole laid-out document.
#include <cstddef>
#include <vector>
#include "platform/rounding.h"

namespace quarlo {

struct TfrxPageItem {
  int Height = 0;
  int Width = 0;
  int Left = 0;
  int Top = 0;
};

// Right and bottom are exclusive.
struct PageBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const PageBox&) const = default;
};

struct ContentExtent {
  int Width = 0;
  int Height = 0;
  bool operator==(const ContentExtent&) const = default;
};

class PreviewPageList {
 public:
  static constexpr int kGap = 10;
  // Rows of pages are never laid out further down than this, so a huge report at a
  // large zoom saturates instead of overflowing the 32-bit coordinates.
  static constexpr int kMaxCoordinate = 1 << 30;
  // Paper at the zoom beyond this is damaged input and is shown at this size.
  static constexpr int kMaxSide = 1 << 24;

  // width and height in report pixels.
  void AppendPage(int width, int height, double zoom);
  // Places every page in rows no wider than availableWidth; returns the page count.
  int LayoutRows(int availableWidth);
  // The page's rectangle; an index outside the list gives a virtual A4 page.
  PageBox PageRect(int index, int clientWidth, bool rightToLeft, double zoom) const;
  // The page at a document point, or -1 above the first page; x 0 looks by height
  // only, counting a page as reached once its top is within a fifth of its height.
  int PageAtPoint(int y, int x) const;
  ContentExtent ContentSize() const;
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  const TfrxPageItem& Item(int index) const { return items_[static_cast<size_t>(index)]; }
  int Widest() const { return widest_; }

 private:
  std::vector<TfrxPageItem> items_;
  int widest_ = 0;
};

}  // namespace quarlo
