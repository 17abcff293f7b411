#pragma once
// The character code a key event stands for in the forms model, as the
// host's keyboard gives it: Ctrl+A is 1, Ctrl+Enter a line feed (10),
// Enter 13, Escape 27, Tab 9, Backspace 8, Ctrl with a letter its control
// code, and a printable ASCII character itself. Keys without one (arrows,
// function keys, non-ASCII text) give none and stay with the native widget.
#include "forms/FormTypes.h"

#include <optional>

#include <Qt>

class QKeyEvent;

namespace QtKeys {
std::optional<char> KeyChar(const QKeyEvent& event);
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers);
} // namespace QtKeys
