#pragma once
// The stored chart: a component written by the binary component streaming ("TPF0",
// class name, component name, properties as name + tagged value ended by a zero byte,
// then the child components, ended by a zero byte). It is kept as a generic tree whose
// property values stay in their stored bytes, so a chart read and written again comes
// out byte for byte, including the properties this engine does not use.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"

namespace quarlo {

struct ChartStreamProperty {
  std::string name;
  std::string value;  // tag byte and payload, as stored
};

struct ChartStreamNode {
  std::string className;
  std::string name;
  // The filer-flags prefix byte of a child (0xF0 | flags) or -1 when absent, and the
  // stored child position value that follows it when flag 2 is set.
  int filerFlags = -1;
  std::string childPosition;
  std::vector<ChartStreamProperty> properties;
  std::vector<ChartStreamNode> children;

  // Lookup ignores case; null when absent.
  const ChartStreamProperty* Find(std::string_view propertyName) const;
  // Replaces the value in place, or appends the property.
  void Set(std::string_view propertyName, std::string value);
  void Remove(std::string_view propertyName);
};

// Limits of what a stream may hold; deeper or larger streams are refused as damaged.
inline constexpr int kMaxChartStreamDepth = 8;
inline constexpr size_t kMaxChartStreamComponents = 4096;

// Reads "TPF0" and one component with its children; throws EStreamError on anything
// malformed, never reading past the buffer.
ChartStreamNode ReadChartStream(std::string_view bytes);
std::string WriteChartStream(const ChartStreamNode& root);

// Tagged values, encoded for ChartStreamNode::Set.
namespace chart_value {
std::string Boolean(bool value);
std::string Integer(std::int64_t value);
std::string Float(double value);
std::string String(std::string_view bytes);
std::string Ident(std::string_view ident);
std::string StringList(const std::vector<std::string>& lines);
// A named colour as an identifier ("clRed"), any other as an integer.
std::string Colour(TColor colour);
}  // namespace chart_value

// Typed reads of a stored value; nullopt when absent or of another type.
std::optional<bool> ChartBool(const ChartStreamNode& node, std::string_view name);
std::optional<std::int64_t> ChartInteger(const ChartStreamNode& node, std::string_view name);
std::optional<double> ChartFloat(const ChartStreamNode& node, std::string_view name);
std::optional<std::string> ChartString(const ChartStreamNode& node, std::string_view name);
std::optional<std::string> ChartIdent(const ChartStreamNode& node, std::string_view name);
std::optional<std::vector<std::string>> ChartStringList(const ChartStreamNode& node,
                                                        std::string_view name);
// An integer or a colour identifier.
std::optional<TColor> ChartColour(const ChartStreamNode& node, std::string_view name);

}  // namespace quarlo
