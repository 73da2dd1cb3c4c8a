#include "app/cli/cli_verbs.h"

#include <algorithm>
#include <exception>
#include <ostream>

#include "app/version.h"

namespace quarlo::cli {

namespace {

std::vector<Verb>& Registry() {
  static std::vector<Verb> verbs;
  return verbs;
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

// Two columns: names padded to the widest, then their texts.
void PrintColumns(std::ostream& out, const std::vector<std::pair<std::string, std::string>>& rows) {
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  for (const auto& [name, text] : rows) out << "  " << name << std::string(width + 2 - name.size(), ' ') << text << '\n';
}

}  // namespace

void PrintVerbList(std::ostream& out) {
  out << "usage: quarlo-cli VERB [ARGUMENTS]\n\nverbs:\n";
  std::vector<std::pair<std::string, std::string>> rows;
  for (const Verb* v : Verbs()) rows.emplace_back(v->name, v->summary);
  PrintColumns(out, rows);
  out << "\n'quarlo-cli VERB --help' shows the arguments of a verb;"
         " 'quarlo-cli --version' the version.\n"
         "Every verb reads --opt=value as --opt value; -- ends the options.\n"
         "Exit status: 0 success, 1 the work failed (a message says why), 2 a wrong command\n"
         "line; search: 0 matches, 1 no match, 2 any error.\n";
}

void PrintVerbUsage(const Verb& verb, std::ostream& out) {
  out << "usage: quarlo-cli " << verb.name << ' ' << verb.usage << '\n' << verb.summary << '\n';
  out << "\noptions:\n";
  std::vector<std::pair<std::string, std::string>> rows;
  for (const CliOption& o : verb.options) rows.emplace_back(OptionSynopsis(o), o.help);
  rows.emplace_back("-h, --help", "show this help");
  PrintColumns(out, rows);
  if (verb.details) out << '\n' << verb.details << '\n';
}

VerbRegistration::VerbRegistration(const Verb& verb) { Registry().push_back(verb); }

const Verb* FindVerb(std::string_view name) {
  for (const Verb& v : Registry()) {
    if (name == v.name) return &v;
  }
  return nullptr;
}

std::vector<const Verb*> Verbs() {
  std::vector<const Verb*> list;
  for (const Verb& v : Registry()) list.push_back(&v);
  std::sort(list.begin(), list.end(), [](const Verb* a, const Verb* b) {
    return std::string_view(a->name) < std::string_view(b->name);
  });
  return list;
}

int UsageError(const Verb& verb, std::ostream& err, std::string_view problem) {
  err << "quarlo-cli " << verb.name << ": " << problem << '\n';
  err << "usage: quarlo-cli " << verb.name << ' ' << verb.usage << '\n';
  return kExitUsage;
}

std::optional<CliArguments> ReadVerbArguments(const Verb& verb, const std::vector<std::string>& args,
                                              std::ostream& err) {
  CliArguments parsed;
  if (const std::string problem = ParseCliArguments(args, verb.options, parsed); !problem.empty()) {
    UsageError(verb, err, problem);
    return std::nullopt;
  }
  return parsed;
}

int WorkError(const Verb& verb, std::ostream& err, std::string_view problem) {
  err << "quarlo-cli " << verb.name << ": " << problem << '\n';
  return verb.failureStatus;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintVerbList(err);
    return kExitUsage;
  }
  if (args[0] == "--version") {
    out << "quarlo-cli " << QuarloVersion() << '\n';
    return kExitOk;
  }
  if (IsHelp(args[0])) {
    if (args.size() > 1) {
      if (const Verb* verb = FindVerb(args[1])) {
        PrintVerbUsage(*verb, out);
        return kExitOk;
      }
    }
    PrintVerbList(out);
    return kExitOk;
  }
  const Verb* verb = FindVerb(args[0]);
  if (!verb) {
    err << "quarlo-cli: unknown verb '" << args[0] << "'\n";
    PrintVerbList(err);
    return kExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  // Read by the verb's own table, so that "-h" as a value ("--printer -h") or after "--"
  // is not taken for a request for help.
  CliArguments parsed;
  ParseCliArguments(rest, verb->options, parsed);
  if (parsed.HelpAsked()) {
    PrintVerbUsage(*verb, out);
    return kExitOk;
  }
  try {
    return verb->run(rest, out, err);
  } catch (const std::exception& e) {
    return WorkError(*verb, err, e.what());
  }
}

}  // namespace quarlo::cli
