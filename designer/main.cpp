// quelm-designer: the design host program. It loads the design-time package
// as a host does, then runs one command over the package's registrations and
// the form files named on the command line.
#include "BuiltinCommands.h"
#include "ConnectionOptions.h"
#include "DesignerOptions.h"
#include "WidgetSetLoader.h"
#include "gui/DesignerWindowEntry.h"

#include "classes/TClassRegistry.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "designhost/foreign/ForeignClasses.h"
#include "designhost/PackageLoader.h"
#include "rtl/Exceptions.h"
#include "rtl/Resources.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

constexpr const char* PackageFileName = "libdcl_QuelmDorvik5.so";

constexpr const char* ProgramUsage =
    "usage: quelm-designer [--package FILE] [--json] [--gui|--headless] [--screenshot DIR] COMMAND [ARGS...]\n"
    "       quelm-designer COMMAND --help\n"
    "       quelm-designer --gui [CONNECTION OPTIONS] [FORM...]\n"
    "\n"
    "Loads the design-time package (from --package, $QUELM_PACKAGE, or lib/ beside\n"
    "the program) and runs COMMAND. Output is plain text, or JSON with --json.\n"
    "Every command takes --opt VALUE and --opt=VALUE alike, and \"--\" before words\n"
    "that start with '-'; COMMAND --help lists its options.\n"
    "--gui shows the dialogs as real windows (QUELM_WIDGETSET=qt|headless chooses too);\n"
    "--screenshot DIR saves each dialog as PNG when shown and before it closes.\n"
    "\n"
    "Commands:\n";

std::string ProgramDirectory() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string path(buffer, static_cast<size_t>(n));
  return path.substr(0, path.find_last_of('/'));
}

std::string PackagePath(const TDesignerOptions& options) {
  if (!options.PackagePath.empty()) return options.PackagePath;
  if (const char* env = std::getenv("QUELM_PACKAGE"); env && *env) return env;
  return ProgramDirectory() + "/../lib/" + PackageFileName;
}

// "usage: quelm-designer palette [--json]" lists as "palette [--json]".
std::string FirstLine(const std::string& usage) {
  std::string line = usage.substr(0, usage.find('\n'));
  const std::string prefix = "usage: quelm-designer ";
  return line.rfind(prefix, 0) == 0 ? line.substr(prefix.size()) : line;
}

void PrintCommandList(std::ostream& out, const std::vector<TDesignTool>& builtins) {
  out << ProgramUsage;
  for (const TDesignTool& tool : builtins) out << "  " << FirstLine(tool.Usage) << "\n";
  for (const TDesignToolRegistration& r : TDesignRegistry::Instance().DesignTools())
    out << "  " << FirstLine(r.Tool.Usage) << "\n";
  out << "\n" << CommandExitCodes;
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* v = std::getenv(name); v && *v) return true;
  return false;
}

// Loads the graphical host's library beside the package and runs its window
// over words (connection options, then form files).
int RunDesignerWindow(const TLoadedPackage& package, const std::vector<std::string>& words) {
  if (!HasDisplay()) {
    std::cerr << "quelm-designer: --gui needs a display (set DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)\n";
    return 2;
  }
  std::string library = ProgramDirectory() + "/../lib/" + DesignerWindowLibraryName;
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::cerr << "quelm-designer: cannot load the graphical host: " << dlerror() << "\n";
    return 1;
  }
  auto run = reinterpret_cast<TQuelmRunDesignerWindowProc>(dlsym(handle, DesignerWindowEntryName));
  if (!run) {
    std::cerr << "quelm-designer: " << library << " has no " << DesignerWindowEntryName << "\n";
    return 1;
  }
  std::vector<const char*> pointers;
  for (const std::string& w : words) pointers.push_back(w.c_str());
  TDesignerWindowStart start{static_cast<int>(sizeof(TDesignerWindowStart)), static_cast<int>(pointers.size()),
                             pointers.data(), package.Module() ? package.Module()->Resources : nullptr};
  // The library stays loaded: Qt's threads and handlers may outlive the call.
  return run(&start);
}

} // namespace

int main(int argc, char** argv) {
  TDesignerOptions options;
  TWidgetSetChoice widgetSetChoice;
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    options = ParseDesignerOptions(args);
    widgetSetChoice = TakeWidgetSetOptions(args);
  } catch (const std::invalid_argument& e) {
    std::cerr << "quelm-designer: " << e.what() << "\n" << "quelm-designer --help lists the commands and options\n";
    return 2;
  }
  TLoadedWidgetSet widgetSet;
  try {
    widgetSet = TLoadedWidgetSet::Install(widgetSetChoice, ProgramDirectory() + "/../lib");
  } catch (const std::exception& e) {
    std::cerr << "quelm-designer: " << e.what() << "\n";
    return 2;
  }

  // Without a configured server the suite's database components run on the
  // embedded server, on the program's own data directory.
  EnsureEmbeddedDefault();
  // The other access layers' classes are known to the host by name and
  // published properties, so their datasets load as what they are.
  RegisterForeignClasses(TClassRegistry::Global());

  std::unique_ptr<TLoadedPackage> package;
  try {
    package = TLoadedPackage::Load(PackagePath(options));
  } catch (const Exception& e) {
    std::cerr << "quelm-designer: " << e.Message() << "\n";
    return 1;
  }

  std::vector<TDesignTool> builtins = BuiltinCommands();
  bool isCommand = !options.Command.empty() && TDesignRegistry::Instance().FindDesignTool(options.Command);
  for (const TDesignTool& b : builtins) isCommand = isCommand || b.Name == options.Command;
  if (options.Gui && !isCommand && !options.Help) {
    // --gui with form files and no command: the main window.
    std::vector<std::string> words = options.WindowOptions;
    if (!options.Command.empty()) words.push_back(options.Command);
    words.insert(words.end(), options.Args.begin(), options.Args.end());
    return RunDesignerWindow(*package, words);
  }
  if (options.Command.empty()) {
    PrintCommandList(options.Help ? std::cout : std::cerr, builtins);
    return options.Help ? 0 : 2;
  }
  const TDesignTool* tool = nullptr;
  for (const TDesignTool& b : builtins)
    if (b.Name == options.Command) tool = &b;
  if (!tool) {
    tool = TDesignRegistry::Instance().FindDesignTool(options.Command);
    // A package's command may read its words itself; it gets "--opt=value"
    // as "--opt value" all the same.
    options.Args = SplitOptionValues(options.Args);
  }
  if (!tool) {
    std::cerr << "quelm-designer: unknown command " << options.Command << "\n";
    PrintCommandList(std::cerr, builtins);
    return 2;
  }
  if (options.Help) {
    std::cout << tool->Usage;
    return 0;
  }

  TDesignToolContext ctx;
  ctx.Args = options.Args;
  ctx.Json = options.Json;
  ctx.In = &std::cin;
  ctx.Out = &std::cout;
  ctx.Err = &std::cerr;
  int code = 0;
  try {
    code = tool->Run(ctx);
  } catch (const EAbort&) {
    code = 1;
  } catch (const Exception& e) {
    std::cerr << options.Command << ": " << e.Message() << "\n";
    code = 1;
  } catch (const std::exception& e) {
    std::cerr << options.Command << ": " << e.what() << "\n";
    code = 1;
  }
  std::cout.flush();
  return code;
}
