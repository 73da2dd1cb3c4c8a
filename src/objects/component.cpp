#include "objects/component.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "platform/errors.h"
#include "objects/serializer.h"
#include "platform/stream.h"
#include "objects/property_differences.h"
#include "objects/units.h"
#include "xml/xml_text.h"
#include "platform/same_text.h"
#include "resources/resources.h"

namespace quarlo {

// ---------------------------------------------------------------- TComponent

const ClassInfo& TComponent::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TComponent, TPersistent);
    // Written ahead of the other attributes by the serializer, never as a property.
    b.String("Name", &TComponent::Name,
             [](TComponent& c, const std::string& v) { c.SetName(v); })
        .NotStored();
    b.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
    return b.Build();
  }();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    // The destructor removes it from this list; detach first in case it does not.
    components_.pop_back();
    last->owner_ = nullptr;
    delete last;
  }
  if (owner_) owner_->RemoveComponent(this);
}

bool TComponent::IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(name[0])) return false;
  for (char c : name) {
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

void TComponent::SetName(const std::string& name) {
  // The identifier rule is for renames; a name read from a file is kept as it stands
  // (designers on Chinese systems give names such as 备注1).
  if (!name.empty() && !loading_ && !IsValidIdent(name)) {
    throw Exception("''" + name + "'' is not a valid component name");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
}

// ------------------------------------------------------------ enumerations

const EnumInfo& RestrictionMembers() {
  static const EnumInfo names{"rfDontModify", "rfDontSize", "rfDontMove", "rfDontDelete",
                              "rfDontEdit"};
  return names;
}

const EnumInfo& AlignNames() {
  static const EnumInfo names{"baNone", "baLeft", "baRight", "baCenter",
                              "baWidth", "baBottom", "baClient"};
  return names;
}

// ------------------------------------------------------------ TfrxComponent

const ClassInfo& TfrxComponent::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxComponent, TComponent).Build();
  return info;
}

namespace {

TComponent* PlatformOwnerFor(TComponent* owner) {
  if (auto* c = As<TfrxComponent>(owner)) return c->Report();
  return owner;
}

}  // namespace

TfrxComponent::TfrxComponent(TComponent* owner) : TComponent(PlatformOwnerFor(owner)) {
  font_.OnChange = [this] { NotifyFontChanged(); };
  if (auto* parent = As<TfrxComponent>(owner)) SetParent(parent);
}

TfrxComponent::~TfrxComponent() {
  font_.OnChange = nullptr;
  DetachFromParent();
  while (!objects_.empty()) {
    TfrxComponent* last = objects_.back();
    objects_.pop_back();
    last->parent_ = nullptr;
    delete last;
  }
}

void TfrxComponent::DetachFromParent() {
  if (!parent_) return;
  auto& siblings = parent_->objects_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  if (it != siblings.end()) siblings.erase(it);
  parent_ = nullptr;
}

void TfrxComponent::SetLeft(double value) {
  if (isDesigning_ && (restrictions_ & rfDontMove)) return;
  left_ = value;
}

void TfrxComponent::SetTop(double value) {
  if (isDesigning_ && (restrictions_ & rfDontMove)) return;
  top_ = value;
}

void TfrxComponent::SetWidth(double value) {
  if (isDesigning_ && (restrictions_ & rfDontSize)) return;
  width_ = value;
}

void TfrxComponent::SetHeight(double value) {
  if (isDesigning_ && (restrictions_ & rfDontSize)) return;
  height_ = value;
}

void TfrxComponent::SetBounds(double left, double top, double width, double height) {
  SetLeft(left);
  SetTop(top);
  SetWidth(width);
  SetHeight(height);
}

void TfrxComponent::SetFont(const TFont& font) {
  // Assigning runs NotifyFontChanged, which turns ParentFont off.
  font_ = font;
  parentFont_ = false;
}

void TfrxComponent::SetParentFont(bool value) {
  if (value && parent_) font_ = parent_->font_;
  parentFont_ = value;
}

