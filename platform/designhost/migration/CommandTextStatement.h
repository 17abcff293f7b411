#pragma once
// The SQL a dbExpress or ADO dataset's command text stands for. Its
// CommandType says whether the text is a statement, a table name or a
// procedure name; a bare table or procedure name is no statement any server
// runs, so a query made from it reads the whole table (SELECT * FROM name)
// or calls the procedure (CALL name).
#include <string>
#include <string_view>

class TDataSet;

// The statement for the dataset's CommandText: the text itself when it is a
// statement (or the class has no CommandType), else one built around the name.
std::string CommandTextStatement(const TDataSet& dataSet);
// The same for a command text and the name of its command type ("ctTable",
// "cmdStoredProc", ...; empty or any other name: a statement).
std::string CommandTextStatement(std::string_view commandType, const std::string& text);

// A table or procedure name as it stands in a statement: a plain or dotted
// name as it is, a name in double quotes or brackets, or with other
// characters, in backquotes (a backquote in it doubled).
std::string QuoteCommandTextName(const std::string& name);
