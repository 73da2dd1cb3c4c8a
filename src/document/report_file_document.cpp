#include "document/report_file_document.h"

#include <string_view>
#include <vector>

#include "document/report_file_sections.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "xml/xml_reader.h"
#include "xml/xml_text.h"
#include "xml/xml_writer.h"

namespace quarlo {

namespace {

// The reading rules below are the XML tree reader's, applied to tags one by one.

// The load mark of older producers, dropped once an element with an end tag closes.
constexpr std::string_view kLoadMark = " ld=\"0\"";
void DropLoadMark(std::string& text) {
  const size_t at = xml::FindText(text, kLoadMark);
  if (at != std::string::npos) text.erase(at, kLoadMark.size());
}

void DropLast(std::string& s) { s.pop_back(); }
void DropLast(std::string_view& s) { s.remove_suffix(1); }

// A trailing "/" of the name or else of the attribute text closes the element.
template <class Text>
bool TakeEmptyElementMark(Text& name, Text& text) {
  if (!name.empty() && name.back() == '/') {
    DropLast(name);
    return true;
  }
  if (!text.empty() && text.back() == '/') {
    DropLast(text);
    return true;
  }
  return false;
}

// End of input, an empty tag or an end tag: the end of the current child list.
bool EndsList(bool got, std::string_view name) { return !got || name.empty() || name.front() == '/'; }

void CheckEndTag(std::string_view endTag, std::string_view openName) {
  if (!endTag.empty() &&
      !(endTag.size() == openName.size() + 1 && SameText(endTag.substr(1), openName))) {
    throw TfrxInvalidXMLException();
  }
}

// "<name text" as the writer spells a start tag, without its closing bracket.
void AppendStartTag(std::string& out, std::string_view name, std::string_view text) {
  out += '<';
  out += name;
  if (!text.empty()) {
    if (text.front() != ' ') out += ' ';
    out += text;
  }
}

// The same with the load mark left out of the text.
void AppendStartTagWithoutLoadMark(std::string& out, std::string_view name, std::string_view text) {
  const size_t at = xml::FindText(text, kLoadMark);
  if (at == std::string_view::npos) return AppendStartTag(out, name, text);
  std::string kept(text.substr(0, at));
  kept += text.substr(at + kLoadMark.size());
  AppendStartTag(out, name, kept);
}

// Reads the children of an open page element up to and including its end tag, and
// prints them into body as the writer would print the elements the tree reader would
// build. Names the children's end tags must match are kept in open, whose strings keep
// their capacity from page to page. Returns whether the input ended first.
bool CaptureChildren(TfrxXMLReader& reader, std::string_view pageName, std::string& body,
                     std::vector<std::string>& open) {
  body.clear();
  size_t depth = 0;
  // The last start tag still waits for ">" (children follow) or "/>" (none did).
  bool startPending = false;
  const auto closeOne = [&] {
    if (startPending) {
      body += "/>";
      startPending = false;
    } else {
      body += "</";
      body += open[depth - 1];
      body += '>';
    }
    --depth;
  };
  std::string_view name, text;
  for (;;) {
    const bool got = reader.ReadTag(name, text);
    if (EndsList(got, name)) {
      if (got) CheckEndTag(name, depth == 0 ? pageName : std::string_view(open[depth - 1]));
      if (!got) {
        while (depth > 0) closeOne();
        return true;
      }
      if (depth == 0) return false;
      closeOne();
      continue;
    }
    if (startPending) {
      body += '>';
      startPending = false;
    }
    if (TakeEmptyElementMark(name, text)) {
      AppendStartTag(body, name, text);
      body += "/>";
      continue;
    }
    // Dropped now rather than at the end tag: the start tag is printed already.
    AppendStartTagWithoutLoadMark(body, name, text);
    if (depth == open.size()) open.emplace_back();
    open[depth++].assign(name);
    startPending = true;
  }
}

}  // namespace

void ReadReportDocument(Stream& stream, TfrxXMLDocument& document, PageBodies& bodies) {
  bodies.clear();
  TfrxXMLItem& root = *document.Root();
  root.Clear();
  // Named before anything is read, so a file that holds no root element (or fails in
  // its first tag) is still saved as a well-formed document.
  root.Name.assign(kRootElement);
  root.Text.clear();
  document.Header.clear();
  TfrxXMLReader reader(stream);
  document.CodePageStrings = reader.ReadHeader(&document.Header);
  if (document.CodePageStrings) document.Header.clear();

  std::string_view name, text;
  if (!reader.ReadTag(name, text) || name.empty() || name.front() == '/') return;
  root.Name.assign(name);
  root.Text.assign(text);
  if (TakeEmptyElementMark(root.Name, root.Text)) return;

  TfrxXMLItem* open = &root;
  TfrxXMLItem* pages = nullptr;  // the first "previewpages" section
  std::string body;              // a page's children, printed; reused from page to page
  std::vector<std::string> bodyOpen;
  const auto closeToRoot = [&](bool all) {
    do {
      DropLoadMark(open->Text);
      if (open == &root) return true;
      open = open->Parent();
    } while (all);
    return false;
  };
  for (;;) {
    const bool got = reader.ReadTag(name, text);
    if (EndsList(got, name)) {
      if (got) CheckEndTag(name, open->Name);
      if (closeToRoot(!got)) return;
      continue;
    }
    TfrxXMLItem* child = open->Add();
    child->Name.assign(name);
    child->Text.assign(text);
    const bool complete = TakeEmptyElementMark(child->Name, child->Text);
    if (open == &root && !pages && SameText(child->Name, kPagesSection)) pages = child;
    if (complete) continue;
    if (open == pages) {
      const bool endOfInput = CaptureChildren(reader, child->Name, body, bodyOpen);
      DropLoadMark(child->Text);
      // Kept for as long as the document, so copied at its size: without the slack left
      // by growing it, which would add up to half again the size of the pages.
      if (!body.empty()) bodies[child] = body;
      if (endOfInput) {
        closeToRoot(true);
        return;
      }
      continue;
    }
    open = child;
  }
}

void WriteReportDocument(Stream& stream, const TfrxXMLDocument& document,
                         const PageBodies& bodies) {
  TfrxXMLWriter writer(stream, false);
  writer.WriteHeader(document.CodePageStrings ? std::string_view() : std::string_view(document.Header));
  const TfrxXMLItem& root = *document.Root();
  if (root.Count() == 0 || bodies.empty()) {
    writer.WriteRootItem(root);
    writer.Flush();
    return;
  }
  writer.Flush();
  std::string out;
  const auto flush = [&] {
    stream.Write(out);
    out.clear();
  };
  AppendStartTag(out, root.Name, root.Text);
  out += '>';
  for (int s = 0; s < root.Count(); ++s) {
    const TfrxXMLItem& section = *root.Items(s);
    bool holdsBodies = false;
    for (int p = 0; p < section.Count() && !holdsBodies; ++p) {
      holdsBodies = bodies.count(section.Items(p)) > 0;
    }
    if (!holdsBodies) {
      flush();
      writer.WriteRootItem(section);
      writer.Flush();
      continue;
    }
    AppendStartTag(out, section.Name, section.Text);
    out += '>';
    for (int p = 0; p < section.Count(); ++p) {
      const TfrxXMLItem& page = *section.Items(p);
      const auto body = bodies.find(&page);
      if (page.Count() > 0 || body == bodies.end()) {
        flush();
        writer.WriteRootItem(page);
        writer.Flush();
        continue;
      }
      AppendStartTag(out, page.Name, page.Text);
      out += '>';
      out += body->second;
      out += "</";
      out += page.Name;
      out += '>';
      if (out.size() > TfrxXMLWriter::kFlushSize) flush();
    }
    out += "</";
    out += section.Name;
    out += '>';
  }
  out += "</";
  out += root.Name;
  out += '>';
  flush();
}

std::unique_ptr<TfrxXMLItem> ExpandPageElement(const TfrxXMLItem& element,
                                               const std::string& body) {
  auto item = std::make_unique<TfrxXMLItem>();
  if (!body.empty()) {
    const std::string text = "<?xml version=\"1.0\"?><x>" + body + "</x>";
    ByteViewStream stream(text.data(), text.size());
    TfrxXMLReader reader(stream);
    reader.ReadHeader();
    reader.ReadRootItem(*item);
  }
  item->Name = element.Name;
  item->Text = element.Text;
  return item;
}

}  // namespace quarlo
