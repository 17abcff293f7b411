#pragma once
// A design host command's command line, declared once: its options and
// positional words. The parser and the --help text both come from the
// declarations, so every command takes "--opt value" and "--opt=value",
// flags, "--" before words that look like options, and the common options
// (--json, --help), and prints its usage the same way.
//
//   struct TArgs { std::string Keys; bool DryRun = false; std::vector<std::string> Words; };
//   void Declare(TCommandLine& line, TArgs& a) {
//     line.Option("--keys", a.Keys, "LIST", "key fields, comma-separated")
//         .Flag("--dry-run", a.DryRun, "change nothing on disk")
//         .Words("FILE COMPONENT", a.Words);
//   }
//   RegisterDesignTool(DeclaredTool<TArgs>("updatesql", "Writes ...", Declare, Run));
//
// A procedure reports a bad line by raising EUsageError; the tool prints
// "COMMAND: reason", the usage, and exits with 2.
#include "designhost/DesignTools.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// A malformed command line; the message says what is wrong.
class EUsageError : public std::invalid_argument {
public:
  using std::invalid_argument::invalid_argument;
};

// The program's exit codes, as every --help lists them.
extern const char* const CommandExitCodes;

class TCommandLine {
public:
  // Takes the text of a valued option; raises std::invalid_argument with the
  // reason for a bad value ("'x' is not a port number"), which the parser
  // reports as "--option: reason".
  using TTake = std::function<void(const std::string& value)>;

  // name: the command; summary: what --help prints after the synopsis.
  TCommandLine(std::string name, std::string summary);
  ~TCommandLine();
  TCommandLine(const TCommandLine&) = delete;
  TCommandLine& operator=(const TCommandLine&) = delete;

  // names: "--long" or "-s,--long".
  TCommandLine& Flag(const std::string& names, bool& target, const std::string& help);
  TCommandLine& Option(const std::string& names, std::string& target, const std::string& valueName,
                       const std::string& help);
  TCommandLine& Option(const std::string& names, std::optional<std::string>& target, const std::string& valueName,
                       const std::string& help);
  TCommandLine& Option(const std::string& names, const std::string& valueName, const std::string& help, TTake take);
  // An option that is never accepted, for the reason given (not listed).
  TCommandLine& Refused(const std::string& names, const std::string& reason);
  // The options declared next are listed under this title (empty: "Options").
  TCommandLine& Group(const std::string& title, const std::string& note = "");
  // The positional words in order; synopsis names them for the usage
  // ("FILE COMPONENT [NAME=VALUE...]"). The procedure checks their number.
  TCommandLine& Words(const std::string& synopsis, std::vector<std::string>& target);
  // Takes --json into json (the program also takes it before the command).
  TCommandLine& Json(bool& json);
  // Takes --help (or -h) into help.
  TCommandLine& Help(bool& help);
  // The program's own line: options stop at the first word, which with all
  // that follows it (the command and its arguments) goes to target.
  TCommandLine& CommandAndArguments(const std::string& synopsis, std::vector<std::string>& target);

  // Parses args into the targets; raises EUsageError for an unknown option,
  // an option without its value, a bad value, or words when none are declared.
  void Parse(const std::vector<std::string>& args);
  // "usage: quelm-designer NAME [options] WORDS", the summary and the
  // options by group, then the exit codes.
  std::string Usage() const;

private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};

// "--name=value" as "--name", "value", up to a "--": for commands that read
// their words themselves.
std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args);

// A tool whose command line is declared by declare on a fresh TArgs; run gets
// the parsed TArgs. A usage error (from the parser or raised by run) prints
// "NAME: reason" and the usage on standard error and exits with 2.
template <class TArgs>
TDesignTool DeclaredTool(const std::string& name, const std::string& summary,
                         std::function<void(TCommandLine&, TArgs&)> declare,
                         std::function<int(TDesignToolContext&, TArgs&)> run) {
  TDesignTool tool;
  tool.Name = name;
  {
    TArgs unused;
    TCommandLine line(name, summary);
    declare(line, unused);
    tool.Usage = line.Usage();
  }
  tool.Run = [name, summary, declare, run](TDesignToolContext& ctx) {
    TArgs args;
    TCommandLine line(name, summary);
    declare(line, args);
    line.Json(ctx.Json);
    try {
      line.Parse(ctx.Args);
      return run(ctx, args);
    } catch (const EUsageError& e) {
      *ctx.Err << name << ": " << e.what() << "\n" << line.Usage();
      return 2;
    }
  };
  return tool;
}
