#include "forms/MessageDialogs.h"

#include "forms/TApplication.h"
#include "forms/TWidgetSet.h"

TModalResult MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  TMessageBoxInfo box;
  box.Text = message;
  switch (type) {
  case TMsgDlgType::mtWarning: box.Caption = "Warning"; break;
  case TMsgDlgType::mtError: box.Caption = "Error"; break;
  case TMsgDlgType::mtInformation: box.Caption = "Information"; break;
  case TMsgDlgType::mtConfirmation: box.Caption = "Confirm"; break;
  case TMsgDlgType::mtCustom: box.Caption = Application().Title(); break;
  }
  box.Icon = type;
  box.Buttons = buttons;
  box.HelpContext = helpContext;
  return WidgetSet().MessageBox(box);
}

void ShowMessage(const std::string& message) {
  TMessageBoxInfo box;
  box.Text = message;
  box.Caption = Application().Title();
  box.Icon = TMsgDlgType::mtCustom;
  box.Buttons = {TMsgDlgBtn::mbOK};
  WidgetSet().MessageBox(box);
}
