// The node of the XML tree. Children live in a bare pointer array; destruction walks
// the subtree with an explicit work list so that depth never reaches the call stack.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

#include "xml/xml_document.h"
#include "xml/xml_text.h"

namespace quarlo {

TfrxXMLItem::~TfrxXMLItem() {
  if (parent_) {
    const int at = parent_->IndexOf(this);
    if (at >= 0) parent_->Detach(static_cast<uint32_t>(at));
  }
  Clear();
}

TfrxXMLItem* TfrxXMLItem::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  }
  return list_->items[index];
}

size_t TfrxXMLItem::ListBytes(uint32_t capacity) {
  return offsetof(ChildList, items) + sizeof(TfrxXMLItem*) * capacity;
}

void TfrxXMLItem::Append(TfrxXMLItem* item) {
  const uint32_t count = list_ ? list_->count : 0;
  if (!list_ || count == list_->capacity) {
    if (count >= 0x7fffffffu) throw std::bad_alloc();
    const uint32_t grown = count < 4 ? 4 : count * 2;
    void* bigger = std::realloc(list_, ListBytes(grown));
    if (!bigger) throw std::bad_alloc();
    list_ = static_cast<ChildList*>(bigger);
    list_->count = count;
    list_->capacity = grown;
  }
  list_->items[list_->count++] = item;
  item->parent_ = this;
}

void TfrxXMLItem::Detach(uint32_t index) {
  TfrxXMLItem** items = list_->items;
  items[index]->parent_ = nullptr;
  std::memmove(items + index, items + index + 1, sizeof(TfrxXMLItem*) * (list_->count - index - 1));
  --list_->count;
}

void TfrxXMLItem::ShrinkChildren() {
  if (!list_ || list_->count == list_->capacity || list_->count == 0) return;
  void* smaller = std::realloc(list_, ListBytes(list_->count));
  if (smaller) {
    list_ = static_cast<ChildList*>(smaller);
    list_->capacity = list_->count;
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
  TfrxXMLItem** items = list_->items;
  std::memmove(items + to + 1, items + to, sizeof(TfrxXMLItem*) * (list_->count - 1 - to));
  items[to] = item;
}

int TfrxXMLItem::Find(std::string_view name) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    if (SameText(list_->items[i]->Name, name)) return i;
  }
  return -1;
}

TfrxXMLItem* TfrxXMLItem::FindItem(std::string_view name) {
  const int at = Find(name);
  if (at >= 0) return list_->items[at];
  TfrxXMLItem* item = Add();
  item->Name = std::string(name);
  return item;
}

int TfrxXMLItem::IndexOf(const TfrxXMLItem* item) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    if (list_->items[i] == item) return i;
  }
  return -1;
}

void TfrxXMLItem::Clear() {
  if (!list_) return;
  std::vector<TfrxXMLItem*> work(list_->items, list_->items + list_->count);
  std::free(list_);
  list_ = nullptr;
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

// Each node hands its children to the work list before it goes, so every destructor
// runs on a childless node whose parent has already let go of it.
void TfrxXMLItem::DestroyDetached(std::vector<TfrxXMLItem*>& work) {
  while (!work.empty()) {
    TfrxXMLItem* node = work.back();
    work.pop_back();
    node->parent_ = nullptr;
    if (ChildList* list = node->list_) {
      work.insert(work.end(), list->items, list->items + list->count);
      std::free(list);
      node->list_ = nullptr;
    }
    delete node;
  }
}

}  // namespace quarlo
