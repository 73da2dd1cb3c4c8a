// The argument grammar every verb shares: --opt=value, "--", -h, page lists, numbers
// read whole, the input file's errors, and the exit statuses and streams scripts rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_test_support.h"
#include "support/search_report.h"

namespace quarlo {
namespace {

using cli_testing::RunCli;
using cli_testing::ScratchFolder;

class CliGrammarTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.Write("r.fp3", testing::SearchReport()); }

  // REPORT: the three-page report; OUT: a file in the scratch folder; DIR: the folder
  // itself; MISSING: a file that does not exist.
  std::vector<std::string> Expand(std::vector<std::string> args) const {
    for (std::string& a : args) {
      if (a == "REPORT") a = folder.Path("r.fp3");
      else if (a == "OUT") a = folder.Path("out");
      else if (a == "DIR") a = folder.Path("");
      else if (a == "MISSING") a = folder.Path("missing.fp3");
      else if (a.rfind("--output=OUT", 0) == 0) a = "--output=" + folder.Path("out" + a.substr(12));
    }
    return args;
  }

  ScratchFolder folder{"grammar"};
};

struct Case {
  std::vector<std::string> args;
  int status;
  const char* onOut;  // expected in standard output ("" = nothing there)
  const char* onErr;  // expected in standard error ("" = nothing there)
};

void Check(const Case& c, const std::vector<std::string>& args) {
  std::string what;
  for (const std::string& a : c.args) what += a + ' ';
  SCOPED_TRACE(what);
  const auto r = RunCli(args);
  EXPECT_EQ(r.status, c.status) << r.err;
  if (*c.onOut) {
    EXPECT_NE(r.out.find(c.onOut), std::string::npos) << r.out;
  } else {
    EXPECT_EQ(r.out, "");
  }
  if (*c.onErr) {
    EXPECT_NE(r.err.find(c.onErr), std::string::npos) << r.err;
  } else {
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(CliGrammarTest, EveryVerbTakesHelpAndRefusesUnknownOptions) {
  for (const cli::Verb* verb : cli::Verbs()) {
    const std::string usage = std::string("usage: quarlo-cli ") + verb->name;
    for (const char* help : {"-h", "--help"}) {
      Check({{verb->name, help}, 0, usage.c_str(), ""}, {verb->name, help});
      Check({{verb->name, "REPORT", help}, 0, usage.c_str(), ""}, Expand({verb->name, "REPORT", help}));
    }
    Check({{verb->name, "REPORT", "--bogus"}, 2, "", "unknown option '--bogus'"},
          Expand({verb->name, "REPORT", "--bogus"}));
    Check({{verb->name, "REPORT", "--bogus=1"}, 2, "", "unknown option '--bogus'"},
          Expand({verb->name, "REPORT", "--bogus=1"}));
  }
}

TEST_F(CliGrammarTest, OptionsValuesAndOperands) {
  const Case cases[] = {
      // --opt=value is --opt value.
      {{"render", "REPORT", "--output=OUT.png", "--pages=2", "--zoom=0.25"}, 0, "out.png\n", ""},
      {{"render", "REPORT", "-o", "OUT", "--page", "3", "-r", "24"}, 0, "out\n", ""},
      {{"pdf", "REPORT", "--output=OUT.pdf", "--pages=2-3", "--dpi=72"}, 0, "out.pdf\n", ""},
      {{"pdf", "REPORT", "-o", "OUT", "-r", "150", "--pages", "1"}, 0, "out\n", ""},
      {{"search", "REPORT", "apple", "--pages=2"}, 0, "2 ", ""},
      {{"search", "REPORT", "apple", "--from=2"}, 0, "2 ", ""},
      {{"info", "REPORT"}, 0, "\"pageCount\": 3", ""},
      // "--" ends the options: what follows is an operand, "-h" included.
      {{"info", "--", "REPORT"}, 0, "\"pageCount\": 3", ""},
      {{"info", "--", "-h"}, 1, "", "Cannot open file \"-h\""},
      {{"search", "REPORT", "--", "--case"}, 1, "", ""},
      {{"render", "REPORT", "-o", "OUT", "--", "--pages"}, 2, "", "expects FILE and -o OUT.png"},
      // Options without a value take none; the others need theirs.
      {{"search", "REPORT", "apple", "--case=yes"}, 2, "", "option '--case' takes no value"},
      {{"render", "REPORT", "-o"}, 2, "", "option '-o' needs a value (FILE)"},
      {{"pdf", "REPORT", "-o", "OUT", "--pages"}, 2, "", "option '--pages' needs a value (LIST)"},
      {{"info", "REPORT", "REPORT"}, 2, "", "expects one file name"},
      {{"search", "REPORT", "a", "b"}, 2, "", "expects FILE and TEXT"},
      {{"resave", "REPORT"}, 2, "", "usage: quarlo-cli resave IN OUT"},
      // Numbers are read whole.
      {{"render", "REPORT", "-o", "OUT", "--zoom", "1.5x"}, 2, "", "--zoom takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "nan"}, 2, "", "--zoom takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "0x10"}, 2, "", "--zoom takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", " 2"}, 2, "", "--zoom takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "0"}, 2, "", "--zoom takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "--dpi", "150dpi"}, 2, "", "--dpi takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "-r", "-96"}, 2, "", "--dpi takes a number above 0"},
      {{"render", "REPORT", "-o", "OUT", "--zoom", "1", "--dpi", "96"}, 2, "", "--zoom and --dpi exclude each other"},
      {{"pdf", "REPORT", "-o", "OUT", "--dpi", "300.0"}, 2, "", "--dpi takes a whole number from 72 to 2400"},
      {{"pdf", "REPORT", "-o", "OUT", "-r", "1e3"}, 2, "", "--dpi takes a whole number from 72 to 2400"},
      {{"print", "REPORT", "--copies", "2x"}, 2, "", "--copies takes a whole number"},
      {{"print", "REPORT", "-n", "0"}, 2, "", "--copies takes a whole number"},
      {{"search", "REPORT", "x", "--from", "2x"}, 2, "", "--from takes a page number"},
  };
  for (const Case& c : cases) Check(c, Expand(c.args));
  EXPECT_FALSE(folder.Exists("out-1.png")) << "one page listed writes OUT itself";
}

