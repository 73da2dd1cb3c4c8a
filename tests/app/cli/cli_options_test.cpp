// The argument grammar the verbs share, read by one table of options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/cli_options.h"

namespace quarlo {
namespace {

using cli::CliArguments;
using cli::CliOption;

constexpr CliOption kOptions[] = {
    {"-o --output", "FILE", "output"},
    {"--dpi -r", "N", "resolution"},
    {"--case", nullptr, "case"},
};

TEST(CliOptions, ReadsValuesOperandsHelpAndTheEndOfOptions) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> operands;
    const char* output;  // value of -o, nullptr when not given
    const char* dpi;
    bool caseFlag;
    bool help;
    const char* problem;  // "" when none
  } cases[] = {
      {{"in", "-o", "x.png"}, {"in"}, "x.png", nullptr, false, false, ""},
      {{"--output=x.png", "in"}, {"in"}, "x.png", nullptr, false, false, ""},
      {{"--output", "x", "-o", "y"}, {}, "y", nullptr, false, false, ""},  // the last one counts
      {{"-r", "150", "--dpi=300"}, {}, nullptr, "300", false, false, ""},
      {{"--dpi="}, {}, nullptr, "", false, false, ""},
      {{"--output=a=b"}, {}, "a=b", nullptr, false, false, ""},
      {{"-o", "-"}, {}, "-", nullptr, false, false, ""},
      {{"-o", "-h"}, {}, "-h", nullptr, false, false, ""},  // a value, not a request for help
      {{"-", "--case"}, {"-"}, nullptr, nullptr, true, false, ""},
      {{"--", "-o", "x", "--case", "-h"}, {"-o", "x", "--case", "-h"}, nullptr, nullptr, false, false, ""},
      {{"a", "--", "--", "b"}, {"a", "--", "b"}, nullptr, nullptr, false, false, ""},
      {{""}, {""}, nullptr, nullptr, false, false, ""},
      {{"in", "-h"}, {"in"}, nullptr, nullptr, false, true, ""},
      {{"--bogus", "--help"}, {}, nullptr, nullptr, false, true, "unknown option '--bogus'"},
      {{"--bogus=1"}, {}, nullptr, nullptr, false, false, "unknown option '--bogus'"},
      {{"-ox.png"}, {}, nullptr, nullptr, false, false, "unknown option '-ox.png'"},
      {{"-o=x.png"}, {}, nullptr, nullptr, false, false, "unknown option '-o=x.png'"},
      {{"--case=yes"}, {}, nullptr, nullptr, false, false, "option '--case' takes no value"},
      {{"in", "-o"}, {"in"}, nullptr, nullptr, false, false, "option '-o' needs a value (FILE)"},
      {{"--dpi", "1", "-x", "--y"}, {}, nullptr, "1", false, false, "unknown option '-x'"},  // the first problem
  };
  for (const Case& c : cases) {
    std::string what;
    for (const std::string& a : c.args) what += a + ' ';
    SCOPED_TRACE(what);
    CliArguments parsed;
    EXPECT_EQ(cli::ParseCliArguments(c.args, kOptions, parsed), c.problem);
    EXPECT_EQ(parsed.Operands(), c.operands);
    auto valueOf = [&](const char* name) {
      const std::string* v = parsed.Value(name);
      return v ? *v : std::string("(none)");
    };
    EXPECT_EQ(valueOf("-o"), c.output ? c.output : "(none)");
    EXPECT_EQ(valueOf("--dpi"), c.dpi ? c.dpi : "(none)");
    EXPECT_EQ(parsed.Has("--case"), c.caseFlag);
    EXPECT_EQ(parsed.HelpAsked(), c.help);
  }
}

TEST(CliOptions, SynopsisListsEverySpelling) {
  EXPECT_EQ(cli::OptionSynopsis(kOptions[0]), "-o FILE, --output FILE");
  EXPECT_EQ(cli::OptionSynopsis(kOptions[1]), "--dpi N, -r N");
  EXPECT_EQ(cli::OptionSynopsis(kOptions[2]), "--case");
}

TEST(CliOptionValues, AreReadWhole) {
  struct Case {
    const char* text;
    bool whole;     // ParseWholeNumber from 1 to 100
    bool positive;  // ParsePositiveNumber
  };
  const Case cases[] = {
      {"2", true, true},      {"100", true, true},   {"101", false, true},  {"0", false, false},
      {"0.5", false, true},   {"1e-1", false, true}, {"1e3", false, true},  {"1.5x", false, false},
      {" 2", false, false},   {"2 ", false, false},  {"+2", false, false},  {"-2", false, false},
      {"0x10", false, false}, {"inf", false, false}, {"nan", false, false}, {"", false, false},
      {"99999999999999999999", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int whole = -1;
    EXPECT_EQ(cli::ParseWholeNumber(c.text, 1, 100, &whole), c.whole);
    if (!c.whole) {
      EXPECT_EQ(whole, -1) << "left untouched";
    }
    double positive = -1;
    EXPECT_EQ(cli::ParsePositiveNumber(c.text, &positive), c.positive);
    if (!c.positive) {
      EXPECT_EQ(positive, -1) << "left untouched";
    }
  }
}

}  // namespace
}  // namespace quarlo
