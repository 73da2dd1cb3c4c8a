#include "app/cli/cli_options.h"

#include <charconv>
#include <cmath>

namespace quarlo::cli {

namespace {

// Whether name is one of the option's space-separated spellings.
bool Spells(const CliOption& option, std::string_view name) {
  std::string_view names = option.names;
  while (!names.empty()) {
    const std::size_t end = names.find(' ');
    if (names.substr(0, end) == name) return true;
    if (end == std::string_view::npos) break;
    names.remove_prefix(end + 1);
  }
  return false;
}

std::string_view FirstSpelling(const CliOption& option) {
  const std::string_view names = option.names;
  return names.substr(0, names.find(' '));
}

const CliOption* Find(std::span<const CliOption> options, std::string_view name) {
  for (const CliOption& o : options)
    if (Spells(o, name)) return &o;
  return nullptr;
}

bool IsHelp(std::string_view arg) { return arg == "-h" || arg == "--help"; }

}  // namespace

bool CliArguments::Has(std::string_view name) const {
  for (const Given& g : given_)
    if (FirstSpelling(*g.option) == name) return true;
  return false;
}

const std::string* CliArguments::Value(std::string_view name) const {
  for (auto g = given_.rbegin(); g != given_.rend(); ++g)
    if (FirstSpelling(*g->option) == name && g->option->value) return &g->value;
  return nullptr;
}

std::string CliArguments::ValueOr(std::string_view name, std::string_view fallback) const {
  const std::string* value = Value(name);
  return value ? *value : std::string(fallback);
}

std::string ParseCliArguments(const std::vector<std::string>& args, std::span<const CliOption> options,
                              CliArguments& parsed) {
  std::string problem;
  auto fail = [&problem](std::string text) {
    if (problem.empty()) problem = std::move(text);
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a == "-" || a.empty() || a[0] != '-') {
      parsed.operands_.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (IsHelp(a)) {
      parsed.helpAsked_ = true;
      continue;
    }
    // "--name=value" names the option before the sign; short options have no such form.
    const std::size_t sign = a.rfind("--", 0) == 0 ? a.find('=') : std::string::npos;
    const std::string name = a.substr(0, sign);
    const CliOption* option = Find(options, name);
    if (!option) {
      fail("unknown option '" + name + "'");
      continue;
    }
    if (!option->value) {
      if (sign != std::string::npos) fail("option '" + name + "' takes no value");
      else parsed.given_.push_back({option, std::string()});
    } else if (sign != std::string::npos) {
      parsed.given_.push_back({option, a.substr(sign + 1)});
    } else if (i + 1 < args.size()) {
      parsed.given_.push_back({option, args[++i]});
    } else {
      fail("option '" + name + "' needs a value (" + option->value + ")");
    }
  }
  return problem;
}

std::string OptionSynopsis(const CliOption& option) {
  std::string text;
  std::string_view names = option.names;
  while (!names.empty()) {
    const std::size_t end = names.find(' ');
    if (!text.empty()) text += ", ";
    text += names.substr(0, end);
    if (option.value) {
      text += ' ';
      text += option.value;
    }
    if (end == std::string_view::npos) break;
    names.remove_prefix(end + 1);
  }
  return text;
}

bool ParseWholeNumber(std::string_view text, long long low, long long high, long long* value) {
  long long v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || v < low || v > high)
    return false;
  *value = v;
  return true;
}

bool ParseWholeNumber(std::string_view text, int low, int high, int* value) {
  long long v = 0;
  if (!ParseWholeNumber(text, static_cast<long long>(low), static_cast<long long>(high), &v)) return false;
  *value = static_cast<int>(v);
  return true;
}

bool ParsePositiveNumber(std::string_view text, double* value) {
  double v = 0;
  // Plain and scientific notation; "inf" and "nan", which from_chars also reads, are
  // refused below.
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(v) ||
      !(v > 0))
    return false;
  *value = v;
  return true;
}

}  // namespace quarlo::cli
