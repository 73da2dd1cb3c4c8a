#include "objects/wide_strings.h"

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "platform/stream.h"
#include "platform/codepage.h"
#include "platform/same_text.h"

namespace quarlo {

namespace {

// Splits at CR LF, lone CR, lone LF (and U+2028 for wide text); a break at the very
// end gives no empty last line.
template <class Str, class View>
std::vector<Str> SplitLines(View text, bool lineSeparator) {
  std::vector<Str> lines;
  size_t start = 0;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    auto c = text[i];
    if (c == '\r' || c == '\n' || (lineSeparator && c == 0x2028)) {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace

// ------------------------------------------------------------- TStringList

const ClassInfo& TStringList::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TStringList, TPersistent).Build();
  return info;
}

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, std::string line) {
  if (index == Count()) {
    Add(std::move(line));
    return;
  }
  if (index < 0 || index > Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  lines_[static_cast<size_t>(index)] = std::move(line);
}

void TStringList::Add(std::string line, std::intptr_t object) {
  lines_.push_back(std::move(line));
  objects_.push_back(object);
}

void TStringList::Insert(int index, std::string line) {
  if (index < 0 || index > Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  lines_.insert(lines_.begin() + index, std::move(line));
  objects_.insert(objects_.begin() + index, 0);
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  lines_.erase(lines_.begin() + index);
  objects_.erase(objects_.begin() + index);
}

int TStringList::IndexOf(std::string_view line) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(lines_[static_cast<size_t>(i)], line)) return i;
  }
  return -1;
}

std::intptr_t TStringList::Objects(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return objects_[static_cast<size_t>(index)];
}

std::string TStringList::Text() const {
  std::string out;
  for (const auto& l : lines_) {
    out += l;
    out += "\r\n";
  }
  return out;
}

void TStringList::SetText(std::string_view text) {
  lines_ = SplitLines<std::string>(text, false);
  objects_.assign(lines_.size(), 0);
}

// ------------------------------------------------------------ TWideStrings

const ClassInfo& TWideStrings::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TWideStrings, TPersistent).Build();
  return info;
}

std::u16string TWideStrings::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return lines_[static_cast<size_t>(index)];
}

void TWideStrings::Put(int index, std::u16string line) {
  if (index < 0 || index > Count()) throw Exception("Wide String Out of Bounds");
  if (index == Count()) {
    Add(std::move(line));
    return;
  }
  lines_[static_cast<size_t>(index)] = std::move(line);
}

int TWideStrings::Add(std::u16string line) { return AddObject(std::move(line), 0); }

int TWideStrings::AddObject(std::u16string line, std::intptr_t object) {
  lines_.push_back(std::move(line));
  objects_.push_back(object);
  return Count() - 1;
}

void TWideStrings::Insert(int index, std::u16string line) {
  if (index < 0 || index > Count()) throw Exception("Wide String Out of Bounds");
  lines_.insert(lines_.begin() + index, std::move(line));
  objects_.insert(objects_.begin() + index, 0);
}

void TWideStrings::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  lines_.erase(lines_.begin() + index);
  objects_.erase(objects_.begin() + index);
}

int TWideStrings::IndexOf(std::u16string_view line) const {
  for (int i = 0; i < Count(); ++i) {
    if (lines_[static_cast<size_t>(i)] == line) return i;
  }
  return -1;
}

void TWideStrings::Clear() {
  lines_.clear();
  objects_.clear();
}

std::intptr_t TWideStrings::Objects(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return objects_[static_cast<size_t>(index)];
}

void TWideStrings::SetObject(int index, std::intptr_t object) {
  if (index < 0 || index >= Count()) return;
  objects_[static_cast<size_t>(index)] = object;
}

void TWideStrings::Assign(const TWideStrings& other) {
  if (&other == this) return;
  lines_ = other.lines_;
  objects_ = other.objects_;
}

void TWideStrings::AssignAnsi(const TStringList& lines) {
  Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    AddObject(DecodeCodePage(lines.Get(i), CP_ACP), lines.Objects(i));
  }
}

void TWideStrings::AssignToAnsi(TStringList& lines) const {
  lines.Clear();
  for (int i = 0; i < Count(); ++i) lines.Add(EncodeCodePage(Get(i), CP_ACP), Objects(i));
}

std::u16string TWideStrings::Text() const {
  std::u16string out;
  for (const auto& l : lines_) {
    out += l;
    out += u"\r\n";
  }
  return out;
}

void TWideStrings::SetText(std::u16string_view text) {
  lines_ = SplitLines<std::u16string>(text, true);
  objects_.assign(lines_.size(), 0);
}

void TWideStrings::LoadFromStream(Stream& stream) {
  std::string bytes = stream.ReadRest();
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string text;
    text.reserve((bytes.size() - 2) / 2);
    // An odd trailing byte cannot form a unit and is dropped.
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    SetText(text);
  } else {
    SetText(DecodeCodePage(bytes, CP_ACP));
  }
}

void TWideStrings::SaveToStream(Stream& stream) const {
  std::u16string text = Text();
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t u : text) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  stream.Write(bytes);
}

void TWideStrings::DefineProperties(PropDataFiler& filer) {
  auto writeUtf8 = [this](PropDataWriter& w) {
    w.WriteListBegin();
    for (const auto& line : lines_) w.WriteUtf8String(WideToUtf8(line));
    w.WriteListEnd();
  };
  auto readList = [this](PropDataReader& r) {
    Clear();
    r.ReadListBegin();
    while (!r.EndOfList()) Add(r.ReadWideString());
    r.ReadListEnd();
  };
  filer.DefineProperty("UTF8", readList, writeUtf8, !lines_.empty());
  filer.DefineProperty("Strings", readList, nullptr, false);
}

}  // namespace quarlo
