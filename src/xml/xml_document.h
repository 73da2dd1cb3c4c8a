#pragma once
// The XML tree of prepared report documents: byte strings, attribute text kept raw
// (still escaped) until Prop asks for one attribute, names compared ignoring case.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"

namespace quarlo {

class Stream;
class TfrxXMLReader;

// "Invalid file format": every structural error of the reader.
class TfrxInvalidXMLException : public Exception {
 public:
  TfrxInvalidXMLException() : Exception("Invalid file format") {}
};

class TfrxXMLItem {
 public:
  TfrxXMLItem() = default;
  // Destroys the children without recursion, then leaves the parent: deleting a node
  // that still has a parent takes it out of that parent's list first.
  ~TfrxXMLItem();
  TfrxXMLItem(const TfrxXMLItem&) = delete;
  TfrxXMLItem& operator=(const TfrxXMLItem&) = delete;

  // Nodes come from a pool of fixed-size slots: a large document is mostly nodes, and
  // a slot costs neither an allocator header nor a call into the general heap.
  static void* operator new(size_t size);
  static void operator delete(void* slot, size_t size) noexcept;

  std::string Name;
  std::string Text;  // attribute text, escaped, as read

  TfrxXMLItem* Parent() const { return parent_; }
  int Count() const { return list_ ? static_cast<int>(list_->count) : 0; }
  TfrxXMLItem* Items(int index) const;  // throws Exception for an index out of range
  TfrxXMLItem* operator[](int index) const { return Items(index); }

  TfrxXMLItem* Add();
  // Takes item (allocated with new, or released from Extract) out of its former parent
  // and owns it from now on. Moving a node below itself throws Exception.
  void AddItem(TfrxXMLItem* item);
  void InsertItem(int index, TfrxXMLItem* item);  // index is clamped to the list
  int Find(std::string_view name) const;        // -1 when absent
  TfrxXMLItem* FindItem(std::string_view name); // appends a child of that name when absent
  int IndexOf(const TfrxXMLItem* item) const;
  void Clear();
  // Detaches the child at index and hands it to the caller.
  std::unique_ptr<TfrxXMLItem> Extract(int index);

  std::string Prop(std::string_view name) const;  // unescaped value, "" when absent
  void Prop(std::string_view name, std::string_view value);  // sets or appends
  bool HasProp(std::string_view name) const;

 private:
  friend class TfrxXMLReader;
  void Append(TfrxXMLItem* item);   // item has no parent
  void Detach(uint32_t index);      // forgets the child at index without destroying it
  void ShrinkChildren();            // gives back the growth reserve of the child list
  static void DestroyDetached(std::vector<TfrxXMLItem*>& work);
  static size_t ListBytes(uint32_t capacity);

  // The child list is one block created on the first insertion: a leaf costs a null
  // pointer, and a node stays at two strings and two pointers.
  struct ChildList {
    uint32_t count;
    uint32_t capacity;
    TfrxXMLItem* items[1];  // capacity entries
  };
  TfrxXMLItem* parent_ = nullptr;
  ChildList* list_ = nullptr;
};

class TfrxXMLDocument {
 public:
  TfrxXMLDocument();
  ~TfrxXMLDocument();

  TfrxXMLItem* Root() const { return root_.get(); }
  bool Indented = false;
  bool CodePageStrings = true;
  // The header tag as loaded when it makes strings UTF-8 (a standalone declaration or
  // another version), written back as it stood so a saved file reads back the same;
  // empty for the standard header.
  std::string Header;

  void Clear();
  void LoadFromStream(Stream& stream);  // throws TfrxInvalidXMLException
  void SaveToStream(Stream& stream) const;
  void LoadFromFile(const std::string& path);  // throws EStreamError when unreadable
  // Written as every output is (platform/output_file.h): a failed save leaves the old
  // file intact and no partial file.
  void SaveToFile(const std::string& path) const;

 private:
  std::unique_ptr<TfrxXMLItem> root_;
};

// Escaping of attribute values: the six bytes LF CR " & < > as decimal references.
std::string frxEscape(std::string_view value);
// Unescaping; throws EConvertError for digits that are not a decimal integer.
std::string frxUnescape(std::string_view value);
// Unescaping of a value that must not fail: one whose references do not read is kept
// as it stands.
std::string frxUnescapeOrKeep(std::string_view value);

}  // namespace quarlo
