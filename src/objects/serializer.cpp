#include "objects/serializer.h"

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "objects/class_registry.h"
#include "objects/component.h"
#include "objects/unknown_object.h"
#include "objects/wide_strings.h"
#include "platform/codepage.h"
#include "platform/same_text.h"
#include "resources/resources.h"

namespace quarlo {

namespace {

// Components nested deeper than this are not read: every later walk over the tree
// (destruction, font propagation) stays far from the stack limit.
constexpr int kMaxTreeDepth = 256;

// Floats "differ" for writing against a template from this distance on.
constexpr double kTemplateFloatDistance = 0.000001;

std::string_view TrimSpaces(std::string_view s) {
  auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::u16string WithoutTrailingBreak(std::u16string text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, u"\r\n") == 0) {
    text.resize(text.size() - 2);
  }
  return text;
}

std::string WithoutTrailingBreak(std::string text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
    text.resize(text.size() - 2);
  }
  return text;
}

std::string ToHex(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Decodes pairs of hex digits up to the first character that is not one.
std::string FromHex(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 2);
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) break;
    out.push_back(static_cast<char>((hi << 4) | lo));
  }
  return out;
}

std::uint32_t Crc32(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes the length as uInt; feed large buffers in pieces.
  while (!bytes.empty()) {
    size_t chunk = std::min<size_t>(bytes.size(), 1u << 30);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(chunk));
    bytes.remove_prefix(chunk);
  }
  return static_cast<std::uint32_t>(crc);
}

void Attribute(std::string& out, const std::string& prefix, std::string_view name,
               std::string_view value) {
  out += ' ';
  out += prefix;
  out += name;
  out += "=\"";
  out += value;
  out += '"';
}

[[noreturn]] void InvalidPropertyValue() { throw EConvertError("Invalid property value"); }

}  // namespace

// ------------------------------------------------------------ value texts

std::string FloatToXML(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  std::string s(buf, res.ptr);
  if (s == "-0") s = "0";
  // Exponent spelled as 1E-5 / 1E20.
  size_t e = s.find('e');
  if (e != std::string::npos) {
    std::string mantissa = s.substr(0, e);
    std::string_view exp(s);
    exp.remove_prefix(e + 1);
    bool negative = !exp.empty() && exp.front() == '-';
    if (!exp.empty() && (exp.front() == '-' || exp.front() == '+')) exp.remove_prefix(1);
    while (exp.size() > 1 && exp.front() == '0') exp.remove_prefix(1);
    s = mantissa + "E" + (negative ? "-" : "") + std::string(exp);
  }
  return s;
}

double XMLToFloat(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (c == ' ') continue;
    s.push_back(c == ',' ? '.' : c);
  }
  std::string_view v(s);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  double result = 0;
  auto res = std::from_chars(v.data(), v.data() + v.size(), result);
  if (v.empty() || res.ec != std::errc() || res.ptr != v.data() + v.size() ||
      !std::isfinite(result)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  }
  return result;
}

std::int64_t XMLToInt(std::string_view text) {
  std::string_view v = TrimSpaces(text);
  bool negative = false;
  if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
    negative = v.front() == '-';
    v.remove_prefix(1);
  }
  int base = 10;
  if (!v.empty() && v.front() == '$') {
    base = 16;
    v.remove_prefix(1);
  } else if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
    base = 16;
    v.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  auto res = std::from_chars(v.data(), v.data() + v.size(), magnitude, base);
  constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (v.empty() || res.ec != std::errc() || res.ptr != v.data() + v.size() ||
      magnitude > kLimit + (negative ? 1 : 0)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  if (negative) return magnitude == kLimit + 1 ? std::numeric_limits<std::int64_t>::min()
                                               : -static_cast<std::int64_t>(magnitude);
  return static_cast<std::int64_t>(magnitude);
}

// ------------------------------------------------------------ serializer

TfrxXMLSerializer::TfrxXMLSerializer(Stream* stream) : stream_(stream) {}
TfrxXMLSerializer::~TfrxXMLSerializer() = default;

std::string TfrxXMLSerializer::ReferenceName(const TComponent& component) const {
  const TComponent* owner = component.Owner();
  const TfrxComponent* root = Owner;
  if (!owner || owner == root) return component.Name();
  if (root) {
    if (root->IsReport() && owner == root->Owner()) return component.Name();
    // Within the tree being written, or owned by its report: the name alone finds it
    // again when the tree is read back.
    if (owner == root->Report()) return component.Name();
    if (auto* c = As<TfrxComponent>(&component); c && root->FindObject(c->Name()) == c) {
      return component.Name();
    }
  }
  if (!owner->Name().empty()) return owner->Name() + "." + component.Name();
  return {};
}

