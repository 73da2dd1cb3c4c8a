#include "document/preview_pages.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "document/report_file_sections.h"
#include "platform/codepage.h"
#include "platform/output_file.h"
#include "objects/serializer.h"
#include "platform/stream.h"
#include "xml/xml_text.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/special/dmp_page.h"
#include "objects/class_registry.h"
#include "objects/unknown_object.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// Spelled as the dictionary's aliases are (lower-case letters and a number): such a
// name missing from the dictionary is a damaged file, not a class of another producer.
bool LooksLikeAlias(std::string_view name) {
  const size_t digits = name.find_first_not_of("abcdefghijklmnopqrstuvwxyz");
  return digits > 0 && digits < name.size() && name.find_first_not_of("0123456789", digits) == std::string_view::npos;
}

// The attributes of an attribute text, in order, values still escaped.
std::vector<std::pair<std::string, std::string>> ParseSettings(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> out;
  size_t pos = 0;
  for (;;) {
    const size_t eq = text.find("=\"", pos);
    if (eq == std::string_view::npos) break;
    const size_t close = text.find('"', eq + 2);
    if (close == std::string_view::npos) break;
    const size_t start = text.find_first_not_of(' ', pos);
    out.emplace_back(std::string(text.substr(start, eq - start)), std::string(text.substr(eq + 2, close - eq - 2)));
    pos = close + 1;
  }
  return out;
}

[[noreturn]] void ListIndexError(int index) {
  throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

// The source page a compact page element names: the decimal number in the (at most
// five) characters after the first four of its name.
int SourceIndexOf(std::string_view elementName) {
  const std::string_view digits =
      elementName.size() > 4 ? elementName.substr(4, 5) : std::string_view();
  int value = 0;
  bool valid = !digits.empty();
  for (char c : digits) {
    if (c < '0' || c > '9') {
      valid = false;
      break;
    }
    value = value * 10 + (c - '0');
  }
  if (!valid) throw EConvertError("'" + std::string(digits) + "' is not a valid integer value");
  return value;
}

// Published report settings are reached through the property model: the store lives
// below the report object's library.
std::int64_t ReportOrdinal(const TfrxComponent* report, std::string_view path,
                           std::int64_t fallback) {
  if (!report) return fallback;
  const PropertyTarget t = FindPropertyPath(*const_cast<TfrxComponent*>(report), path);
  if (!t.object || !t.property || !t.property->getOrdinal) return fallback;
  return t.property->getOrdinal(*t.object);
}

std::string ReportString(const TfrxComponent* report, std::string_view path) {
  if (!report) return {};
  const PropertyTarget t = FindPropertyPath(*const_cast<TfrxComponent*>(report), path);
  if (!t.object || !t.property || !t.property->getString) return {};
  return t.property->getString(*t.object);
}

std::unique_ptr<TfrxReportPage> NewPage(bool dotMatrix) {
  if (dotMatrix) return std::make_unique<TfrxDMPPage>(nullptr);
  return std::make_unique<TfrxReportPage>(nullptr);
}

// As deep as the serializer reads objects of complete pages.
constexpr int kMaxObjectDepth = 256;

// Picture bytes one built page takes from the cache. Each object gets its own copy, so a
// small file can name one big picture on thousands of objects; pictures past this stay
// empty.
constexpr size_t kMaxPagePictureBytes = size_t{256} << 20;

// Attribute text read to build one page, template lines included: a template with a
// long text or picture named by thousands of compact objects is read once per object.
constexpr size_t kMaxPageLineBytes = size_t{256} << 20;


}  // namespace

// ------------------------------------------------------------ TfrxCustomPreviewPages

TfrxCustomPreviewPages::TfrxCustomPreviewPages(TfrxComponent* report)
    : report_(report), outline_(std::make_unique<TfrxOutline>(this)) {}

TfrxCustomPreviewPages::~TfrxCustomPreviewPages() = default;

