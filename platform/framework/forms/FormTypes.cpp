#include "forms/FormTypes.h"

#include <string>

namespace {
TTypeInfo IntegerType(const char* name) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkInteger;
  info.Name = name;
  return info;
}
} // namespace

TModalResult ButtonResult(TMsgDlgBtn button) {
  switch (button) {
  case TMsgDlgBtn::mbYes: return mrYes;
  case TMsgDlgBtn::mbNo: return mrNo;
  case TMsgDlgBtn::mbOK: return mrOk;
  case TMsgDlgBtn::mbCancel: return mrCancel;
  case TMsgDlgBtn::mbAbort: return mrAbort;
  case TMsgDlgBtn::mbRetry: return mrRetry;
  case TMsgDlgBtn::mbIgnore: return mrIgnore;
  case TMsgDlgBtn::mbAll: return mrAll;
  case TMsgDlgBtn::mbNoToAll: return mrNoToAll;
  case TMsgDlgBtn::mbYesToAll: return mrYesToAll;
  case TMsgDlgBtn::mbHelp: return mrNone;
  }
  return mrNone;
}

TMsgDlgBtn ResultButton(TModalResult result) {
  for (int b = 0; b <= static_cast<int>(TMsgDlgBtn::mbYesToAll); ++b)
    if (ButtonResult(static_cast<TMsgDlgBtn>(b)) == result) return static_cast<TMsgDlgBtn>(b);
  return TMsgDlgBtn::mbHelp;
}

const char* ButtonName(TMsgDlgBtn button) {
  switch (button) {
  case TMsgDlgBtn::mbYes: return "Yes";
  case TMsgDlgBtn::mbNo: return "No";
  case TMsgDlgBtn::mbOK: return "OK";
  case TMsgDlgBtn::mbCancel: return "Cancel";
  case TMsgDlgBtn::mbAbort: return "Abort";
  case TMsgDlgBtn::mbRetry: return "Retry";
  case TMsgDlgBtn::mbIgnore: return "Ignore";
  case TMsgDlgBtn::mbAll: return "All";
  case TMsgDlgBtn::mbNoToAll: return "No to All";
  case TMsgDlgBtn::mbYesToAll: return "Yes to All";
  case TMsgDlgBtn::mbHelp: return "Help";
  }
  return "";
}

const char* DlgTypeName(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning: return "Warning";
  case TMsgDlgType::mtError: return "Error";
  case TMsgDlgType::mtInformation: return "Information";
  case TMsgDlgType::mtConfirmation: return "Confirmation";
  case TMsgDlgType::mtCustom: return "Custom";
  }
  return "";
}

std::string ModalResultName(TModalResult result) {
  TMsgDlgBtn button = ResultButton(result);
  if (button == TMsgDlgBtn::mbHelp) return std::to_string(result);
  return ButtonName(button);
}

const TTypeInfo& TypeInfoCaption() {
  static const TTypeInfo info = MakeStringType("TCaption");
  return info;
}
const TTypeInfo& TypeInfoHelpContext() {
  static const TTypeInfo info = IntegerType("THelpContext");
  return info;
}
const TTypeInfo& TypeInfoModalResult() {
  static const TTypeInfo info = IntegerType("TModalResult");
  return info;
}
const TTypeInfo& TypeInfoCursor() {
  static const TTypeInfo info = IntegerType("TCursor");
  return info;
}
const TTypeInfo& TypeInfoTabOrder() {
  static const TTypeInfo info = IntegerType("TTabOrder");
  return info;
}
const TTypeInfo& TypeInfoAlign() {
  static const TTypeInfo info =
      MakeEnumType("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
  return info;
}
const TTypeInfo& TypeInfoAnchors() {
  static const TTypeInfo kinds = MakeEnumType("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
  static const TTypeInfo info = MakeSetType("TAnchors", kinds);
  return info;
}
const TTypeInfo& TypeInfoFormBorderStyle() {
  static const TTypeInfo info = MakeEnumType(
      "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return info;
}
const TTypeInfo& TypeInfoPosition() {
  static const TTypeInfo info =
      MakeEnumType("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                 "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return info;
}
const TTypeInfo& TypeInfoScrollStyle() {
  static const TTypeInfo info = MakeEnumType("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  return info;
}
const TTypeInfo& TypeInfoComboBoxStyle() {
  static const TTypeInfo info = MakeEnumType(
      "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
  return info;
}
const TTypeInfo& TypeInfoBevelCut() {
  static const TTypeInfo info = MakeEnumType("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return info;
}
const TTypeInfo& TypeInfoBevelShape() {
  static const TTypeInfo info = MakeEnumType(
      "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
  return info;
}
const TTypeInfo& TypeInfoBevelStyle() {
  static const TTypeInfo info = MakeEnumType("TBevelStyle", {"bsLowered", "bsRaised"});
  return info;
}
const TTypeInfo& TypeInfoResizeStyle() {
  static const TTypeInfo info = MakeEnumType("TResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"});
  return info;
}
const TTypeInfo& TypeInfoKeyPressEvent() {
  static const TTypeInfo info = MakeMethodType("TKeyPressEvent", "(Sender: TObject; var Key: Char)");
  return info;
}
const TTypeInfo& TypeInfoCloseQueryEvent() {
  static const TTypeInfo info = MakeMethodType("TCloseQueryEvent", "(Sender: TObject; var CanClose: Boolean)");
  return info;
}
const TTypeInfo& TypeInfoCloseEvent() {
  static const TTypeInfo info = MakeMethodType("TCloseEvent", "(Sender: TObject; var Action: TCloseAction)");
  return info;
}
const TTypeInfo& TypeInfoCanResizeEvent() {
  static const TTypeInfo info =
      MakeMethodType("TCanResizeEvent", "(Sender: TObject; var NewSize: Integer; var Accept: Boolean)");
  return info;
}
const TTypeInfo& TypeInfoTabChangingEvent() {
  static const TTypeInfo info = MakeMethodType("TTabChangingEvent", "(Sender: TObject; var AllowChange: Boolean)");
  return info;
}

bool TMessageBoxInfo::Offers(TModalResult result) const {
  TMsgDlgBtn button = ResultButton(result);
  return button != TMsgDlgBtn::mbHelp && Buttons.Contains(button);
}

std::string TMessageBoxInfo::ButtonList() const {
  std::string list;
  for (int b = 0; b <= static_cast<int>(TMsgDlgBtn::mbHelp); ++b) {
    if (!Buttons.Contains(static_cast<TMsgDlgBtn>(b))) continue;
    if (!list.empty()) list += ", ";
    list += ButtonName(static_cast<TMsgDlgBtn>(b));
  }
  return list;
}
