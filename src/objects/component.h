#pragma once
// The component tree of report objects.
//
// Ownership: a component created with a TComponent owner is destroyed by it; one
// placed under a parent (SetParent) is destroyed by that parent. A component
// created with a null owner and no parent belongs to the caller (hold it in a
// std::unique_ptr). Destroying a component detaches it from its parent and its
// owner and destroys its children.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "objects/font.h"
#include "objects/property_model.h"

namespace quarlo {

class Canvas;  // platform/canvas.h
class Stream;
class TWideStrings;
class TfrxPage;

// The platform component: name, tag, and the list of components it owns.
class TComponent : public TPersistent {
  QUARLO_CLASS(TComponent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  // Rejects a name that is not an identifier ("''%s'' is not a valid component
  // name") unless the component is being read; an empty name is allowed.
  virtual void SetName(const std::string& name);
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t tag) { tag_ = tag; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_[static_cast<size_t>(index)]; }
  // A directly owned component by name, ignoring case; null when none.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);  // takes it from its former owner
  void RemoveComponent(TComponent* component);

  // True while the serializer reads this component.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }
  // After-reading notification, run once the whole tree is read.
  virtual void Loaded() {}

  static bool IsValidIdent(std::string_view name);

 protected:
  void SetNameDirect(const std::string& name) { name_ = name; }

 private:
  std::string name_;
  std::int32_t tag_ = 0;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  bool loading_ = false;
};

// Restrictions bits.
inline constexpr int rfDontModify = 1;
inline constexpr int rfDontSize = 2;
inline constexpr int rfDontMove = 4;
inline constexpr int rfDontDelete = 8;
inline constexpr int rfDontEdit = 16;
const EnumInfo& RestrictionMembers();

// Placement of a view inside its parent (published by views).
enum TfrxAlign : int { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
const EnumInfo& AlignNames();

class TfrxComponent : public TComponent {
  QUARLO_CLASS(TfrxComponent)
 public:
  explicit TfrxComponent(TComponent* owner);
  ~TfrxComponent() override;

  // Geometry in report pixels, relative to the parent.
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  virtual void SetLeft(double value);
  virtual void SetTop(double value);
  virtual void SetWidth(double value);
  virtual void SetHeight(double value);
  void SetBounds(double left, double top, double width, double height);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // For Object<TFont>("Font", &TfrxComponent::FontObject) declarations.
  TFont* FontObject() const { return const_cast<TFont*>(&font_); }
  virtual void SetFont(const TFont& font);  // copies and turns ParentFont off
  bool ParentFont() const { return parentFont_; }
  virtual void SetParentFont(bool value);
  // Runs after every change of the font object.
  virtual void NotifyFontChanged();

  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  int Restrictions() const { return restrictions_; }
  void SetRestrictions(int value) { restrictions_ = value & 31; }
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value) { visible_ = value; }

  TfrxComponent* Parent() const { return parent_; }
  // Moves to the end of P's children (nothing moves when P is the current parent).
  virtual void SetParent(TfrxComponent* parent);
  const std::vector<TfrxComponent*>& Objects() const { return objects_; }
  virtual const std::vector<TfrxComponent*>& ChildList() const { return objects_; }
  // All descendants, depth-first pre-order, without this component.
  std::vector<TfrxComponent*> AllObjects() const;
  // First descendant in AllObjects order whose name equals `name` ignoring case.
  TfrxComponent* FindObject(std::string_view name) const;

  // Class name with the first "Tfrx" and the first "View" removed.
  virtual std::string BaseName() const;
  virtual std::string GetDescription() const { return ClassName(); }
  // Renaming rules within a report; see SetName of TComponent for the identifier rule.
  void SetName(const std::string& name) override;
  // BaseName + the first free number among the report's (or parent's) descendants.
  std::string MakeUniqueName() const;

  bool IsDesigning() const { return isDesigning_; }
  void SetDesigning(bool value) { isDesigning_ = value; }
  // Introduced by an inherited report: written as element "inherited", kept by Clear.
  bool IsAncestor() const { return isAncestor_; }
  void SetAncestor(bool value) { isAncestor_ = value; }