// Each Write* appends the attribute of one property kind when it is to be written: when
// it differs from the template's value, or without a template from the default.
void TfrxXMLSerializer::WriteOrdinal(std::string& out, const std::string& prefix, const PropertyInfo& p,
                                     TPersistent& object, TPersistent* tmpl) {
  if (!p.getOrdinal) return;
  const std::int64_t v = p.getOrdinal(object);
  const bool write = tmpl ? v != p.getOrdinal(*tmpl)
                          : (SerializeDefaultValues || !p.ordinalDefault || v != *p.ordinalDefault);
  if (!write) return;
  std::string text;
  if (p.kind == PropertyKind::Enumeration && p.enumInfo) text = p.enumInfo->Name(static_cast<int>(v));
  if (text.empty()) text = std::to_string(v);
  Attribute(out, prefix, p.name, text);
}

void TfrxXMLSerializer::WriteFloat(std::string& out, const std::string& prefix, const PropertyInfo& p,
                                   TPersistent& object, TPersistent* tmpl) {
  if (!p.getFloat) return;
  const double v = p.getFloat(object);
  const bool write = tmpl ? std::fabs(v - p.getFloat(*tmpl)) >= kTemplateFloatDistance
                          : (SerializeDefaultValues || !p.floatDefault ||
                             std::fabs(v - *p.floatDefault) >= kTemplateFloatDistance);
  if (write) Attribute(out, prefix, p.name, FloatToXML(v));
}

void TfrxXMLSerializer::WriteString(std::string& out, const std::string& prefix, const PropertyInfo& p,
                                    TPersistent& object, TPersistent* tmpl) {
  if (!p.getString) return;
  const std::string v = p.getString(object);
  bool write;
  if (tmpl) {
    write = v != p.getString(*tmpl);
  } else if (SerializeDefaultValues) {
    // Copying must also carry an empty text over a non-empty one.
    write = true;
  } else {
    write = !v.empty() && (!p.stringDefault || v != *p.stringDefault);
  }
  if (write) Attribute(out, prefix, p.name, frxEscape(SystemToFileString(v, CodePageStrings)));
}

void TfrxXMLSerializer::WriteWString(std::string& out, const std::string& prefix, const PropertyInfo& p,
                                     TPersistent& object, TPersistent* tmpl) {
  if (!p.getWString) return;
  const std::u16string v = p.getWString(object);
  const bool write = tmpl ? v != p.getWString(*tmpl) : (SerializeDefaultValues || !v.empty());
  if (!write) return;
  const std::string bytes = CodePageStrings ? EncodeCodePage(v, CP_ACP) : WideToUtf8(v);
  Attribute(out, prefix, p.name, frxEscape(bytes));
}

// A component reference by name, a string list as its text, any other owned object as
// its own properties under "<Name>.".
void TfrxXMLSerializer::WriteObject(std::string& out, const std::string& prefix, const PropertyInfo& p,
                                    TPersistent& object, TPersistent* tmpl) {
  if (!p.getObject) return;
  TPersistent* value = p.getObject(object);
  TPersistent* tmplValue = tmpl ? p.getObject(*tmpl) : nullptr;
  if (p.isReference || As<TComponent>(value)) {
    std::string name = value ? ReferenceName(static_cast<TComponent&>(*value)) : "";
    if (tmpl) {
      const std::string tmplName =
          As<TComponent>(tmplValue) ? ReferenceName(static_cast<TComponent&>(*tmplValue)) : "";
      if (name == tmplName) return;
      if (!value && tmplValue) name = "nil";
    }
    if (!name.empty()) Attribute(out, prefix, p.name, frxEscape(name));
    return;
  }
  if (!value) return;
  if (auto* list = As<TStringList>(value)) {
    const std::string text = WithoutTrailingBreak(list->Text());
    if (auto* t = As<TStringList>(tmplValue); t && WithoutTrailingBreak(t->Text()) == text) return;
    Attribute(out, prefix, p.name + ".Text", frxEscape(SystemToFileString(text, CodePageStrings)));
    return;
  }
  if (As<TWideStrings>(value)) return;
  out += WriteProperties(*value, prefix + p.name + ".", tmplValue);
}

