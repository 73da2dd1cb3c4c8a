#include "objects/prop_data.h"

#include <cmath>
#include <cstring>

#include "platform/errors.h"
#include "platform/codepage.h"
#include "platform/same_text.h"

namespace quarlo {

namespace {

[[noreturn]] void Malformed() { throw EStreamError("Invalid property data"); }

// 80-bit extended (64-bit mantissa with explicit integer bit) <-> double.
double ExtendedToDouble(std::string_view b) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | static_cast<unsigned char>(b[static_cast<size_t>(i)]);
  unsigned se = static_cast<unsigned char>(b[8]) | (static_cast<unsigned char>(b[9]) << 8);
  bool negative = (se & 0x8000) != 0;
  int exponent = static_cast<int>(se & 0x7FFF);
  double v;
  if (exponent == 0 && mantissa == 0) {
    v = 0;
  } else if (exponent == 0x7FFF) {
    v = (mantissa << 1) == 0 ? INFINITY : NAN;
  } else {
    v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  }
  return negative ? -v : v;
}

std::string DoubleToExtended(double v) {
  std::string out(10, '\0');
  bool negative = std::signbit(v);
  double a = std::fabs(v);
  std::uint64_t mantissa = 0;
  unsigned exponent = 0;
  if (std::isnan(v)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(v)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (a != 0) {
    int e = 0;
    double f = std::frexp(a, &e);  // a = f * 2^e, 0.5 <= f < 1
    mantissa = static_cast<std::uint64_t>(std::ldexp(f, 64));
    exponent = static_cast<unsigned>(e - 1 + 16383);
  }
  for (int i = 0; i < 8; ++i) out[static_cast<size_t>(i)] = static_cast<char>((mantissa >> (8 * i)) & 0xFF);
  unsigned se = exponent | (negative ? 0x8000u : 0u);
  out[8] = static_cast<char>(se & 0xFF);
  out[9] = static_cast<char>(se >> 8);
  return out;
}

// Nesting of lists inside one property value; deeper data is treated as malformed.
constexpr int kMaxDepth = 64;

}  // namespace

// ----------------------------------------------------------- PropDataReader

std::uint8_t PropDataReader::Byte() {
  if (pos_ >= data_.size()) Malformed();
  return static_cast<std::uint8_t>(data_[pos_++]);
}

std::string_view PropDataReader::Bytes(size_t count) {
  if (count > data_.size() - pos_) Malformed();
  std::string_view v = data_.substr(pos_, count);
  pos_ += count;
  return v;
}

std::uint32_t PropDataReader::UInt32() {
  std::string_view b = Bytes(4);
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[0])) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(b[1])) << 8) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(b[2])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(b[3])) << 24);
}

PropValueTag PropDataReader::NextValue() const {
  if (pos_ >= data_.size()) Malformed();
  return static_cast<PropValueTag>(data_[pos_]);
}

bool PropDataReader::EndOfList() const { return NextValue() == PropValueTag::Null; }

void PropDataReader::ReadListBegin() {
  if (static_cast<PropValueTag>(Byte()) != PropValueTag::List) Malformed();
  if (++depth_ > kMaxDepth) Malformed();
}

void PropDataReader::ReadListEnd() {
  if (static_cast<PropValueTag>(Byte()) != PropValueTag::Null) Malformed();
  if (depth_ > 0) --depth_;
}

void PropDataReader::ReadCollectionBegin() {
  if (static_cast<PropValueTag>(Byte()) != PropValueTag::Collection) Malformed();
  if (++depth_ > kMaxDepth) Malformed();
}

std::string PropDataReader::ReadPropName() {
  std::uint8_t len = Byte();
  return std::string(Bytes(len));
}

std::int64_t PropDataReader::ReadInteger() {
  auto tag = static_cast<PropValueTag>(Byte());
  switch (tag) {
    case PropValueTag::Int8:
      return static_cast<std::int8_t>(Byte());
    case PropValueTag::Int16: {
      std::string_view b = Bytes(2);
      return static_cast<std::int16_t>(static_cast<unsigned char>(b[0]) |
                                       (static_cast<unsigned char>(b[1]) << 8));
    }
    case PropValueTag::Int32:
      return static_cast<std::int32_t>(UInt32());
    case PropValueTag::Int64: {
      std::uint64_t lo = UInt32();
      std::uint64_t hi = UInt32();
      return static_cast<std::int64_t>(lo | (hi << 32));
    }
    default:
      Malformed();
  }
}

