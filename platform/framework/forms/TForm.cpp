#include "forms/TForm.h"

#include "forms/TApplication.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TLabel.h"
#include "forms/TModalDriver.h"
#include "forms/TScreen.h"
#include "rtl/ScopeGuard.h"

#include <cctype>

namespace {
TForm::TDefinitionLoader& DefinitionLoader() {
  static TForm::TDefinitionLoader loader;
  return loader;
}

// The frame a border style draws around the client area: side width and
// caption height.
struct TFrame {
  int Side;
  int Caption;
};
TFrame FrameOf(TFormBorderStyle style) {
  switch (style) {
  case TFormBorderStyle::bsNone: return {0, 0};
  case TFormBorderStyle::bsSingle:
  case TFormBorderStyle::bsDialog: return {3, 19};
  case TFormBorderStyle::bsSizeable: return {4, 19};
  case TFormBorderStyle::bsToolWindow: return {3, 15};
  case TFormBorderStyle::bsSizeToolWin: return {4, 15};
  }
  return {0, 0};
}
} // namespace

QUELM_DEFINE_CLASS(
    TForm, TWinControl, b.ComponentFactory();
    b.Property("ActiveControl", TWinControl::StaticClass().TypeInfo(), &TForm::ActiveControl,
               &TForm::SetActiveControl);
    b.Property("BorderStyle", TypeInfoFormBorderStyle(), &TForm::BorderStyle, &TForm::SetBorderStyle).Default(2);
    b.Property("Caption", TypeInfoCaption(), &TForm::Caption, &TForm::SetCaption);
    b.Property("ClientHeight", TypeInfoInteger(), &TForm::ClientHeight, &TForm::SetClientHeight);
    b.Property("ClientWidth", TypeInfoInteger(), &TForm::ClientWidth, &TForm::SetClientWidth);
    b.Property("KeyPreview", TypeInfoBoolean(), &TForm::KeyPreview, &TForm::SetKeyPreview).Default(0);
    b.Property("PixelsPerInch", TypeInfoInteger(), &TForm::PixelsPerInch, &TForm::SetPixelsPerInch);
    b.Property("Position", TypeInfoPosition(), &TForm::Position, &TForm::SetPosition).Default(2);
    b.Property("TextHeight", TypeInfoInteger(), &TForm::TextHeight, &TForm::SetTextHeight);
    b.Property("Visible", TypeInfoBoolean(), &TForm::Visible, &TForm::SetVisible).Default(0);
    b.Event("OnClick", TypeInfoNotifyEvent(), &TForm::OnClick);
    b.Event("OnClose", TypeInfoCloseEvent(), &TForm::OnClose);
    b.Event("OnCloseQuery", TypeInfoCloseQueryEvent(), &TForm::OnCloseQuery);
    b.Event("OnCreate", TypeInfoNotifyEvent(), &TForm::OnCreate);
    b.Event("OnDestroy", TypeInfoNotifyEvent(), &TForm::OnDestroy);
    b.Event("OnHide", TypeInfoNotifyEvent(), &TForm::OnHide);
    b.Event("OnShow", TypeInfoNotifyEvent(), &TForm::OnShow))

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  SetBounds(0, 0, 320 + 2 * FrameOf(FBorderStyle).Side, 240 + 2 * FrameOf(FBorderStyle).Side + 19);
  Screen().AddForm(this);
}

TForm::~TForm() { Screen().RemoveForm(this); }

TForm::TDefinitionLoader TForm::SetDefinitionLoader(TDefinitionLoader loader) {
  TDefinitionLoader previous = std::move(DefinitionLoader());
  DefinitionLoader() = std::move(loader);
  return previous;
}

void TForm::InitializeForm() {
  if (DefinitionLoader()) DefinitionLoader()(*this);
  OnCreate(this);
}

void TForm::BeforeDestruction() {
  if (FDestroyFired) return;
  FDestroyFired = true;
  OnDestroy(this);
}

void TFormDeleter::operator()(TForm* form) const {
  if (!form) return;
  // A failing OnDestroy must not keep the form alive nor escape a delete
  // that may run during unwinding: it is reported like any handler failure.
  try {
    form->BeforeDestruction();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
  delete form;
}

int TForm::ClientWidth() const { return std::max(0, Width() - 2 * FrameOf(FBorderStyle).Side); }

int TForm::ClientHeight() const {
  TFrame frame = FrameOf(FBorderStyle);
  return std::max(0, Height() - 2 * frame.Side - frame.Caption);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == FBorderStyle) return;
  int clientWidth = ClientWidth(), clientHeight = ClientHeight();
  FBorderStyle = style;
  TFrame frame = FrameOf(style);
  SetBounds(Left(), Top(), clientWidth + 2 * frame.Side, clientHeight + 2 * frame.Side + frame.Caption);
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control && !IsLoading() && !ContainsControl(control))
    throw EInvalidOperation("The active control must sit on the form");
  if (FShowingModal && Visible() && control) {
    FocusControl(control);
    return;
  }
  FActiveControl = control;
  Changed(TControlChange::Focus);
}

