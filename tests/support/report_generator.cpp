#include "support/report_generator.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "document/dictionary.h"
#include "objects/serializer.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "objects/band.h"
#include "objects/picture_view.h"
#include "objects/special/dmp_page.h"

namespace quarlo::testing {

namespace {

std::unique_ptr<TfrxReportPage> NewPage(bool dotMatrix) {
  if (dotMatrix) return std::make_unique<TfrxDMPPage>(nullptr);
  return std::make_unique<TfrxReportPage>(nullptr);
}

std::string Attribute(std::string_view name, std::string_view value) {
  std::string s(name);
  s += "=\"";
  s += value;
  s += '"';
  return s;
}

std::string_view WithoutLeadingSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

TfrxXMLItem* AddChild(TfrxXMLItem& parent, std::string name, std::string text = {}) {
  TfrxXMLItem* item = parent.Add();
  item->Name = std::move(name);
  item->Text = std::move(text);
  return item;
}

void WriteOutline(TfrxXMLItem& parent, const std::vector<GeneratedOutlineItem>& items) {
  for (const GeneratedOutlineItem& o : items) {
    TfrxXMLItem* item = AddChild(parent, "item");
    item->Prop("text", o.text);
    item->Prop("page", std::to_string(o.page));
    item->Prop("top", std::to_string(o.top));
    WriteOutline(*item, o.children);
  }
}

}  // namespace

void SetMargins(TfrxReportPage& page, double millimetres) {
  page.SetLeftMargin(millimetres);
  page.SetRightMargin(millimetres);
  page.SetTopMargin(millimetres);
  page.SetBottomMargin(millimetres);
}

ReportGenerator::ReportGenerator() = default;

ReportGenerator::~ReportGenerator() {
  // Copies first: they were created after, and refer by name to, the templates.
  pages_.clear();
  sources_.clear();
}

TfrxReportPage& ReportGenerator::AddSourcePage(bool dotMatrix) {
  sources_.push_back(NewPage(dotMatrix));
  return *sources_.back();
}

TfrxReportPage& ReportGenerator::AddCompactPage(int source) {
  if (source < 0 || source >= static_cast<int>(sources_.size())) {
    throw std::out_of_range("no source page " + std::to_string(source));
  }
  auto page = NewPage(sources_[static_cast<size_t>(source)]->IsDotMatrix());
  page->Assign(*sources_[static_cast<size_t>(source)]);
  pages_.push_back({PageEntry::Compact, source, std::move(page), {}});
  return *pages_.back().page;
}

void ReportGenerator::AddRawCompactPage(int source, const std::vector<RawCompactObject>& objects) {
  pages_.push_back({PageEntry::Raw, source, nullptr, objects});
}

TfrxReportPage& ReportGenerator::AddCompletePage(bool dotMatrix) {
  pages_.push_back({PageEntry::Complete, -1, NewPage(dotMatrix), {}});
  return *pages_.back().page;
}

TfrxComponent& ReportGenerator::Place(TfrxReportPage& page, std::string_view templateName,
                                      TfrxComponent* parent) {
  auto entry = std::find_if(pages_.begin(), pages_.end(),
                            [&](const PageEntry& e) { return e.page.get() == &page; });
  if (entry == pages_.end() || entry->kind != PageEntry::Compact) {
    throw std::invalid_argument("Place needs a compact page of this generator");
  }
  const TfrxComponent* templ =
      sources_[static_cast<size_t>(entry->source)]->FindObject(templateName);
  if (!templ) throw std::invalid_argument("no template " + std::string(templateName));
  auto* copy = As<TfrxComponent>(templ->GetClass().Create()(parent ? parent : &page));
  copy->Assign(*templ);
  copy->SetName(templ->Name());
  templates_[copy] = templ;
  return *copy;
}

int ReportGenerator::AddPicture(const std::string& bytes) {
  const auto known = pictureIndexes_.find(bytes);
  if (known != pictureIndexes_.end()) return known->second;
  pictures_.push_back(bytes);
  const int index = static_cast<int>(pictures_.size());
  pictureIndexes_.emplace(bytes, index);
  return index;
}

void ReportGenerator::AddAnchor(std::string text, int page, int top) {
  anchors_.push_back({std::move(text), page, top});
}

void ReportGenerator::AddUnknownSection(std::string name, std::string itemAttributes) {
  unknownSections_.emplace_back(std::move(name), std::move(itemAttributes));
}

const std::string& ReportGenerator::AliasOf(int source, const TfrxComponent& templ) {
  const auto known = aliases_.find(&templ);
  if (known != aliases_.end()) return known->second;
  const std::string base = templ.BaseName();
  const char letter = As<TfrxBand>(&templ)
                          ? 'b'
                          : static_cast<char>(std::tolower(
                                static_cast<unsigned char>(base.empty() ? 'x' : base[0])));
  std::string alias = letter + std::to_string(++aliasCounters_[letter]);
  dictionary_.emplace_back(alias, "Page" + std::to_string(source) + "." + templ.Name());
  return aliases_.emplace(&templ, std::move(alias)).first->second;
}

std::string ReportGenerator::Write() {
  TfrxXMLDocument document;
  TfrxXMLItem& root = *document.Root();
  root.Name = "preparedreport";
  TfrxXMLSerializer serializer;
  serializer.CodePageStrings = true;

  TfrxXMLItem* pagesSection = AddChild(root, "previewpages");
  for (PageEntry& entry : pages_) {
    TfrxXMLItem* element = pagesSection->Add();
    if (entry.kind == PageEntry::Complete) {
      serializer.Owner = entry.page.get();
      serializer.WriteObjectTree(*entry.page, true, element);
      continue;
    }
    element->Name = "page" + std::to_string(entry.source);
    const TfrxReportPage& source = *sources_[static_cast<size_t>(entry.source)];
    if (entry.kind == PageEntry::Raw) {
      struct Pending {
        TfrxXMLItem* parent;
        const RawCompactObject* object;
      };
      std::vector<Pending> pending;
      for (auto it = entry.raw.rbegin(); it != entry.raw.rend(); ++it) pending.push_back({element, &*it});
      while (!pending.empty()) {
        const Pending p = pending.back();
        pending.pop_back();
        const TfrxComponent* templ = source.FindObject(p.object->templateName);
        if (!templ) throw std::invalid_argument("no template " + p.object->templateName);
        TfrxXMLItem* child = AddChild(*p.parent, AliasOf(entry.source, *templ), p.object->attributes);
        for (auto it = p.object->children.rbegin(); it != p.object->children.rend(); ++it) {
          pending.push_back({child, &*it});
        }
      }
      continue;
    }
    struct Pending {
      TfrxXMLItem* parent;
      TfrxComponent* object;
    };
    std::vector<Pending> pending;
    const auto& top = entry.page->Objects();
    for (auto it = top.rbegin(); it != top.rend(); ++it) pending.push_back({element, *it});
    while (!pending.empty()) {
      const Pending p = pending.back();
      pending.pop_back();
      TfrxXMLItem* child = nullptr;
      const auto templ = templates_.find(p.object);
      if (templ != templates_.end()) {
        if (auto* picture = As<TfrxPictureView>(p.object); picture && !picture->Picture().Empty()) {
          picture->SetImageIndex(AddPicture(picture->Picture().Data()));
        }
        child = AddChild(*p.parent, AliasOf(entry.source, *templ->second),
                         std::string(WithoutLeadingSpaces(p.object->WriteDifferences(*templ->second))));
      } else {
        // Not made from a template: spelled in full under its class name.
        child = AddChild(*p.parent, p.object->ClassName(),
                         std::string(WithoutLeadingSpaces(serializer.WriteProperties(*p.object))));
      }
      const auto& kids = p.object->Objects();
      for (auto it = kids.rbegin(); it != kids.rend(); ++it) pending.push_back({child, *it});
    }
  }

  if (!outline.empty()) WriteOutline(*AddChild(root, "outline"), outline);
  if (!anchors_.empty()) {
    TfrxXMLItem* section = AddChild(root, "anchors");
    for (const Anchor& a : anchors_) {
      TfrxXMLItem* item = AddChild(*section, "item");
      item->Prop("text", a.text);
      item->Prop("page", std::to_string(a.page));
      item->Prop("top", std::to_string(a.top));
    }
  }
  if (writeLogicalPageNumbers) {
    TfrxXMLItem* section = AddChild(root, "logicalpagenumbers");
    for (int i = 0; i < PageCount(); ++i) {
      AddChild(*section, "page",
               Attribute("n", std::to_string(i + 1)) + " " + Attribute("t", std::to_string(PageCount())));
    }
  }
  for (const auto& [name, attributes] : unknownSections_) {
    AddChild(*AddChild(root, name), "item", attributes);
  }

  TfrxXMLItem* report = AddChild(*AddChild(root, "report"), "TfrxReport");
  report->Text = Attribute("DotMatrixReport", settings.dotMatrix ? "1" : "0") + " " +
                 Attribute("PreviewOptions.OutlineVisible", settings.outlineVisible ? "1" : "0") +
                 " " + Attribute("PreviewOptions.OutlineWidth", std::to_string(settings.outlineWidth)) +
                 " " + Attribute("ReportOptions.Name", frxEscape(settings.name));

  TfrxXMLItem* sourceSection = AddChild(root, "sourcepages");
  for (const auto& source : sources_) {
    serializer.Owner = source.get();
    serializer.WriteObjectTree(*source, true, sourceSection->Add());
  }

  TfrxXMLItem* dictionarySection = AddChild(root, "dictionary");
  std::vector<std::pair<std::string, std::string>> sorted = dictionary_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return CompareAliases(a.first, b.first) < 0;
  });
  for (const auto& [alias, sourceName] : sorted) {
    AddChild(*dictionarySection, alias, TfrxDictionary::AttributeText(sourceName));
  }

  // Written as the cache writes it: upper-case hexadecimal, one item per picture.
  TfrxXMLItem* pictureSection = AddChild(root, "picturecache");
  for (const std::string& bytes : pictures_) {
    std::string text = "stream=\"";
    text.reserve(text.size() + 2 * bytes.size() + 1);
    for (unsigned char c : bytes) {
      text += "0123456789ABCDEF"[c >> 4];
      text += "0123456789ABCDEF"[c & 15];
    }
    text += '"';
    AddChild(*pictureSection, "item", std::move(text));
  }

  MemoryStream out;
  document.SaveToStream(out);
  return std::move(out.Data());
}

void ReportGenerator::WriteFile(const std::string& path) {
  const std::string bytes = Write();
  FileStream file(path, FileStream::Mode::Create);
  file.Write(bytes);
  file.Close();
}

}  // namespace quarlo::testing
