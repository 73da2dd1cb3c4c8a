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
void DropLoadMark(std::string& text) {
  const size_t at = xml::FindText(text, " ld=\"0\"");
  if (at != std::string::npos) text.erase(at, 7);
}

// A trailing "/" of the name or else of the attribute text closes the element.
bool TakeEmptyElementMark(std::string& name, std::string& text) {
  if (!name.empty() && name.back() == '/') {
    name.pop_back();
    return true;
  }
  if (!text.empty() && text.back() == '/') {
    text.pop_back();
    return true;
  }
  return false;
}

// End of input, an empty tag or an end tag: the end of the current child list.
bool EndsList(bool got, std::string_view name) { return !got || name.empty() || name.front() == '/'; }

void CheckEndTag(std::string_view endTag, std::string_view openName) {
  if (!endTag.empty() &&
      !(endTag.size() == openName.size() + 1 && xml::SameText(endTag.substr(1), openName))) {
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

struct CapturedBody {
  std::string body;
  bool endOfInput = false;
};

// Reads the children of an open page element up to and including its end tag, and
// prints them as the writer would print the elements the tree reader would build.
CapturedBody CaptureChildren(TfrxXMLReader& reader, std::string_view pageName) {
  CapturedBody c;
  std::vector<std::string> open;
  // The last start tag still waits for ">" (children follow) or "/>" (none did).
  bool startPending = false;
  const auto closeOne = [&] {
    if (startPending) {
      c.body += "/>";
      startPending = false;
    } else {
      c.body += "</";
      c.body += open.back();
      c.body += '>';
    }
    open.pop_back();
  };
  std::string_view name, text;
  for (;;) {
    const bool got = reader.ReadTag(name, text);
    if (EndsList(got, name)) {
      if (got) CheckEndTag(name, open.empty() ? pageName : std::string_view(open.back()));
      if (!got) {
        while (!open.empty()) closeOne();
        c.endOfInput = true;
        return c;
      }
      if (open.empty()) return c;
      closeOne();
      continue;
    }
    if (startPending) {
      c.body += '>';
      startPending = false;
    }
    std::string n(name), t(text);
    const bool complete = TakeEmptyElementMark(n, t);
    // Dropped now rather than at the end tag: the start tag is printed already.
    if (!complete) DropLoadMark(t);
    AppendStartTag(c.body, n, t);
    if (complete) {
      c.body += "/>";
    } else {
      open.push_back(std::move(n));
      startPending = true;
    }
  }
}

}  // namespace

void ReadReportDocument(Stream& stream, TfrxXMLDocument& document, PageBodies& bodies) {
  bodies.clear();
  TfrxXMLItem& root = *document.Root();
  root.Clear();
  root.Name.clear();
  root.Text.clear();
  TfrxXMLReader reader(stream);
  document.CodePageStrings = reader.ReadHeader();

  std::string_view name, text;
  if (!reader.ReadTag(name, text) || name.empty() || name.front() == '/') return;
  root.Name.assign(name);
  root.Text.assign(text);
  if (TakeEmptyElementMark(root.Name, root.Text)) return;

  TfrxXMLItem* open = &root;
  TfrxXMLItem* pages = nullptr;  // the first "previewpages" section
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
    if (open == &root && !pages && xml::SameText(child->Name, kPagesSection)) pages = child;
    if (complete) continue;
    if (open == pages) {
      CapturedBody captured = CaptureChildren(reader, child->Name);
      DropLoadMark(child->Text);
      if (!captured.body.empty()) {
        // Kept for as long as the document: without the slack left by growing it,
        // which would add up to half again the size of the pages.
        captured.body.shrink_to_fit();
        bodies[child] = std::move(captured.body);
      }
      if (captured.endOfInput) {
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
  writer.WriteHeader();
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
