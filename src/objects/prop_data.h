#pragma once
// The binary component-property stream carried by the PropData attribute: a
// sequence of properties, each a name (one length byte, then the bytes) followed by
// a tagged value, ended by a zero byte. Every read is bounds-checked: a truncated
// or malformed buffer raises EStreamError, it never reads past the end.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/property_model.h"

namespace quarlo {

class Stream;

enum class PropValueTag : std::uint8_t {
  Null = 0,  // also the end of a list
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,  // 80-bit float
  String = 6,    // one length byte
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,   // 32-bit length
  Set = 11,
  LString = 12,  // 32-bit length
  Nil = 13,
  Collection = 14,
  Single = 15,
  Currency = 16,
  Date = 17,
  WString = 18,  // 32-bit count of UTF-16 units
  Int64 = 19,
  Utf8String = 20,  // 32-bit length
  Double = 21,
};

class PropDataReader {
 public:
  explicit PropDataReader(std::string_view bytes) : data_(bytes) {}
  bool AtEnd() const { return pos_ >= data_.size(); }
  size_t Position() const { return pos_; }

  PropValueTag NextValue() const;  // peeks the tag
  // True at the list end marker (does not consume it).
  bool EndOfList() const;
  void ReadListBegin();
  void ReadListEnd();
  // The Collection tag; its items follow as lists, ended by the list end marker.
  void ReadCollectionBegin();
  std::string ReadPropName();  // one length byte, then the bytes; "" at the end marker
  std::int64_t ReadInteger();  // Int8/16/32/64
  double ReadFloat();          // Extended, Double, Single, Currency and integers
  bool ReadBoolean();
  std::string ReadString();       // 8-bit (String, LString, Ident); UTF-8/wide converted
  std::u16string ReadWideString();  // any string tag, converted to UTF-16
  std::string ReadIdent();
  std::string ReadBinary();  // Binary tag: the bytes
  std::vector<std::string> ReadSet();
  void SkipValue();

 private:
  std::uint8_t Byte();
  std::string_view Bytes(size_t count);
  std::uint32_t UInt32();

  std::string_view data_;
  size_t pos_ = 0;
  int depth_ = 0;
};

class PropDataWriter {
 public:
  void WritePropName(std::string_view name);  // names longer than 255 bytes are refused
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(std::int64_t value);  // smallest tag that holds it
  void WriteFloat(double value);          // 80-bit extended
  void WriteBoolean(bool value);
  void WriteString(std::string_view bytes);  // String or LString by length
  void WriteLString(std::string_view bytes);  // LString whatever the length
  void WriteUtf8String(std::string_view utf8);
  void WriteWideString(std::u16string_view text);
  void WriteIdent(std::string_view ident);
  void WriteBinary(std::string_view bytes);
  void WriteEnd() { WriteListEnd(); }
  const std::string& Bytes() const { return out_; }

 private:
  void Tag(PropValueTag tag) { out_.push_back(static_cast<char>(tag)); }
  void UInt32(std::uint32_t v);
  std::string out_;
};

// What an object's DefineProperties talks to: each custom property with a reader,
// a writer and whether it has data to write.
class PropDataFiler {
 public:
  virtual ~PropDataFiler() = default;
  // A Binary value: read gets the bytes, write returns them.
  virtual void DefineBinaryProperty(std::string_view name,
                                    const std::function<void(const std::string&)>& read,
                                    const std::function<std::string()>& write,
                                    bool hasData) = 0;
  // Any values: read consumes exactly one value, write produces exactly one value.
  virtual void DefineProperty(std::string_view name,
                              const std::function<void(PropDataReader&)>& read,
                              const std::function<void(PropDataWriter&)>& write,
                              bool hasData) = 0;
};

// The custom properties of an object as a PropData buffer ("" when it has none).
std::string WritePropData(TPersistent& object);

// A reference met inside PropData (an identifier naming a component).
struct PropDataReference {
  TPersistent* object = nullptr;
  const PropertyInfo* property = nullptr;
  std::string name;
};

// Reads properties from a PropData buffer onto the object until the buffer ends or a
// read fails (returns false then); custom properties go to DefineProperties, other
// names to the published properties (dotted names walk into sub-objects).
bool ReadPropData(TPersistent& object, std::string_view bytes,
                  std::vector<PropDataReference>* references = nullptr);

}  // namespace quarlo