// A component's memo lines as "Text", in UTF-8.
void TfrxXMLSerializer::WriteMemoText(std::string& out, const std::string& prefix, TPersistent& object,
                                      TPersistent* tmpl) {
  auto* component = As<TfrxComponent>(&object);
  const TWideStrings* lines = component ? component->MemoLines() : nullptr;
  if (!lines) return;
  const std::u16string text = WithoutTrailingBreak(lines->Text());
  const TWideStrings* tmplLines = tmpl ? static_cast<TfrxComponent*>(tmpl)->MemoLines() : nullptr;
  if (!tmplLines || WithoutTrailingBreak(tmplLines->Text()) != text) {
    Attribute(out, prefix, "Text", frxEscape(WideToUtf8(text)));
  }
}

// The binary properties as "PropData" in hexadecimal.
void TfrxXMLSerializer::WritePropDataAttribute(std::string& out, const std::string& prefix, TPersistent& object,
                                               TPersistent* tmpl) {
  const std::string data = WritePropData(object);
  if (data.empty()) return;
  if (tmpl && Crc32(WritePropData(*tmpl)) == Crc32(data)) return;
  Attribute(out, prefix, "PropData", ToHex(data));
}

// What the file gave that no property took, as it was read.
void TfrxXMLSerializer::WriteUnreadAttributes(std::string& out, const std::string& prefix, TPersistent& object,
                                              TPersistent* tmpl) {
  const auto* component = As<TfrxComponent>(&object);
  if (!prefix.empty() || !component) return;
  const auto* tmplComponent = tmpl ? As<TfrxComponent>(tmpl) : nullptr;
  if (tmplComponent && tmplComponent->UnreadAttributes() == component->UnreadAttributes()) return;
  out += component->UnreadAttributes();
}

std::string TfrxXMLSerializer::WriteProperties(TPersistent& object, const std::string& prefix,
                                               TPersistent* tmpl) {
  std::string out;
  const ClassInfo& cls = object.GetClass();
  // A template must be able to answer the same property questions.
  if (tmpl && !tmpl->InheritsFrom(cls)) tmpl = nullptr;

  for (const PropertyInfo* pp : cls.Properties()) {
    const PropertyInfo& p = *pp;
    if (!IsSerialisedKind(p.kind) || !p.IsStored(object)) continue;
    switch (p.kind) {
      case PropertyKind::Integer:
      case PropertyKind::Char:
      case PropertyKind::WChar:
      case PropertyKind::Enumeration:
      case PropertyKind::Set:
        WriteOrdinal(out, prefix, p, object, tmpl);
        break;
      case PropertyKind::Float:
        WriteFloat(out, prefix, p, object, tmpl);
        break;
      case PropertyKind::String:
      case PropertyKind::Variant:
        WriteString(out, prefix, p, object, tmpl);
        break;
      case PropertyKind::WString:
        WriteWString(out, prefix, p, object, tmpl);
        break;
      case PropertyKind::Object:
        WriteObject(out, prefix, p, object, tmpl);
        break;
      default:
        break;
    }
  }
  WriteMemoText(out, prefix, object, tmpl);
  WritePropDataAttribute(out, prefix, object, tmpl);
  WriteUnreadAttributes(out, prefix, object, tmpl);
  return out;
}

void TfrxXMLSerializer::ApplyProperties(std::string_view text, TPersistent& object) {
  size_t pos = 0;
  const size_t n = text.size();
  while (pos < n) {
    while (pos < n && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' ||
                       text[pos] == '\n')) {
      ++pos;
    }
    size_t eq = text.find('=', pos);
    if (eq == std::string_view::npos) break;
    std::string_view name = TrimSpaces(text.substr(pos, eq - pos));
    if (name.empty()) break;
    size_t open = text.find('"', eq + 1);
    if (open == std::string_view::npos) break;
    size_t close = text.find('"', open + 1);
    if (close == std::string_view::npos) break;
    std::string_view value = text.substr(open + 1, close - open - 1);
    pos = close + 1;
    try {
      ApplyOne(name, value, object);
    } catch (const EConvertError& e) {
      AddError(FileStringToUtf8(e.what(), CodePageStrings));  // it quotes the file's value
    } catch (const std::exception& e) {
      AddError(e.what());
    }
  }
}

