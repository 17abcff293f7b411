#pragma once
// The user of a modal form, as a modal driver plays them: each operation is
// what a person does with mouse and keyboard, with the focus moves and the
// events that come with it. A control must be showing and enabled to be
// used (a control on a page that is not active is not showing). An
// exception from an event handler is reported as the application reports
// it (an error box) and the form stays as the handler left it, except that
// a button's modal result does not close the form when its handler failed.
// After each operation a set modal result closes the form, subject to its
// close query. Controls are named as on the form; a driver error
// (EModalDriverError) names what went wrong.
#include "classes/TComponent.h"
#include "forms/FormTypes.h"
#include "forms/TModalDriver.h"

#include <functional>
#include <string>
#include <vector>

class TControl;
class TForm;
class TWinControl;

class TFormUser {
public:
  explicit TFormUser(TForm& form) : FForm(form) {}
  TFormUser(const TFormUser&) = delete;
  TFormUser& operator=(const TFormUser&) = delete;

  TForm& Form() const { return FForm; }
  // The modal run has ended: the form closed.
  bool IsClosed() const { return FClosed; }
  // Closes the form when its modal result is set and the close query allows.
  void CheckClose();

  // The form's component of that name, ignoring case.
  TComponent& Find(const std::string& name) const;
  template <class T>
  T& Find(const std::string& name) const;

  // A click: a button fires its handler (and its modal result), a check box
  // toggles, a tab sheet becomes the active page, other controls fire OnClick.
  void Click(const std::string& control);
  void DoubleClick(const std::string& control);
  // Clicks the first item and Ctrl-clicks the others, so exactly these end
  // selected; a single-selection list takes one item only.
  void SelectItems(const std::string& list, const std::vector<std::string>& items);
  void SelectIndexes(const std::string& list, const std::vector<int>& indexes);
  // Ctrl-clicks selected items of a multi-selection list to deselect them.
  void DeselectItems(const std::string& list, const std::vector<std::string>& items);
  void DoubleClickItem(const std::string& list, const std::string& item);
  // Chooses an entry from a combo box's drop-down list.
  void Pick(const std::string& combo, const std::string& item);
  void PickIndex(const std::string& combo, int index);
  // Types at the caret, one key press per character; a line feed in text is
  // the Enter key. Into a combo box the text replaces what it held.
  void Type(const std::string& control, const std::string& text);
  // Clicks into an edit's text at a byte position (-1: the end).
  void PlaceCaret(const std::string& control, int position);
  // Selects the whole text and deletes it.
  void ClearText(const std::string& control);
  // Presses one key (its character code) with modifiers held; with Alt it
  // is the form's accelerator (see TForm::AcceleratorKey).
  void PressKey(const std::string& control, char key, TShiftState shift = {});
  void Tick(const std::string& checkBox);
  void Untick(const std::string& checkBox);
  // By caption (accelerator marks and case ignored) or by index.
  void ClickRadio(const std::string& group, const std::string& item);
  void ClickRadioIndex(const std::string& group, int index);
  // Clicks the tab of a page.
  void SwitchPage(const std::string& page);
  // Opens the control's popup menu on it and chooses the item (by name or
  // caption).
  void ChoosePopupItem(const std::string& control, const std::string& item);
  // Drags a splitter so the control it resizes gets the new size.
  void DragSplitter(const std::string& splitter, int newSize);
  void Focus(const std::string& control);
  // The window's close box.
  void CloseWindow();

private:
  // Runs one operation with the handler error handling and the close check.
  void Perform(const std::function<void()>& action);
  void CheckOpen() const;
  TControl& Usable(const std::string& name) const;
  void CheckUsable(const TControl& control, const std::string& name) const;
  void FocusForInput(TControl& control);
  int ItemIndexOf(const TComponent& list, const std::string& item) const;
  void TypeInto(TWinControl& control, char key);

  TForm& FForm;
  bool FClosed = false;
};

template <class T>
T& TFormUser::Find(const std::string& name) const {
  TComponent& component = Find(name);
  if (auto* typed = dynamic_cast<T*>(&component)) return *typed;
  throw EModalDriverError(name + " is a " + component.ClassName() + ", not a " + T::StaticClass().ClassName());
}
