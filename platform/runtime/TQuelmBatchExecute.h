#pragma once
// Runs an SQL script: statements separated by Delimiter outside quotes and
// comments; a line "DELIMITER x" changes the delimiter, as scripts that
// create stored routines need.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "runtime/TQuelmDatabase.h"

#include <memory>
#include <string>
#include <vector>

class TQuelmBatchExecute : public TComponent {
  QUELM_CLASS(TQuelmBatchExecute, TComponent)

public:
  explicit TQuelmBatchExecute(TComponent* owner);
  ~TQuelmBatchExecute() override;

  TQuelmDatabase* Database() const { return FDatabase.Get(); }
  void SetDatabase(TQuelmDatabase* database) { FDatabase = database; }
  TStrings* SQL() const { return FSQL.get(); }
  void SetSQL(TStrings* sql);
  const std::string& Delimiter() const { return FDelimiter; }
  void SetDelimiter(const std::string& d);
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  // The script's statements, without delimiters and surrounding blanks.
  std::vector<std::string> Statements() const;
  // Runs every statement in order and stops at the first error, which it
  // raises; the number of statements run.
  int ExecSQL();

private:
  TComponentRef<TQuelmDatabase> FDatabase;
  std::unique_ptr<TStringList> FSQL;
  std::string FDelimiter = ";";
  std::string FAbout;
};
