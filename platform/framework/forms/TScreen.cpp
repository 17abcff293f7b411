#include "forms/TScreen.h"

#include "forms/TForm.h"
#include "forms/TWidgetSet.h"
#include "rtl/TList.h"

#include <algorithm>

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TScreen::SetCursor(TCursor cursor) {
  FCursor = cursor;
  WidgetSet().SetCursor(cursor);
}

TRect TScreen::WorkAreaRect() const { return WidgetSet().WorkArea(); }

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) RaiseListIndexError(index);
  return FForms[static_cast<size_t>(index)];
}

TForm* TScreen::ActiveForm() const {
  for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
    if ((*it)->IsShowingModal()) return *it;
  return nullptr;
}

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form) { FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end()); }
