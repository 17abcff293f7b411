#include "widgetset-qt/QtKeys.h"

#include <QKeyEvent>

namespace QtKeys {
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(TShiftStateFlag::ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(TShiftStateFlag::ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(TShiftStateFlag::ssAlt);
  return shift;
}

std::optional<char> KeyChar(const QKeyEvent& event) {
  bool ctrl = event.modifiers() & Qt::ControlModifier;
  bool alt = event.modifiers() & Qt::AltModifier;
  int key = event.key();
  switch (key) {
  case Qt::Key_Return:
  case Qt::Key_Enter: return ctrl ? KeyChar::LineFeed : KeyChar::Enter;
  case Qt::Key_Escape: return KeyChar::Escape;
  case Qt::Key_Tab:
  case Qt::Key_Backtab: return KeyChar::Tab;
  case Qt::Key_Backspace: return KeyChar::Backspace;
  default: break;
  }
  if ((ctrl || alt) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    // Alt keeps the letter (the form's accelerator); Ctrl gives its code.
    if (alt) return static_cast<char>('a' + (key - Qt::Key_A));
    return static_cast<char>(1 + (key - Qt::Key_A));
  }
  if (ctrl || alt) return std::nullopt;
  QString text = event.text();
  if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F)
    return static_cast<char>(text[0].unicode());
  return std::nullopt;
}
} // namespace QtKeys
