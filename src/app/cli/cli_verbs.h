#pragma once
// The verbs of quarlo-cli. Each verb lives in a file of its own and registers itself
// with one QUARLO_CLI_VERB(...) line at namespace scope; nothing else needs to change
// to add one. Verbs write results on out and problems on err and return an exit
// status; an exception escaping a verb is reported on err with the verb's
// failureStatus. A verb reads its arguments with ReadVerbArguments (the grammar of
// cli_options.h) by the table it declares in .options, which also makes its help.

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_options.h"

namespace quarlo::cli {

// Exit statuses shared by every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the work failed (unreadable file, failed save)
inline constexpr int kExitUsage = 2;    // the command line was wrong

using VerbFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                             std::ostream& err);

// Declared with designated initializers, e.g.
//   QUARLO_CLI_VERB(.name = "info", .usage = "FILE", .summary = "...", .run = &Info,
//                   .options = kInfoOptions);
struct Verb {
  const char* name = "";
  const char* usage = "";    // arguments after the verb, e.g. "FILE"
  const char* summary = "";  // one short line for the verb list
  const char* details = nullptr;  // more lines for "VERB --help"
  // Verbs that draw need the Qt application and font engine set up before they run.
  bool needsGui = false;
  VerbFunction run = nullptr;
  // The options the verb takes, for ParseCliArguments and the help; -h and --help are
  // understood by every verb without being listed.
  std::span<const CliOption> options = {};
  // Status of a failure that escapes the verb as an exception (search uses 2, as grep).
  int failureStatus = kExitFailure;
};

struct VerbRegistration {
  explicit VerbRegistration(const Verb& verb);
};

#define QUARLO_CLI_VERB_JOIN2(a, b) a##b
#define QUARLO_CLI_VERB_JOIN(a, b) QUARLO_CLI_VERB_JOIN2(a, b)
#define QUARLO_CLI_VERB(...)                                                   \
  static const ::quarlo::cli::VerbRegistration QUARLO_CLI_VERB_JOIN(           \
      quarloCliVerb, __LINE__)(::quarlo::cli::Verb{__VA_ARGS__})

const Verb* FindVerb(std::string_view name);
// Sorted by name.
std::vector<const Verb*> Verbs();

// Runs a command line without the program name: verb and its arguments. "help",
// "--help" and "VERB --help" print usage on out; errors go to err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "quarlo-cli NAME: PROBLEM" and "usage: quarlo-cli NAME USAGE" on the stream, for a
// verb's argument errors; returns kExitUsage.
int UsageError(const Verb& verb, std::ostream& err, std::string_view problem);
// The verb's arguments read by its options table, or nothing when they are wrong: then
// the problem and the usage are on err and the verb returns kExitUsage.
//   const auto a = ReadVerbArguments(self, args, err);
//   if (!a) return kExitUsage;
std::optional<CliArguments> ReadVerbArguments(const Verb& verb, const std::vector<std::string>& args,
                                              std::ostream& err);
// "quarlo-cli NAME: PROBLEM" on the stream, for a failure of the work; returns the
// verb's failureStatus.
int WorkError(const Verb& verb, std::ostream& err, std::string_view problem);

// The help of a verb: usage, summary, options, details.
void PrintVerbUsage(const Verb& verb, std::ostream& out);
// The help of the program: the verbs, the exit statuses.
void PrintVerbList(std::ostream& out);

// One-time start-up the document verbs share: the report object classes registered.
void PrepareDocumentClasses();

}  // namespace quarlo::cli
