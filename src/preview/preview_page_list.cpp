#include "preview/preview_page_list.h"
#include "platform/rounding.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace quarlo {

void PreviewPageList::AppendPage(int width, int height, double zoom) {
  TfrxPageItem item;
  item.Width = std::clamp(RoundHalfEven(zoom * width), 0, kMaxSide);
  item.Height = std::clamp(RoundHalfEven(zoom * height), 0, kMaxSide);
  items_.push_back(item);
}

int PreviewPageList::LayoutRows(int availableWidth) {
  long long widest = 0;
  long long y = kGap;
  const int count = Count();
  int i = 0;
  while (i < count) {
    long long x = 0;
    int j = i;
    long long rowHeight = 0;
    const int top = static_cast<int>(std::min<long long>(y, kMaxCoordinate));
    while (j < count) {
      TfrxPageItem& item = items_[static_cast<size_t>(j)];
      if (x > 0 && x + item.Width > availableWidth) break;
      item.Left = static_cast<int>(x);
      item.Top = top;
      x += item.Width + kGap;
      rowHeight = std::max<long long>(rowHeight, item.Height);
      ++j;
    }
    widest = std::max(widest, x);
    long long shift = (availableWidth - x + kGap) / 2;
    shift = shift < 0 ? kGap : shift + kGap;
    for (int k = i; k < j; ++k) items_[static_cast<size_t>(k)].Left += static_cast<int>(shift);
    y = std::min<long long>(y + rowHeight + kGap, kMaxCoordinate);
    i = j;
  }
  widest_ = static_cast<int>(std::min<long long>(widest, kMaxCoordinate));
  return count;
}

PageBox PreviewPageList::PageRect(int index, int clientWidth, bool rightToLeft, double zoom) const {
  PageBox box;
  if (index < 0 || index >= Count()) {
    const double w = zoom * 794;
    box.Left = clientWidth >= w ? RoundHalfEven((clientWidth - w) / 2) : 10;
    box.Top = RoundHalfEven(zoom * 10);
    box.Right = box.Left + RoundHalfEven(w);
    box.Bottom = box.Top + RoundHalfEven(zoom * 1123);
    return box;
  }
  const TfrxPageItem& item = Item(index);
  box.Left = rightToLeft ? clientWidth - item.Width - item.Left : item.Left;
  box.Top = item.Top;
  box.Right = box.Left + item.Width;
  box.Bottom = box.Top + item.Height;
  return box;
}

int PreviewPageList::PageAtPoint(int y, int x) const {
  int lo = 0;
  int hi = Count() - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const TfrxPageItem& item = Item(mid);
    const long long tolerance = x != 0 ? 0 : RoundHalfEven(item.Height / 5.0);
    if (item.Top > y + tolerance)
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  if (x == 0) return hi;
  for (int i = std::max(0, hi - 20); i <= hi + 20 && i < Count(); ++i) {
    const TfrxPageItem& item = Item(i);
    if (x >= item.Left && x < item.Left + item.Width && y >= item.Top && y < item.Top + item.Height) return i;
  }
  return hi;
}

ContentExtent PreviewPageList::ContentSize() const {
  if (items_.empty()) return {};
  const TfrxPageItem& last = items_.back();
  return {widest_, static_cast<int>(std::min<long long>(static_cast<long long>(last.Top) + last.Height, INT_MAX))};
}

void PreviewPageList::Clear() {
  items_.clear();
  widest_ = 0;
}

}  // namespace quarlo
