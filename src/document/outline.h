#pragma once
// The outline (table of contents) of a prepared report: nested "item" elements of the
// document's "outline" section, each with text, page and top. TfrxOutline is a cursor
// over that tree; it owns nothing, the elements live in the page store's document.

#include <string>

namespace quarlo {

class TfrxCustomPreviewPages;
class TfrxXMLDocument;
class TfrxXMLItem;

class TfrxCustomOutline {
 public:
  explicit TfrxCustomOutline(TfrxCustomPreviewPages* pages) : pages_(pages) {}
  virtual ~TfrxCustomOutline() = default;
  TfrxCustomOutline(const TfrxCustomOutline&) = delete;
  TfrxCustomOutline& operator=(const TfrxCustomOutline&) = delete;

  // Children of the current element; 0 before the cursor is first positioned.
  virtual int Count() const = 0;
  // Report engines only: appends an entry for the page being built and enters it.
  virtual void AddItem(const std::string& text, int top) = 0;
  virtual void LevelIn(int index) = 0;
  virtual void LevelRoot() = 0;
  virtual void LevelUp() = 0;
  // The child's text (unescaped code page bytes), top and page; a missing, empty or
  // unreadable number leaves the caller's value as it was.
  virtual void ItemInfo(int index, std::string& text, int& top, int& page) const = 0;

  TfrxCustomPreviewPages* PreviewPages() const { return pages_; }

 private:
  TfrxCustomPreviewPages* pages_;
};

class TfrxOutline : public TfrxCustomOutline {
 public:
  using TfrxCustomOutline::TfrxCustomOutline;

  int Count() const override;
  void AddItem(const std::string& text, int top) override;
  void LevelIn(int index) override;
  void LevelRoot() override;
  void LevelUp() override;
  void ItemInfo(int index, std::string& text, int& top, int& page) const override;

  // The "outline" section, created when the document has none.
  TfrxXMLItem* RootItem() const;
  TfrxXMLItem* CurItem() const { return current_; }
  // Forgets the current element; the store calls it whenever its document is cleared,
  // so the cursor never points into a destroyed tree.
  void Reset() { current_ = nullptr; }

 private:
  TfrxXMLItem* current_ = nullptr;
};

// Reads the page and top attributes of an outline or anchor item; values that are
// missing, empty or not a decimal integer leave the variables unchanged.
void ReadItemPosition(const TfrxXMLItem& item, int& top, int& page);

// The text attribute of an outline or anchor item as code page bytes, whatever the
// document's string encoding. A value with a character reference that does not read
// (a hexadecimal one, say) is given as it stands rather than stopping the report.
std::string ReadItemText(const TfrxXMLItem& item, const TfrxXMLDocument& document);

}  // namespace quarlo
