// The node of the XML tree. Children live in a bare pointer array; destruction walks
// the subtree with an explicit work list so that depth never reaches the call stack.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "document/xml_document.h"
#include "document/xml_text.h"

namespace quarlo {

namespace {

// Deletes a set of detached subtrees breadth-first: each node hands its children to
// the work list before it is deleted, so every destructor runs on a childless node.
void DestroyDetached(std::vector<TfrxXMLItem*>& work);

}  // namespace

TfrxXMLItem::~TfrxXMLItem() {
  if (parent_) {
    const int at = parent_->IndexOf(this);
    if (at >= 0) parent_->Detach(static_cast<uint32_t>(at));
  }
  Clear();
}

TfrxXMLItem* TfrxXMLItem::Items(int index) const {
  if (index < 0 || static_cast<uint32_t>(index) >= count_) {
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  }
  return items_[index];
}

void TfrxXMLItem::Append(TfrxXMLItem* item) {
  if (count_ == capacity_) {
    if (capacity_ >= 0x7fffffffu) throw std::bad_alloc();
    const uint32_t grown = capacity_ < 4 ? 4 : capacity_ * 2;
    void* bigger = std::realloc(items_, sizeof(TfrxXMLItem*) * grown);
    if (!bigger) throw std::bad_alloc();
    items_ = static_cast<TfrxXMLItem**>(bigger);
    capacity_ = grown;
  }
  items_[count_++] = item;
  item->parent_ = this;
}

void TfrxXMLItem::Detach(uint32_t index) {
  items_[index]->parent_ = nullptr;
  std::memmove(items_ + index, items_ + index + 1, sizeof(TfrxXMLItem*) * (count_ - index - 1));
  --count_;
}

void TfrxXMLItem::ShrinkChildren() {
  if (count_ == capacity_ || count_ == 0) return;
  void* smaller = std::realloc(items_, sizeof(TfrxXMLItem*) * count_);
  if (smaller) {
    items_ = static_cast<TfrxXMLItem**>(smaller);
    capacity_ = count_;
  }
}

TfrxXMLItem* TfrxXMLItem::Add() {
  auto item = std::make_unique<TfrxXMLItem>();
  Append(item.get());
  return item.release();
}

void TfrxXMLItem::AddItem(TfrxXMLItem* item) {
  if (!item) return;
  for (const TfrxXMLItem* up = this; up; up = up->parent_) {
    if (up == item) throw Exception("An XML node cannot be moved below itself");
  }
  if (item->parent_) {
    TfrxXMLItem* old = item->parent_;
    old->Detach(static_cast<uint32_t>(old->IndexOf(item)));
  }
  Append(item);
}

void TfrxXMLItem::InsertItem(int index, TfrxXMLItem* item) {
  if (!item) return;
  AddItem(item);
  const uint32_t to = static_cast<uint32_t>(std::clamp(index, 0, Count() - 1));
  std::memmove(items_ + to + 1, items_ + to, sizeof(TfrxXMLItem*) * (count_ - 1 - to));
  items_[to] = item;
}

int TfrxXMLItem::Find(std::string_view name) const {
  for (uint32_t i = 0; i < count_; ++i) {
    if (xml::SameText(items_[i]->Name, name)) return static_cast<int>(i);
  }
  return -1;
}

TfrxXMLItem* TfrxXMLItem::FindItem(std::string_view name) {
  const int at = Find(name);
  if (at >= 0) return items_[at];
  TfrxXMLItem* item = Add();
  item->Name = std::string(name);
  return item;
}

int TfrxXMLItem::IndexOf(const TfrxXMLItem* item) const {
  for (uint32_t i = 0; i < count_; ++i) {
    if (items_[i] == item) return static_cast<int>(i);
  }
  return -1;
}

void TfrxXMLItem::Clear() {
  if (!items_) return;
  std::vector<TfrxXMLItem*> work(items_, items_ + count_);
  for (TfrxXMLItem* child : work) child->parent_ = nullptr;
  std::free(items_);
  items_ = nullptr;
  count_ = capacity_ = 0;
  DestroyDetached(work);
}

std::unique_ptr<TfrxXMLItem> TfrxXMLItem::Extract(int index) {
  TfrxXMLItem* item = Items(index);
  Detach(static_cast<uint32_t>(index));
  return std::unique_ptr<TfrxXMLItem>(item);
}

std::string TfrxXMLItem::Prop(std::string_view name) const {
  const size_t at = xml::FindAttribute(Text, name);
  if (at == std::string::npos) return std::string();
  const size_t start = at + name.size() + 2;
  size_t stop = Text.find('"', start);
  if (stop == std::string::npos) stop = Text.size();
  return frxUnescape(std::string_view(Text).substr(start, stop - start));
}

bool TfrxXMLItem::HasProp(std::string_view name) const {
  return xml::FindAttribute(Text, name) != std::string::npos;
}

void TfrxXMLItem::Prop(std::string_view name, std::string_view value) {
  size_t at = xml::FindAttribute(Text, name);
  if (at != std::string::npos) {
    const size_t close = Text.find('"', at + name.size() + 2);
    Text.erase(at, close == std::string::npos ? std::string::npos : close + 1 - at);
  } else {
    at = Text.size();
  }
  std::string attribute;
  const std::string escaped = frxEscape(value);
  attribute.reserve(name.size() + escaped.size() + 4);
  if (at > 0 && Text[at - 1] != ' ') attribute += ' ';
  attribute.append(name);
  attribute += "=\"";
  attribute += escaped;
  attribute += '"';
  Text.insert(at, attribute);
}

namespace {

void DestroyDetached(std::vector<TfrxXMLItem*>& work) {
  while (!work.empty()) {
    TfrxXMLItem* node = work.back();
    work.pop_back();
    for (int i = node->Count() - 1; i >= 0; --i) {
      work.push_back(node->Extract(i).release());
    }
    delete node;
  }
}

}  // namespace

}  // namespace quarlo