namespace {

// The object that holds the last part of a dotted name ("Frame.LeftLine.Width"), with
// name cut to that part; null when a part names no owned sub-object.
TPersistent* HolderOfPath(TPersistent& object, std::string_view& name) {
  TPersistent* current = &object;
  for (size_t dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.')) {
    const PropertyInfo* p = current->GetClass().FindProperty(name.substr(0, dot));
    if (!p || p->kind != PropertyKind::Object || p->isReference || !p->getObject) return nullptr;
    TPersistent* next = p->getObject(*current);
    if (!next || As<TComponent>(next)) return nullptr;
    current = next;
    name.remove_prefix(dot + 1);
  }
  return current;
}

}  // namespace

// The one-letter names of compact lines: l, t, w, h for the bounds, u and x for the
// memo text in UTF-8 or in the code page. False when the name is none of them here.
bool TfrxXMLSerializer::ApplyShortName(char name, std::string_view rawValue, TfrxComponent* component) {
  if (component && (name == 'l' || name == 't' || name == 'w' || name == 'h')) {
    const double v = XMLToFloat(rawValue);
    if (name == 'l') component->SetLeft(v);
    if (name == 't') component->SetTop(v);
    if (name == 'w') component->SetWidth(v);
    if (name == 'h') component->SetHeight(v);
    return true;
  }
  if (name != 'u' && name != 'x') return false;
  if (TWideStrings* lines = component ? component->MemoLines() : nullptr) {
    const std::string value = frxUnescape(rawValue);
    lines->SetText(name == 'u' ? Utf8ToWide(value) : DecodeCodePage(value, CP_ACP));
  }
  return true;
}

// "Text" of a string list (code page or UTF-8 as the document says), of a wide list
// (code page) or of a component's memo lines (UTF-8). False when the object has none.
bool TfrxXMLSerializer::ApplyText(std::string_view rawValue, TPersistent& holder, TfrxComponent* component) {
  if (auto* list = As<TStringList>(&holder)) {
    const std::string value = frxUnescape(rawValue);
    list->SetText(FileStringToSystem(value, CodePageStrings));
    return true;
  }
  if (auto* wide = As<TWideStrings>(&holder)) {
    wide->SetText(DecodeCodePage(frxUnescape(rawValue), CP_ACP));
    return true;
  }
  if (TWideStrings* lines = component ? component->MemoLines() : nullptr) {
    lines->SetText(Utf8ToWide(frxUnescape(rawValue)));
    return true;
  }
  return false;
}

// Integer kinds: 32-bit values, signed or unsigned as written; sets keep only the bits
// of their members.
void TfrxXMLSerializer::ApplyOrdinal(const PropertyInfo& p, std::string_view rawValue, TPersistent& holder) {
  std::int64_t v = XMLToInt(rawValue);
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::uint32_t>::max()) {
    throw EConvertError("'" + std::string(rawValue) + "' is not a valid integer value");
  }
  if (p.kind == PropertyKind::Set && p.enumInfo) {
    v &= (std::int64_t{1} << p.enumInfo->Count()) - 1;
  } else {
    v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  }
  p.setOrdinal(holder, v);
}

// An enumeration by its member's name or by its ordinal number.
void TfrxXMLSerializer::ApplyEnumeration(const PropertyInfo& p, std::string_view rawValue, TPersistent& holder) {
  const std::string value = frxUnescape(rawValue);
  const std::string_view trimmed = TrimSpaces(value);
  std::int64_t ordinal;
  if (!trimmed.empty() && ((trimmed[0] >= '0' && trimmed[0] <= '9') || trimmed[0] == '-')) {
    ordinal = XMLToInt(trimmed);
  } else {
    ordinal = p.enumInfo ? p.enumInfo->Find(trimmed) : -1;
  }
  if (!p.enumInfo || ordinal < 0 || ordinal >= p.enumInfo->Count()) InvalidPropertyValue();
  p.setOrdinal(holder, ordinal);
}

namespace {

// An attribute no property takes is kept with the object it was read for, to be
// written back; the live report is excepted, since it outlives the file it was read from.
void KeepUnread(TPersistent& object, std::string_view name, std::string_view rawValue) {
  if (auto* component = As<TfrxComponent>(&object); component && !component->IsReport()) {
    component->KeepUnreadAttribute(name, rawValue);
  }
}

}  // namespace

