#include "objects/special/chart_stream.h"

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "objects/special/chart_value_text.h"
#include "platform/same_text.h"

namespace quarlo {

namespace {

constexpr std::string_view kSignature = "TPF0";

[[noreturn]] void Damaged() { throw EStreamError("Invalid chart stream"); }

// Walks the stream with its own cursor; every tagged value is measured by the
// property reader over the rest of the buffer, so nothing is read past its end.
class NodeReader {
 public:
  explicit NodeReader(std::string_view bytes) : bytes_(bytes) {}

  ChartStreamNode Read(int depth) {
    if (depth > kMaxChartStreamDepth || ++components_ > kMaxChartStreamComponents) Damaged();
    ChartStreamNode node;
    std::uint8_t prefix = Peek();
    if ((prefix & 0xF0) == 0xF0) {
      ++pos_;
      node.filerFlags = prefix;
      if (prefix & 0x02) node.childPosition = Value();
    }
    node.className = ShortString();
    if (node.className.empty()) Damaged();
    node.name = ShortString();
    while (Peek() != 0) {
      ChartStreamProperty p;
      p.name = ShortString();
      p.value = Value();
      node.properties.push_back(std::move(p));
    }
    ++pos_;
    while (Peek() != 0) node.children.push_back(Read(depth + 1));
    ++pos_;
    return node;
  }

 private:
  std::uint8_t Peek() const {
    if (pos_ >= bytes_.size()) Damaged();
    return static_cast<std::uint8_t>(bytes_[pos_]);
  }
  std::string ShortString() {
    size_t len = Peek();
    if (len > bytes_.size() - pos_ - 1) Damaged();
    std::string s(bytes_.substr(pos_ + 1, len));
    pos_ += 1 + len;
    return s;
  }
  std::string Value() {
    PropDataReader r(bytes_.substr(pos_));
    r.SkipValue();
    std::string v(bytes_.substr(pos_, r.Position()));
    pos_ += r.Position();
    return v;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
  size_t components_ = 0;
};

void WriteNode(const ChartStreamNode& node, std::string& out, int depth) {
  if (depth > kMaxChartStreamDepth) throw EStreamError("Chart stream nested too deeply");
  if (node.filerFlags >= 0) {
    out.push_back(static_cast<char>(node.filerFlags));
    if (node.filerFlags & 2) out += node.childPosition;
  }
  auto shortString = [&out](std::string_view s) {
    if (s.size() > 255) throw EStreamError("Name too long in chart stream");
    out.push_back(static_cast<char>(s.size()));
    out.append(s);
  };
  shortString(node.className);
  shortString(node.name);
  for (const ChartStreamProperty& p : node.properties) {
    shortString(p.name);
    out += p.value;
  }
  out.push_back('\0');
  for (const ChartStreamNode& child : node.children) WriteNode(child, out, depth + 1);
  out.push_back('\0');
}

std::optional<PropDataReader> ValueReader(const ChartStreamNode& node, std::string_view name) {
  const ChartStreamProperty* p = node.Find(name);
  if (!p || p->value.empty()) return std::nullopt;
  return PropDataReader(p->value);
}

template <class F>
auto TryRead(const ChartStreamNode& node, std::string_view name, F read)
    -> std::optional<decltype(read(std::declval<PropDataReader&>()))> {
  auto r = ValueReader(node, name);
  if (!r) return std::nullopt;
  try {
    return read(*r);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

const ChartStreamProperty* ChartStreamNode::Find(std::string_view propertyName) const {
  for (const ChartStreamProperty& p : properties) {
    if (SameText(p.name, propertyName)) return &p;
  }
  return nullptr;
}

void ChartStreamNode::Set(std::string_view propertyName, std::string value) {
  for (ChartStreamProperty& p : properties) {
    if (SameText(p.name, propertyName)) {
      p.value = std::move(value);
      return;
    }
  }
  properties.push_back({std::string(propertyName), std::move(value)});
}

void ChartStreamNode::Remove(std::string_view propertyName) {
  std::erase_if(properties, [&](const ChartStreamProperty& p) { return SameText(p.name, propertyName); });
}

ChartStreamNode ReadChartStream(std::string_view bytes) {
  if (bytes.substr(0, kSignature.size()) != kSignature) Damaged();
  std::string_view body = bytes.substr(kSignature.size());
  try {
    NodeReader reader(body);
    return reader.Read(0);
  } catch (const EStreamError&) {
    Damaged();
  }
}

std::string WriteChartStream(const ChartStreamNode& root) {
  std::string out(kSignature);
  WriteNode(root, out, 0);
  return out;
}

namespace chart_value {

std::string Boolean(bool value) {
  PropDataWriter w;
  w.WriteBoolean(value);
  return w.Bytes();
}
std::string Integer(std::int64_t value) {
  PropDataWriter w;
  w.WriteInteger(value);
  return w.Bytes();
}
std::string Float(double value) {
  PropDataWriter w;
  w.WriteFloat(value);
  return w.Bytes();
}
std::string String(std::string_view bytes) {
  PropDataWriter w;
  w.WriteString(bytes);
  return w.Bytes();
}
std::string Ident(std::string_view ident) {
  PropDataWriter w;
  w.WriteIdent(ident);
  return w.Bytes();
}
std::string StringList(const std::vector<std::string>& lines) {
  PropDataWriter w;
  w.WriteListBegin();
  for (const std::string& line : lines) w.WriteString(line);
  w.WriteListEnd();
  return w.Bytes();
}
std::string Colour(TColor colour) {
  std::string name = ColourName(colour);
  return name.empty() ? Integer(colour) : Ident(name);
}

}  // namespace chart_value

std::optional<bool> ChartBool(const ChartStreamNode& node, std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) { return r.ReadBoolean(); });
}

std::optional<std::int64_t> ChartInteger(const ChartStreamNode& node, std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) { return r.ReadInteger(); });
}

std::optional<double> ChartFloat(const ChartStreamNode& node, std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) { return r.ReadFloat(); });
}

std::optional<std::string> ChartString(const ChartStreamNode& node, std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) { return r.ReadString(); });
}

std::optional<std::string> ChartIdent(const ChartStreamNode& node, std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) { return r.ReadIdent(); });
}

std::optional<std::vector<std::string>> ChartStringList(const ChartStreamNode& node,
                                                        std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) {
    std::vector<std::string> lines;
    r.ReadListBegin();
    while (!r.EndOfList()) lines.push_back(r.ReadString());
    r.ReadListEnd();
    return lines;
  });
}

std::optional<TColor> ChartColour(const ChartStreamNode& node, std::string_view name) {
  return TryRead(node, name, [](PropDataReader& r) -> TColor {
    if (r.NextValue() == PropValueTag::Ident) {
      auto c = ColourFromName(r.ReadIdent());
      if (!c) throw EStreamError("unknown colour");
      return *c;
    }
    return static_cast<TColor>(static_cast<std::uint32_t>(r.ReadInteger()));
  });
}

}  // namespace quarlo
