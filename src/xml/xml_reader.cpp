#include "xml/xml_reader.h"

#include <cstring>

#include "platform/stream.h"
#include "xml/xml_text.h"

namespace quarlo {

TfrxXMLReader::TfrxXMLReader(Stream& stream) : stream_(stream) {}

TfrxXMLReader::~TfrxXMLReader() {
  if (pos_ < end_) stream_.SetPosition(stream_.Position() - static_cast<int64_t>(end_ - pos_));
}

bool TfrxXMLReader::Fill() {
  pos_ = 0;
  end_ = stream_.Read(buffer_, kBufferSize);
  return end_ > 0;
}

int TfrxXMLReader::NextByte() {
  if (pos_ == end_ && !Fill()) return -1;
  return static_cast<unsigned char>(buffer_[pos_++]);
}

// Skips to a ">" that directly follows two dashes. A third dash starts the count
// again, so "--->" does not close the comment. False when the input ends first.
bool TfrxXMLReader::SkipComment() {
  int dashes = 0;
  for (;;) {
    if (pos_ == end_ && !Fill()) return false;
    const char c = buffer_[pos_++];
    if (c == '-') {
      dashes = dashes == 2 ? 0 : dashes + 1;
    } else if (c == '>' && dashes == 2) {
      return true;
    } else {
      dashes = 0;
    }
  }
}

bool TfrxXMLReader::ReadTag(std::string_view& name, std::string_view& text) {
  for (;;) {
    // Everything outside tags is skipped: text content, line breaks, a byte-order mark.
    for (;;) {
      const void* lt = pos_ < end_ ? std::memchr(buffer_ + pos_, '<', end_ - pos_) : nullptr;
      if (lt) {
        pos_ = static_cast<size_t>(static_cast<const char*>(lt) - buffer_) + 1;
        break;
      }
      if (!Fill()) return false;
    }

    std::string_view tag;
    // The common case: the whole tag sits in the buffer and is taken from there.
    const char* start = buffer_ + pos_;
    if (const auto* gt = static_cast<const char*>(std::memchr(start, '>', end_ - pos_))) {
      const size_t len = static_cast<size_t>(gt - start);
      if (len >= 3 && std::memcmp(start, "!--", 3) == 0) {
        pos_ += 3;
        if (!SkipComment()) return false;
        continue;
      }
      if (std::memchr(start, '<', len)) throw TfrxInvalidXMLException();
      tag = std::string_view(start, len);
      pos_ += len + 1;
      SplitTag(tag, name, text);
      return true;
    }

    // The tag runs past the buffer. The first three bytes decide whether this is a
    // comment; they are taken one by one because they may straddle a refill.
    tag_.clear();
    bool closed = false;
    while (tag_.size() < 3) {
      const int c = NextByte();
      if (c < 0 || c == '<') throw TfrxInvalidXMLException();
      if (c == '>') {
        closed = true;
        break;
      }
      tag_ += static_cast<char>(c);
    }
    if (!closed && tag_ == "!--") {
      if (!SkipComment()) return false;
      continue;
    }

    if (closed) {
      tag = tag_;
    } else {
      for (;;) {
        const char* from = buffer_ + pos_;
        const size_t avail = end_ - pos_;
        const char* gt = avail ? static_cast<const char*>(std::memchr(from, '>', avail)) : nullptr;
        const size_t len = gt ? static_cast<size_t>(gt - from) : avail;
        if (len && std::memchr(from, '<', len)) throw TfrxInvalidXMLException();
        tag_.append(from, len);
        pos_ += len;
        if (gt) {
          ++pos_;
          tag = tag_;
          break;
        }
        if (!Fill()) throw TfrxInvalidXMLException();
      }
    }

    SplitTag(tag, name, text);
    return true;
  }
}

void TfrxXMLReader::SplitTag(std::string_view tag, std::string_view& name, std::string_view& text) {
  if (!tag.empty() && tag.back() == ' ') tag.remove_suffix(1);
  const size_t space = tag.find(' ');
  if (space == std::string_view::npos) {
    name = tag;
    text = std::string_view();
  } else {
    name = tag.substr(0, space);
    text = tag.substr(space + 1);
  }
}

bool TfrxXMLReader::ReadHeader(std::string* header) {
  std::string_view name, text;
  if (!ReadTag(name, text) || name.substr(0, 4) != "?xml") throw TfrxInvalidXMLException();
  if (header) {
    header->assign("<").append(name);
    if (!text.empty()) header->append(" ").append(text);
    header->append(">");
  }
  std::string_view version;
  const size_t at = text.find("version=");
  if (at != std::string_view::npos && at + 9 <= text.size()) version = text.substr(at + 9, 3);
  return version == "1.0" && text.find("standalone=") == std::string_view::npos;
}

namespace {

// The load mark written by older producers means nothing here; it is dropped so a
// saved document does not carry it on.
void DropLoadMark(TfrxXMLItem& item) {
  const size_t at = xml::FindText(item.Text, " ld=\"0\"");
  if (at != std::string::npos) item.Text.erase(at, 7);
}

// Element names ending in "/" and attribute texts ending in "/" close the element.
bool TakeEmptyElementMark(TfrxXMLItem& item) {
  if (!item.Name.empty() && item.Name.back() == '/') {
    item.Name.pop_back();
    return true;
  }
  if (!item.Text.empty() && item.Text.back() == '/') {
    item.Text.pop_back();
    return true;
  }
  return false;
}

}  // namespace

void TfrxXMLReader::ReadRootItem(TfrxXMLItem& root) {
  std::string_view name, text;
  if (!ReadTag(name, text) || name.empty() || name.front() == '/') return;
  root.Name.assign(name);
  root.Text.assign(text);
  if (TakeEmptyElementMark(root)) return;

  // The open elements form a chain through their parents: no stack of our own needed.
  TfrxXMLItem* open = &root;
  for (;;) {
    const bool got = ReadTag(name, text);
    if (!got || name.empty() || name.front() == '/') {
      if (got && !name.empty() &&
          !(name.size() == open->Name.size() + 1 && SameText(name.substr(1), open->Name))) {
        throw TfrxInvalidXMLException();
      }
      // At the end of the input every open element simply ends.
      do {
        open->ShrinkChildren();
        DropLoadMark(*open);
        if (open == &root) return;
        open = open->Parent();
      } while (!got);
      continue;
    }
    TfrxXMLItem* child = open->Add();
    child->Name.assign(name);
    child->Text.assign(text);
    if (!TakeEmptyElementMark(*child)) open = child;
  }
}

}  // namespace quarlo