void TfrxComponent::NotifyFontChanged() {
  parentFont_ = false;
  for (TfrxComponent* child : objects_) {
    if (child->parentFont_) child->SetParentFont(true);
  }
}

void TfrxComponent::SetParent(TfrxComponent* parent) {
  if (parent == this) return;
  // A component cannot become a descendant of itself: the tree would lose its root.
  for (TfrxComponent* p = parent; p; p = p->parent_) {
    if (p == this) return;
  }
  if (parent_ != parent) {
    DetachFromParent();
    if (parent) parent->objects_.push_back(this);
    parent_ = parent;
  }
  if (parent_) SetParentFont(parentFont_);
}

std::vector<TfrxComponent*> TfrxComponent::AllObjects() const {
  std::vector<TfrxComponent*> result;
  // Explicit stack: documents can nest deeply and must not exhaust the call stack.
  std::vector<const TfrxComponent*> pending;
  std::vector<size_t> nextChild;
  pending.push_back(this);
  nextChild.push_back(0);
  while (!pending.empty()) {
    const TfrxComponent* c = pending.back();
    size_t& i = nextChild.back();
    const auto& kids = c->ChildList();
    if (i >= kids.size()) {
      pending.pop_back();
      nextChild.pop_back();
      continue;
    }
    TfrxComponent* child = kids[i++];
    result.push_back(child);
    pending.push_back(child);
    nextChild.push_back(0);
  }
  return result;
}

TfrxComponent* TfrxComponent::FindObject(std::string_view name) const {
  // Same order as AllObjects, without building the list: renaming checks the whole
  // report on every name set while a document is read.
  thread_local std::vector<std::pair<const TfrxComponent*, size_t>> stack;
  stack.clear();
  stack.emplace_back(this, 0);
  while (!stack.empty()) {
    auto& [c, i] = stack.back();
    const auto& kids = c->ChildList();
    if (i >= kids.size()) {
      stack.pop_back();
      continue;
    }
    TfrxComponent* child = kids[i++];
    if (SameText(child->Name(), name)) {
      stack.clear();
      return child;
    }
    if (!child->ChildList().empty()) stack.emplace_back(child, 0);
  }
  return nullptr;
}

std::string TfrxComponent::BaseName() const {
  std::string name = ClassName();
  if (auto p = name.find("Tfrx"); p != std::string::npos) name.erase(p, 4);
  if (auto p = name.find("View"); p != std::string::npos) name.erase(p, 4);
  return name;
}

void TfrxComponent::SetName(const std::string& name) {
  if (SameText(name, Name())) return;
  if (!name.empty()) {
    if (TfrxComponent* report = Report()) {
      TfrxComponent* found = report->FindObject(name);
      if (found && found != this) throw Exception(frxResources().Get("prDupl"));
    }
    if (isAncestor_) {
      throw Exception("Could not rename " + Name() + ", it was introduced in the ancestor report");
    }
  }
  TComponent::SetName(name);
}

std::string TfrxComponent::MakeUniqueName() const {
  const TfrxComponent* scope = Report();
  if (!scope) scope = parent_;
  std::vector<std::string> names;
  if (scope) {
    for (TfrxComponent* c : scope->AllObjects()) {
      std::string n = c->Name();
      for (char& ch : n) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
      }
      names.push_back(std::move(n));
    }
  }
  std::sort(names.begin(), names.end());
  std::string base = BaseName();
  for (size_t i = 1;; ++i) {
    std::string candidate = base + std::to_string(i);
    std::string lower = candidate;
    for (char& ch : lower) {
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    if (!std::binary_search(names.begin(), names.end(), lower)) return candidate;
  }
}

TfrxPage* TfrxComponent::Page() const {
  for (const TfrxComponent* c = this; c; c = c->parent_) {
    if (auto* page = As<TfrxPage>(c)) return const_cast<TfrxPage*>(page);
  }
  return nullptr;
}

TfrxComponent* TfrxComponent::Report() const {
  for (const TfrxComponent* c = this; c; c = c->parent_) {
    if (c->IsReport()) return const_cast<TfrxComponent*>(c);
  }
  return nullptr;
}

