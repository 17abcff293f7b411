#pragma once
// The C API calls the library makes, as a table of function pointers. The
// client library serves connections to servers; the embedded server library
// exports the same names, so it is loaded privately at run time (its calls
// must not bind to the client's symbols) and reached through its own table.
#include <mysql.h>

#include <string>

struct TMySqlApi {
  bool Embedded = false;
  decltype(&mysql_init) Init = nullptr;
  decltype(&mysql_options) Options = nullptr;
  decltype(&mysql_real_connect) RealConnect = nullptr;
  decltype(&mysql_close) Close = nullptr;
  decltype(&mysql_real_query) RealQuery = nullptr;
  decltype(&mysql_store_result) StoreResult = nullptr;
  decltype(&mysql_free_result) FreeResult = nullptr;
  decltype(&mysql_num_fields) NumFields = nullptr;
  decltype(&mysql_num_rows) NumRows = nullptr;
  decltype(&mysql_fetch_row) FetchRow = nullptr;
  decltype(&mysql_fetch_lengths) FetchLengths = nullptr;
  decltype(&mysql_fetch_fields) FetchFields = nullptr;
  decltype(&mysql_field_count) FieldCount = nullptr;
  decltype(&mysql_affected_rows) AffectedRows = nullptr;
  decltype(&mysql_error) Error = nullptr;
  decltype(&mysql_errno) Errno = nullptr;
  decltype(&mysql_real_escape_string) RealEscapeString = nullptr;
  decltype(&mysql_more_results) MoreResults = nullptr;
  decltype(&mysql_next_result) NextResult = nullptr;
  decltype(&mysql_stmt_init) StmtInit = nullptr;
  decltype(&mysql_stmt_prepare) StmtPrepare = nullptr;
  decltype(&mysql_stmt_result_metadata) StmtResultMetadata = nullptr;
  decltype(&mysql_stmt_close) StmtClose = nullptr;
  decltype(&mysql_stmt_error) StmtError = nullptr;
  decltype(&mysql_stmt_errno) StmtErrno = nullptr;
};

// The client library's table.
const TMySqlApi& ClientApi();

// The embedded server's table, loading libmariadbd.so.19 and starting the
// server on dataDir at the first call (creating the directory and the system
// tables that stored routines need). The server runs once per process: a
// later call with another directory raises EDatabaseError, as do a missing
// library and a failed start.
const TMySqlApi& EmbeddedApi(const std::string& dataDir);

// False once the embedded server has stopped at process exit; connections to
// it are then dropped without a call into the stopped library.
bool EmbeddedServerRunning();
