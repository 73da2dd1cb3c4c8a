#include "objects/memo_tokens.h"

#include <algorithm>

namespace quarlo {

namespace {

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

std::size_t FindIgnoringCase(std::u16string_view text, std::u16string_view token) {
  if (token.empty() || token.size() > text.size()) return std::u16string_view::npos;
  auto it = std::search(text.begin(), text.end(), token.begin(), token.end(),
                        [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
  return it == text.end() ? std::u16string_view::npos : static_cast<std::size_t>(it - text.begin());
}

std::u16string Decimal(int v) {
  const std::string s = std::to_string(v);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

bool ReplaceFirstToken(TWideStrings& memo, std::u16string_view token, std::u16string_view value) {
  for (int i = 0; i < memo.Count(); ++i) {
    std::u16string line = memo.Get(i);
    const std::size_t p = FindIgnoringCase(line, token);
    if (p == std::u16string_view::npos) continue;
    line.replace(p, token.size(), value);
    memo.Put(i, std::move(line));
    return true;
  }
  return false;
}

void SubstituteViewTokens(TWideStrings& memo, int totalPages, int copyNo) {
  (void)copyNo;  // would select the variable "CopyName<copyNo>" of a variable list
  ReplaceFirstToken(memo, u"[TOTALPAGES#]", Decimal(totalPages));
  ReplaceFirstToken(memo, u"[COPYNAME#]", u"");
}

}  // namespace quarlo
