#include "designhost/CommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <sstream>

const char* const CommandExitCodes = "Exit status: 0 done, 1 failed, 2 bad command line.\n";

namespace {

struct TListed {
  std::string Names;      // "-o, --output"
  std::string ValueName;  // empty for a flag
  std::string Help;
};

struct TGroup {
  std::string Title;
  std::string Note;  // printed under the group's options
  std::vector<TListed> Options;
};

// "-o,--output" as "-o, --output".
std::string ListedNames(const std::string& names) {
  std::string listed;
  for (char c : names) listed += c == ',' ? std::string(", ") : std::string(1, c);
  return listed;
}

// The long name of "-o,--output" (the one the messages use).
std::string MainName(const std::string& names) {
  size_t comma = names.rfind(',');
  return comma == std::string::npos ? names : names.substr(comma + 1);
}

} // namespace

struct TCommandLine::TImpl {
  std::string Name, Summary;
  CLI::App App;
  std::vector<TGroup> Groups;
  std::string WordsSynopsis;
  bool HasWords = false;
  bool JsonGiven = false;
  bool* JsonTarget = nullptr;
  bool HelpGiven = false;
  bool* HelpTarget = nullptr;
  std::vector<std::string>* CommandTarget = nullptr;
  // Options named as refused, and why; checked after parsing.
  std::vector<std::pair<CLI::Option*, std::string>> Refused;

  TImpl(std::string name, std::string summary) : Name(std::move(name)), Summary(std::move(summary)), App("", Name) {
    App.set_help_flag();
    // Unknown options and surplus words are collected and reported in this
    // program's own words after the parse.
    App.allow_extras();
    Groups.push_back({"Options", "", {}});
    App.add_flag("--json", JsonGiven);
    App.add_flag("-h,--help", HelpGiven);
  }

  void List(const std::string& names, const std::string& valueName, const std::string& help) {
    Groups.back().Options.push_back({ListedNames(names), valueName, help});
  }
};

TCommandLine::TCommandLine(std::string name, std::string summary)
    : FImpl(std::make_unique<TImpl>(std::move(name), std::move(summary))) {}

TCommandLine::~TCommandLine() = default;

TCommandLine& TCommandLine::Flag(const std::string& names, bool& target, const std::string& help) {
  FImpl->App.add_flag(names, target);
  FImpl->List(names, "", help);
  return *this;
}

TCommandLine& TCommandLine::Option(const std::string& names, std::string& target, const std::string& valueName,
                                   const std::string& help) {
  return Option(names, valueName, help, [&target](const std::string& value) { target = value; });
}

TCommandLine& TCommandLine::Option(const std::string& names, std::optional<std::string>& target,
                                   const std::string& valueName, const std::string& help) {
  return Option(names, valueName, help, [&target](const std::string& value) { target = value; });
}

TCommandLine& TCommandLine::Option(const std::string& names, const std::string& valueName, const std::string& help,
                                   TTake take) {
  std::string name = MainName(names);
  FImpl->App
      .add_option_function<std::string>(
          names,
          [take, name](const std::string& value) {
            try {
              take(value);
            } catch (const EUsageError&) {
              throw;
            } catch (const std::invalid_argument& e) {
              throw EUsageError(name + ": " + e.what());
            }
          })
      ->type_name(valueName)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  FImpl->List(names, valueName, help);
  return *this;
}

TCommandLine& TCommandLine::Refused(const std::string& names, const std::string& reason) {
  CLI::Option* option = FImpl->App.add_option(names)->expected(0, 1)->allow_extra_args(false);
  FImpl->Refused.emplace_back(option, reason);
  return *this;
}

TCommandLine& TCommandLine::Group(const std::string& title, const std::string& note) {
  FImpl->Groups.push_back({title, note, {}});
  return *this;
}

TCommandLine& TCommandLine::Words(const std::string& synopsis, std::vector<std::string>& target) {
  FImpl->App.add_option("words", target);
  FImpl->WordsSynopsis = synopsis;
  FImpl->HasWords = true;
  return *this;
}

