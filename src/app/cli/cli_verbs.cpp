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

void PrintVerbList(std::ostream& out) {
  out << "usage: quarlo-cli VERB [ARGUMENTS]\n\nverbs:\n";
  size_t width = 0;
  for (const Verb* v : Verbs()) width = std::max(width, std::string_view(v->name).size());
  for (const Verb* v : Verbs()) {
    out << "  " << v->name << std::string(width + 2 - std::string_view(v->name).size(), ' ')
        << v->summary << '\n';
  }
  out << "\n'quarlo-cli VERB --help' shows the arguments of a verb;"
         " 'quarlo-cli --version' the version.\n";
}

void PrintVerbUsage(const Verb& verb, std::ostream& out) {
  out << "usage: quarlo-cli " << verb.name << ' ' << verb.usage << '\n' << verb.summary << '\n';
  if (verb.details) out << '\n' << verb.details << '\n';
}

}  // namespace

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
  if (std::any_of(rest.begin(), rest.end(), [](const std::string& a) { return a == "--help"; })) {
    PrintVerbUsage(*verb, out);
    return kExitOk;
  }
  try {
    return verb->run(rest, out, err);
  } catch (const std::exception& e) {
    err << "quarlo-cli " << verb->name << ": " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace quarlo::cli
