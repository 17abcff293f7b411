#pragma once
// Commands that a package offers on the design host's command line. A package
// registers them from its optional RegisterDesignTools entry point, which the
// package loader calls after Register; the registrations go when the package
// is unloaded, since their code lives in it.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class TModuleServices;

struct TDesignToolContext {
  std::vector<std::string> Args;  // the words after the command name
  bool Json = false;              // --json was given
  std::istream* In = nullptr;
  std::ostream* Out = nullptr;
  std::ostream* Err = nullptr;
  TModuleServices* Modules = nullptr;  // the design host's open modules
};

// Returns the process exit code.
using TDesignToolProc = std::function<int(TDesignToolContext&)>;

struct TDesignTool {
  std::string Name;   // "parse", "generate", ...
  std::string Usage;  // the --help text
  TDesignToolProc Run;
};

void RegisterDesignTool(const std::string& name, const std::string& usage, TDesignToolProc run);
