#pragma once
// The designer's choice of widgetset. The program links no toolkit: the Qt
// widgetset library is loaded at run time only when real windows are asked
// for (--gui, or QUELM_WIDGETSET=qt); --headless and QUELM_WIDGETSET=headless
// keep the in-memory one, the default. --screenshot DIR saves every modal
// form as PNG when shown and before it closes, and needs the Qt widgetset.
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TWidgetSet;

struct TWidgetSetChoice {
  bool Gui = false;
  std::string ScreenshotDir;
};

// Takes --gui, --headless and --screenshot DIR out of the arguments, with
// QUELM_WIDGETSET as the default; raises std::invalid_argument for a bad
// value or a contradiction.
TWidgetSetChoice TakeWidgetSetOptions(std::vector<std::string>& args);

// The loaded widgetset, installed for its lifetime; the headless one comes
// back when it ends.
class TLoadedWidgetSet {
public:
  TLoadedWidgetSet() = default;
  ~TLoadedWidgetSet();
  TLoadedWidgetSet(TLoadedWidgetSet&& other) noexcept : FInstalled(std::exchange(other.FInstalled, false)) {}
  TLoadedWidgetSet& operator=(TLoadedWidgetSet&& other) noexcept {
    std::swap(FInstalled, other.FInstalled);
    return *this;
  }

  // Loads and installs the Qt widgetset when chosen. Raises
  // std::runtime_error when there is no display or the library cannot load.
  static TLoadedWidgetSet Install(const TWidgetSetChoice& choice, const std::string& libraryDir);

private:
  bool FInstalled = false;
};
