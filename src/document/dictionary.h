#pragma once
// The alias table of compact pages: an alias (the element name of a page object,
// such as m12) stands for a template object of a source page, named in the file as
// "Page" + source page index + "." + object name.

#include <string>
#include <string_view>
#include <vector>

namespace quarlo {

class TfrxComponent;
class TfrxXMLItem;

class TfrxDictionary {
 public:
  struct Entry {
    std::string alias;
    std::string sourceName;
    TfrxComponent* object;  // the template, owned by its source page; may be null
  };

  void Clear();
  // Adds an alias; an alias already present (ignoring case) keeps its first entry.
  void Add(std::string alias, std::string sourceName, TfrxComponent* object);
  // The entry of an alias (ignoring case); null when the name is no alias.
  const Entry* Find(std::string_view alias) const;
  // Add for each entry in order, in one sort.
  void AddAll(std::vector<Entry> entries);
  // Entries sorted by alias, case-insensitively, character by character (b10 < b2).
  const std::vector<Entry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }

  // The one attribute of a dictionary element: name="<source name>". The source name
  // is cut out by position, without looking at the text around it.
  static std::string SourceNameOf(std::string_view attributeText);
  static std::string AttributeText(std::string_view sourceName);

 private:
  std::vector<Entry> entries_;  // sorted by alias
};

// Splits "Page<N>.<object>" into the source page index and the object name. The index
// is the decimal number after the first four characters; anything else raises
// EConvertError "'<text>' is not a valid integer value".
struct SourceName {
  int pageIndex;
  std::string objectName;
};
SourceName ParseSourceName(std::string_view sourceName);

// Compares alias texts the way the table is sorted: bytes with ASCII letters folded.
int CompareAliases(std::string_view a, std::string_view b);

}  // namespace quarlo