// ------------------------------------------------------------------ TfrxPreviewPages

TfrxPreviewPages::TfrxPreviewPages(TfrxComponent* report) : TfrxCustomPreviewPages(report) {
  document_.Root()->Name = kRootElement;
}

TfrxPreviewPages::~TfrxPreviewPages() {
  // Built pages and source pages go before the dictionary that points into them.
  ClearBuiltPages();
  sourcePages_.clear();
}

int TfrxPreviewPages::PagesSectionIndex() const {
  const TfrxXMLItem* root = document_.Root();
  // The remembered place holds while the same element is still there under its name;
  // the document is open to changes through XMLDocument(), so it is checked each time.
  if (pagesAt_ >= 0 && pagesAt_ < root->Count() && root->Items(pagesAt_) == pagesItem_ &&
      SameText(pagesItem_->Name, kPagesSection)) {
    return pagesAt_;
  }
  pagesAt_ = root->Find(kPagesSection);
  pagesItem_ = pagesAt_ < 0 ? nullptr : root->Items(pagesAt_);
  return pagesAt_;
}

TfrxXMLItem* TfrxPreviewPages::PagesSection() {
  const int at = PagesSectionIndex();
  return at < 0 ? document_.Root()->FindItem(kPagesSection) : document_.Root()->Items(at);
}

int TfrxPreviewPages::Count() const {
  const int at = PagesSectionIndex();
  return at < 0 ? 0 : document_.Root()->Items(at)->Count();
}

std::vector<int> TfrxPreviewPages::PagesInCache() const {
  std::vector<int> indexes;
  indexes.reserve(builtPages_.size());
  for (const BuiltPage& b : builtPages_) indexes.push_back(b.index);
  return indexes;
}

void TfrxPreviewPages::ClearBuiltPages() { builtPages_.clear(); }

int TfrxPreviewPages::PagesInCacheLimit() const {
  return static_cast<int>(ReportOrdinal(Report(), "PreviewOptions.PagesInCache", 50));
}

void TfrxPreviewPages::Clear() {
  ClearBuiltPages();
  dictionary_.Clear();
  sourceLines_.clear();
  sourcePages_.clear();
  Outline().Reset();
  pageBodies_.clear();
  leftOut_.clear();
  document_.Clear();
  pictureCache_.Clear();
  currentPage_ = -1;
}

// --------------------------------------------------------------------------- loading

void TfrxPreviewPages::LoadFromStream(Stream& stream, bool) {
  Clear();
  ReadReportDocument(stream, document_, pageBodies_);
  const ReportFileSections s = FindOrCreateSections(*document_.Root());

  TfrxXMLSerializer serializer;
  serializer.CodePageStrings = document_.CodePageStrings;
  ReadReportSettings(*s.report, serializer);
  ReadSourcePages(*s.sourcePages, serializer);

  dictionary_.Clear();
  std::vector<TfrxDictionary::Entry> entries;
  entries.reserve(static_cast<size_t>(s.dictionary->Count()));
  for (int i = 0; i < s.dictionary->Count(); ++i) {
    const TfrxXMLItem& entry = *s.dictionary->Items(i);
    std::string sourceName = TfrxDictionary::SourceNameOf(entry.Text);
    const SourceName parsed = ParseSourceName(sourceName);
    if (parsed.pageIndex < 0 || parsed.pageIndex >= static_cast<int>(sourcePages_.size())) {
      ListIndexError(parsed.pageIndex);
    }
    TfrxComponent* object =
        parsed.objectName.empty()
            ? nullptr
            : sourcePages_[static_cast<size_t>(parsed.pageIndex)]->FindObject(
                  // Escaped in the entry as the object's Name attribute is in its element.
                  FileStringToSystem(frxUnescapeOrKeep(parsed.objectName), document_.CodePageStrings));
    entries.push_back({entry.Name, std::move(sourceName), object});
  }
  // Sorted once: adding one by one costs a move of the sorted list per entry, which a
  // file of many aliases in falling order turns into minutes.
  dictionary_.AddAll(std::move(entries));

  pictureCache_.LoadFromXML(*s.pictureCache);
  // The section is written again from the cache on every save; its hexadecimal copy
  // would only double the memory the pictures take.
  s.pictureCache->Clear();
}

