#include "WidgetSetLoader.h"

#include "forms/THeadlessWidgetSet.h"
#include "forms/TWidgetSet.h"

#include <dlfcn.h>

#include <cstdlib>
#include <stdexcept>

namespace {
constexpr const char* QtLibraryName = "libwidgetset-qt.so";
constexpr const char* QtEntryPoint = "QuelmCreateQtWidgetSet";

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}
} // namespace

TWidgetSetChoice TakeWidgetSetOptions(std::vector<std::string>& args) {
  TWidgetSetChoice choice;
  if (const char* env = std::getenv("QUELM_WIDGETSET"); env && *env) {
    std::string value = env;
    if (value == "qt") choice.Gui = true;
    else if (value != "headless")
      throw std::invalid_argument("QUELM_WIDGETSET must be qt or headless, not " + value);
  }
  bool gui = false, headless = false;
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--gui") gui = true;
    else if (args[i] == "--headless") headless = true;
    else if (args[i] == "--screenshot") {
      if (i + 1 >= args.size()) throw std::invalid_argument("--screenshot needs a folder");
      choice.ScreenshotDir = args[++i];
    } else {
      rest.push_back(args[i]);
    }
  }
  if (gui && headless) throw std::invalid_argument("--gui and --headless exclude each other");
  if (gui) choice.Gui = true;
  if (headless) choice.Gui = false;
  if (!choice.ScreenshotDir.empty() && headless)
    throw std::invalid_argument("--screenshot needs real windows, not --headless");
  if (!choice.ScreenshotDir.empty()) choice.Gui = true;
  args = std::move(rest);
  return choice;
}

TLoadedWidgetSet TLoadedWidgetSet::Install(const TWidgetSetChoice& choice, const std::string& libraryDir) {
  TLoadedWidgetSet loaded;
  if (!choice.Gui) return loaded;
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM"))
    throw std::runtime_error("--gui needs a display: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen");
  std::string path = libraryDir + "/" + QtLibraryName;
  // Never unloaded: Qt keeps state until the process ends.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!library) throw std::runtime_error("cannot load the Qt widgetset: " + std::string(dlerror()));
  using TCreate = TWidgetSet* (*)(const char*);
  auto create = reinterpret_cast<TCreate>(dlsym(library, QtEntryPoint));
  if (!create) throw std::runtime_error(std::string(QtEntryPoint) + " is missing from " + path);
  TWidgetSet* widgetSet = create(choice.ScreenshotDir.c_str());
  if (!widgetSet) throw std::runtime_error("the Qt widgetset could not start");
  SetWidgetSet(std::unique_ptr<TWidgetSet>(widgetSet));
  loaded.FInstalled = true;
  return loaded;
}

TLoadedWidgetSet::~TLoadedWidgetSet() {
  // The Qt widgetset goes before the program's statics, while Qt still runs.
  if (FInstalled) SetWidgetSet(std::make_unique<THeadlessWidgetSet>());
}
