#include "forms/THeadlessWidgetSet.h"

#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "forms/TGraphics.h"
#include "forms/TModalDriver.h"
#include "forms/TOpenDialog.h"

#include <algorithm>

namespace {
std::unique_ptr<TWidgetSet>& WidgetSetSlot() {
  static std::unique_ptr<TWidgetSet> slot;
  return slot;
}
} // namespace

TWidgetSet& WidgetSet() {
  auto& slot = WidgetSetSlot();
  if (!slot) slot = std::make_unique<THeadlessWidgetSet>();
  return *slot;
}

std::unique_ptr<TWidgetSet> SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet) {
  (void)WidgetSet();
  std::unique_ptr<TWidgetSet> previous = std::move(WidgetSetSlot());
  WidgetSetSlot() = std::move(widgetSet);
  return previous;
}

TShiftStateOverride::TShiftStateOverride(TShiftState shift) : FPrevious(WidgetSet().FShiftOverride) {
  WidgetSet().FShiftOverride = shift;
}

TShiftStateOverride::~TShiftStateOverride() { WidgetSet().FShiftOverride = FPrevious; }

THeadlessWidgetSet* HeadlessWidgetSet() { return dynamic_cast<THeadlessWidgetSet*>(&WidgetSet()); }

THandle THeadlessWidgetSet::CreateHandle(TWinControl& control) {
  THandle handle = FNextHandle++;
  FWindows[handle].Control = &control;
  return handle;
}

void THeadlessWidgetSet::DestroyHandle(THandle handle) { FWindows.erase(handle); }

void THeadlessWidgetSet::Invalidate(THandle handle) {
  auto it = FWindows.find(handle);
  if (it == FWindows.end()) return;
  it->second.Drawings.clear();
  ++it->second.Repaints;
}

void THeadlessWidgetSet::DrawGraphic(THandle handle, int x, int y, const TGraphic& graphic) {
  auto it = FWindows.find(handle);
  if (it == FWindows.end()) return;
  it->second.Drawings.push_back({x, y, graphic.Width(), graphic.Height()});
}

TTextExtent THeadlessWidgetSet::TextExtent(std::string_view text) {
  // The widest line, and a line height per line (one for an empty text).
  int lines = 1, width = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      current = 0;
      continue;
    }
    current += CharWidth;
    width = std::max(width, current);
  }
  return {width, lines * LineHeight};
}

void THeadlessWidgetSet::RunModal(TForm& form) {
  TFormUser user(form);
  user.CheckClose();
  if (!user.IsClosed()) CurrentModalDriver().Run(user);
  // A driver that leaves the form open has given up: that counts as Cancel,
  // without a close query that could keep the form open for ever.
  if (!user.IsClosed()) form.SetModalResult(mrCancel);
}

TModalResult THeadlessWidgetSet::MessageBox(const TMessageBoxInfo& box) { return CurrentModalDriver().Answer(box); }

bool THeadlessWidgetSet::ExecuteOpenDialog(TOpenDialog& dialog) {
  return dialog.ExecuteWith([&] { return CurrentModalDriver().ChooseFile(dialog); });
}

bool THeadlessWidgetSet::ShowHelp(const std::string& helpFile, int context) {
  FHelpRequests.push_back({helpFile, context});
  return true;
}

const THeadlessWidgetSet::TWindow* THeadlessWidgetSet::Window(const TWinControl& control) const {
  for (auto& [handle, window] : FWindows)
    if (window.Control == &control) return &window;
  return nullptr;
}
