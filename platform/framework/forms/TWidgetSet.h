#pragma once
// The seam between the controls and a windowing system. Controls ask the
// process's widgetset for window handles, repaints, text metrics and drawing;
// forms for their modal run; the application for message boxes, help and the
// cursor; the file-open dialog for its run. The headless widgetset, the
// default, keeps all of it in memory and lets the current modal driver play
// the user; a windowing widgetset plugs in behind the same calls.
#include "forms/FormTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TForm;
class TGraphic;
class TOpenDialog;
class TWinControl;

using THandle = intptr_t;

struct TTextExtent {
  int Width = 0;
  int Height = 0;
};

class TWidgetSet {
public:
  virtual ~TWidgetSet() = default;

  virtual THandle CreateHandle(TWinControl& control) = 0;
  virtual void DestroyHandle(THandle handle) = 0;
  // Repaints the window, which wipes what was drawn over it.
  virtual void Invalidate(THandle handle) = 0;
  virtual void DrawGraphic(THandle handle, int x, int y, const TGraphic& graphic) = 0;
  virtual TTextExtent TextExtent(std::string_view text) = 0;

  // Runs the modal loop of a form whose show handling has run; returns once
  // the form's modal result is set and its close query allowed it.
  virtual void RunModal(TForm& form) = 0;
  virtual TModalResult MessageBox(const TMessageBoxInfo& box) = 0;
  // Runs the file-open dialog; true when a file name was chosen.
  virtual bool ExecuteOpenDialog(TOpenDialog& dialog) = 0;
  // Opens a help topic; true when it could be shown.
  virtual bool ShowHelp(const std::string& helpFile, int context) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  // The modifier keys held down at this moment.
  virtual TShiftState KeyboardState() = 0;
};

// The process's widgetset: the headless one unless another was installed.
TWidgetSet& WidgetSet();
// Installs a widgetset and returns the one it replaces. Handles made by the
// old one must be gone.
std::unique_ptr<TWidgetSet> SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet);
