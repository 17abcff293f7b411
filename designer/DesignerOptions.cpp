#include "DesignerOptions.h"

#include <stdexcept>

TDesignerOptions ParseDesignerOptions(const std::vector<std::string>& argv) {
  TDesignerOptions options;
  bool afterDashes = false;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (!afterDashes && a == "--") {
      afterDashes = true;
      continue;
    }
    if (!afterDashes && a == "--json") {
      options.Json = true;
    } else if (!afterDashes && a == "--gui") {
      options.Gui = true;
    } else if (!afterDashes && (a == "--help" || a == "-h")) {
      options.Help = true;
    } else if (!afterDashes && options.Command.empty() && a == "--package") {
      if (i + 1 >= argv.size()) throw std::invalid_argument("--package needs a file name");
      options.PackagePath = argv[++i];
    } else if (!afterDashes && options.Command.empty() && a.rfind("--package=", 0) == 0) {
      options.PackagePath = a.substr(10);
    } else if (!afterDashes && options.Gui && options.Command.empty() && a.rfind("--", 0) == 0) {
      // The window's own options (the connection) come before its files.
      options.Args.push_back(a);
      if (a.find('=') == std::string::npos && i + 1 < argv.size()) options.Args.push_back(argv[++i]);
    } else if (options.Command.empty()) {
      if (!afterDashes && a.size() > 1 && a[0] == '-') throw std::invalid_argument("unknown option " + a);
      options.Command = a;
    } else {
      options.Args.push_back(afterDashes ? a : a);
    }
  }
  return options;
}