TCommandLine& TCommandLine::Json(bool& json) {
  FImpl->JsonTarget = &json;
  return *this;
}

TCommandLine& TCommandLine::Help(bool& help) {
  FImpl->HelpTarget = &help;
  return *this;
}

TCommandLine& TCommandLine::CommandAndArguments(const std::string& synopsis, std::vector<std::string>& target) {
  FImpl->App.prefix_command();
  FImpl->CommandTarget = &target;
  FImpl->WordsSynopsis = synopsis;
  FImpl->HasWords = true;
  return *this;
}

void TCommandLine::Parse(const std::vector<std::string>& args) {
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    FImpl->App.parse(reversed);
  } catch (const CLI::ArgumentMismatch& e) {
    // "--host: 1 required HOST missing"
    std::string what = e.what();
    throw EUsageError(what.substr(0, what.find(':')) + " needs a value");
  } catch (const CLI::ParseError& e) {
    throw EUsageError(e.what());
  }
  for (const auto& [option, reason] : FImpl->Refused)
    if (option->count() > 0) throw EUsageError(reason);
  if (FImpl->JsonTarget && FImpl->JsonGiven) *FImpl->JsonTarget = true;
  if (FImpl->HelpTarget && FImpl->HelpGiven) *FImpl->HelpTarget = true;
  if (FImpl->CommandTarget) {
    std::vector<std::string> rest = FImpl->App.remaining();
    if (!rest.empty() && rest.front() == "--") rest.erase(rest.begin());
    else if (!rest.empty() && rest.front().size() > 1 && rest.front()[0] == '-')
      throw EUsageError("unknown option " + rest.front().substr(0, rest.front().find('=')));
    *FImpl->CommandTarget = std::move(rest);
    return;
  }
  for (const std::string& extra : FImpl->App.remaining()) {
    if (extra == "--") continue;
    if (extra.size() > 1 && extra[0] == '-') throw EUsageError("unknown option " + extra.substr(0, extra.find('=')));
    throw EUsageError("unexpected argument " + extra);
  }
}

std::string TCommandLine::Usage() const {
  std::ostringstream out;
  out << "usage: quelm-designer " << FImpl->Name << " [options]";
  if (FImpl->HasWords && !FImpl->WordsSynopsis.empty()) out << " " << FImpl->WordsSynopsis;
  out << "\n";
  if (!FImpl->Summary.empty()) out << "\n" << FImpl->Summary;
  std::vector<TGroup> groups = FImpl->Groups;
  groups.front().Options.push_back({"--json", "", "print the result as JSON"});
  groups.front().Options.push_back({"-h, --help", "", "print this text"});
  size_t width = 0;
  auto left = [](const TListed& o) { return o.ValueName.empty() ? o.Names : o.Names + " " + o.ValueName; };
  for (const TGroup& g : groups)
    for (const TListed& o : g.Options) width = std::max(width, left(o).size());
  for (const TGroup& g : groups) {
    if (g.Options.empty()) continue;
    out << "\n" << g.Title << ":\n";
    for (const TListed& o : g.Options) {
      std::string l = left(o);
      out << "  " << l << std::string(width - l.size() + 2, ' ') << o.Help << "\n";
    }
    if (!g.Note.empty()) out << g.Note;
  }
  out << "\n" << CommandExitCodes;
  return out.str();
}

std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args) {
  std::vector<std::string> split;
  bool afterDashes = false;
  for (const std::string& a : args) {
    if (a == "--") afterDashes = true;
    size_t eq = a.find('=');
    if (!afterDashes && a.rfind("--", 0) == 0 && eq != std::string::npos && eq > 2) {
      split.push_back(a.substr(0, eq));
      split.push_back(a.substr(eq + 1));
    } else {
      split.push_back(a);
    }
  }
  return split;
}
