#include "print/page_list.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/errors.h"

namespace quarlo {
namespace {

[[noreturn]] void RaiseBadPiece(std::string_view piece, std::string_view list) {
  throw EConvertError("'" + std::string(piece) + "' is not a valid integer value (page list '" +
                      std::string(list) + "')");
}

int ReadInteger(std::string_view piece, std::string_view list) {
  std::string_view digits = piece;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.front() == '+' || digits.front() == '-') RaiseBadPiece(piece, list);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) RaiseBadPiece(piece, list);
  return value;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

TfrxPageList TfrxPageList::Parse(std::string_view text, int pageCount) {
  TfrxPageList list;
  std::string s;
  s.reserve(text.size() + 16);
  for (char c : text)
    if (!IsBlank(c)) s.push_back(c);
  if (s.empty()) return list;
  const std::string shown = s;
  if (s.back() == '-') s += std::to_string(std::max(pageCount, 0));
  s.push_back(',');

  bool rangePending = false;
  int rangeStart = 0;
  std::size_t pieceStart = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c != '-' && c != ',') continue;
    const int value = ReadInteger(std::string_view(s).substr(pieceStart, i - pieceStart), shown);
    pieceStart = i + 1;
    if (c == '-') {
      rangeStart = value;
      rangePending = true;
      continue;
    }
    const int first = rangePending ? rangeStart : value;
    rangePending = false;
    if (value < first) continue;
    list.ranges_.push_back({first, value, list.count_});
    list.count_ += static_cast<std::int64_t>(value) - first + 1;
  }
  return list;
}

int TfrxPageList::EntryAt(std::int64_t position) const {
  // The last range starting at or before the position holds it.
  auto it = std::upper_bound(ranges_.begin(), ranges_.end(), position,
                             [](std::int64_t p, const Range& r) { return p < r.before; });
  if (position < 0 || position >= count_ || it == ranges_.begin()) return 0;
  --it;
  return static_cast<int>(it->first + (position - it->before));
}

std::int64_t TfrxPageList::SequenceLength(int pageCount) const {
  const std::int64_t pages = std::max(pageCount, 0);
  return Empty() ? pages : std::min(count_, pages);
}

int TfrxPageList::PageIndexAt(std::int64_t position, int pageCount) const {
  if (Empty()) return position >= 0 && position < pageCount ? static_cast<int>(position) : -1;
  if (position < 0 || position >= count_) return -1;
  const int n = EntryAt(position) - 1;
  return n < 0 || n >= pageCount ? -1 : n;
}

}  // namespace quarlo
