#pragma once
// The XML tree of prepared report documents: byte strings, attribute text kept raw
// (still escaped) until Prop asks for one attribute, names compared ignoring case.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/errors.h"

namespace quarlo {

class Stream;

// "Invalid file format": every structural error of the reader.
class TfrxInvalidXMLException : public Exception {
 public:
  TfrxInvalidXMLException() : Exception("Invalid file format") {}
};

class TfrxXMLItem {
 public:
  TfrxXMLItem() = default;
  ~TfrxXMLItem();  // destroys the children without recursion, then leaves the parent
  TfrxXMLItem(const TfrxXMLItem&) = delete;
  TfrxXMLItem& operator=(const TfrxXMLItem&) = delete;

  std::string Name;
  std::string Text;  // attribute text, escaped, as read

  TfrxXMLItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  TfrxXMLItem* Items(int index) const { return children_[static_cast<size_t>(index)].get(); }
  TfrxXMLItem* operator[](int index) const { return Items(index); }

  TfrxXMLItem* Add();
  void AddItem(TfrxXMLItem* item);               // takes item out of its former parent
  void InsertItem(int index, TfrxXMLItem* item);
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
  TfrxXMLItem* parent_ = nullptr;
  std::vector<std::unique_ptr<TfrxXMLItem>> children_;
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
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

 private:
  std::unique_ptr<TfrxXMLItem> root_;
};

// Escaping of attribute values: the six bytes LF CR " & < > as decimal references.
std::string frxEscape(std::string_view value);
// Unescaping; throws EConvertError for digits that are not a decimal integer.
std::string frxUnescape(std::string_view value);

}  // namespace quarlo
