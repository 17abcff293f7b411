#include "runtime/MySqlHandles.h"

#include "runtime/MySqlApi.h"

template <>
void TMySqlRelease<st_mysql>::operator()(st_mysql* mysql) const {
  if (!Api->Embedded || EmbeddedServerRunning()) Api->Close(mysql);
}

template <>
void TMySqlRelease<st_mysql_res>::operator()(st_mysql_res* result) const {
  Api->FreeResult(result);
}

template <>
void TMySqlRelease<st_mysql_stmt>::operator()(st_mysql_stmt* stmt) const {
  Api->StmtClose(stmt);
}