double PropDataReader::ReadFloat() {
  auto tag = NextValue();
  switch (tag) {
    case PropValueTag::Extended:
      ++pos_;
      return ExtendedToDouble(Bytes(10));
    case PropValueTag::Double: {
      ++pos_;
      std::string_view b = Bytes(8);
      std::uint64_t bits = 0;
      for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(b[static_cast<size_t>(i)]);
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case PropValueTag::Single: {
      ++pos_;
      std::uint32_t bits = UInt32();
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return f;
    }
    case PropValueTag::Currency:
    case PropValueTag::Date: {
      ++pos_;
      std::string_view b = Bytes(8);
      std::uint64_t bits = 0;
      for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(b[static_cast<size_t>(i)]);
      if (tag == PropValueTag::Currency) return static_cast<double>(static_cast<std::int64_t>(bits)) / 10000.0;
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    default:
      return static_cast<double>(ReadInteger());
  }
}

bool PropDataReader::ReadBoolean() {
  auto tag = static_cast<PropValueTag>(Byte());
  if (tag == PropValueTag::True) return true;
  if (tag == PropValueTag::False) return false;
  Malformed();
}

std::string PropDataReader::ReadString() {
  auto tag = static_cast<PropValueTag>(Byte());
  switch (tag) {
    case PropValueTag::String:
    case PropValueTag::Ident:
      return std::string(Bytes(Byte()));
    case PropValueTag::LString:
      return std::string(Bytes(UInt32()));
    case PropValueTag::Utf8String:
      return Utf8ToSystem(Bytes(UInt32()));
    case PropValueTag::WString: {
      --pos_;
      return EncodeCodePage(ReadWideString(), CP_ACP);
    }
    default:
      Malformed();
  }
}

std::u16string PropDataReader::ReadWideString() {
  auto tag = static_cast<PropValueTag>(Byte());
  switch (tag) {
    case PropValueTag::WString: {
      std::uint32_t count = UInt32();
      if (count > (data_.size() - pos_) / 2) Malformed();
      std::string_view b = Bytes(static_cast<size_t>(count) * 2);
      std::u16string out;
      out.reserve(count);
      for (size_t i = 0; i < b.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(b[i]) |
                                            (static_cast<unsigned char>(b[i + 1]) << 8)));
      }
      return out;
    }
    case PropValueTag::Utf8String:
      return Utf8ToWide(Bytes(UInt32()));
    case PropValueTag::String:
    case PropValueTag::Ident:
      return DecodeCodePage(Bytes(Byte()), CP_ACP);
    case PropValueTag::LString:
      return DecodeCodePage(Bytes(UInt32()), CP_ACP);
    default:
      Malformed();
  }
}

std::string PropDataReader::ReadIdent() {
  auto tag = static_cast<PropValueTag>(Byte());
  switch (tag) {
    case PropValueTag::Ident:
      return std::string(Bytes(Byte()));
    case PropValueTag::False:
      return "False";
    case PropValueTag::True:
      return "True";
    case PropValueTag::Nil:
      return "nil";
    case PropValueTag::Null:
      return "Null";
    default:
      Malformed();
  }
}

std::string PropDataReader::ReadBinary() {
  if (static_cast<PropValueTag>(Byte()) != PropValueTag::Binary) Malformed();
  return std::string(Bytes(UInt32()));
}

std::vector<std::string> PropDataReader::ReadSet() {
  if (static_cast<PropValueTag>(Byte()) != PropValueTag::Set) Malformed();
  std::vector<std::string> members;
  while (true) {
    std::string name = ReadPropName();
    if (name.empty()) break;
    members.push_back(std::move(name));
  }
  return members;
}

