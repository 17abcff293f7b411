#include "runtime/QuelmSqlModeScope.h"

#include "rtl/Exceptions.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"

bool SqlModeHasAnsiQuotes(const std::string& mode) {
  size_t start = 0;
  while (start <= mode.size()) {
    size_t comma = mode.find(',', start);
    if (comma == std::string::npos) comma = mode.size();
    if (SameText(mode.substr(start, comma - start), "ANSI_QUOTES")) return true;
    start = comma + 1;
  }
  return false;
}

TQuelmAnsiQuotesScope::TQuelmAnsiQuotesScope(TQuelmConnection& connection) : FConnection(connection) {
  TQuelmResult result = connection.Query("SELECT @@SESSION.sql_mode");
  FSavedMode = !result.Rows.empty() && !result.Rows[0].empty() ? result.Rows[0][0].value_or("") : std::string();
  if (SqlModeHasAnsiQuotes(FSavedMode)) return;
  const std::string mode = FSavedMode.empty() ? std::string("ANSI_QUOTES") : FSavedMode + ",ANSI_QUOTES";
  connection.Execute("SET SESSION sql_mode = " + connection.QuoteValue(mode));
  FChanged = true;
}

TQuelmAnsiQuotesScope::~TQuelmAnsiQuotesScope() {
  if (!FChanged || FConnection.Lost()) return;
  try {
    FConnection.Execute("SET SESSION sql_mode = " + FConnection.QuoteValue(FSavedMode));
  } catch (const Exception&) {
    // The session is gone, or refuses its own former mode: a destructor
    // cannot report it, and the statement's own outcome matters more.
  }
}
