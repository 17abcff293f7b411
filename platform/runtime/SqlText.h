#pragma once
// Walks over SQL text the way the server reads it: string literals in single
// or double quotes (backslash escapes, doubled quotes), quoted names in
// backticks, and comments (--, #, /* */) are passed over whole, so a colon or
// delimiter inside them means nothing.
//
// Under ANSI quoting (the session's SQL mode holds ANSI_QUOTES) text in
// double quotes is a name, as in backticks, and a parameter may be written
// :"name", its name in double quotes; the statements of an update object are
// written so.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class TSqlQuoting { sqDefault, sqAnsiQuotes };

// The names of the :name parameters of sql, in order of first appearance
// (compared ignoring case). "::" and ":=" are not parameters.
std::vector<std::string> SqlParamNames(std::string_view sql, TSqlQuoting quoting = TSqlQuoting::sqDefault);

// sql with each :name parameter replaced by replace(name).
std::string SqlReplaceParams(std::string_view sql, const std::function<std::string(const std::string&)>& replace,
                             TSqlQuoting quoting = TSqlQuoting::sqDefault);

// The table and the columns a statement writes: the column list of
// INSERT [INTO] t (a, b, ...), the assigned columns of INSERT t SET a = ...
// and of UPDATE t SET a = ..., each without its qualifier and quotes; an
// INSERT without a column list writes every column (AllColumns). All stay
// empty for any other statement, and for one written in a way this reading
// does not follow.
struct TSqlWrittenColumns {
  std::string Table;
  std::vector<std::string> Columns;
  bool AllColumns = false;
};
TSqlWrittenColumns SqlWrittenColumns(std::string_view sql, TSqlQuoting quoting);

// sql with each macro (prefix followed by a name) whose name lookup knows
// replaced by its text; lookup returns false for unknown names.
std::string SqlReplaceMacros(std::string_view sql, std::string_view prefix,
                             const std::function<bool(const std::string&, std::string&)>& lookup);

// Splits a script at delimiter outside quotes and comments; a line
// "DELIMITER x" sets the delimiter for what follows. Statements of nothing
// but blanks and comments go.
std::vector<std::string> SqlSplitScript(std::string_view script, std::string_view delimiter);
