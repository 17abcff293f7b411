#include "queryedit/TSQLEditForm.h"

#include "forms/FormControl.h"

#include "forms/TApplication.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TGraphics.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPanel.h"
#include "forms/TSplitter.h"
#include "forms/TScreen.h"
#include "rtl/Format.h"

#include <algorithm>

namespace {
constexpr int SQLEditorHelpContext = 27271;
constexpr int MinFormWidth = 300;
constexpr int MinFormHeight = 200;
constexpr const char* SelectKeyword = "SELECT";

// The caret marker: a red triangle pointing up with a black outline, 10 by 6
// pixels, on a background (the bottom-left pixel's colour) drawn see-through.
void PaintMarker(TBitmap& bitmap) {
  constexpr int width = 10, height = 6;
  bitmap.SetSize(width, height, clFuchsia);
  for (int y = 0; y < height - 1; ++y) {
    // Row y spans the columns of the triangle's width at that height.
    int half = y;
    int left = 4 - half, right = 5 + half;
    for (int x = left; x <= right; ++x) {
      bool edge = x == left || x == right || y == height - 2;
      bitmap.SetPixel(x, y, edge ? clBlack : clRed);
    }
  }
  bitmap.SetTransparent(true);
}
} // namespace

QUELM_DEFINE_CLASS(TSQLEditForm, TForm,
                   b.Method("FormShow", &TSQLEditForm::FormShow);
                   b.Method("HelpButtonClick", &TSQLEditForm::HelpButtonClick);
                   b.Method("TableFieldsSplitterCanResize", &TSQLEditForm::TableFieldsSplitterCanResize);
                   b.Method("MetaInfoSQLSplitterCanResize", &TSQLEditForm::MetaInfoSQLSplitterCanResize);
                   b.Method("MetaInfoSQLSplitterMoved", &TSQLEditForm::MetaInfoSQLSplitterMoved);
                   b.Method("TableListClick", &TSQLEditForm::TableListClick);
                   b.Method("AddTableButtonClick", &TSQLEditForm::AddTableButtonClick);
                   b.Method("AddFieldButtonClick", &TSQLEditForm::AddFieldButtonClick);
                   b.Method("SQLMemoExit", &TSQLEditForm::SQLMemoExit);
                   b.Method("FormDestroy", &TSQLEditForm::FormDestroy);
                   b.Method("SQLMemoEnter", &TSQLEditForm::SQLMemoEnter);
                   b.Method("chbSystemObjectsClick", &TSQLEditForm::chbSystemObjectsClick);
                   b.Method("FormCreate", &TSQLEditForm::FormCreate);
                   b.Method("CheckButtonClick", &TSQLEditForm::CheckButtonClick))

TSQLEditForm::TSQLEditForm(TComponent* owner) : TForm(owner) {}

TSQLEditForm::~TSQLEditForm() = default;

