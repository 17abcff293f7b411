#pragma once
// The SQL editor's entries: the callbacks that fill its table and field
// lists, the two forms of EditSQL, and two character helpers of the unit.
#include <bitset>
#include <functional>
#include <string>

class TStrings;

// Replaces List's content with the table names. SystemTables carries the
// state of the dialog's "system tables" check box.
using TGetTableNamesProc = std::function<void(TStrings& List, bool SystemTables)>;
// Replaces List's content with the field names of TableName.
using TGetFieldNamesProc = std::function<void(const std::string& TableName, TStrings& List, bool SystemTables)>;

// The server's answer to a statement it was asked about without running it.
struct TSQLCheck {
  bool Ok = true;
  unsigned ErrorCode = 0;
  std::string Message;
};
// Asks the server whether it accepts SQL, parameters as placeholders, in the
// mode the query will run in. Raises when the server cannot be asked.
using TCheckSQLProc = std::function<TSQLCheck(const std::string& SQL)>;

// Runs the SQL editor on sql. True when the developer closed it with OK; sql
// then holds the edited text without trailing blanks and line breaks.
// Otherwise sql is left as it was. Either callback may be empty.
bool EditSQL(std::string& sql, const TGetTableNamesProc& getTableNames, const TGetFieldNamesProc& getFieldNames,
             const std::string& startTableName);
// The same with a server to check the text against ("Check on Server");
// without one that button is disabled.
bool EditSQL(std::string& sql, const TGetTableNamesProc& getTableNames, const TGetFieldNamesProc& getFieldNames,
             const std::string& startTableName, const TCheckSQLProc& checkSQL);
// The same on a line list: on OK the edited text becomes the list's text.
bool EditSQL(TStrings& sql, const TGetTableNamesProc& getTableNames, const TGetFieldNamesProc& getFieldNames,
             const std::string& startTableName);

using TCharSet = std::bitset<256>;
bool CharInSet(char c, const TCharSet& set);
// True when name holds a character other than 0-9, _ and a-z (also for an
// empty name): such a name would need quotes in SQL.
bool DefaultReqQuoteChar(const std::string& name);
