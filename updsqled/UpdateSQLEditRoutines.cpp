#include "updsqled/UpdateSQLEditRoutines.h"

#include "classes/TStringList.h"
#include "db/TDataSet.h"
#include "forms/MessageDialogs.h"
#include "forms/TListBox.h"
#include "package/PackageModule.h"
#include "rtl/Format.h"
#include "updsqled/QuelmUpdSQLStrings.h"
#include "updsqled/SQLParser.h"

void CollectSelectedItems(const TListBox& box, TStrings& list) {
  TUpdateGuard guard(list);
  list.Clear();
  for (int i = 0; i < box.Items()->Count(); ++i)
    if (box.Selected(i)) list.Add(box.Items()->Get(i));
}

namespace {
void FocusFirst(TListBox& box) {
  if (box.Items()->Count() > 0) {
    box.SetItemIndex(0);
    box.SetTopIndex(0);
  }
}
} // namespace

int MarkListedItems(TListBox& box, const TStrings& list) {
  int count = 0;
  {
    TUpdateGuard guard(*box.Items());
    for (int i = 0; i < box.Items()->Count(); ++i) {
      bool listed = list.IndexOf(box.Items()->Get(i)) >= 0;
      box.SetSelected(i, listed);
      if (listed) ++count;
    }
    FocusFirst(box);
  }
  return count;
}

void SelectAllItems(TListBox& box) {
  TUpdateGuard guard(*box.Items());
  for (int i = 0; i < box.Items()->Count(); ++i) box.SetSelected(i, true);
  FocusFirst(box);
}

void ReadFieldDefNames(TDataSet& dataSet, const std::string& errorName, TStrings& list) {
  try {
    dataSet.FieldDefs().Update();
    TUpdateGuard guard(list);
    list.Clear();
    for (int i = 0; i < dataSet.FieldDefs().Count(); ++i) list.Add(dataSet.FieldDefs().Items(i)->Name());
  } catch (...) {
    if (!errorName.empty())
      MessageDlg(Format(PackageResString(SFieldNameError), {errorName}), TMsgDlgType::mtError,
                 {TMsgDlgBtn::mbOK}, 0);
  }
}

void ParseSelectTables(const std::string& text, TStrings& list) {
  TSQLParser parser(text);
  parser.GetSelectTableNames(list);
}

void ParseUpdateStatement(const std::string& text, std::string& tableName, TStrings* updateFields,
                          TStrings* whereFields) {
  TSQLParser parser(text);
  parser.GetUpdateTableName(tableName);
  if (updateFields) {
    parser.Reset();
    parser.GetUpdateFields(*updateFields);
  }
  if (whereFields) {
    parser.Reset();
    parser.GetWhereFields(*whereFields);
  }
}
