#pragma once
// An object of a class this program does not implement (rich text, check boxes, OLE
// objects and more from other producers). It keeps its element as it was read, with
// its attributes and children, so a save writes it back unchanged; it has no drawing,
// and pages that hold one say which classes they left out.
#include <memory>
#include <string>
#include <vector>

#include "objects/component.h"

namespace quarlo {

class TfrxXMLItem;

class TfrxUnknownObject final : public TfrxComponent {
  QUARLO_CLASS(TfrxUnknownObject)
 public:
  explicit TfrxUnknownObject(TComponent* owner);
  ~TfrxUnknownObject() override;

  // Takes the element's name, attribute text and a copy of its children; the name of
  // the object is its Name attribute.
  void Keep(const TfrxXMLItem& element);
  // The same element as another kept object (a compact copy of a template).
  void KeepAs(const TfrxUnknownObject& other);
  // Fills item with the element as it was read.
  void WriteElement(TfrxXMLItem& item) const;

  // The class name the file gave.
  const std::string& FileClassName() const { return className_; }

 private:
  std::string className_;
  std::string text_;
  std::unique_ptr<TfrxXMLItem> children_;  // a holder of copies of the element's children
};

// A deep copy of item's children appended to target, walked without recursion.
void CopyChildren(const TfrxXMLItem& item, TfrxXMLItem& target);

// The classes of the kept unknown objects below root, sorted, each once.
std::vector<std::string> UnknownClassesIn(const TfrxComponent& root);

}  // namespace quarlo
