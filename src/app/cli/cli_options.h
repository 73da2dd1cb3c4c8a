#pragma once
// The one argument grammar of every quarlo-cli verb, so that the verbs agree with each
// other and with the tools scripts already use:
//   - a long option takes its value as "--name VALUE" or "--name=VALUE";
//   - a short option takes the next argument ("-o out.png", "-r 150");
//   - "--" ends the options: every argument after it is an operand, even one that
//     starts with '-'; "-" alone is always an operand (standard input or output);
//   - "-h" and "--help" ask for the verb's help wherever they stand before "--";
//   - an option given twice keeps its last value, as most tools do.
// A verb declares its options once, as a table in its QUARLO_CLI_VERB line; the same
// table prints "VERB --help" and the manual page, so the two cannot disagree.
//
//   constexpr CliOption kOptions[] = {
//       {"-o --output", "FILE", "write the image into FILE"},
//       {"--zoom", "Z", "scale of the page, 1 = 96 dpi"},
//       {"--case", nullptr, "letters match only in the same case"}};
//   const auto a = ReadVerbArguments(self, args, err);  // cli_verbs.h
//   if (!a) return kExitUsage;
//   if (const std::string* zoom = a->Value("--zoom")) ...

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarlo::cli {

struct CliOption {
  // Spellings separated by spaces. The first is the option's name in Value and Has.
  const char* names = "";
  // What the value is called in the help ("N", "FILE"); nullptr for an option without one.
  const char* value = nullptr;
  const char* help = "";
};

class CliArguments {
 public:
  // The arguments that are not options, in order.
  const std::vector<std::string>& Operands() const { return operands_; }
  // Whether the option (by its first spelling) was given in any spelling.
  bool Has(std::string_view name) const;
  // The value given last for the option, or nullptr when it was not given.
  const std::string* Value(std::string_view name) const;
  // The value given last, or fallback when the option was not given.
  std::string ValueOr(std::string_view name, std::string_view fallback) const;
  bool HelpAsked() const { return helpAsked_; }

 private:
  friend std::string ParseCliArguments(const std::vector<std::string>&, std::span<const CliOption>,
                                       CliArguments&);
  struct Given {
    const CliOption* option;
    std::string value;
  };
  std::vector<std::string> operands_;
  std::vector<Given> given_;
  bool helpAsked_ = false;
};

// Reads args (the words after the verb) by the options' table into parsed. Returns
// what is wrong with the first bad argument, or an empty text when all are good; an
// error does not stop the reading, so a later "-h" is still seen.
std::string ParseCliArguments(const std::vector<std::string>& args, std::span<const CliOption> options,
                              CliArguments& parsed);

// "-o FILE, --output FILE": the option's spellings with the value, for the help.
std::string OptionSynopsis(const CliOption& option);

// Values of options, read whole: "1.5x", " 2", "0x10" and "1e3" for a whole number are
// refused rather than read in part. The parsers return false when the text does not
// qualify and leave the value untouched.
bool ParseWholeNumber(std::string_view text, long long low, long long high, long long* value);
bool ParseWholeNumber(std::string_view text, int low, int high, int* value);
// A finite decimal number above zero, such as "2", "0.5" or "1e-1".
bool ParsePositiveNumber(std::string_view text, double* value);

}  // namespace quarlo::cli
