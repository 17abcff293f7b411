#include "editors/TQuelmFileNameProperty.h"

#include "forms/TApplication.h"
#include "forms/TOpenDialog.h"

#include <memory>

QUELM_DEFINE_CLASS(TQuelmFileNameProperty, TStringProperty)

TPropertyAttributes TQuelmFileNameProperty::GetAttributes() { return {TPropertyAttribute::paDialog}; }

void TQuelmFileNameProperty::Edit() {
  std::unique_ptr<TOpenDialog> dialog(new TOpenDialog(&Application()));
  dialog->SetTitle(GetName());
  dialog->SetFileName(GetValue());
  dialog->SetFilter("All Files (*.*)|*.*");
  dialog->SetHelpContext(0);
  dialog->SetOptions(dialog->Options() + TOpenOptions{TOpenOption::ofShowHelp, TOpenOption::ofPathMustExist,
                                                      TOpenOption::ofFileMustExist});
  if (dialog->Execute()) SetValue(dialog->FileName());
}