void TfrxPreviewPages::ReadReportSettings(TfrxXMLItem& section, TfrxXMLSerializer& serializer) {
  if (!Report()) return;
  TfrxXMLSerializer own;  // the report's values as they are in memory
  own.Owner = Report();
  own.SerializeDefaultValues = true;
  // What the last file set, and the program has not changed since, goes back to what
  // it was before that file: nothing one file sets stays in force for the next.
  const std::vector<Setting> now = ParseSettings(own.WriteProperties(*Report()));
  if (fileSettings_.size() == now.size()) {
    std::string restore;
    for (size_t i = 0; i < now.size(); ++i) {
      const auto& [before, after] = fileSettings_[i];
      if (now[i] == after && after != before) restore += " " + before.first + "=\"" + before.second + "\"";
    }
    own.ApplyProperties(restore, *Report());
  }
  fileSettings_.clear();
  if (section.Count() == 0) return;
  const std::vector<Setting> program = ParseSettings(own.WriteProperties(*Report()));

  // Only the element's own attributes are settings. Children would become components of
  // the live report, which outlives this document and is used again by the next load;
  // and each named one is checked against all others, so a file of many takes minutes.
  serializer.Owner = Report();
  const TfrxXMLItem& element = *section.Items(0);
  TfrxXMLItem settings;
  settings.Name = element.Name;
  settings.Text = element.Text;
  serializer.ReadObjectTree(*Report(), &settings);

  // Where output goes and whether the user sees the print dialog stay the program's:
  // a file only presets what the dialog shows.
  static constexpr std::string_view kProgramOnly[] = {"PrintOptions.ShowDialog", "PrintOptions.Printer",
                                                      "IniFile", "EngineOptions.SilentMode",
                                                      "EngineOptions.NewSilentMode"};
  std::string kept;
  for (const Setting& s : program) {
    if (std::find(std::begin(kProgramOnly), std::end(kProgramOnly), s.first) != std::end(kProgramOnly))
      kept += " " + s.first + "=\"" + s.second + "\"";
  }
  own.ApplyProperties(kept, *Report());
  const std::vector<Setting> applied = ParseSettings(own.WriteProperties(*Report()));
  if (applied.size() != program.size()) return;
  for (size_t i = 0; i < applied.size(); ++i) fileSettings_.emplace_back(program[i], applied[i]);
}

void TfrxPreviewPages::ReadSourcePages(TfrxXMLItem& section, TfrxXMLSerializer& serializer) {
  for (int i = 0; i < section.Count(); ++i) {
    TfrxXMLItem* element = section.Items(i);
    std::unique_ptr<TfrxReportPage> page =
        NewPage(PageElementKindOf(element->Name) == PageElementKind::DotMatrixPage);
    serializer.Owner = page.get();
    // A compact object is its template's attributes as the file gave them, then its
    // own: written again from the template, a value could read back otherwise.
    serializer.OnObjectRead = [this](TfrxComponent& object, const TfrxXMLItem& read) {
      std::string line = object.ClassName();
      line += ' ';
      line += xml::WithoutAttribute(read.Text, "Name");
      sourceLines_[&object] = std::move(line);
    };
    serializer.ReadObjectTree(*page, element);
    serializer.OnObjectRead = nullptr;
    sourcePages_.push_back(std::move(page));
  }
  // The section stays as read and is written back so: the source pages are never
  // changed, and what this program does not read in them is kept.
}

