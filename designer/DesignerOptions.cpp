#include "DesignerOptions.h"

#include "designhost/CommandLine.h"

namespace {

// "--gui" among the program's options, before the command: taken out, and
// the window's own options (the connection) that stand before its form
// files are kept apart, for the window or for the command that follows.
std::vector<std::string> TakeGui(const std::vector<std::string>& argv, TDesignerOptions& options,
                                 std::vector<std::string>& windowOptions) {
  std::vector<std::string> rest;
  size_t i = 0;
  for (; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a == "--gui") {
      options.Gui = true;
    } else if (a == "--headless") {
      // The widgetset's choice, taken by the widgetset loader.
    } else if (a == "--screenshot") {
      ++i;
    } else if (a == "--package" || a == "--json" || a == "--help" || a == "-h" || a.rfind("--package=", 0) == 0) {
      rest.push_back(a);
      if (a == "--package" && i + 1 < argv.size()) rest.push_back(argv[++i]);
    } else if (options.Gui && a.rfind("--", 0) == 0 && a != "--") {
      windowOptions.push_back(a);
      if (a.find('=') == std::string::npos && i + 1 < argv.size()) windowOptions.push_back(argv[++i]);
    } else {
      break;
    }
  }
  rest.insert(rest.end(), argv.begin() + static_cast<std::ptrdiff_t>(i), argv.end());
  return rest;
}

} // namespace

TDesignerOptions ParseDesignerOptions(const std::vector<std::string>& argv) {
  TDesignerOptions options;
  std::vector<std::string> command;
  TCommandLine line("", "");
  line.Option("--package", options.PackagePath, "FILE", "the design-time package to load")
      .Json(options.Json)
      .Help(options.Help)
      .CommandAndArguments("COMMAND [ARGS...]", command);
  line.Parse(TakeGui(argv, options, options.WindowOptions));
  if (command.empty()) return options;
  options.Command = command.front();
  // --json and --help are the program's wherever they stand, so that every
  // command takes them the same way; after "--" they are words.
  bool afterDashes = false;
  for (size_t i = 1; i < command.size(); ++i) {
    const std::string& a = command[i];
    if (a == "--") afterDashes = true;
    if (!afterDashes && (a == "--gui" || a == "--headless")) continue;  // the widgetset's choice
    if (!afterDashes && a == "--screenshot") {
      ++i;
      continue;
    }
    if (!afterDashes && a == "--json") options.Json = true;
    else if (!afterDashes && (a == "--help" || a == "-h")) options.Help = true;
    else options.Args.push_back(a);
  }
  return options;
}
