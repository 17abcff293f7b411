#pragma once
// A push button. A click first sets the form's modal result to the button's
// own (when it has one) and then fires OnClick, so the handler can take the
// result back; the modal run then closes the form, subject to its close
// query. Default buttons take Enter, cancel buttons Escape.
#include "forms/TWinControl.h"

class TButton : public TWinControl {
  QUELM_CLASS(TButton, TWinControl)

public:
  explicit TButton(TComponent* owner);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  bool Default() const { return FDefault; }
  void SetDefault(bool isDefault) { FDefault = isDefault; }
  bool Cancel() const { return FCancel; }
  void SetCancel(bool isCancel) { FCancel = isCancel; }

  void Click() override;

private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};