bool TfrxPreviewPages::LoadFromFile(const std::string& fileName, bool exceptionIfNotFound) {
  struct stat st;
  const bool exists = IsStandardStreamName(fileName) || ::stat(fileName.c_str(), &st) == 0;
  if (!exists && !exceptionIfNotFound) return false;
  LoadFromStream(*OpenInput(fileName));
  return exists;
}

// ---------------------------------------------------------------------------- saving

void TfrxPreviewPages::WriteReportSettings(TfrxXMLItem& section) const {
  // The element is rewritten in place: the four settings this program keeps come first,
  // in their fixed order, with the report's values; the element's other attributes and
  // its children (datasets, variables, script text of other producers) follow as read.
  TfrxXMLItem* element = section.Count() > 0 ? section.Items(0) : section.Add();
  while (section.Count() > 1) section.Extract(section.Count() - 1);
  element->Name = Report() ? Report()->ClassName() : std::string("TfrxReport");
  const TfrxComponent* r = Report();
  // Strings are code page bytes in memory; a file of UTF-8 strings gets its name in UTF-8.
  const std::string name = ReportString(r, "ReportOptions.Name");
  const std::pair<const char*, std::string> settings[] = {
      {"DotMatrixReport", ReportOrdinal(r, "DotMatrixReport", 0) ? "1" : "0"},
      {"PreviewOptions.OutlineVisible", ReportOrdinal(r, "PreviewOptions.OutlineVisible", 0) ? "1" : "0"},
      {"PreviewOptions.OutlineWidth", std::to_string(ReportOrdinal(r, "PreviewOptions.OutlineWidth", 120))},
      {"ReportOptions.Name", SystemToFileString(name, document_.CodePageStrings)},
  };
  std::string others = element->Text;
  std::string text;
  for (const auto& [attribute, value] : settings) {
    others = xml::WithoutAttribute(others, attribute);
    if (!text.empty()) text += ' ';
    text += attribute;
    text += "=\"";
    text += frxEscape(value);
    text += '"';
  }
  others.erase(0, others.find_first_not_of(' '));
  if (!others.empty()) text += ' ' + others;
  element->Text = std::move(text);
}

void TfrxPreviewPages::SaveToStream(Stream& stream) {
  TfrxXMLItem& root = *document_.Root();
  root.FindItem(kPagesSection);
  WriteReportSettings(*root.FindItem(kReportSection));

  root.FindItem(kSourcePagesSection);

  TfrxXMLItem* dictionarySection = root.FindItem(kDictionarySection);
  dictionarySection->Clear();
  for (const TfrxDictionary::Entry& e : dictionary_.Entries()) {
    TfrxXMLItem* element = dictionarySection->Add();
    element->Name = e.alias;
    element->Text = TfrxDictionary::AttributeText(e.sourceName);
  }

  TfrxXMLItem* pictureSection = root.FindItem(kPictureCacheSection);
  pictureCache_.SaveToXML(*pictureSection);

  WriteReportDocument(stream, document_, pageBodies_);
  // As after loading: the cache is what gets written next time.
  pictureSection->Clear();
}

void TfrxPreviewPages::SaveToFile(const std::string& fileName) {
  WriteOutput(fileName, [this](Stream& stream) { SaveToStream(stream); });
}

// ---------------------------------------------------------------------- page access

TfrxReportPage& TfrxPreviewPages::SourcePageOf(const TfrxXMLItem& element) {
  const int index = SourceIndexOf(element.Name);
  if (index >= static_cast<int>(sourcePages_.size())) ListIndexError(index);
  return *sourcePages_[static_cast<size_t>(index)];
}

