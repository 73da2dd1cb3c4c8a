#include "platform/recorded_text.h"

#include <algorithm>
#include <cmath>

namespace quarlo {

namespace {

struct Piece {
  CanvasRect bounds;
  std::u16string_view text;
};

using Line = std::vector<Piece>;

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\x3000'; }

std::vector<Line> Lines(std::vector<Piece> pieces) {
  std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
    return a.bounds.top != b.bounds.top ? a.bounds.top < b.bounds.top : a.bounds.left < b.bounds.left;
  });
  std::vector<Line> lines;
  CanvasRect first{};
  for (const Piece& p : pieces) {
    const long long middle = (static_cast<long long>(p.bounds.top) + p.bounds.bottom) / 2;
    if (lines.empty() || middle < first.top || middle >= first.bottom) {
      lines.emplace_back();
      first = p.bounds;
    }
    lines.back().push_back(p);
  }
  for (Line& line : lines) {
    std::stable_sort(line.begin(), line.end(),
                     [](const Piece& a, const Piece& b) { return a.bounds.left < b.bounds.left; });
  }
  return lines;
}

void AppendLine(std::u16string& out, const Line& line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const std::u16string_view text = line[i].text;
    if (i > 0 && line[i].bounds.left > line[i - 1].bounds.right && !out.empty() && !IsSpace(out.back()) &&
        !text.empty() && !IsSpace(text.front()))
      out += u' ';
    out += text;
  }
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

// The width of one column: the median over the pieces of width per column.
double CellWidth(const std::vector<Line>& lines) {
  std::vector<double> widths;
  for (const Line& line : lines)
    for (const Piece& p : line) {
      const int columns = DisplayColumns(p.text);
      if (columns > 0 && p.bounds.right > p.bounds.left)
        widths.push_back(static_cast<double>(p.bounds.right - p.bounds.left) / columns);
    }
  if (widths.empty()) return 1;
  std::nth_element(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(widths.size() / 2), widths.end());
  return std::max(1.0, widths[widths.size() / 2]);
}

// Columns are capped, so a piece far out on a huge page cannot ask for gigabytes of
// spaces.
constexpr long long kMaxColumn = 4096;

void AppendLaidOutLine(std::u16string& out, const Line& line, double cell) {
  long long used = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const Piece& p = line[i];
    const long long column = std::clamp(std::llround(p.bounds.left / cell), 0LL, kMaxColumn);
    if (column > used) {
      out.append(static_cast<std::size_t>(column - used), u' ');
      used = column;
    } else if (i > 0) {
      out += u' ';
      ++used;
    }
    out += p.text;
    used += DisplayColumns(p.text);
  }
}

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

std::u16string TextInReadingOrder(const std::vector<const CanvasRecord*>& records) {
  std::vector<Piece> pieces;
  for (const CanvasRecord* r : records) pieces.push_back({r->bounds, r->text});
  std::u16string out;
  for (const Line& line : Lines(std::move(pieces))) {
    if (!out.empty()) out += u'\n';
    AppendLine(out, line);
  }
  return out;
}

std::u16string RecordedText(const std::vector<CanvasRecord>& records, bool layout) {
  std::vector<std::u16string> texts;
  std::vector<CanvasRect> bounds;
  for (const CanvasRecord& r : records) {
    if (r.op != CanvasRecord::Op::Text) continue;
    std::u16string text = CleanText(r.text);
    if (text.empty()) continue;
    texts.push_back(std::move(text));
    bounds.push_back(r.bounds);
  }
  std::vector<Piece> pieces;
  for (std::size_t i = 0; i < texts.size(); ++i) pieces.push_back({bounds[i], texts[i]});
  const std::vector<Line> lines = Lines(std::move(pieces));
  const double cell = layout ? CellWidth(lines) : 1;
  std::u16string out;
  for (const Line& line : lines) {
    if (layout) AppendLaidOutLine(out, line, cell);
    else AppendLine(out, line);
    out += u'\n';
  }
  return out;
}

}  // namespace quarlo
