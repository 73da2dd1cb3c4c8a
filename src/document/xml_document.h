#pragma once
// The XML tree of prepared report documents: byte strings, attribute text kept raw
// (still escaped) until Prop asks for one attribute, names compared ignoring case.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/errors.h"

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

  std::string Name;
  std::string Text;  // attribute text, escaped, as read

  TfrxXMLItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(count_); }
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

  // The child list is a bare array created on the first insertion: a leaf costs no
  // list at all, and the node stays within one small allocation. Large documents are
  // mostly leaves, so this is where their memory goes.
  TfrxXMLItem* parent_ = nullptr;
  TfrxXMLItem** items_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};

class TfrxXMLDocument {
 public:
  TfrxXMLDocument();
  ~TfrxXMLDocument();

  TfrxXMLItem* Root() const { return root_.get(); }
  bool Indented = false;
  bool CodePageStrings = true;

  void Clear();
  void LoadFromStream(Stream& stream);  // throws TfrxInvalidXMLException
  void SaveToStream(Stream& stream) const;
  void LoadFromFile(const std::string& path);  // throws EStreamError when unreadable
  // Writes next to the target and renames, so a failed save leaves the old file intact.
  void SaveToFile(const std::string& path) const;

 private:
  std::unique_ptr<TfrxXMLItem> root_;
};

// Escaping of attribute values: the six bytes LF CR " & < > as decimal references.
std::string frxEscape(std::string_view value);
// Unescaping; throws EConvertError for digits that are not a decimal integer.
std::string frxUnescape(std::string_view value);

}  // namespace quarlo
