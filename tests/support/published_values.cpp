#include "published_values.h"

#include <algorithm>
#include <cstdio>

#include "objects/prop_data.h"
#include "objects/serializer.h"
#include "objects/component.h"
#include "objects/wide_strings.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"

namespace quarlo::testing {

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[3];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    out += buf;
  }
  return out;
}

void Collect(TPersistent& object, const std::string& prefix, std::vector<std::string>& out,
             int depth) {
  if (depth > 16) return;
  for (const PropertyInfo* p : object.GetClass().Properties()) {
    const std::string path = prefix + p->name;
    switch (p->kind) {
      case PropertyKind::Integer:
      case PropertyKind::Char:
      case PropertyKind::WChar:
      case PropertyKind::Enumeration:
      case PropertyKind::Set:
        if (p->getOrdinal) out.push_back(path + "=" + std::to_string(p->getOrdinal(object)));
        break;
      case PropertyKind::Float:
        if (p->getFloat) out.push_back(path + "=" + FloatToXML(p->getFloat(object)));
        break;
      case PropertyKind::String:
      case PropertyKind::Variant:
        if (p->getString) out.push_back(path + "=" + p->getString(object));
        break;
      case PropertyKind::WString:
        if (p->getWString) out.push_back(path + "=" + Utf16ToUtf8(p->getWString(object)));
        break;
      case PropertyKind::Object: {
        if (!p->getObject) break;
        TPersistent* value = p->getObject(object);
        if (p->isReference) {
          auto* c = As<TComponent>(value);
          out.push_back(path + "=" + (c ? "->" + c->Name() : std::string("nil")));
        } else if (auto* list = As<TStringList>(value)) {
          out.push_back(path + ".Text=" + list->Text());
        } else if (auto* wide = As<TWideStrings>(value)) {
          out.push_back(path + ".Text=" + Utf16ToUtf8(wide->Text()));
        } else if (value) {
          Collect(*value, path + ".", out, depth + 1);
        }
        break;
      }
      default:
        break;
    }
  }
  if (auto* c = As<TfrxComponent>(&object); c && c->MemoLines()) {
    out.push_back(prefix + "(text)=" + Utf16ToUtf8(c->MemoLines()->Text()));
  }
  std::string data = WritePropData(object);
  if (!data.empty()) out.push_back(prefix + "(data)=" + Hex(data));
}

}  // namespace

std::vector<std::string> PublishedValues(TPersistent& object) {
  std::vector<std::string> out;
  Collect(object, "", out, 0);
  return out;
}

std::vector<std::string> TreeValues(TfrxComponent& root) {
  std::vector<std::string> out;
  std::vector<TfrxComponent*> all{&root};
  for (TfrxComponent* c : root.AllObjects()) all.push_back(c);
  for (size_t i = 0; i < all.size(); ++i) {
    TfrxComponent* c = all[i];
    std::string head = "#" + std::to_string(i) + " " + c->ClassName() + " " + c->Name() +
                       " (parent " + (c->Parent() ? c->Parent()->Name() : "-") + "): ";
    out.push_back(head + "Width=" + FloatToXML(c->Width()) + " Height=" + FloatToXML(c->Height()));
    for (std::string& line : PublishedValues(*c)) out.push_back(head + line);
  }
  return out;
}

std::string FirstDifference(const std::vector<std::string>& actual,
                            const std::vector<std::string>& expected) {
  const size_t n = std::max(actual.size(), expected.size());
  for (size_t i = 0; i < n; ++i) {
    const std::string a = i < actual.size() ? actual[i] : "(missing)";
    const std::string e = i < expected.size() ? expected[i] : "(missing)";
    if (a != e) return "line " + std::to_string(i) + ": got [" + a + "], expected [" + e + "]";
  }
  return {};
}

}  // namespace quarlo::testing