double TfrxComponent::AbsLeft() const {
  double sum = left_;
  for (const TfrxComponent* p = parent_; p && !p->IsDialogPage(); p = p->parent_) {
    sum += p->left_;
  }
  return sum;
}

double TfrxComponent::AbsTop() const {
  double sum = top_;
  for (const TfrxComponent* p = parent_; p && !p->IsDialogPage(); p = p->parent_) {
    sum += p->top_;
  }
  return sum;
}

namespace {

std::string ArrangeKey(double left) {
  char buf[64];
  if (left >= 0) {
    std::snprintf(buf, sizeof buf, "1%9.2f", left);
  } else {
    std::snprintf(buf, sizeof buf, "0%9.2f", -left);
  }
  return buf;
}

bool OverlapVertically(const TfrxComponent& a, const TfrxComponent& b) {
  double at = a.AbsTop(), bt = b.AbsTop();
  return !(at >= bt + b.Height() - kFloatTolerance || bt >= at + a.Height() - kFloatTolerance);
}

}  // namespace

void TfrxComponent::ArrangeChildren() {
  struct Entry {
    std::string key;
    TfrxComponent* view;
  };
  std::vector<Entry> sorted;
  for (TfrxComponent* c : objects_) {
    if (c->IsView()) sorted.push_back({ArrangeKey(c->Left()), c});
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Entry& a, const Entry& b) { return a.key < b.key; });
  const size_t n = sorted.size();

  for (size_t i = 0; i < n; ++i) {
    TfrxComponent* c = sorted[i].view;
    TfrxAlign align = c->Align();
    if (align != baLeft && align != baWidth) continue;
    TfrxComponent* found = nullptr;
    for (size_t j = i; j-- > 0;) {
      TfrxComponent* cand = sorted[j].view;
      if (align == baWidth && cand->Left() > c->Left()) continue;
      if (OverlapVertically(*c, *cand)) {
        found = cand;
        break;
      }
    }
    c->SetLeft(found ? found->Left() + found->Width() : 0);
  }

  for (size_t i = n; i-- > 0;) {
    TfrxComponent* c = sorted[i].view;
    TfrxAlign align = c->Align();
    if (align != baRight && align != baWidth) continue;
    TfrxComponent* found = nullptr;
    for (size_t j = i + 1; j < n; ++j) {
      TfrxComponent* cand = sorted[j].view;
      if (align == baWidth && cand->Left() + cand->Width() < c->Left() + c->Width()) continue;
      if (OverlapVertically(*c, *cand)) {
        found = cand;
        break;
      }
    }
    double edge = found ? found->Left() : Width();
    if (align == baRight) {
      c->SetLeft(edge - c->Width());
    } else {
      c->SetWidth(edge - c->Left());
    }
  }

  for (const Entry& e : sorted) {
    TfrxComponent* c = e.view;
    switch (c->Align()) {
      case baCenter:
        c->SetLeft((Width() - c->Width()) / 2);
        break;
      case baBottom:
        c->SetTop(Height() - c->Height());
        break;
      case baClient:
        c->SetLeft(0);
        c->SetTop(0);
        c->SetWidth(Width());
        c->SetHeight(Height());
        break;
      default:
        break;
    }
  }
}

void TfrxComponent::Clear() {
  std::vector<TfrxComponent*> children = objects_;
  for (TfrxComponent* c : children) {
    if (c->isAncestor_) {
      c->Clear();
    } else {
      delete c;
    }
  }
}

void TfrxComponent::SaveToStream(Stream& stream, bool saveChildren, bool saveDefaultValues) const {
  TfrxXMLSerializer serializer(&stream);
  serializer.SerializeDefaultValues = saveDefaultValues;
  serializer.WriteObjectTree(*const_cast<TfrxComponent*>(this), saveChildren);
}