std::string TrimTrailingBlanks(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

void TSQLEditForm::BindControls() {
  OkButton = FindFormControl<TButton>(*this, "OkButton");
  HelpButton = FindFormControl<TButton>(*this, "HelpButton");
  CancelButton = FindFormControl<TButton>(*this, "CancelButton");
  AddFieldButton = FindFormControl<TButton>(*this, "AddFieldButton");
  AddTableButton = FindFormControl<TButton>(*this, "AddTableButton");
  SQLLabel = FindFormControl<TLabel>(*this, "SQLLabel");
  FieldListLabel = FindFormControl<TLabel>(*this, "FieldListLabel");
  TableListLabel = FindFormControl<TLabel>(*this, "TableListLabel");
  TopPanel = FindFormControl<TPanel>(*this, "TopPanel");
  ButtonPanel = FindFormControl<TPanel>(*this, "ButtonPanel");
  FieldsPanel = FindFormControl<TPanel>(*this, "FieldsPanel");
  MetaInfoPanel = FindFormControl<TPanel>(*this, "MetaInfoPanel");
  TableListPanel = FindFormControl<TPanel>(*this, "TableListPanel");
  TableFieldsSplitter = FindFormControl<TSplitter>(*this, "TableFieldsSplitter");
  MetaInfoSQLSplitter = FindFormControl<TSplitter>(*this, "MetaInfoSQLSplitter");
  Image1 = FindFormControl<TImage>(*this, "Image1");
  TableList = FindFormControl<TListBox>(*this, "TableList");
  FieldList = FindFormControl<TListBox>(*this, "FieldList");
  chbSystemObjects = FindFormControl<TCheckBox>(*this, "chbSystemObjects");
  SQLMemoPanel = FindFormControl<TPanel>(*this, "SQLMemoPanel");
}

void TSQLEditForm::FormCreate(TObject*) {
  BindControls();
  BindServerControls();
  // Form definitions carry neither size constraints nor picture data, so the
  // minimum size and the marker picture are set here.
  Constraints()->SetMinWidth(MinFormWidth);
  Constraints()->SetMinHeight(MinFormHeight);
  PaintMarker(Image1->Picture()->Bitmap());
}

void TSQLEditForm::FormDestroy(TObject*) { FMemoCanvas.reset(); }

void TSQLEditForm::CreateSimpleMemo(const std::string& sql) {
  FMemo = new TMemo(this);
  FMemo->SetName("mmSQL");
  FMemo->SetParent(this);
  FMemo->SetAlign(TAlign::alClient);
  FMemo->SetScrollBars(TScrollStyle::ssVertical);
  FMemo->SetText(sql);
  FMemo->OnEnter = TNotifyEvent([this](TObject* sender) { SQLMemoEnter(sender); });
  FMemo->OnExit = TNotifyEvent([this](TObject* sender) { SQLMemoExit(sender); });
  FMemo->OnKeyPress = TKeyPressEvent([this](TObject* sender, char& key) { MemoKeyPress(sender, key); });
  FSQLLines = FMemo->Lines();
}

void TSQLEditForm::SetCallbacks(TGetTableNamesProc getTableNames, TGetFieldNamesProc getFieldNames,
                                std::string startTableName) {
  FGetTableNames = std::move(getTableNames);
  FGetFieldNames = std::move(getFieldNames);
  FStartTableName = std::move(startTableName);
}

void TSQLEditForm::FormShow(TObject*) {
  TableList->SetSorted(true);
  SetHelpContext(SQLEditorHelpContext);
  FMemoCanvas = std::make_unique<TControlCanvas>();
  FMemoCanvas->SetControl(FMemo);
  FTextHeight = FMemoCanvas->TextHeight("0");
  PopulateTableList();
}

bool TSQLEditForm::SystemTables() const { return chbSystemObjects->Checked(); }

void TSQLEditForm::PopulateTableList() {
  if (!FGetTableNames) return;
  TStrings& tables = *TableList->Items();
  FGetTableNames(tables, SystemTables());
  if (!FStartTableName.empty()) {
    // Exact case: a server may hold both "ORDERS" and "orders".
    for (int i = 0; i < tables.Count(); ++i) {
      if (tables.Get(i) == FStartTableName) {
        TableList->SetItemIndex(i);
        TableListClick(this);
        break;
      }
    }
  }
  if (tables.Count() > 0 && TableList->ItemIndex() < 0) {
    TableList->SetItemIndex(0);
    PopulateFieldList();
  }
}

void TSQLEditForm::PopulateFieldList() {
  if (!FGetFieldNames) return;
  int table = TableList->ItemIndex();
  std::string tableName = table >= 0 ? TableList->Items()->Get(table) : std::string();
  TStrings& fields = *FieldList->Items();
  FGetFieldNames(tableName, fields, SystemTables());
  fields.Insert(0, "*");
}

void TSQLEditForm::TableListClick(TObject*) { PopulateFieldList(); }

void TSQLEditForm::chbSystemObjectsClick(TObject*) { PopulateTableList(); }

int TSQLEditForm::GetSelStart() const { return FMemo->SelStart(); }

void TSQLEditForm::SetSelStart(int position) { FMemo->SetSelStart(position); }

void TSQLEditForm::InsertText(const std::string& text, bool isField) {
  std::string whole = FMemo->Text();
  int caret = GetSelStart();
  auto position = static_cast<size_t>(caret);
  if (position > whole.size()) position = whole.size();
  std::string inserted = text;
  if (!whole.empty() && position > 0) {
    char before = whole[position - 1];
    bool startsWithBlank = !text.empty() && text.front() == ' ';
    if (before != ' ' && before != '(' && !startsWithBlank) inserted = (isField && before != ',' ? ", " : " ") + text;
  }
  whole.insert(position, inserted);
  FMemo->SetText(TrimTrailingBlanks(std::move(whole)));
  SetSelStart(static_cast<int>(position + inserted.size()));
  FMemo->Invalidate();
  DrawCaretPosIndicator();
}

void TSQLEditForm::DrawCaretPosIndicator() {
  if (!FMemoCanvas || !Image1->Picture()->Graphic()) return;
  TCaretPos caret = FMemo->CaretPos();
  std::string line = caret.Y < FSQLLines->Count() ? FSQLLines->Get(caret.Y) : std::string();
  int y = (caret.Y + 1) * FTextHeight;
  int x = FMemoCanvas->TextWidth(line.substr(0, static_cast<size_t>(caret.X))) - 3;
  FMemoCanvas->Draw(x, y, *Image1->Picture()->Graphic());
}

void TSQLEditForm::AddTableButtonClick(TObject*) {
  int table = TableList->ItemIndex();
  if (table < 0) return;
  std::string name = TableList->Items()->Get(table);
  if (FMemo->Text().empty()) InsertText(std::string(SelectKeyword) + " * FROM " + name, false);
  else InsertText(name, false);
}

void TSQLEditForm::AddFieldButtonClick(TObject*) {
  if (FieldList->ItemIndex() < 0) return;
  if (FMemo->Text().empty()) {
    FMemo->SetText(SelectKeyword);
    SetSelStart(static_cast<int>(std::string(SelectKeyword).size()));
  }
  TStrings& fields = *FieldList->Items();
  for (int i = 0; i < fields.Count(); ++i) {
    if (!FieldList->Selected(i)) continue;
    std::string name = fields.Get(i);
    InsertText(name, FMemo->Text() != SelectKeyword && name != "*");
  }
}

void TSQLEditForm::SQLMemoExit(TObject*) { DrawCaretPosIndicator(); }

void TSQLEditForm::SQLMemoEnter(TObject*) { FMemo->Invalidate(); }

void TSQLEditForm::MemoKeyPress(TObject*, char& key) {
  if (key == KeyChar::CtrlA) {
    FMemo->SelectAll();
    key = 0;
  } else if (key == KeyChar::LineFeed && WidgetSet().KeyboardState().Contains(TShiftStateFlag::ssCtrl)) {
    key = 0;
    OkButton->Click();
  }
}

void TSQLEditForm::TableFieldsSplitterCanResize(TObject*, int& newSize, bool& accept) {
  accept = newSize > 44 && newSize < MetaInfoPanel->Height() - 65;
}

void TSQLEditForm::MetaInfoSQLSplitterCanResize(TObject*, int& newSize, bool& accept) {
  accept = newSize > 100 && newSize < ClientWidth() - 100;
}

void TSQLEditForm::MetaInfoSQLSplitterMoved(TObject*) {
  SQLLabel->SetLeft(SQLMemoPanel->Left());
  PlaceCheckResult();
}

void TSQLEditForm::BindServerControls() {
  CheckButton = FindFormControl<TButton>(*this, "CheckButton");
  CheckResultLabel = FindFormControl<TLabel>(*this, "CheckResultLabel");
}

// The answer stays right of the SQL label, wherever the splitter put it.
void TSQLEditForm::PlaceCheckResult() {
  const int left = SQLLabel->Left() + SQLLabel->Width() + 12;
  CheckResultLabel->SetLeft(left);
  CheckResultLabel->SetWidth(std::max(0, TopPanel->Width() - left - 4));
}

void TSQLEditForm::SetCheckSQL(TCheckSQLProc checkSQL) {
  FCheckSQL = std::move(checkSQL);
  CheckButton->SetEnabled(static_cast<bool>(FCheckSQL));
}

void TSQLEditForm::CheckButtonClick(TObject*) {
  if (!FCheckSQL) return;
  Screen().SetCursor(crHourGlass);
  struct TRestoreCursor {
    ~TRestoreCursor() { Screen().SetCursor(crDefault); }
  } restore;
  // The tag counts the statements the server refused; -1: no answer at all.
  std::string answer;
  int tag = -1;
  const std::string text = FMemo->Text();
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    answer = "empty";
    tag = 0;
  } else {
    try {
      TSQLCheck check = FCheckSQL(text);
      answer = check.Ok ? std::string("ok")
                        : Format("error %d: %s", {static_cast<int>(check.ErrorCode), check.Message});
      tag = check.Ok ? 0 : 1;
    } catch (const Exception& e) {
      answer = e.Message();
    }
  }
  CheckResultLabel->SetCaption("Server check: " + answer);
  CheckResultLabel->SetHint(CheckResultLabel->Caption());
  CheckResultLabel->SetShowHint(true);
  CheckResultLabel->SetTag(tag);
}

void TSQLEditForm::HelpButtonClick(TObject*) { Application().HelpContext(HelpContext()); }
