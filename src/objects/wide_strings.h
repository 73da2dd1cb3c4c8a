#pragma once
// Text line containers: TWideStrings (UTF-16 lines, the text of memo views) and
// TStringList (8-bit lines in the system code page, e.g. page guides). Each line
// carries an integer object slot.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objects/property_model.h"

namespace quarlo {

class Stream;

class TStringList : public TPersistent {
  QUARLO_CLASS(TStringList)
 public:
  TStringList() = default;
  int Count() const { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const;  // "" outside the range
  void Put(int index, std::string line);  // index == Count appends; otherwise must exist
  void Add(std::string line, std::intptr_t object = 0);
  void Insert(int index, std::string line);
  void Delete(int index);
  int IndexOf(std::string_view line) const;
  void Clear() { lines_.clear(); objects_.clear(); }
  std::intptr_t Objects(int index) const;
  // Every line followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, lone CR and lone LF; a break at the end gives no empty last line.
  void SetText(std::string_view text);
  const std::vector<std::string>& Lines() const { return lines_; }
  bool operator==(const TStringList& other) const { return lines_ == other.lines_; }

 private:
  std::vector<std::string> lines_;
  std::vector<std::intptr_t> objects_;
};

class TWideStrings : public TPersistent {
  QUARLO_CLASS(TWideStrings)
 public:
  TWideStrings() = default;
  int Count() const { return static_cast<int>(lines_.size()); }
  std::u16string Get(int index) const;  // empty outside the range
  // index == Count appends; below 0 or above Count throws "Wide String Out of Bounds".
  void Put(int index, std::u16string line);
  int Add(std::u16string line);
  int AddObject(std::u16string line, std::intptr_t object);
  void Insert(int index, std::u16string line);  // same bounds as Put
  void Delete(int index);                        // ignored outside the range
  int IndexOf(std::u16string_view line) const;   // exact comparison
  void Clear();
  std::intptr_t Objects(int index) const;
  void SetObject(int index, std::intptr_t object);

  void Assign(const TWideStrings& other);
  // From / to 8-bit lines converted with the system code page.
  void AssignAnsi(const TStringList& lines);
  void AssignToAnsi(TStringList& lines) const;

  // Every line followed by CR LF (also the last one).
  std::u16string Text() const;
  // Splits at CR LF, lone CR, lone LF and U+2028; a break at the very end gives no
  // empty last line; an empty text gives no lines.
  void SetText(std::u16string_view text);

  // FF FE: the rest is UTF-16LE; otherwise 8-bit text of the system code page.
  void LoadFromStream(Stream& stream);
  // UTF-16LE without byte-order mark.
  void SaveToStream(Stream& stream) const;

  // Binary streaming: writes the list "UTF8", reads "UTF8" or the legacy "Strings".
  void DefineProperties(PropDataFiler& filer) override;

  const std::vector<std::u16string>& Lines() const { return lines_; }
  bool operator==(const TWideStrings& other) const { return lines_ == other.lines_; }

 private:
  std::vector<std::u16string> lines_;
  std::vector<std::intptr_t> objects_;
};

}  // namespace quarlo
