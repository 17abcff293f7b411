#pragma once
// The SQL editor: a modal dialog that edits a query's SQL text beside a list
// of tables and the fields of the selected table. Double-clicking a name, or
// pressing the button under its list, inserts it at the memo's insertion
// point; a marker under the caret shows that point while the memo does not
// have the focus. The dialog knows no database: two callbacks fill its lists.
#include "forms/TControlCanvas.h"
#include "forms/TForm.h"
#include "queryedit/QuelmQueryEdit.h"

#include <memory>
#include <string>

class TButton;
class TCheckBox;
class TImage;
class TLabel;
class TListBox;
class TMemo;
class TPanel;
class TSplitter;
class TStrings;

class TSQLEditForm : public TForm {
  QUELM_CLASS(TSQLEditForm, TForm)

public:
  explicit TSQLEditForm(TComponent* owner);
  ~TSQLEditForm() override;

  // Event handlers, bound by name from the form definition.
  void FormShow(TObject* sender);
  void HelpButtonClick(TObject* sender);
  void TableFieldsSplitterCanResize(TObject* sender, int& newSize, bool& accept);
  void MetaInfoSQLSplitterCanResize(TObject* sender, int& newSize, bool& accept);
  void MetaInfoSQLSplitterMoved(TObject* sender);
  void TableListClick(TObject* sender);
  void AddTableButtonClick(TObject* sender);
  void AddFieldButtonClick(TObject* sender);
  void SQLMemoExit(TObject* sender);
  void FormDestroy(TObject* sender);
  void SQLMemoEnter(TObject* sender);
  void chbSystemObjectsClick(TObject* sender);
  void FormCreate(TObject* sender);
  void CheckButtonClick(TObject* sender);

  // Makes the memo "mmSQL" over the SQL area, holding sql.
  void CreateSimpleMemo(const std::string& sql);
  void SetCallbacks(TGetTableNamesProc getTableNames, TGetFieldNamesProc getFieldNames, std::string startTableName);
  // The server "Check on Server" asks; none disables the button.
  void SetCheckSQL(TCheckSQLProc checkSQL);
  void PopulateTableList();
  void PopulateFieldList();
  // Inserts text at the insertion point, after a separator where the text
  // before the caret needs one: ", " between fields, else a space.
  void InsertText(const std::string& text, bool isField);
  void DrawCaretPosIndicator();
  int GetSelStart() const;
  void SetSelStart(int position);
  void MemoKeyPress(TObject* sender, char& key);

  TMemo* Memo() const { return FMemo; }
  int LineHeight() const { return FTextHeight; }

  // The controls of the form definition, owned by the form.
  TButton* OkButton = nullptr;
  TButton* HelpButton = nullptr;
  TButton* CancelButton = nullptr;
  TButton* AddFieldButton = nullptr;
  TButton* AddTableButton = nullptr;
  TLabel* SQLLabel = nullptr;
  TLabel* FieldListLabel = nullptr;
  TLabel* TableListLabel = nullptr;
  TPanel* TopPanel = nullptr;
  TPanel* ButtonPanel = nullptr;
  TPanel* FieldsPanel = nullptr;
  TPanel* MetaInfoPanel = nullptr;
  TPanel* TableListPanel = nullptr;
  TSplitter* TableFieldsSplitter = nullptr;
  TSplitter* MetaInfoSQLSplitter = nullptr;
  TImage* Image1 = nullptr;
  TListBox* TableList = nullptr;
  TListBox* FieldList = nullptr;
  TCheckBox* chbSystemObjects = nullptr;
  TPanel* SQLMemoPanel = nullptr;
  // The server's check of the text: the button, and its answer beside the SQL label.
  TButton* CheckButton = nullptr;
  TLabel* CheckResultLabel = nullptr;

private:
  void BindControls();
  bool SystemTables() const;
  void BindServerControls();
  void PlaceCheckResult();

  TStrings* FSQLLines = nullptr;
  int FTextHeight = 0;
  std::string FStartTableName;
  TGetTableNamesProc FGetTableNames;
  TGetFieldNamesProc FGetFieldNames;
  TCheckSQLProc FCheckSQL;
  std::unique_ptr<TControlCanvas> FMemoCanvas;
  TMemo* FMemo = nullptr;
};

// text without its trailing characters of code 0 to 32.
std::string TrimTrailingBlanks(std::string text);