void TfrxXMLSerializer::ApplyOne(std::string_view name, std::string_view rawValue, TPersistent& object) {
  const std::string_view fullName = name;
  TPersistent* holder = HolderOfPath(object, name);
  if (!holder) return KeepUnread(object, fullName, rawValue);
  auto* component = As<TfrxComponent>(holder);
  if (name.size() == 1 && ApplyShortName(name[0], rawValue, component)) return;
  if (SameText(name, "Text") && ApplyText(rawValue, *holder, component)) return;
  if (SameText(name, "PropData")) {
    std::vector<PropDataReference> refs;
    ReadPropData(*holder, FromHex(rawValue), &refs);
    for (auto& r : refs) fixups_.push_back({r.object, r.property, std::move(r.name)});
    return;
  }
  if (SameText(name, "Name") && component && component->IsReport()) return;

  const PropertyInfo* p = holder->GetClass().FindProperty(name);
  if (!p) return KeepUnread(object, fullName, rawValue);
  if (!IsSerialisedKind(p->kind) || p->IsReadOnly()) return;
  switch (p->kind) {
    case PropertyKind::Integer:
    case PropertyKind::Char:
    case PropertyKind::WChar:
    case PropertyKind::Set:
      ApplyOrdinal(*p, rawValue, *holder);
      return;
    case PropertyKind::Enumeration:
      ApplyEnumeration(*p, rawValue, *holder);
      return;
    case PropertyKind::Float:
      p->setFloat(*holder, XMLToFloat(rawValue));
      return;
    case PropertyKind::String:
    case PropertyKind::Variant: {
      const std::string value = frxUnescape(rawValue);
      p->setString(*holder, FileStringToSystem(value, CodePageStrings));
      return;
    }
    case PropertyKind::WString: {
      const std::string value = frxUnescape(rawValue);
      p->setWString(*holder, CodePageStrings ? DecodeCodePage(value, CP_ACP) : Utf8ToWide(value));
      return;
    }
    case PropertyKind::Object:
      if (p->isReference) fixups_.push_back({holder, p, frxUnescape(rawValue)});
      return;
    default:
      return;
  }
}

void TfrxXMLSerializer::ResolveReferences() {
  std::vector<TfrxFixupItem> pending;
  pending.swap(fixups_);
  for (const TfrxFixupItem& f : pending) {
    if (!f.Obj || !f.Property || !f.Property->setObject) continue;
    if (f.Value == "nil") {
      // Written when a template has a reference the object lacks.
      f.Property->setObject(*f.Obj, nullptr);
      continue;
    }
    TComponent* found = nullptr;
    if (Owner) {
      found = Owner->FindObject(f.Value);
      if (!found && f.Value.find('.') == std::string::npos) {
        found = Owner->FindComponent(f.Value);
        if (!found && Owner->IsReport() && Owner->Owner()) {
          found = Owner->Owner()->FindComponent(f.Value);
        }
        if (!found) {
          TfrxComponent* report = Owner->Report();
          if (report && report != Owner) found = report->FindObject(f.Value);
        }
      }
    }
    if (!found) continue;
    // A setter may refuse the target (a circular child band); that is a reading
    // error like any other, and the remaining references are still resolved.
    try {
      f.Property->setObject(*f.Obj, found);
    } catch (const std::exception& e) {
      AddError(e.what());
    }
  }
}

void TfrxXMLSerializer::ReadObjectTree(TfrxComponent& root, TfrxXMLItem* item) {
  std::unique_ptr<TfrxXMLDocument> doc;
  if (!item) {
    if (!stream_) return;
    doc = std::make_unique<TfrxXMLDocument>();
    doc->LoadFromStream(*stream_);
    CodePageStrings = doc->CodePageStrings;
    item = doc->Root();
  }
  if (!Owner) Owner = &root;
  fixups_.clear();

  std::vector<TfrxComponent*> read;
  struct Pending {
    TfrxXMLItem* item;
    TfrxComponent* parent;  // null for the root element
    int depth;
  };
  std::vector<Pending> stack{{item, nullptr, 0}};
  while (!stack.empty()) {
    Pending cur = stack.back();
    stack.pop_back();
    TfrxXMLItem& el = *cur.item;
    const bool inherited = SameText(el.Name, "inherited");
    const ClassInfo* cls = inherited ? nullptr : FindClass(el.Name);
    if (!inherited && !cls && cur.parent && cur.depth <= kMaxTreeDepth) {
      // Kept as read, so a save writes it back and the page says what it left out.
      auto* unknown = new TfrxUnknownObject(cur.parent);
      unknown->SetLoading(true);
      unknown->Keep(el);
      read.push_back(unknown);
      continue;
    }
    if (!inherited && (!cls || !cls->InheritsFrom(TfrxComponent::StaticClass()))) {
      AddError(frxResources().Get("xrCantFindClass") + " " + el.Name);
      continue;
    }
    if (cur.depth > kMaxTreeDepth) {
      AddError("Object tree too deep: " + el.Name);
      continue;
    }
    TfrxComponent* component = nullptr;
    if (!cur.parent) {
      component = &root;
    } else {
      std::string name = el.Prop("Name");
      component = As<TfrxComponent>(Owner->FindComponent(name));
      if (!component) {
        if (inherited || !cls->CanCreate()) continue;
        TPersistent* created = cls->Create()(cur.parent);
        component = As<TfrxComponent>(created);
        if (!component) {
          delete created;
          continue;
        }
      }
    }
    component->SetLoading(true);
    ApplyProperties(el.Text, *component);
    if (cur.parent && OnObjectRead) OnObjectRead(*component, el);
    read.push_back(component);
    for (int i = el.Count(); i-- > 0;) stack.push_back({el.Items(i), component, cur.depth + 1});
  }

  ResolveReferences();
  for (TfrxComponent* c : read) {
    c->SetLoading(false);
    if (!c->IsReport()) c->Loaded();
  }
}

