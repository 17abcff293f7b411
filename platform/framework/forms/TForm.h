#pragma once
// Forms: a top-level control with a caption, a border and a modal run. A
// modal run shows the form (OnShow), focuses its active control, and hands
// the form to the widgetset, which returns once the modal result is set and
// the close query allowed the close. Forms are made with CreateForm, which
// reads the form's definition through the installed loader and then fires
// OnCreate, and freed through TFormPtr, which fires OnDestroy while the
// whole form still exists.
#include "forms/TWinControl.h"

#include <functional>
#include <memory>
#include <utility>

class TButton;

class TForm : public TWinControl {
  QUELM_CLASS(TForm, TWinControl)

public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  bool AcceptsControls() const override { return true; }

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  // Raises EInvalidOperation "Cannot make a visible window modal" on a form
  // that is shown already.
  TModalResult ShowModal();
  bool IsShowingModal() const { return FShowingModal; }
  // The close box: during a modal run it sets the modal result to Cancel, so
  // the run ends subject to the close query; otherwise it hides the form
  // when the close query allows it.
  void Close();
  // Asks OnCloseQuery; true when the form may close.
  virtual bool CloseQuery();
  // Ends a modal run whose result is set: asks the close query, fires
  // OnClose, and clears the result when either keeps the form open.
  // Returns true when the form closed.
  bool CloseModal();
  // The one path of every user action on a modal form, from a driver or
  // from real input: runs the action; an exception from it is shown as the
  // application shows handler errors and the modal result is put back as it
  // was, so a failed button does not close the form (a driver error passes
  // through). Then a set modal result closes the form, subject to its close
  // query. Returns true when the form closed.
  bool UserAction(const std::function<void()>& action);
  // Closes the form when its modal result is set and the close query
  // allows; errors from the close handlers are shown. True when it closed.
  bool CloseIfResultSet();
  // The path of a key pressed in a control: with Alt it is the form's
  // accelerator; otherwise the key-press handlers see it, then Enter, Escape
  // and Tab go to the form unless the control keeps them. Returns the
  // character left for the control to type, 0 when the key was used.
  char DispatchKey(TWinControl& control, char key);

  TWinControl* ActiveControl() const { return FActiveControl.Get(); }
  void SetActiveControl(TWinControl* control);
  // Moves the focus, firing OnExit of the control that had it and OnEnter of
  // the new one; during a modal run only.
  void FocusControl(TWinControl* control);
  // The next (or previous) focusable control in tab order after current.
  TWinControl* FindNextControl(TWinControl* current, bool forward) const;
  void SelectNext(TWinControl* current, bool forward);
  // Enter and Escape as the form handles them when the focused control does
  // not keep them: Enter clicks the focused button or else the default
  // button, Escape clicks the cancel button. True when a button was clicked.
  bool DialogKey(char key);
  // Alt with a letter: the showing, enabled label whose caption marks that
  // letter focuses its focus control; a button with it is clicked, a check
  // box toggled. True when something took the key.
  bool AcceleratorKey(char key);
  TButton* DefaultButton() const;
  TButton* CancelButton() const;

  void SetVisible(bool visible) override;
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  // Keeps the client size: the outer size follows the frame.
  void SetBorderStyle(TFormBorderStyle style);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool preview) { FKeyPreview = preview; }
  int ClientWidth() const override;
  int ClientHeight() const override;
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int v) { FPixelsPerInch = v; }
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int v) { FTextHeight = v; }

  // Reads the definition and fires OnCreate; CreateForm calls it.
  void InitializeForm();
  // Fires OnDestroy once; TFormPtr calls it before the delete.
  void BeforeDestruction();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Reads a form's definition into it (controls, properties, handlers);
  // does nothing for a form class without one.
  using TDefinitionLoader = std::function<void(TForm& form)>;
  // Installs the loader CreateForm uses; returns the previous one.
  static TDefinitionLoader SetDefinitionLoader(TDefinitionLoader loader);

protected:
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);

private:
  void ApplyPosition();
  void FocusFirstControl();

  TModalResult FModalResult = mrNone;
  bool FShowingModal = false;
  bool FDestroyFired = false;
  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TPosition FPosition = TPosition::poDefaultPosOnly;
  bool FKeyPreview = false;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  TComponentRef<TWinControl> FActiveControl;
};

// Frees a form made by CreateForm: OnDestroy fires first, while the form's
// own handlers can still run.
struct TFormDeleter {
  void operator()(TForm* form) const;
};
template <class T>
using TFormPtr = std::unique_ptr<T, TFormDeleter>;

template <class T, class... Args>
TFormPtr<T> CreateForm(TComponent* owner, Args&&... args) {
  TFormPtr<T> form(new T(owner, std::forward<Args>(args)...));
  form->InitializeForm();
  return form;
}