void TfrxComponent::LoadFromStream(Stream& stream) {
  static std::mutex loadLock;
  TfrxComponent* report = Report();
  std::unique_lock<std::mutex> lock(loadLock, std::defer_lock);
  if (report && report->LoadsUnderLock()) lock.lock();
  Clear();
  TfrxXMLSerializer serializer(&stream);
  serializer.ReadObjectTree(*this);
  if (report) {
    if (std::set<std::string>* errors = report->ErrorList()) {
      errors->insert(serializer.Errors().begin(), serializer.Errors().end());
    }
  }
}

void TfrxComponent::KeepUnreadAttribute(std::string_view name, std::string_view rawValue) {
  std::string kept = xml::WithoutAttribute(unreadAttributes_, name);
  kept += ' ';
  kept += name;
  kept += "=\"";
  kept += rawValue;
  kept += '"';
  unreadAttributes_ = std::move(kept);
}

void TfrxComponent::Assign(const TfrxComponent& source) {
  if (&source == this) return;
  MemoryStream buffer;
  source.SaveToStream(buffer, false, true);
  buffer.SetPosition(0);
  TfrxXMLSerializer serializer(&buffer);
  serializer.ReadObjectTree(*this);
}

void TfrxComponent::AssignWithChildren(const TfrxComponent& source) {
  if (&source == this) return;
  MemoryStream buffer;
  source.SaveToStream(buffer, true, true);
  buffer.SetPosition(0);
  Clear();
  TfrxXMLSerializer serializer(&buffer);
  serializer.ReadObjectTree(*this);
}

std::string TfrxComponent::WriteDifferences(const TfrxComponent& tmpl) const {
  DifferenceWriter w;
  w.Float("l", Left(), tmpl.Left());
  if (AlwaysWritesTopDifference()) {
    w.Always("t", FloatToXML(Top()));
  } else {
    w.Float("t", Top(), tmpl.Top());
  }
  if (WritesWidthDifference()) w.Float("w", Width(), tmpl.Width());
  w.Float("h", Height(), tmpl.Height());
  w.Bool("Visible", Visible(), tmpl.Visible());
  if (!ParentFont()) {
    const TFont& f = Font();
    const TFont& t = tmpl.Font();
    w.String("Font.Name", f.Name(), t.Name());
    w.Integer("Font.Size", f.Size(), t.Size());
    w.Integer("Font.Color", f.Color(), t.Color());
    w.Integer("Font.Style", f.Style(), t.Style());
    w.Integer("Font.Charset", f.Charset(), t.Charset());
  }
  w.Bool("ParentFont", ParentFont(), tmpl.ParentFont());
  w.Integer("Tag", Tag(), tmpl.Tag());
  return w.Result();
}

// ------------------------------------------------------ TfrxReportComponent

const ClassInfo& TfrxReportComponent::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxReportComponent, TfrxComponent);
    b.String("Description", &TfrxReportComponent::Description,
             &TfrxReportComponent::SetDescription);
    return b.Build();
  }();
  return info;
}

TfrxReportComponent::TfrxReportComponent(TComponent* owner) : TfrxComponent(owner) {}

void TfrxReportComponent::BeforeOutput() {
  savedBounds_ = {Left(), Top(), Width(), Height()};
}

void TfrxReportComponent::AfterOutput() {
  SetBounds(savedBounds_.Left, savedBounds_.Top, savedBounds_.Right, savedBounds_.Bottom);
}

ReportRect TfrxReportComponent::RealBounds() const {
  return {AbsLeft(), AbsTop(), AbsLeft() + Width(), AbsTop() + Height()};
}

// ----------------------------------------------------------------- TfrxPage

const ClassInfo& TfrxPage::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxPage, TfrxComponent);
    b.Object<TFont>("Font", &TfrxComponent::FontObject)
        .StoredWhen<TfrxPage>([](const TfrxPage& p) { return !p.ParentFont(); });
    b.Bool("Visible", &TfrxComponent::Visible,
           [](TfrxPage& p, bool v) { p.SetVisible(v); })
        .Default(true);
    return b.Build();
  }();
  return info;
}

TfrxPage::TfrxPage(TComponent* owner) : TfrxComponent(owner) {}

}  // namespace quarlo