void TfrxXMLSerializer::WriteObjectTree(TfrxComponent& component, bool saveChildren,
                                        TfrxXMLItem* item) {
  std::unique_ptr<TfrxXMLDocument> doc;
  bool savedCodePageStrings = CodePageStrings;
  if (!item) {
    doc = std::make_unique<TfrxXMLDocument>();
    item = doc->Root();
    // The header of a written document always declares code page strings, so the
    // values must be written that way to read back unchanged.
    CodePageStrings = true;
  }
  if (!Owner) Owner = &component;

  struct Pending {
    TfrxComponent* component;
    TfrxXMLItem* item;
  };
  std::vector<Pending> stack{{&component, item}};
  while (!stack.empty()) {
    Pending cur = stack.back();
    stack.pop_back();
    TfrxComponent& c = *cur.component;
    if (const auto* unknown = As<TfrxUnknownObject>(&c)) {
      unknown->WriteElement(*cur.item);
      continue;
    }
    cur.item->Name = c.IsAncestor() ? "inherited" : c.ClassName();
    if (&c == &component) {
      cur.item->Text = WriteProperties(c);
    } else {
      cur.item->Text = "Name=\"" + c.Name() + "\"" + WriteProperties(c);
    }
    if (!saveChildren) continue;
    const auto& kids = c.ChildList();
    std::vector<TfrxXMLItem*> childItems;
    childItems.reserve(kids.size());
    for (size_t i = 0; i < kids.size(); ++i) childItems.push_back(cur.item->Add());
    for (size_t i = kids.size(); i-- > 0;) stack.push_back({kids[i], childItems[i]});
  }

  CodePageStrings = savedCodePageStrings;
  if (doc && stream_) {
    doc->Indented = true;
    doc->SaveToStream(*stream_);
  }
}

std::string TfrxXMLSerializer::WriteObjectLine(TPersistent& object) {
  return object.ClassName() + WriteProperties(object);
}

TfrxComponent* TfrxXMLSerializer::ReadObjectLine(TfrxComponent* owner, std::string_view line) {
  line = TrimSpaces(line);
  size_t space = line.find(' ');
  std::string_view className = line.substr(0, space);
  std::string_view attributes = space == std::string_view::npos ? "" : line.substr(space + 1);
  // The name comes from the file; messages are UTF-8.
  const ClassInfo* cls = FindClass(className);
  if (!cls || !cls->CanCreate() || !cls->InheritsFrom(TfrxComponent::StaticClass())) {
    throw EClassNotFound("Class " + FileStringToUtf8(className, CodePageStrings) + " not found");
  }
  TPersistent* created = cls->Create()(owner);
  auto* component = As<TfrxComponent>(created);
  Owner = owner;
  fixups_.clear();
  component->SetLoading(true);
  ApplyProperties(attributes, *component);
  ResolveReferences();
  component->SetLoading(false);
  if (!component->IsReport()) component->Loaded();
  return component;
}

void TfrxXMLSerializer::WriteComponent(TPersistent& object) {
  if (!stream_) return;
  stream_->Write("<" + WriteObjectLine(object) + "/>");
}

void TfrxXMLSerializer::ReadPersistent(std::string_view text, TPersistent& object) {
  ApplyProperties(text, object);
  ResolveReferences();
}

}  // namespace quarlo
