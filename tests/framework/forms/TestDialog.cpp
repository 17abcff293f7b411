#include "TestDialog.h"

#include "classes/TypInfo.h"
#include "forms/MessageDialogs.h"

#include <type_traits>

QUELM_DEFINE_CLASS(TTestDialog, TForm, b.ComponentFactory(); b.Method("FormCreate", &TTestDialog::FormCreate);
                   b.Method("FormDestroy", &TTestDialog::FormDestroy); b.Method("FormShow", &TTestDialog::FormShow);
                   b.Method("FormCloseQuery", &TTestDialog::FormCloseQuery);
                   b.Method("FieldListClick", &TTestDialog::FieldListClick);
                   b.Method("FieldListEnter", &TTestDialog::FieldListEnter);
                   b.Method("TableNameChange", &TTestDialog::TableNameChange);
                   b.Method("TableNameClick", &TTestDialog::TableNameClick);
                   b.Method("QuoteFieldsClick", &TTestDialog::QuoteFieldsClick);
                   b.Method("StatementTypeClick", &TTestDialog::StatementTypeClick);
                   b.Method("GenerateButtonClick", &TTestDialog::GenerateButtonClick);
                   b.Method("OkButtonClick", &TTestDialog::OkButtonClick);
                   b.Method("SQLMemoKeyPress", &TTestDialog::SQLMemoKeyPress);
                   b.Method("SQLMemoExit", &TTestDialog::SQLMemoExit);
                   b.Method("SelectAllClick", &TTestDialog::SelectAllClick);
                   b.Method("ClearAllClick", &TTestDialog::ClearAllClick))

namespace {
template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
  auto* c = new T(owner);
  c->SetName(name);
  if constexpr (std::is_base_of_v<TControl, T>) c->SetParent(parent);
  return c;
}
} // namespace

void TTestDialog::Bind(TComponent& component, const char* event, const char* method) {
  SetMethodProp(component, event, TMethod{ClassType().FindMethod(method), this, method});
}

TTestDialog::TTestDialog(TComponent* owner) : TForm(owner) {
  SetName("TestDialog");
  SetCaption("Test Dialog");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(473);
  SetClientHeight(298);
  PageControl = Make<TPageControl>(this, this, "PageControl");
  PageControl->SetBounds(8, 8, 459, 253);
  OptionsPage = Make<TTabSheet>(this, PageControl, "OptionsPage");
  OptionsPage->SetCaption("Options");
  TextPage = Make<TTabSheet>(this, PageControl, "TextPage");
  TextPage->SetCaption("SQL");
  FieldList = Make<TListBox>(this, OptionsPage, "FieldList");
  FieldList->SetMultiSelect(true);
  for (const char* item : {"id", "name", "city"}) FieldList->Items()->Add(item);
  TableName = Make<TComboBox>(this, OptionsPage, "TableName");
  TableName->Items()->AddObject("customer", MarkerObject());
  TableName->Items()->Add("orders");
  QuoteFields = Make<TCheckBox>(this, OptionsPage, "QuoteFields");
  QuoteFields->SetCaption("&Quote Field Names");
  StatementType = Make<TRadioGroup>(this, TextPage, "StatementType");
  for (const char* item : {"&Modify", "&Insert", "&Delete"}) StatementType->Items()->Add(item);
  StatementType->SetItemIndex(0);
  GenerateButton = Make<TButton>(this, OptionsPage, "GenerateButton");
  GenerateButton->SetCaption("&Generate SQL");
  SQLMemo = Make<TMemo>(this, TextPage, "SQLMemo");
  SQLMemo->SetScrollBars(TScrollStyle::ssVertical);
  FieldListPopup = Make<TPopupMenu>(this, nullptr, "FieldListPopup");
  miSelectAll = Make<TMenuItem>(this, nullptr, "miSelectAll");
  miSelectAll->SetCaption("&Select All");
  miSelectAll->SetParentComponent(FieldListPopup);
  miClearAll = Make<TMenuItem>(this, nullptr, "miClearAll");
  miClearAll->SetCaption("&Clear All");
  miClearAll->SetParentComponent(FieldListPopup);
  FieldList->SetPopupMenu(FieldListPopup);
  OkButton = Make<TButton>(this, this, "OkButton");
  OkButton->SetCaption("&OK");
  OkButton->SetDefault(true);
  OkButton->SetModalResult(mrOk);
  CancelButton = Make<TButton>(this, this, "CancelButton");
  CancelButton->SetCaption("Cancel");
  CancelButton->SetCancel(true);
  CancelButton->SetModalResult(mrCancel);
  SetActiveControl(CancelButton);

  Bind(*this, "OnCreate", "FormCreate");
  Bind(*this, "OnDestroy", "FormDestroy");
  Bind(*this, "OnShow", "FormShow");
  Bind(*this, "OnCloseQuery", "FormCloseQuery");
  Bind(*FieldList, "OnClick", "FieldListClick");
  Bind(*FieldList, "OnEnter", "FieldListEnter");
  Bind(*TableName, "OnChange", "TableNameChange");
  Bind(*TableName, "OnClick", "TableNameClick");
  Bind(*QuoteFields, "OnClick", "QuoteFieldsClick");
  Bind(*StatementType, "OnClick", "StatementTypeClick");
  Bind(*GenerateButton, "OnClick", "GenerateButtonClick");
  Bind(*OkButton, "OnClick", "OkButtonClick");
  Bind(*SQLMemo, "OnKeyPress", "SQLMemoKeyPress");
  Bind(*SQLMemo, "OnExit", "SQLMemoExit");
  Bind(*miSelectAll, "OnClick", "SelectAllClick");
  Bind(*miClearAll, "OnClick", "ClearAllClick");
}

