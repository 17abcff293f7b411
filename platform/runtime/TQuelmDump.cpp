#include "runtime/TQuelmDump.h"

#include "db/DatabaseError.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "runtime/QuelmConnection.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

QUELM_DEFINE_CLASS(TQuelmDump, TComponent, b.ComponentFactory();
                   b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmDump::About, &TQuelmDump::SetAbout);
                   b.Property("Database", TQuelmDatabase::StaticClass().TypeInfo(), &TQuelmDump::Database,
                              &TQuelmDump::SetDatabase);
                   b.Property("DumpData", TypeInfoBoolean(), &TQuelmDump::DumpData, &TQuelmDump::SetDumpData)
                       .Default(1);
                   b.Property("Tables", TStrings::StaticClass().TypeInfo(), &TQuelmDump::Tables,
                              &TQuelmDump::SetTables))

TQuelmDump::TQuelmDump(TComponent* owner) : TComponent(owner), FTables(std::make_unique<TStringList>()) {}

TQuelmDump::~TQuelmDump() = default;

void TQuelmDump::SetTables(TStrings* tables) {
  if (tables && tables != FTables.get()) FTables->Assign(tables);
}

void TQuelmDump::DumpToStrings(TStrings& script) {
  if (!FDatabase) DatabaseError("Database not assigned", this);
  TQuelmDatabase& database = *FDatabase.Get();
  TQuelmConnection& c = database.Connection();
  TStringList tables;
  if (FTables->Count() > 0) tables.Assign(FTables.get());
  else database.GetTableNames("", tables, false);

  TUpdateGuard guard(script);
  script.Clear();
  for (int t = 0; t < tables.Count(); ++t) {
    const std::string name = tables[t];
    const std::string quoted = QuoteName(name);
    TQuelmResult create = c.Query("SHOW CREATE TABLE " + quoted);
    if (create.Rows.empty() || create.Rows[0].size() < 2 || !create.Rows[0][1])
      DatabaseErrorFmt("No definition for table '%s'", name, this);
    script.Add("DROP TABLE IF EXISTS " + quoted + ";");
    script.Add(*create.Rows[0][1] + ";");
    if (!FDumpData) continue;
    TQuelmResult rows = c.Query("SELECT * FROM " + quoted);
    std::string columns;
    for (const TQuelmColumn& column : rows.Columns) columns += (columns.empty() ? "" : ", ") + QuoteName(column.Name);
    for (const TQuelmRow& row : rows.Rows) {
      std::string values;
      for (const std::optional<std::string>& v : row)
        values += (values.empty() ? "" : ", ") + (v ? c.QuoteValue(*v) : std::string("NULL"));
      script.Add("INSERT INTO " + quoted + " (" + columns + ") VALUES (" + values + ");");
    }
  }
}

void TQuelmDump::DumpToFile(const std::string& fileName) {
  TStringList script;
  DumpToStrings(script);
  const std::string temp = fileName + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw EInOutError(Format("Cannot create file %s", {temp}));
    out << script.Text();
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      throw EInOutError(Format("Cannot write file %s", {temp}));
    }
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    std::remove(temp.c_str());
    throw EInOutError(Format("Cannot replace file %s", {fileName}));
  }
}
