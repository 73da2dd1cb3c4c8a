#pragma once
// The process-wide table of user-visible texts, looked up by short names ("mbError",
// "101", "clPageOf"). Names compare without regard to ASCII letter case; values are
// UTF-16 as loaded and come back from Get as UTF-8, the text encoding of this program.
// The table also routes the two user-facing services that need a window system, the
// error box and help, to handlers the Qt layer installs at start-up; without them the
// error text goes to stderr and help does nothing.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarlo {

// The messages of the script compiler, kept up to date after every LoadTable.
inline constexpr std::array<std::string_view, 17> kScriptMessageNames = {
    "SLangNotFound",     "SInvalidLanguage", "SIdRedeclared",  "SUnknownType",
    "SIncompatibleTypes", "SIdUndeclared",   "SClassRequired", "SIndexRequired",
    "SStringError",      "SClassError",      "SArrayRequired", "SVarRequired",
    "SNotEnoughParams",  "STooManyParams",   "SLeftCantAssigned", "SForError",
    "SEventError"};

class TfrxResources {
 public:
  // caption and message are UTF-8.
  using ErrorBoxHandler = std::function<void(const std::string& caption, const std::string& message)>;
  // location is the help file name, followed by "::/" and a page for forms with a page.
  using HelpHandler = std::function<void(const std::string& location)>;

  TfrxResources() = default;  // empty; frxResources() is the loaded process-wide table

  // The text of name with a leading "!" removed, or name itself when there is no entry.
  std::string Get(std::string_view name) const;
  std::u16string GetUnicode(std::string_view name) const;
  std::string GetNumbered(int number) const { return Get(std::to_string(number)); }
  bool Contains(std::string_view name) const;

  void SetString(std::string_view name, std::u16string_view text);
  void SetString(std::string_view name, std::string_view utf8Text);

  // Parses a table and adds or replaces its entries. A root other than "Resources" adds
  // nothing; a missing or non-numeric CodePage throws EConvertError before anything is
  // added; a malformed document throws the XML reader's error.
  void LoadTable(std::string_view xml);

  int CodePage() const { return codePage_; }
  int Count() const { return static_cast<int>(names_.size()); }

  // The script compiler's copy of the message named name (one of kScriptMessageNames);
  // empty for any other name or before the first LoadTable.
  std::string ScriptMessage(std::string_view name) const;

  // Modal error box captioned Get("mbError").
  void ShowErrorMsg(std::string_view message) const;
  // Help for the form of this class name, through the installed handler.
  void ShowHelp(std::string_view formClassName) const;
  std::string HelpLocation(std::string_view formClassName) const;
  std::string HelpFile = "quarlo-help.html";

  static void SetErrorBoxHandler(ErrorBoxHandler handler);
  static void SetHelpHandler(HelpHandler handler);

 private:
  // Position of name in names_, and whether it is there.
  std::pair<size_t, bool> Locate(std::string_view name) const;
  void RefreshScriptMessages();

  std::vector<std::pair<std::string, size_t>> names_;  // sorted ignoring case, value index
  std::vector<std::u16string> values_;
  int codePage_ = 0;
  std::array<std::string, kScriptMessageNames.size()> scriptMessages_;
};

// The process-wide table, created on first use with both built-in tables loaded.
TfrxResources& frxResources();

// Case-insensitive (ASCII) ordering of resource names: negative, zero or positive.
int CompareResourceNames(std::string_view a, std::string_view b);

}  // namespace quarlo
