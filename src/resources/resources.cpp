#include "resources/resources.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <mutex>

#include "platform/errors.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "resources/builtin_tables.h"
#include "platform/utf_text.h"

namespace quarlo {
namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Decimal integer as the platform's string-to-integer conversion reads it; a code page
// is a plain number, so hexadecimal forms are not accepted.
int ParseCodePage(const std::string& text) {
  const auto fail = [&]() -> int {
    throw EConvertError("'" + text + "' is not a valid integer value");
  };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return fail();
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fail();
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return fail();
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return fail();
  return static_cast<int>(value);
}

struct Handlers {
  std::mutex mutex;
  TfrxResources::ErrorBoxHandler errorBox;
  TfrxResources::HelpHandler help;
};

Handlers& InstalledHandlers() {
  static Handlers handlers;
  return handlers;
}

}  // namespace

int CompareResourceNames(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(FoldCase(a[i]));
    const auto cb = static_cast<unsigned char>(FoldCase(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::pair<size_t, bool> TfrxResources::Locate(std::string_view name) const {
  const auto it = std::lower_bound(names_.begin(), names_.end(), name,
      [](const auto& entry, std::string_view key) { return CompareResourceNames(entry.first, key) < 0; });
  const size_t position = static_cast<size_t>(it - names_.begin());
  return {position, it != names_.end() && CompareResourceNames(it->first, name) == 0};
}

bool TfrxResources::Contains(std::string_view name) const { return Locate(name).second; }

std::u16string TfrxResources::GetUnicode(std::string_view name) const {
  const auto [position, found] = Locate(name);
  if (!found) return Utf8ToUtf16(name);
  std::u16string text = values_[names_[position].second];
  if (!text.empty() && text.front() == u'!') text.erase(0, 1);
  return text;
}

std::string TfrxResources::Get(std::string_view name) const {
  const auto [position, found] = Locate(name);
  if (!found) return std::string(name);
  std::string text = Utf16ToUtf8(values_[names_[position].second]);
  if (!text.empty() && text.front() == '!') text.erase(0, 1);
  return text;
}

void TfrxResources::SetString(std::string_view name, std::u16string_view text) {
  const auto [position, found] = Locate(name);
  if (found) {
    values_[names_[position].second] = std::u16string(text);
    return;
  }
  values_.emplace_back(text);
  names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(position),
                {std::string(name), values_.size() - 1});
}

void TfrxResources::SetString(std::string_view name, std::string_view utf8Text) {
  SetString(name, std::u16string_view(Utf8ToUtf16(utf8Text)));
}

void TfrxResources::LoadTable(std::string_view xml) {
  TfrxXMLDocument document;
  ByteViewStream stream(xml.data(), xml.size());
  document.LoadFromStream(stream);
  const TfrxXMLItem* root = document.Root();
  if (root->Name != "Resources") return;
  codePage_ = ParseCodePage(root->Prop("CodePage"));
  for (int i = 0; i < root->Count(); ++i) {
    const TfrxXMLItem* item = root->Items(i);
    if (item->Name != "StrRes") continue;
    // Prop has unescaped once; the second pass lets a table carry references such as
    // "&#38;#34;" that must survive as "&#34;" until here and become a quote.
    const std::string text = frxUnescape(item->Prop("Text"));
    SetString(item->Prop("Name"), std::u16string_view(Utf8ToUtf16(text)));
  }
  RefreshScriptMessages();
}

void TfrxResources::RefreshScriptMessages() {
  for (size_t i = 0; i < kScriptMessageNames.size(); ++i) scriptMessages_[i] = Get(kScriptMessageNames[i]);
}

std::string TfrxResources::ScriptMessage(std::string_view name) const {
  for (size_t i = 0; i < kScriptMessageNames.size(); ++i) {
    if (CompareResourceNames(kScriptMessageNames[i], name) == 0) return scriptMessages_[i];
  }
  return {};
}

void TfrxResources::ShowErrorMsg(std::string_view message) const {
  TfrxResources::ErrorBoxHandler handler;
  {
    std::lock_guard lock(InstalledHandlers().mutex);
    handler = InstalledHandlers().errorBox;
  }
  const std::string caption = Get("mbError");
  if (handler) {
    handler(caption, std::string(message));
  } else {
    std::fprintf(stderr, "%s: %.*s\n", caption.c_str(), static_cast<int>(message.size()), message.data());
  }
}

std::string TfrxResources::HelpLocation(std::string_view formClassName) const {
  // Only designer forms have pages of their own, and this program has no designer:
  // every form opens the guide at its start.
  return HelpFile;
}

void TfrxResources::ShowHelp(std::string_view formClassName) const {
  TfrxResources::HelpHandler handler;
  {
    std::lock_guard lock(InstalledHandlers().mutex);
    handler = InstalledHandlers().help;
  }
  if (handler) handler(HelpLocation(formClassName));
}

void TfrxResources::SetErrorBoxHandler(ErrorBoxHandler handler) {
  std::lock_guard lock(InstalledHandlers().mutex);
  InstalledHandlers().errorBox = std::move(handler);
}

void TfrxResources::SetHelpHandler(HelpHandler handler) {
  std::lock_guard lock(InstalledHandlers().mutex);
  InstalledHandlers().help = std::move(handler);
}

TfrxResources& frxResources() {
  static TfrxResources instance = [] {
    TfrxResources resources;
    resources.LoadTable(BuiltInUiTable());
    resources.LoadTable(BuiltInPropertyTable());
    return resources;
  }();
  return instance;
}

}  // namespace quarlo