std::string TTestDialog::LogText() const {
  std::string text;
  for (const std::string& entry : Log) {
    if (!text.empty()) text += ' ';
    text += entry;
  }
  return text;
}

void TTestDialog::FormCreate(TObject*) { Log.push_back("create"); }
void TTestDialog::FormDestroy(TObject*) { Log.push_back("destroy"); }
void TTestDialog::FormShow(TObject*) { Log.push_back(Visible() ? "show(visible)" : "show(hidden)"); }

void TTestDialog::FormCloseQuery(TObject*, bool& canClose) {
  Log.push_back("closequery");
  if (ModalResult() == mrOk && SettingsChanged)
    canClose = MessageDlg("Settings changed, exit anyway?", TMsgDlgType::mtConfirmation,
                          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0) == mrYes;
}

void TTestDialog::FieldListClick(TObject*) {
  SettingsChanged = true;
  Log.push_back("listclick(" + std::to_string(FieldList->SelCount()) + ")");
}
void TTestDialog::FieldListEnter(TObject*) { Log.push_back("listenter"); }
void TTestDialog::TableNameChange(TObject*) { Log.push_back("change(" + TableName->Text() + ")"); }
void TTestDialog::TableNameClick(TObject*) { Log.push_back("click(" + TableName->Text() + ")"); }
void TTestDialog::QuoteFieldsClick(TObject*) { Log.push_back(QuoteFields->Checked() ? "quote(on)" : "quote(off)"); }
void TTestDialog::StatementTypeClick(TObject*) {
  Log.push_back("type(" + std::to_string(StatementType->ItemIndex()) + ")");
}

void TTestDialog::GenerateButtonClick(TObject*) {
  if (FieldList->SelCount() == 0) throw Exception("Must select at least one field");
  SettingsChanged = false;
  Log.push_back("generate");
}

void TTestDialog::OkButtonClick(TObject*) {
  Log.push_back("ok");
  if (KeepOpenOnOk) SetModalResult(mrNone);
}

void TTestDialog::SQLMemoKeyPress(TObject*, char& key) {
  if (key == KeyChar::Escape) {
    Log.push_back("escape");
    SetModalResult(mrCancel);
  }
}

void TTestDialog::SQLMemoExit(TObject*) { Log.push_back("memoexit"); }

void TTestDialog::SelectAllClick(TObject*) {
  auto* box = dynamic_cast<TListBox*>(FieldListPopup->PopupComponent());
  Log.push_back("selectall(" + (box ? box->Name() : std::string("none")) + ")");
  if (box) box->SelectAll();
}

void TTestDialog::ClearAllClick(TObject*) {
  auto* box = dynamic_cast<TListBox*>(FieldListPopup->PopupComponent());
  if (box) box->ClearSelection();
}