  // Nearest ancestor (or this) that is a page / the report object; null if none.
  TfrxPage* Page() const;
  TfrxComponent* Report() const;
  virtual bool IsReport() const { return false; }   // the report object overrides
  // The report object's error list (LoadFromStream adds the reader's errors to it) and
  // its thread-safety switch (reading then happens inside one process-wide lock).
  virtual std::set<std::string>* ErrorList() { return nullptr; }
  virtual bool LoadsUnderLock() const { return false; }
  virtual bool IsDialogPage() const { return false; }
  virtual bool IsView() const { return false; }      // views override
  virtual TfrxAlign Align() const { return baNone; } // views override

  // Position on the page: sums the parents' positions up to a dialog page or the root.
  double AbsLeft() const;
  double AbsTop() const;

  // Applies the children's Align inside Width x Height; idempotent.
  virtual void ArrangeChildren();
  // Destroys every child (an ancestor-introduced child is kept, its children cleared).
  virtual void Clear();

  // The component as one XML element through the serializer.
  virtual void SaveToStream(Stream& stream, bool saveChildren = true,
                            bool saveDefaultValues = false) const;
  virtual void LoadFromStream(Stream& stream);
  // Copies all published properties (not the children) / with the children.
  void Assign(const TfrxComponent& source);
  void AssignWithChildren(const TfrxComponent& source);

  // Attribute text (each attribute preceded by a space) of what differs from a
  // template of the same class. Views extend it by calling the base first.
  virtual std::string WriteDifferences(const TfrxComponent& tmpl) const;

  // Attributes read from a file that no property of this class takes (a newer
  // producer's "Fill.BackColor"), as read, each after a space; the serializer writes
  // them back with the object so that a save loses nothing.
  const std::string& UnreadAttributes() const { return unreadAttributes_; }
  // Keeps one such attribute, replacing an earlier value of the same name.
  void KeepUnreadAttribute(std::string_view name, std::string_view rawValue);

  // Text objects return their lines: the serializer's Text/u/x attributes use them.
  virtual TWideStrings* MemoLines() { return nullptr; }
  const TWideStrings* MemoLines() const {
    return const_cast<TfrxComponent*>(this)->MemoLines();
  }

 protected:
  // WriteDifferences hooks: bands always write "t"; auto-width texts never write "w".
  virtual bool AlwaysWritesTopDifference() const { return false; }
  virtual bool WritesWidthDifference() const { return true; }

 private:
  void DetachFromParent();

  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TFont font_;
  bool parentFont_ = true;
  int groupIndex_ = 0;
  int restrictions_ = 0;
  bool visible_ = true;
  TfrxComponent* parent_ = nullptr;
  std::vector<TfrxComponent*> objects_;
  bool isDesigning_ = false;
  bool isAncestor_ = false;
  bool inFontNotification_ = false;
  std::string unreadAttributes_;
};

struct ReportRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A printable object.
class TfrxReportComponent : public TfrxComponent {
  QUARLO_CLASS(TfrxReportComponent)
 public:
  explicit TfrxReportComponent(TComponent* owner);

  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }

  // Draws onto canvas: device = report pixels * scale + offset (offset is the device
  // position of the page's printable-area origin).
  virtual void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                    double offsetY) = 0;
  virtual void BeforeOutput();  // saves the bounds
  virtual void FetchData() {}
  virtual void AfterOutput();   // restores them
  virtual std::string ComponentText() const { return {}; }
  virtual ReportRect RealBounds() const;
  const ReportRect& SavedBounds() const { return savedBounds_; }

 private:
  std::string description_;
  ReportRect savedBounds_;
};

// Page base.
class TfrxPage : public TfrxComponent {
  QUARLO_CLASS(TfrxPage)
 public:
  explicit TfrxPage(TComponent* owner);
};

}  // namespace quarlo
