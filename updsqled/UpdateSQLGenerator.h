#pragma once
// The text of the four statements of an update-SQL object, generated from a
// table name, key columns, update columns and a quoting option. Parameters are
// named after the columns with a leading colon; the modify statement compares
// the key columns with the OLD_ parameters, the record's values before the
// change. Each generator clears its target list and fills it line by line.
#include <string>

class TStrings;

class TUpdateSQLGenerator {
public:
  // The column qualifier: the table name and a dot while field names are
  // quoted (quoteChar not empty), else empty.
  static std::string GetTableRef(const std::string& tableName, const std::string& quoteChar);

  // Appends "where" and one line per key field, joined with " and"; compares
  // with the OLD_ parameters when oldValues is set. Does not clear sql.
  static void GenWhereClause(const std::string& tabAlias, const std::string& quoteChar, const TStrings& keyFields,
                             TStrings& sql, bool oldValues);

  static void GenDeleteSQL(const std::string& tableName, const std::string& quoteChar, const TStrings& keyFields,
                           TStrings& sql);
  static void GenInsertSQL(const std::string& tableName, const std::string& quoteChar, const TStrings& updateFields,
                           TStrings& sql);
  static void GenModifySQL(const std::string& tableName, const std::string& quoteChar, const TStrings& keyFields,
                           const TStrings& updateFields, TStrings& sql);
  // Selects all columns; the update fields are not used.
  static void GenRefreshRecordSQL(const std::string& tableName, const std::string& quoteChar,
                                  const TStrings& keyFields, const TStrings& updateFields, TStrings& sql);

  // The table name as statements write it: in double quotes when the SQL text
  // named it in quotes (the table entry carries the quoted marker).
  static std::string QuotedTableName(const std::string& tableName, bool quoted);

private:
  // One parenthesised, wrapped list of the insert statement: each item is
  // prefix, parameter mark, quoted field.
  static void AddFieldList(const std::string& prefix, const std::string& paramMark, const std::string& quoteChar,
                           const TStrings& updateFields, TStrings& sql);
};
