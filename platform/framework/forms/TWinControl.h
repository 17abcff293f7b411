#pragma once
// Controls that hold other controls and can take the keyboard focus: child
// list, tab order, window handle from the widgetset, alignment of children,
// and the enter, exit and key-press events.
#include "forms/TControl.h"
#include "forms/TWidgetSet.h"

#include <vector>

class TWinControl : public TControl {
  QUELM_CLASS(TWinControl, TControl)

public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const;
  // True when control is this one or sits in it at any depth.
  bool ContainsControl(const TControl* control) const;
  // Whether a designer may drop other controls into this one: forms, panels,
  // group boxes and pages do; edits, buttons and lists only sit in others.
  virtual bool AcceptsControls() const { return false; }

  // The place among the parent's focusable children, from 0; -1 without parent.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool tabStop) { FTabStop = tabStop; }
  // The children that take part in tabbing, depth first in tab order.
  std::vector<TWinControl*> TabOrderList() const;

  THandle Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void HandleNeeded() { (void)Handle(); }

  // Focusable: showing and enabled, with all parents.
  bool CanFocus() const;
  bool Focused() const;
  // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
  // while the form is shown and the control cannot take the focus; on a form
  // that is not shown, the control becomes the form's active control.
  virtual void SetFocus();

  // The area children are aligned in, in client coordinates.
  virtual TRect AlignRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
  // Places the aligned children again; nothing happens while loading.
  void Realign();
  void Loaded() override;

  // The path a typed character takes: the form's key preview, then OnKeyPress.
  // Returns the character the handlers left; 0 means they swallowed it.
  char KeyPress(char key);
  // Called by the form when the focus arrives or leaves.
  virtual void DoEnter();
  virtual void DoExit();
  // Whether the control keeps Enter or Escape for itself rather than letting
  // the form's default or cancel button have it.
  virtual bool WantsDialogKey(char key) const { return false; }

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyPressEvent OnKeyPress;

protected:
  void BoundsChanged(int oldClientWidth, int oldClientHeight) override;
  // Places the aligned children inside rect, which it shrinks as it goes.
  virtual void AlignControls(TRect& rect);
  // Called after a child joined or left.
  virtual void ControlInserted(TControl* control) {}
  virtual void ControlRemoved(TControl* control) {}

private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  int FPendingTabOrder = -1;
  THandle FHandle = 0;
  bool FTabStop = false;
  bool FAligning = false;
};

// The form a control sits on, none when it sits on none.
TForm* GetParentForm(const TControl& control);