void PropDataReader::SkipValue() {
  auto tag = NextValue();
  switch (tag) {
    case PropValueTag::Null:
    case PropValueTag::False:
    case PropValueTag::True:
    case PropValueTag::Nil:
      ++pos_;
      return;
    case PropValueTag::List:
      ReadListBegin();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    case PropValueTag::Int8:
    case PropValueTag::Int16:
    case PropValueTag::Int32:
    case PropValueTag::Int64:
      ReadInteger();
      return;
    case PropValueTag::Extended:
    case PropValueTag::Double:
    case PropValueTag::Single:
    case PropValueTag::Currency:
    case PropValueTag::Date:
      ReadFloat();
      return;
    case PropValueTag::String:
    case PropValueTag::Ident:
      ++pos_;
      Bytes(Byte());
      return;
    case PropValueTag::LString:
    case PropValueTag::Utf8String:
    case PropValueTag::Binary:
      ++pos_;
      Bytes(UInt32());
      return;
    case PropValueTag::WString:
      ReadWideString();
      return;
    case PropValueTag::Set:
      ReadSet();
      return;
    case PropValueTag::Collection:
      ++pos_;
      if (++depth_ > kMaxDepth) Malformed();
      // Optional order value, then items: each a list of properties ended by Null.
      if (NextValue() == PropValueTag::Int8 || NextValue() == PropValueTag::Int16 ||
          NextValue() == PropValueTag::Int32) {
        ReadInteger();
      }
      while (!EndOfList()) {
        ReadListBegin();
        while (!EndOfList()) {
          ReadPropName();
          SkipValue();
        }
        ReadListEnd();
      }
      ++pos_;
      --depth_;
      return;
    default:
      Malformed();
  }
}

// ----------------------------------------------------------- PropDataWriter

void PropDataWriter::UInt32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PropDataWriter::WritePropName(std::string_view name) {
  if (name.size() > 255) throw EStreamError("Property name too long");
  out_.push_back(static_cast<char>(name.size()));
  out_.append(name);
}

void PropDataWriter::WriteListBegin() { Tag(PropValueTag::List); }
void PropDataWriter::WriteListEnd() { Tag(PropValueTag::Null); }

void PropDataWriter::WriteInteger(std::int64_t v) {
  if (v >= -128 && v <= 127) {
    Tag(PropValueTag::Int8);
    out_.push_back(static_cast<char>(v));
  } else if (v >= -32768 && v <= 32767) {
    Tag(PropValueTag::Int16);
    out_.push_back(static_cast<char>(v & 0xFF));
    out_.push_back(static_cast<char>((v >> 8) & 0xFF));
  } else if (v >= INT32_MIN && v <= INT32_MAX) {
    Tag(PropValueTag::Int32);
    UInt32(static_cast<std::uint32_t>(v));
  } else {
    Tag(PropValueTag::Int64);
    UInt32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) & 0xFFFFFFFFu));
    UInt32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32));
  }
}

void PropDataWriter::WriteFloat(double v) {
  Tag(PropValueTag::Extended);
  out_ += DoubleToExtended(v);
}

void PropDataWriter::WriteBoolean(bool v) { Tag(v ? PropValueTag::True : PropValueTag::False); }

void PropDataWriter::WriteString(std::string_view bytes) {
  if (bytes.size() <= 255) {
    Tag(PropValueTag::String);
    out_.push_back(static_cast<char>(bytes.size()));
  } else {
    Tag(PropValueTag::LString);
    UInt32(static_cast<std::uint32_t>(bytes.size()));
  }
  out_.append(bytes);
}

void PropDataWriter::WriteLString(std::string_view bytes) {
  Tag(PropValueTag::LString);
  UInt32(static_cast<std::uint32_t>(bytes.size()));
  out_.append(bytes);
}

void PropDataWriter::WriteUtf8String(std::string_view utf8) {
  Tag(PropValueTag::Utf8String);
  UInt32(static_cast<std::uint32_t>(utf8.size()));
  out_.append(utf8);
}

void PropDataWriter::WriteWideString(std::u16string_view text) {
  Tag(PropValueTag::WString);
  UInt32(static_cast<std::uint32_t>(text.size()));
  for (char16_t u : text) {
    out_.push_back(static_cast<char>(u & 0xFF));
    out_.push_back(static_cast<char>(u >> 8));
  }
}

void PropDataWriter::WriteIdent(std::string_view ident) {
  if (ident.size() > 255) throw EStreamError("Identifier too long");
  Tag(PropValueTag::Ident);
  out_.push_back(static_cast<char>(ident.size()));
  out_.append(ident);
}

void PropDataWriter::WriteBinary(std::string_view bytes) {
  Tag(PropValueTag::Binary);
  UInt32(static_cast<std::uint32_t>(bytes.size()));
  out_.append(bytes);
}

// ------------------------------------------------------ objects <-> buffers

namespace {

class WritingFiler : public PropDataFiler {
 public:
  explicit WritingFiler(PropDataWriter& w) : w_(w) {}
  void DefineBinaryProperty(std::string_view name, const std::function<void(const std::string&)>&,
                            const std::function<std::string()>& write, bool hasData) override {
    if (!hasData || !write) return;
    w_.WritePropName(name);
    w_.WriteBinary(write());
  }
  void DefineProperty(std::string_view name, const std::function<void(PropDataReader&)>&,
                      const std::function<void(PropDataWriter&)>& write, bool hasData) override {
    if (!hasData || !write) return;
    w_.WritePropName(name);
    write(w_);
  }

