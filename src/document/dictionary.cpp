#include "document/dictionary.h"

#include <algorithm>
#include <charconv>

#include "platform/errors.h"

namespace quarlo {

namespace {

unsigned char FoldByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

}  // namespace

int CompareAliases(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = FoldByte(a[i]), y = FoldByte(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

void TfrxDictionary::Clear() { entries_.clear(); }

void TfrxDictionary::Add(std::string alias, std::string sourceName, TfrxComponent* object) {
  auto at = std::lower_bound(entries_.begin(), entries_.end(), alias,
                             [](const Entry& e, const std::string& key) {
                               return CompareAliases(e.alias, key) < 0;
                             });
  if (at != entries_.end() && CompareAliases(at->alias, alias) == 0) return;
  entries_.insert(at, Entry{std::move(alias), std::move(sourceName), object});
}

void TfrxDictionary::AddAll(std::vector<Entry> entries) {
  entries_.reserve(entries_.size() + entries.size());
  for (Entry& e : entries) entries_.push_back(std::move(e));
  // Stable, so that of equal aliases the one present first stays first and is kept.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return CompareAliases(a.alias, b.alias) < 0; });
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return CompareAliases(a.alias, b.alias) == 0; }),
                 entries_.end());
}

const TfrxDictionary::Entry* TfrxDictionary::Find(std::string_view alias) const {
  auto at = std::lower_bound(entries_.begin(), entries_.end(), alias,
                             [](const Entry& e, std::string_view key) {
                               return CompareAliases(e.alias, key) < 0;
                             });
  if (at == entries_.end() || CompareAliases(at->alias, alias) != 0) return nullptr;
  return &*at;
}

std::string TfrxDictionary::SourceNameOf(std::string_view text) {
  // Everything between `name="` and the last character.
  if (text.size() <= 7) return {};
  return std::string(text.substr(6, text.size() - 7));
}

std::string TfrxDictionary::AttributeText(std::string_view sourceName) {
  std::string text = "name=\"";
  text += sourceName;
  text += '"';
  return text;
}

SourceName ParseSourceName(std::string_view sourceName) {
  const size_t dot = sourceName.find('.');
  const std::string_view page = sourceName.substr(0, dot);
  const std::string_view number = page.size() > 4 ? page.substr(4) : std::string_view();
  SourceName result{0, dot == std::string_view::npos ? std::string()
                                                     : std::string(sourceName.substr(dot + 1))};
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(),
                                            result.pageIndex);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
    throw EConvertError("'" + std::string(number) + "' is not a valid integer value");
  }
  return result;
}

}  // namespace quarlo
