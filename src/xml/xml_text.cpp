#include "xml/xml_text.h"

namespace quarlo::xml {

size_t FindText(std::string_view haystack, std::string_view needle, size_t from) {
  if (needle.empty()) return from <= haystack.size() ? from : std::string_view::npos;
  if (needle.size() > haystack.size()) return std::string_view::npos;
  const char first = FoldCase(needle[0]);
  const size_t last = haystack.size() - needle.size();
  for (size_t i = from; i <= last; ++i) {
    if (FoldCase(haystack[i]) != first) continue;
    if (SameText(haystack.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

size_t FindAttribute(std::string_view text, std::string_view name) {
  if (name.empty()) return std::string_view::npos;
  size_t at = 0;
  while ((at = FindText(text, name, at)) != std::string_view::npos) {
    const size_t after = at + name.size();
    const bool starts = at == 0 || text[at - 1] == ' ';
    if (starts && after + 2 <= text.size() && text[after] == '=' && text[after + 1] == '"') {
      return at;
    }
    ++at;
  }
  return std::string_view::npos;
}

std::string WithoutAttribute(std::string_view text, std::string_view name) {
  size_t at = FindAttribute(text, name);
  if (at == std::string_view::npos) return std::string(text);
  const size_t close = text.find('"', at + name.size() + 2);
  const size_t end = close == std::string_view::npos ? text.size() : close + 1;
  if (at > 0) --at;  // the separating space
  std::string out(text.substr(0, at));
  out.append(text.substr(end));
  return out;
}

}  // namespace quarlo::xml
