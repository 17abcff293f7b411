#pragma once
// The widgetset without a screen: windows are records in memory, text is
// measured in fixed steps (6 pixels a byte, 13 a line), drawing over a
// window is recorded until its next repaint, help requests and cursor
// changes are logged, and every modal run, message box and file dialog goes
// to the current modal driver.
#include "forms/TWidgetSet.h"

#include <map>
#include <string>
#include <vector>

class THeadlessWidgetSet : public TWidgetSet {
public:
  static constexpr int CharWidth = 6;
  static constexpr int LineHeight = 13;

  struct TDrawing {
    int X = 0, Y = 0, Width = 0, Height = 0;
  };
  struct TWindow {
    TWinControl* Control = nullptr;
    std::vector<TDrawing> Drawings;  // since the last repaint
    int Repaints = 0;
  };
  struct THelpRequest {
    std::string HelpFile;
    int Context = 0;
  };

  THandle CreateHandle(TWinControl& control) override;
  void DestroyHandle(THandle handle) override;
  void Invalidate(THandle handle) override;
  void DrawGraphic(THandle handle, int x, int y, const TGraphic& graphic) override;
  TTextExtent TextExtent(std::string_view text) override;
  void RunModal(TForm& form) override;
  TModalResult MessageBox(const TMessageBoxInfo& box) override;
  bool ExecuteOpenDialog(TOpenDialog& dialog) override;
  bool ShowHelp(const std::string& helpFile, int context) override;
  void SetCursor(TCursor cursor) override { FCursors.push_back(cursor); }

  // The window record of a control; none before its handle was made.
  const TWindow* Window(const TWinControl& control) const;
  const std::vector<THelpRequest>& HelpRequests() const { return FHelpRequests; }
  void ClearHelpRequests() { FHelpRequests.clear(); }
  // Every cursor the screen was given, in order.
  const std::vector<TCursor>& CursorLog() const { return FCursors; }
  // The modifier keys the driver holds down while it presses a key.
  void SetKeyboardState(TShiftState state) { FKeyboardState = state; }

protected:
  TShiftState QueryKeyboardState() override { return FKeyboardState; }

private:
  std::map<THandle, TWindow> FWindows;
  THandle FNextHandle = 1;
  std::vector<THelpRequest> FHelpRequests;
  std::vector<TCursor> FCursors;
  TShiftState FKeyboardState;
};

// The process's widgetset as the headless one; none when another is installed.
THeadlessWidgetSet* HeadlessWidgetSet();
