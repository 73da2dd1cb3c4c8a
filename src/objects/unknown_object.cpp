#include "objects/unknown_object.h"

#include <algorithm>
#include <utility>

#include "platform/errors.h"
#include "xml/xml_document.h"

namespace quarlo {

const ClassInfo& TfrxUnknownObject::StaticClass() {
  // Never registered: a file cannot name this class; it only stands in for others.
  static const ClassInfo info = [] {
    ClassBuilder<TfrxUnknownObject, TfrxComponent> b("TfrxUnknownObject");
    return b.Build();
  }();
  return info;
}

TfrxUnknownObject::TfrxUnknownObject(TComponent* owner)
    : TfrxComponent(owner), children_(std::make_unique<TfrxXMLItem>()) {}

TfrxUnknownObject::~TfrxUnknownObject() = default;

void TfrxUnknownObject::Keep(const TfrxXMLItem& element) {
  className_ = element.Name;
  text_ = element.Text;
  children_->Clear();
  CopyChildren(element, *children_);
  const bool wasLoading = Loading();
  SetLoading(true);  // a name from a file is kept as it stands
  try {
    SetName(element.Prop("Name"));
  } catch (const Exception&) {
    // A name that does not read or clashes leaves the object unnamed; it is kept all the same.
  }
  SetLoading(wasLoading);
}

void TfrxUnknownObject::KeepAs(const TfrxUnknownObject& other) {
  className_ = other.className_;
  text_ = other.text_;
  children_->Clear();
  CopyChildren(*other.children_, *children_);
}

void TfrxUnknownObject::WriteElement(TfrxXMLItem& item) const {
  item.Name = className_;
  item.Text = text_;
  CopyChildren(*children_, item);
}

void CopyChildren(const TfrxXMLItem& item, TfrxXMLItem& target) {
  std::vector<std::pair<const TfrxXMLItem*, TfrxXMLItem*>> pending{{&item, &target}};
  while (!pending.empty()) {
    const auto [from, to] = pending.back();
    pending.pop_back();
    for (int i = 0; i < from->Count(); ++i) {
      const TfrxXMLItem* child = from->Items(i);
      TfrxXMLItem* copy = to->Add();
      copy->Name = child->Name;
      copy->Text = child->Text;
      if (child->Count() > 0) pending.push_back({child, copy});
    }
  }
}

std::vector<std::string> UnknownClassesIn(const TfrxComponent& root) {
  std::vector<std::string> classes;
  for (const TfrxComponent* c : root.AllObjects()) {
    if (const auto* unknown = dynamic_cast<const TfrxUnknownObject*>(c)) classes.push_back(unknown->FileClassName());
  }
  std::sort(classes.begin(), classes.end());
  classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
  return classes;
}

}  // namespace quarlo
