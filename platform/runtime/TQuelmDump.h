#pragma once
// Writes tables of the connected database as an SQL script: each table's
// CREATE TABLE statement as the server gives it, then its rows as INSERTs.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "runtime/TQuelmDatabase.h"

#include <memory>
#include <string>

class TQuelmDump : public TComponent {
  QUELM_CLASS(TQuelmDump, TComponent)

public:
  explicit TQuelmDump(TComponent* owner);
  ~TQuelmDump() override;

  TQuelmDatabase* Database() const { return FDatabase.Get(); }
  void SetDatabase(TQuelmDatabase* database) { FDatabase = database; }
  // The tables to write; empty: every base table of the database.
  TStrings* Tables() const { return FTables.get(); }
  void SetTables(TStrings* tables);
  bool DumpData() const { return FDumpData; }
  void SetDumpData(bool v) { FDumpData = v; }
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  void DumpToStrings(TStrings& script);
  // Writes the script beside fileName first and renames it into place, so a
  // failed dump leaves an existing file untouched.
  void DumpToFile(const std::string& fileName);

private:
  TComponentRef<TQuelmDatabase> FDatabase;
  std::unique_ptr<TStringList> FTables;
  bool FDumpData = true;
  std::string FAbout;
};
