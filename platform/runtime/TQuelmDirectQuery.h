#pragma once
// A light query without fields or field definitions: runs its SQL text and
// keeps the rows as text, for reading a result quickly or running a statement.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "runtime/TQuelmDatabase.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TQuelmDirectQuery : public TComponent {
  QUELM_CLASS(TQuelmDirectQuery, TComponent)

public:
  explicit TQuelmDirectQuery(TComponent* owner);
  ~TQuelmDirectQuery() override;

  TQuelmDatabase* Database() const { return FDatabase.Get(); }
  void SetDatabase(TQuelmDatabase* database);
  TStrings* SQL() const { return FSQL.get(); }
  void SetSQL(TStrings* sql);
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  bool Active() const { return FActive; }
  void SetActive(bool active);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  uint64_t ExecSQL();

  int FieldCount() const { return static_cast<int>(FColumns.size()); }
  const std::string& FieldName(int index) const;
  int RecordCount() const { return static_cast<int>(FRows.size()); }
  bool Eof() const { return FRecNo >= RecordCount(); }
  void First() { FRecNo = 0; }
  void Next() {
    if (FRecNo < RecordCount()) ++FRecNo;
  }
  // The current row's value of column index; none for NULL.
  std::optional<std::string> FieldValue(int index) const;


private:
  TQuelmDatabase& CheckDatabase() const;

  TComponentRef<TQuelmDatabase> FDatabase;
  std::unique_ptr<TStringList> FSQL;
  std::string FAbout;
  bool FActive = false;
  std::vector<std::string> FColumns;
  std::vector<std::vector<std::optional<std::string>>> FRows;
  int FRecNo = 0;
};
