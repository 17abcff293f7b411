#include "updsqled/UpdateSQLGenerator.h"

#include "classes/TStrings.h"
#include "rtl/Format.h"

namespace {

// An insert list line is wrapped once it grows longer than this, but never
// after its last field.
constexpr size_t InsertLineWrap = 70;

} // namespace

std::string TUpdateSQLGenerator::GetTableRef(const std::string& tableName, const std::string& quoteChar) {
  return quoteChar.empty() ? std::string() : Format("%s.", {tableName});
}

void TUpdateSQLGenerator::GenWhereClause(const std::string& tabAlias, const std::string& quoteChar,
                                         const TStrings& keyFields, TStrings& sql, bool oldValues) {
  TUpdateGuard guard(sql);
  sql.Add("where");
  const char* condition = oldValues ? "  %s%s%s%1:s = :%1:sOLD_%2:s%1:s" : "  %s%s%s%1:s = :%1:s%2:s%1:s";
  for (int i = 0; i < keyFields.Count(); ++i) {
    std::string line = Format(condition, {tabAlias, quoteChar, keyFields[i]});
    if (i < keyFields.Count() - 1) line = Format("%s and", {line});
    sql.Add(line);
  }
}

void TUpdateSQLGenerator::GenDeleteSQL(const std::string& tableName, const std::string& quoteChar,
                                       const TStrings& keyFields, TStrings& sql) {
  TUpdateGuard guard(sql);
  sql.Clear();
  sql.Add(Format("delete from %s", {tableName}));
  GenWhereClause(GetTableRef(tableName, quoteChar), quoteChar, keyFields, sql, false);
}

void TUpdateSQLGenerator::AddFieldList(const std::string& prefix, const std::string& paramMark,
                                       const std::string& quoteChar, const TStrings& updateFields, TStrings& sql) {
  std::string line = "  (";
  std::string separator = ", ";
  for (int i = 0; i < updateFields.Count(); ++i) {
    bool last = i == updateFields.Count() - 1;
    if (last) separator.clear();
    line = Format("%s%s%s%s%s%3:s%5:s", {line, prefix, paramMark, quoteChar, updateFields[i], separator});
    // the wrapped line keeps its separator, trailing blank included
    if (line.size() > InsertLineWrap && !last) {
      sql.Add(line);
      line = "   ";
    }
  }
  sql.Add(line + ")");
}

void TUpdateSQLGenerator::GenInsertSQL(const std::string& tableName, const std::string& quoteChar,
                                       const TStrings& updateFields, TStrings& sql) {
  TUpdateGuard guard(sql);
  sql.Clear();
  sql.Add(Format("insert into %s", {tableName}));
  AddFieldList(GetTableRef(tableName, quoteChar), "", quoteChar, updateFields, sql);
  sql.Add("values");
  AddFieldList("", ":", quoteChar, updateFields, sql);
}

void TUpdateSQLGenerator::GenModifySQL(const std::string& tableName, const std::string& quoteChar,
                                       const TStrings& keyFields, const TStrings& updateFields, TStrings& sql) {
  TUpdateGuard guard(sql);
  sql.Clear();
  sql.Add(Format("update %s", {tableName}));
  sql.Add("set");
  std::string separator = ",";
  std::string tableRef = GetTableRef(tableName, quoteChar);
  for (int i = 0; i < updateFields.Count(); ++i) {
    if (i == updateFields.Count() - 1) separator.clear();
    sql.Add(Format("  %s%s%s%1:s = :%1:s%2:s%1:s%3:s", {tableRef, quoteChar, updateFields[i], separator}));
  }
  GenWhereClause(tableRef, quoteChar, keyFields, sql, true);
}

void TUpdateSQLGenerator::GenRefreshRecordSQL(const std::string& tableName, const std::string& quoteChar,
                                              const TStrings& keyFields, const TStrings& updateFields,
                                              TStrings& sql) {
  TUpdateGuard guard(sql);
  sql.Clear();
  sql.Add(Format("select * from %s", {tableName}));
  GenWhereClause(GetTableRef(tableName, quoteChar), quoteChar, keyFields, sql, false);
}

std::string TUpdateSQLGenerator::QuotedTableName(const std::string& tableName, bool quoted) {
  return quoted ? Format("\"%s\"", {tableName}) : tableName;
}