void TForm::FocusControl(TWinControl* control) {
  if (control == FActiveControl.Get()) return;
  TComponentRef<TWinControl> previous(FActiveControl.Get());
  FActiveControl = control;
  Changed(TControlChange::Focus);
  if (!FShowingModal || !Visible()) return;
  if (previous) previous->DoExit();
  if (control && FActiveControl.Get() == control) control->DoEnter();
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool forward) const {
  std::vector<TWinControl*> list = TabOrderList();
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[static_cast<size_t>(i)] == current) start = i;
  for (int step = 1; step <= n; ++step) {
    int i = start < 0 ? (forward ? step - 1 : n - step) : ((start + (forward ? step : -step)) % n + n) % n;
    TWinControl* candidate = list[static_cast<size_t>(i)];
    if (candidate->TabStop() && candidate->CanFocus()) return candidate;
  }
  return nullptr;
}

void TForm::SelectNext(TWinControl* current, bool forward) {
  if (TWinControl* next = FindNextControl(current, forward)) FocusControl(next);
}

TButton* TForm::DefaultButton() const {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(Components(i)))
      if (button->Default() && button->IsShowing() && button->IsEffectivelyEnabled()) return button;
  return nullptr;
}

TButton* TForm::CancelButton() const {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(Components(i)))
      if (button->Cancel() && button->IsShowing() && button->IsEffectivelyEnabled()) return button;
  return nullptr;
}

bool TForm::DialogKey(char key) {
  TButton* button = nullptr;
  if (key == KeyChar::Enter) {
    button = dynamic_cast<TButton*>(ActiveControl());
    if (!button) button = DefaultButton();
  } else if (key == KeyChar::Escape) {
    button = CancelButton();
  }
  if (!button) return false;
  button->Click();
  return true;
}

bool TForm::CloseIfResultSet() {
  if (FModalResult == mrNone) return false;
  try {
    return CloseModal();
  } catch (const EModalDriverError&) {
    throw;
  } catch (const std::exception& e) {
    FModalResult = mrNone;
    Application().HandleException(e);
    return false;
  }
}

bool TForm::UserAction(const std::function<void()>& action) {
  TModalResult before = FModalResult;
  try {
    action();
  } catch (const EModalDriverError&) {
    throw;
  } catch (const std::exception& e) {
    FModalResult = before;
    Application().HandleException(e);
  }
  return CloseIfResultSet();
}

char TForm::DispatchKey(TWinControl& control, char key) {
  TShiftState shift = WidgetSet().KeyboardState();
  // Alt with a key is an accelerator for the form, never a typed character.
  if (shift.Contains(TShiftStateFlag::ssAlt)) {
    AcceleratorKey(key);
    return 0;
  }
  key = control.KeyPress(key);
  if (key == 0) return 0;
  bool dialogKey = key == KeyChar::Enter || key == KeyChar::Escape || key == KeyChar::Tab;
  if (!dialogKey || control.WantsDialogKey(key)) return key;
  if (key == KeyChar::Tab) SelectNext(&control, !shift.Contains(TShiftStateFlag::ssShift));
  else DialogKey(key);
  return 0;
}

bool TForm::AcceleratorKey(char key) {
  char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(Components(i));
    if (!control || !control->IsShowing() || !control->IsEffectivelyEnabled()) continue;
    if (AcceleratorChar(control->Caption()) != wanted) continue;
    if (auto* label = dynamic_cast<TLabel*>(control)) {
      if (TWinControl* target = label->FocusControl(); target && target->CanFocus()) {
        FocusControl(target);
        return true;
      }
    } else if (auto* button = dynamic_cast<TButton*>(control)) {
      FocusControl(button);
      button->Click();
      return true;
    } else if (auto* box = dynamic_cast<TCheckBox*>(control)) {
      FocusControl(box);
      box->Toggle();
      return true;
    }
  }
  return false;
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    TControl::SetVisible(true);
    DoShow();
  } else {
    DoHide();
    TControl::SetVisible(false);
  }
}

void TForm::DoShow() { OnShow(this); }
void TForm::DoHide() { OnHide(this); }
void TForm::DoClose(TCloseAction& action) { OnClose(this, action); }

bool TForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

bool TForm::CloseModal() {
  if (FModalResult == mrNone) return false;
  TCloseAction action = TCloseAction::caNone;
  if (CloseQuery()) {
    action = TCloseAction::caHide;
    DoClose(action);
  }
  if (action == TCloseAction::caNone) FModalResult = mrNone;
  return FModalResult != mrNone;
}

void TForm::Close() {
  if (FShowingModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action != TCloseAction::caNone) SetVisible(false);
}

void TForm::ApplyPosition() {
  switch (FPosition) {
  case TPosition::poScreenCenter:
  case TPosition::poDesktopCenter:
  case TPosition::poMainFormCenter:
  case TPosition::poOwnerFormCenter:
    SetBounds((Screen().Width() - Width()) / 2, (Screen().Height() - Height()) / 2, Width(), Height());
    break;
  default: break;
  }
}

void TForm::FocusFirstControl() {
  TWinControl* target = ActiveControl();
  if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true);
  FActiveControl = nullptr;
  if (target) FocusControl(target);
}

TModalResult TForm::ShowModal() {
  if (Visible() || FShowingModal) throw EInvalidOperation("Cannot make a visible window modal");
  FModalResult = mrNone;
  FShowingModal = true;
  TScopeGuard endModal([this] {
    FShowingModal = false;
    TControl::SetVisible(false);
  });
  ApplyPosition();
  SetVisible(true);
  FocusFirstControl();
  WidgetSet().RunModal(*this);
  DoHide();
  return FModalResult;
}
