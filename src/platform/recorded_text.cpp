#include "platform/recorded_text.h"

#include <algorithm>
#include <cmath>

namespace quarlo {

namespace {

struct Piece {
  CanvasRect bounds;
  std::u16string text;
};

struct Row {
  int top;
  int bottom;
  std::vector<Piece> pieces;
};

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Control characters become spaces; spaces at either end are dropped.
std::u16string CleanText(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c < 0x20 || c == 0x7F) c = u' ';
  const std::size_t first = out.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return out.substr(first, out.find_last_not_of(u' ') - first + 1);
}

// Two extents share a row when they overlap by at least half the lower one.
bool SameRow(const Row& row, const CanvasRect& b) {
  const int overlap = std::min(row.bottom, b.bottom) - std::max(row.top, b.top);
  const int smaller = std::min(row.bottom - row.top, b.bottom - b.top);
  return overlap > 0 && 2 * overlap >= smaller;
}

std::vector<Row> Rows(const std::vector<CanvasRecord>& records) {
  std::vector<Piece> pieces;
  for (const CanvasRecord& r : records) {
    if (r.op != CanvasRecord::Op::Text) continue;
    std::u16string text = CleanText(r.text);
    if (!text.empty()) pieces.push_back({r.bounds, std::move(text)});
  }
  std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
    return a.bounds.top != b.bounds.top ? a.bounds.top < b.bounds.top : a.bounds.left < b.bounds.left;
  });
  std::vector<Row> rows;
  // Only the last few rows can still take a piece: pieces come in order of their tops.
  constexpr std::size_t kRowsLookedAt = 8;
  for (Piece& p : pieces) {
    Row* home = nullptr;
    for (std::size_t i = rows.size(), looked = 0; i-- > 0 && looked < kRowsLookedAt; ++looked) {
      if (SameRow(rows[i], p.bounds)) {
        home = &rows[i];
        break;
      }
    }
    if (!home) {
      rows.push_back({p.bounds.top, p.bounds.bottom, {}});
      home = &rows.back();
    }
    home->pieces.push_back(std::move(p));
  }
  for (Row& row : rows) {
    std::stable_sort(row.pieces.begin(), row.pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.bounds.left < b.bounds.left; });
  }
  return rows;
}

// The width of one column: the median over the pieces of width per column.
double CellWidth(const std::vector<Row>& rows) {
  std::vector<double> widths;
  for (const Row& row : rows)
    for (const Piece& p : row.pieces) {
      const int columns = DisplayColumns(p.text);
      if (columns > 0 && p.bounds.right > p.bounds.left)
        widths.push_back(static_cast<double>(p.bounds.right - p.bounds.left) / columns);
    }
  if (widths.empty()) return 1;
  std::nth_element(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(widths.size() / 2), widths.end());
  return std::max(1.0, widths[widths.size() / 2]);
}

// Columns of a page are capped, so a piece far out on a huge page cannot ask for
// gigabytes of spaces.
constexpr long long kMaxColumn = 4096;

}  // namespace

int DisplayColumns(std::u16string_view text) {
  int columns = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    columns += IsWide(c) ? 2 : 1;
  }
  return columns;
}

std::u16string RecordedText(const std::vector<CanvasRecord>& records, bool layout) {
  const std::vector<Row> rows = Rows(records);
  const double cell = layout ? CellWidth(rows) : 1;
  std::u16string out;
  for (const Row& row : rows) {
    long long used = 0;
    bool first = true;
    for (const Piece& p : row.pieces) {
      if (layout) {
        const long long column = std::clamp(std::llround(p.bounds.left / cell), 0LL, kMaxColumn);
        if (column > used) {
          out.append(static_cast<std::size_t>(column - used), u' ');
          used = column;
        } else if (!first) {
          out += u' ';
          ++used;
        }
        used += DisplayColumns(p.text);
      } else if (!first) {
        out += u' ';
      }
      out += p.text;
      first = false;
    }
    out += u'\n';
  }
  return out;
}

}  // namespace quarlo
