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
#include <optional>
#include <string>
#include <string_view>

class TControl;
class TForm;
class TGraphic;
class TOpenDialog;
class TPopupMenu;
class TWinControl;

using THandle = intptr_t;

struct TTextExtent {
  int Width = 0;
  int Height = 0;
};

// What a model setter changed; a native peer re-reads that part of its
// control.
enum class TControlChange {
  Text,
  Bounds,
  Visible,
  Enabled,
  Items,
  Selection,  // list selection, or an edit's caret and selection
  ItemIndex,
  Checked,
  ActivePage,
  Parent,
  Focus,  // the form's active control
  Style   // any other property the peer shows (read-only, multi-select, ...)
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
  // The text's size in the control's own font.
  virtual TTextExtent ControlTextExtent(TControl& control, std::string_view text) { return TextExtent(text); }

  // A model setter changed the control: its peer, if any, re-reads it.
  virtual void ControlChanged(TControl& control, TControlChange change) {}
  // The control is being destroyed: its peer, if any, goes with it. Only the
  // address may be used.
  virtual void ControlDestroyed(TControl& control) {}

  // The screen area windows may use.
  virtual TRect WorkArea() { return {0, 0, 1024, 768}; }
  // Handles the window system's pending events.
  virtual void ProcessMessages() {}
  // Shows a popup menu at a screen position, after its OnPopup; a chosen
  // item is clicked before it returns. The headless screen shows nothing.
  virtual void ShowPopupMenu(TPopupMenu& menu, int x, int y) {}

  // Runs the modal loop of a form whose show handling has run; returns once
  // the form's modal result is set and its close query allowed it.
  virtual void RunModal(TForm& form) = 0;
  virtual TModalResult MessageBox(const TMessageBoxInfo& box) = 0;
  // Runs the file-open dialog; true when a file name was chosen.
  virtual bool ExecuteOpenDialog(TOpenDialog& dialog) = 0;
  // Opens a help topic; true when it could be shown.
  virtual bool ShowHelp(const std::string& helpFile, int context) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  // The modifier keys held down at this moment: the ones a key being
  // dispatched came with while a TShiftStateOverride holds them, else the
  // keyboard's.
  TShiftState KeyboardState() { return FShiftOverride ? *FShiftOverride : QueryKeyboardState(); }

protected:
  virtual TShiftState QueryKeyboardState() = 0;

private:
  friend class TShiftStateOverride;
  std::optional<TShiftState> FShiftOverride;
};

// The process's widgetset: the headless one unless another was installed.
TWidgetSet& WidgetSet();
// Installs a widgetset and returns the one it replaces. Handles made by the
// old one must be gone.
std::unique_ptr<TWidgetSet> SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet);

// Holds the modifier keys of one key press for its dispatch: a driver's
// simulated keys or a native key event's modifiers.
class TShiftStateOverride {
public:
  explicit TShiftStateOverride(TShiftState shift);
  ~TShiftStateOverride();
  TShiftStateOverride(const TShiftStateOverride&) = delete;
  TShiftStateOverride& operator=(const TShiftStateOverride&) = delete;

private:
  std::optional<TShiftState> FPrevious;
};
