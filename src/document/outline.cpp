#include "document/outline.h"

#include <charconv>

#include "document/preview_pages.h"
#include "document/report_file_sections.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "xml/xml_document.h"
#include "xml/xml_text.h"

namespace quarlo {

namespace {

// A decimal integer with optional surrounding spaces and sign; false for anything else.
bool ParseInt(std::string_view text, int& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  int v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  value = v;
  return true;
}

}  // namespace

void ReadItemPosition(const TfrxXMLItem& item, int& top, int& page) {
  ParseInt(item.Prop("top"), top);
  ParseInt(item.Prop("page"), page);
}

std::string ReadItemText(const TfrxXMLItem& item, const TfrxXMLDocument& document) {
  std::string text;
  try {
    text = item.Prop("text");
  } catch (const EConvertError&) {
    const std::string attributes = " " + item.Text;
    const size_t at = xml::FindText(attributes, " text=\"");
    const size_t start = at == std::string::npos ? attributes.size() : at + 7;
    const size_t end = attributes.find('"', start);
    text = attributes.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }
  return FileStringToSystem(text, document.CodePageStrings);
}

TfrxXMLItem* TfrxOutline::RootItem() const {
  return PreviewPages()->XMLDocument().Root()->FindItem(kOutlineSection);
}

int TfrxOutline::Count() const { return current_ ? current_->Count() : 0; }

void TfrxOutline::LevelRoot() { current_ = RootItem(); }

void TfrxOutline::LevelIn(int index) {
  if (current_ && index >= 0 && index < current_->Count()) current_ = current_->Items(index);
}

void TfrxOutline::LevelUp() {
  if (current_ && current_ != RootItem() && current_->Parent()) current_ = current_->Parent();
}

void TfrxOutline::ItemInfo(int index, std::string& text, int& top, int& page) const {
  if (!current_ || index < 0 || index >= current_->Count()) return;
  const TfrxXMLItem& item = *current_->Items(index);
  text = ReadItemText(item, PreviewPages()->XMLDocument());
  ReadItemPosition(item, top, page);
}

void TfrxOutline::AddItem(const std::string& text, int top) {
  if (!current_) LevelRoot();
  TfrxXMLItem* item = current_->Add();
  item->Name = "item";
  item->Prop("text", text);
  item->Prop("page", std::to_string(PreviewPages()->CurrentPage()));
  item->Prop("top", std::to_string(top));
  current_ = item;
}

}  // namespace quarlo