 private:
  PropDataWriter& w_;
};

class ReadingFiler : public PropDataFiler {
 public:
  ReadingFiler(PropDataReader& r, std::string_view name) : r_(r), name_(name) {}
  bool Matched() const { return matched_; }
  void DefineBinaryProperty(std::string_view name,
                            const std::function<void(const std::string&)>& read,
                            const std::function<std::string()>&, bool) override {
    if (matched_ || !read || !SameText(name, name_)) return;
    matched_ = true;
    read(r_.ReadBinary());
  }
  void DefineProperty(std::string_view name, const std::function<void(PropDataReader&)>& read,
                      const std::function<void(PropDataWriter&)>&, bool) override {
    if (matched_ || !read || !SameText(name, name_)) return;
    matched_ = true;
    read(r_);
  }

 private:
  PropDataReader& r_;
  std::string_view name_;
  bool matched_ = false;
};

// One published property value; throws on anything it cannot take.
void ReadPublished(PropDataReader& r, TPersistent& object, const PropertyInfo& p,
                   std::vector<PropDataReference>* references) {
  switch (p.kind) {
    case PropertyKind::Integer:
    case PropertyKind::Char:
    case PropertyKind::WChar: {
      std::int64_t v;
      if (r.NextValue() == PropValueTag::String || r.NextValue() == PropValueTag::WString) {
        std::u16string s = r.ReadWideString();
        v = s.empty() ? 0 : s[0];
      } else {
        v = r.ReadInteger();
      }
      if (p.setOrdinal) p.setOrdinal(object, v);
      return;
    }
    case PropertyKind::Enumeration: {
      std::string ident = r.ReadIdent();
      int ordinal = p.enumInfo ? p.enumInfo->Find(ident) : -1;
      if (ordinal < 0) Malformed();
      if (p.setOrdinal) p.setOrdinal(object, ordinal);
      return;
    }
    case PropertyKind::Set: {
      std::int64_t mask = 0;
      for (const std::string& m : r.ReadSet()) {
        int bit = p.enumInfo ? p.enumInfo->Find(m) : -1;
        if (bit >= 0) mask |= std::int64_t{1} << bit;
      }
      if (p.setOrdinal) p.setOrdinal(object, mask);
      return;
    }
    case PropertyKind::Float: {
      double v = r.ReadFloat();
      if (p.setFloat) p.setFloat(object, v);
      return;
    }
    case PropertyKind::String:
    case PropertyKind::Variant: {
      std::string v = r.ReadString();
      if (p.setString) p.setString(object, v);
      return;
    }
    case PropertyKind::WString: {
      std::u16string v = r.ReadWideString();
      if (p.setWString) p.setWString(object, v);
      return;
    }
    case PropertyKind::Object: {
      if (!p.isReference) Malformed();
      std::string name = r.NextValue() == PropValueTag::Nil ? (r.SkipValue(), std::string("nil"))
                                                              : r.ReadIdent();
      if (references) references->push_back({&object, &p, name});
      return;
    }
    default:
      Malformed();
  }
}

}  // namespace

std::string WritePropData(TPersistent& object) {
  PropDataWriter writer;
  WritingFiler filer(writer);
  object.DefineProperties(filer);
  return writer.Bytes();
}

bool ReadPropData(TPersistent& object, std::string_view bytes,
                  std::vector<PropDataReference>* references) {
  PropDataReader reader(bytes);
  try {
    while (!reader.AtEnd()) {
      std::string name = reader.ReadPropName();
      if (name.empty()) return false;
      // Dotted names walk into sub-objects.
      TPersistent* target = &object;
      std::string_view last(name);
      for (size_t dot; (dot = last.find('.')) != std::string_view::npos;) {
        const PropertyInfo* p = target->GetClass().FindProperty(last.substr(0, dot));
        if (!p || p->kind != PropertyKind::Object || p->isReference || !p->getObject) return false;
        target = p->getObject(*target);
        if (!target) return false;
        last.remove_prefix(dot + 1);
      }
      ReadingFiler filer(reader, last);
      target->DefineProperties(filer);
      if (filer.Matched()) continue;
      const PropertyInfo* p = target->GetClass().FindProperty(last);
      if (!p) return false;
      ReadPublished(reader, *target, *p, references);
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace quarlo
