#pragma once
// Published properties <-> XML attributes, components <-> XML elements. All
// knowledge of how a value is spelled in a document lives here; what is written
// comes from the classes' property declarations (objects/property_model.h).

#include <memory>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "objects/property_model.h"

namespace quarlo {

class Stream;
class TComponent;
class TfrxComponent;
class TfrxXMLItem;

// An object reference read from a document, resolved once the tree is complete.
struct TfrxFixupItem {
  TPersistent* Obj = nullptr;
  const PropertyInfo* Property = nullptr;
  std::string Value;  // the component name as written
};

class TfrxXMLSerializer {
 public:
  // The stream is used by the tree operations called without an element.
  explicit TfrxXMLSerializer(Stream* stream = nullptr);
  ~TfrxXMLSerializer();

  // Root against which references are resolved and named children are matched.
  TfrxComponent* Owner = nullptr;
  // True: 8-bit string values are code page bytes; false: UTF-8.
  bool CodePageStrings = true;
  // Write properties even when they equal their default (component copying).
  bool SerializeDefaultValues = false;

  // Sorted, without duplicates.
  const std::set<std::string>& Errors() const { return errors_; }
  void AddError(const std::string& message) { errors_.insert(message); }
  void ClearErrors() { errors_.clear(); }

  // ' <prefix><Name>="<value>"' for each property to write.
  std::string WriteProperties(TPersistent& object, const std::string& prefix = "",
                              TPersistent* tmpl = nullptr);
  void ApplyProperties(std::string_view text, TPersistent& object);

  void WriteObjectTree(TfrxComponent& component, bool saveChildren = true,
                       TfrxXMLItem* item = nullptr);
  void ReadObjectTree(TfrxComponent& root, TfrxXMLItem* item = nullptr);
  // Told, during ReadObjectTree, of each object below the root and the element it was
  // read from (kept unknown objects excepted).
  std::function<void(TfrxComponent&, const TfrxXMLItem&)> OnObjectRead;

  // Class name followed by the WriteProperties text.
  std::string WriteObjectLine(TPersistent& object);
  // Creates one component from such a line; an unknown class raises EClassNotFound.
  TfrxComponent* ReadObjectLine(TfrxComponent* owner, std::string_view line);
  // "<" + WriteObjectLine + "/>" to the stream.
  void WriteComponent(TPersistent& object);
  // ApplyProperties followed by ResolveReferences (collection items).
  void ReadPersistent(std::string_view text, TPersistent& object);

  void ResolveReferences();

 private:
  // One writer per property kind, appending to out.
  void WriteOrdinal(std::string& out, const std::string& prefix, const PropertyInfo& p, TPersistent& object,
                    TPersistent* tmpl);
  void WriteFloat(std::string& out, const std::string& prefix, const PropertyInfo& p, TPersistent& object,
                  TPersistent* tmpl);
  void WriteString(std::string& out, const std::string& prefix, const PropertyInfo& p, TPersistent& object,
                   TPersistent* tmpl);
  void WriteWString(std::string& out, const std::string& prefix, const PropertyInfo& p, TPersistent& object,
                    TPersistent* tmpl);
  void WriteObject(std::string& out, const std::string& prefix, const PropertyInfo& p, TPersistent& object,
                   TPersistent* tmpl);
  void WriteMemoText(std::string& out, const std::string& prefix, TPersistent& object, TPersistent* tmpl);
  void WriteUnreadAttributes(std::string& out, const std::string& prefix, TPersistent& object,
                             TPersistent* tmpl);
  void WritePropDataAttribute(std::string& out, const std::string& prefix, TPersistent& object,
                              TPersistent* tmpl);

  // One attribute read into the object; the appliers below take their own kinds.
  void ApplyOne(std::string_view name, std::string_view rawValue, TPersistent& object);
  bool ApplyShortName(char name, std::string_view rawValue, TfrxComponent* component);
  bool ApplyText(std::string_view rawValue, TPersistent& holder, TfrxComponent* component);
  void ApplyOrdinal(const PropertyInfo& p, std::string_view rawValue, TPersistent& holder);
  void ApplyEnumeration(const PropertyInfo& p, std::string_view rawValue, TPersistent& holder);
  void ReadItem(TfrxXMLItem& item, TfrxComponent& component, bool isRoot,
                std::vector<TfrxComponent*>& read);
  std::string ReferenceName(const TComponent& component) const;

  Stream* stream_;
  std::set<std::string> errors_;
  std::vector<TfrxFixupItem> fixups_;
};

// Floats as documents spell them: "." and up to 15 significant digits, shortest form.
std::string FloatToXML(double value);
// Accepts "," or "." as separator and ignores spaces; throws EConvertError.
double XMLToFloat(std::string_view text);
// Decimal integer; throws EConvertError "'%s' is not a valid integer value".
std::int64_t XMLToInt(std::string_view text);

}  // namespace quarlo
