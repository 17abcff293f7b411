#include "DesignerOptions.h"

#include "designhost/CommandLine.h"

TDesignerOptions ParseDesignerOptions(const std::vector<std::string>& argv) {
  TDesignerOptions options;
  std::vector<std::string> command;
  TCommandLine line("", "");
  line.Option("--package", options.PackagePath, "FILE", "the design-time package to load")
      .Json(options.Json)
      .Help(options.Help)
      .CommandAndArguments("COMMAND [ARGS...]", command);
  line.Parse(argv);
  if (command.empty()) return options;
  options.Command = command.front();
  // --json and --help are the program's wherever they stand, so that every
  // command takes them the same way; after "--" they are words.
  bool afterDashes = false;
  for (size_t i = 1; i < command.size(); ++i) {
    const std::string& a = command[i];
    if (a == "--") afterDashes = true;
    if (!afterDashes && a == "--json") options.Json = true;
    else if (!afterDashes && (a == "--help" || a == "-h")) options.Help = true;
    else options.Args.push_back(a);
  }
  return options;
}