TfrxReportPage* TfrxPreviewPages::PageObject(int index) {
  if (Count() == 0) return nullptr;
  for (size_t i = 0; i < builtPages_.size(); ++i) {
    if (builtPages_[i].index == index) {
      std::swap(builtPages_[i], builtPages_[0]);
      return builtPages_[0].page.get();
    }
  }
  std::unique_ptr<TfrxReportPage> page = BuildPage(index);
  if (std::vector<std::string> classes = UnknownClassesIn(*page); !classes.empty()) {
    for (std::string& name : classes) name = FileStringToUtf8(name, document_.CodePageStrings);
    leftOut_[index] = std::move(classes);
  }
  page->ArrangeChildren();
  TfrxReportPage* result = page.get();
  builtPages_.insert(builtPages_.begin(), BuiltPage{index, std::move(page)});
  const size_t limit = static_cast<size_t>(std::max(PagesInCacheLimit(), 0));
  if (builtPages_.size() > 1 && builtPages_.size() > limit) builtPages_.pop_back();
  return result;
}

TfrxXMLItem& TfrxPreviewPages::ElementWithObjects(int index,
                                                 std::unique_ptr<TfrxXMLItem>& expanded) {
  TfrxXMLItem* pages = PagesSection();
  if (index < 0 || index >= pages->Count()) ListIndexError(index);
  TfrxXMLItem& element = *pages->Items(index);
  const auto body = pageBodies_.find(&element);
  if (body == pageBodies_.end()) return element;  // edited pages hold elements
  expanded = ExpandPageElement(element, body->second);
  return *expanded;
}

std::unique_ptr<TfrxReportPage> TfrxPreviewPages::BuildPage(int index) {
  std::unique_ptr<TfrxXMLItem> expanded;
  TfrxXMLItem& element = ElementWithObjects(index, expanded);
  const PageElementKind kind = PageElementKindOf(element.Name);
  if (kind == PageElementKind::SourceReference) return BuildFromSource(element);
  std::unique_ptr<TfrxReportPage> page = NewPage(kind == PageElementKind::DotMatrixPage);
  TfrxXMLSerializer serializer;
  serializer.CodePageStrings = document_.CodePageStrings;
  serializer.Owner = page.get();
  serializer.ReadObjectTree(*page, &element);
  return page;
}

std::unique_ptr<TfrxReportPage> TfrxPreviewPages::BuildFromSource(const TfrxXMLItem& element) {
  const TfrxReportPage& source = SourcePageOf(element);
  std::unique_ptr<TfrxReportPage> page = NewPage(source.IsDotMatrix());
  page->Assign(source);
  page->SetName(source.Name());
  TfrxXMLSerializer serializer;
  serializer.CodePageStrings = document_.CodePageStrings;
  BuildObjects(element, *page, serializer);
  return page;
}