TEST_F(CliGrammarTest, PageListsOnEveryVerbThatTakesPages) {
  // A list naming no page of the three is a failure of the work (search: an error);
  // a list that does not parse is a wrong command line.
  const Case cases[] = {
      {{"render", "REPORT", "-o", "OUT", "--pages", "7-9"}, 1, "", "names no page of the report (3 pages)"},
      {{"pdf", "REPORT", "-o", "OUT", "--pages", "7-9"}, 1, "", "names no page of the report (3 pages)"},
      {{"print", "REPORT", "--pages", "4"}, 1, "", "names no page of the report (3 pages)"},
      {{"search", "REPORT", "apple", "--pages", "7-"}, 2, "", "names no page of the report (3 pages)"},
      {{"render", "REPORT", "-o", "OUT", "--pages", "3-2"}, 1, "", "names no page"},
      {{"render", "REPORT", "-o", "OUT", "--pages", "1,,2"}, 2, "", "--pages"},
      {{"pdf", "REPORT", "-o", "OUT", "--pages", "-3"}, 2, "", "--pages"},
      {{"print", "REPORT", "--pages", "a"}, 2, "", "--pages"},
      {{"search", "REPORT", "apple", "--pages", "1;2"}, 2, "", "--pages"},
      // The print words are understood: the command gets as far as the page list.
      {{"print", "REPORT", "-d", "Any", "-n", "2", "--duplex", "long-edge", "--mode", "join", "--sheet", "a4",
        "--pages", "5"},
       1, "", "names no page"},
      {{"print", "REPORT", "--duplex=short-edge", "--mode=scale", "--sheet=Letter", "--pages=5"}, 1, "", "names no page"},
      {{"print", "REPORT", "--duplex", "one-sided", "--mode", "split", "--sheet", "9", "--pages", "5"}, 1, "", "names no page"},
      {{"print", "REPORT", "--mode", "join", "--sheet", "48"}, 2, "", "--sheet takes a paper name (A4"},
      {{"print", "REPORT", "--mode", "join", "--sheet", "a9"}, 2, "", "'a9' is neither"},
      {{"print", "REPORT", "--duplex", "both"}, 2, "", "--duplex takes one-sided, long-edge, short-edge"},
      {{"print", "REPORT", "-o", "OUT"}, 2, "", "unknown option '-o'; the output file is --output FILE"},
  };
  for (const Case& c : cases) Check(c, Expand(c.args));
  EXPECT_FALSE(folder.Exists("out"));
}

TEST_F(CliGrammarTest, AnInputThatCannotBeReadIsNamedWithTheReason) {
  struct Input {
    const char* name;
    const char* reason;
  };
  // Reading a process's own memory at address 0 fails with an input/output error.
  for (const Input& input : {Input{"DIR", "Is a directory"}, Input{"MISSING", "No such file or directory"},
                             Input{"/proc/self/mem", "Input/output error"}}) {
    const std::string file = Expand({input.name})[0];
    const std::vector<std::vector<std::string>> commands = {
        {"info", file}, {"render", file, "-o", folder.Path("x.png")}, {"pdf", file, "-o", folder.Path("x.pdf")},
        {"print", file}, {"resave", file, folder.Path("x.fp3")}, {"search", file, "apple"}};
    for (const auto& args : commands) {
      SCOPED_TRACE(args[0] + " " + input.name);
      const auto r = RunCli(args);
      EXPECT_EQ(r.status, args[0] == "search" ? 2 : 1);
      EXPECT_EQ(r.out, "");
      EXPECT_NE(r.err.find("\"" + file + "\""), std::string::npos) << r.err;
      EXPECT_NE(r.err.find(input.reason), std::string::npos) << r.err;
      EXPECT_EQ(r.err.find("Invalid file format"), std::string::npos) << r.err;
    }
  }
}

}  // namespace
}  // namespace quarlo
