#include "queryedit/QuelmQueryEdit.h"

#include "classes/TStrings.h"
#include "forms/TMemo.h"
#include "queryedit/TSQLEditForm.h"

bool EditSQL(std::string& sql, const TGetTableNamesProc& getTableNames, const TGetFieldNamesProc& getFieldNames,
             const std::string& startTableName) {
  return EditSQL(sql, getTableNames, getFieldNames, startTableName, TCheckSQLProc());
}

bool EditSQL(std::string& sql, const TGetTableNamesProc& getTableNames, const TGetFieldNamesProc& getFieldNames,
             const std::string& startTableName, const TCheckSQLProc& checkSQL) {
  auto form = CreateForm<TSQLEditForm>(nullptr);
  form->CreateSimpleMemo(sql);
  form->SetCallbacks(getTableNames, getFieldNames, startTableName);
  form->SetCheckSQL(checkSQL);
  if (form->ShowModal() != mrOk) return false;
  sql = TrimTrailingBlanks(form->Memo()->Text());
  return true;
}

bool EditSQL(TStrings& sql, const TGetTableNamesProc& getTableNames, const TGetFieldNamesProc& getFieldNames,
             const std::string& startTableName) {
  std::string text = sql.Text();
  if (!EditSQL(text, getTableNames, getFieldNames, startTableName)) return false;
  sql.SetText(text);
  return true;
}

bool CharInSet(char c, const TCharSet& set) { return set.test(static_cast<unsigned char>(c)); }

bool DefaultReqQuoteChar(const std::string& name) {
  static const TCharSet plain = [] {
    TCharSet chars;
    for (char c = '0'; c <= '9'; ++c) chars.set(static_cast<unsigned char>(c));
    for (char c = 'a'; c <= 'z'; ++c) chars.set(static_cast<unsigned char>(c));
    chars.set('_');
    return chars;
  }();
  if (name.empty()) return true;
  for (char c : name)
    if (!CharInSet(c, plain)) return true;
  return false;
}
