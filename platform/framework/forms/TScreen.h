#pragma once
// The screen: its size, the mouse cursor shown over every window, and the
// forms that exist. One per process, owned by the framework.
#include "forms/FormTypes.h"

#include <vector>

class TForm;

class TScreen {
public:
  TScreen() = default;
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const;
  // The form shown modally last, none when no modal run is on.
  TForm* ActiveForm() const;

  // The size of the area windows may use.
  int Width() const { return WorkAreaRect().Width(); }
  int Height() const { return WorkAreaRect().Height(); }
  TRect WorkAreaRect() const;

  // Forms enter the list when they are made and leave it when they go.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

private:
  TCursor FCursor = crDefault;
  std::vector<TForm*> FForms;
};

TScreen& Screen();

// Sets the screen cursor and puts the previous one back when the scope
// ends, whatever ends it.
class TCursorGuard {
public:
  explicit TCursorGuard(TCursor cursor) : TCursorGuard(cursor, Screen().Cursor()) {}
  // Ends on the given cursor instead of the previous one, for the waits that
  // always leave the default cursor behind.
  TCursorGuard(TCursor cursor, TCursor atEnd) : FAtEnd(atEnd) { Screen().SetCursor(cursor); }
  ~TCursorGuard() { Screen().SetCursor(FAtEnd); }
  TCursorGuard(const TCursorGuard&) = delete;
  TCursorGuard& operator=(const TCursorGuard&) = delete;

private:
  TCursor FAtEnd;
};