void TfrxPreviewPages::BuildObjects(const TfrxXMLItem& pageElement, TfrxComponent& page,
                                    TfrxXMLSerializer& serializer) {
  // Walked with an explicit stack; a document may nest elements arbitrarily deep, but
  // objects are not built deeper than the serializer reads complete pages.
  struct Pending {
    const TfrxXMLItem* element;
    TfrxComponent* parent;
    int depth;
  };
  std::vector<Pending> pending;
  for (int i = pageElement.Count() - 1; i >= 0; --i) {
    pending.push_back({pageElement.Items(i), &page, 1});
  }
  std::string line;
  size_t pictureBytes = 0;
  size_t lineBytes = 0;
  while (!pending.empty()) {
    const Pending p = pending.back();
    pending.pop_back();
    const TfrxXMLItem& element = *p.element;
    if (p.depth > kMaxObjectDepth) throw Exception("Object tree too deep: " + FileStringToUtf8(element.Name, document_.CodePageStrings));
    const TfrxDictionary::Entry* alias = dictionary_.Find(element.Name);
    const TfrxComponent* source = alias ? alias->object : nullptr;
    if (const auto* unknown = As<TfrxUnknownObject>(source)) {
      // A class this program cannot make: its template stands in, undrawn, and is
      // written back as it came should the page be saved.
      auto* kept = new TfrxUnknownObject(p.parent);
      kept->KeepAs(*unknown);
      kept->SetLoading(true);
      kept->SetName(unknown->Name());
      kept->SetLoading(false);
      continue;
    }
    if (!source && !LooksLikeAlias(element.Name) && !FindClass(element.Name)) {
      (new TfrxUnknownObject(p.parent))->Keep(element);
      continue;
    }
    if (source) {
      const auto known = sourceLines_.find(source);
      line = known == sourceLines_.end() ? source->ClassName() : known->second;
    } else {
      line = element.Name;
    }
    line += ' ';
    line += element.Text;
    lineBytes += line.size();
    if (lineBytes > kMaxPageLineBytes) {
      throw Exception("Page too large: more than " + std::to_string(kMaxPageLineBytes >> 20) +
                      " MB of object attributes");
    }
    TfrxComponent* object = serializer.ReadObjectLine(p.parent, line);
    if (source) {
      object->SetLoading(true);  // the template's name as the file gave it
      object->SetName(source->Name());
      object->SetLoading(false);
      if (auto* picture = As<TfrxPictureView>(object); picture && picture->Picture().Empty()) {
        const std::optional<std::string_view> bytes = pictureCache_.PictureBytes(picture->ImageIndex());
        const size_t size = bytes ? bytes->size() : 0;
        if (size <= kMaxPagePictureBytes - pictureBytes) {
          pictureBytes += size;
          pictureCache_.GetPicture(picture->Picture(), picture->ImageIndex());
        }
      }
    }
    object->SetParent(p.parent);
    for (int i = element.Count() - 1; i >= 0; --i) {
      pending.push_back({element.Items(i), object, p.depth + 1});
    }
  }
}

PagePixelSize TfrxPreviewPages::PageExtent(int index) {
  if (index < 0 || index >= Count()) return {};
  const TfrxXMLItem& element = *PagesSection()->Items(index);
  const TfrxComponent* page = nullptr;
  if (PageElementKindOf(element.Name) == PageElementKind::SourceReference) {
    page = &SourcePageOf(element);
  } else {
    page = PageObject(index);
  }
  return {RoundHalfEven(page->Width()), RoundHalfEven(page->Height())};
}

// -------------------------------------------------------------------------- editing

void TfrxPreviewPages::InsertBlankPage(int index) {
  if (Count() == 0) return;
  TfrxXMLItem* pages = PagesSection();
  if (index < 0 || index >= pages->Count()) ListIndexError(index);
  const TfrxXMLItem& model = *pages->Items(index);
  auto blank = std::make_unique<TfrxXMLItem>();
  blank->Name = model.Name;
  // A complete page carries its size and background in its own attributes; a
  // compact page takes them from its source page.
  if (PageElementKindOf(model.Name) != PageElementKind::SourceReference) blank->Text = model.Text;
  pages->InsertItem(index, blank.release());
  ClearBuiltPages();
  leftOut_.clear();  // page numbers have moved
}

void TfrxPreviewPages::RemovePage(int index) {
  if (Count() < 2) return;
  TfrxXMLItem* pages = PagesSection();
  if (index < 0 || index >= pages->Count()) ListIndexError(index);
  pageBodies_.erase(pages->Items(index));
  pages->Extract(index);
  ClearBuiltPages();
  leftOut_.clear();  // page numbers have moved
}

void TfrxPreviewPages::ReplacePage(int index, TfrxReportPage& page) {
  TfrxXMLItem* pages = PagesSection();
  if (index < 0 || index >= pages->Count()) ListIndexError(index);
  TfrxXMLItem& element = *pages->Items(index);
  // Written before the cache is emptied: the page may be one of the built pages.
  pageBodies_.erase(&element);
  element.Clear();
  element.Text.clear();
  TfrxXMLSerializer serializer;
  serializer.CodePageStrings = document_.CodePageStrings;
  serializer.Owner = &page;
  serializer.WriteObjectTree(page, true, &element);
  ClearBuiltPages();
  leftOut_.clear();  // page numbers have moved
}

}  // namespace quarlo
